#pragma once

namespace editor {

struct EditingState;

// File > New: asks for a path and writes the starter model there. Nothing is read; the user
// opens the new file with File > Open.
void newModelCommand(EditingState& state);

// File > Switch Geoset: saves the model, then asks which geoset to edit and reads it.
void switchGeosetCommand(EditingState& state);

// File > Merge Geoset: reads a geoset of another (or the same) model file and appends its
// vertices and triangles to the edited geoset; the appended vertices become the selection.
void mergeGeosetCommand(EditingState& state);

} // namespace editor
