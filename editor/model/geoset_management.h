#pragma once

#include <string>
#include <vector>

namespace editor {

struct EditorState;

// The lines of the starter model that File > New writes: a model with one geoset of 8 vertices
// (a 10 x 10 x 10 box) and nothing else in it.
std::vector<std::string> starterModelLines();

// File > New: asks for a path and writes the starter model there. Nothing is read; the user
// opens the new file with File > Open.
void newModelCommand(EditorState& state);

// File > Switch Geoset: saves the model, then asks which geoset to edit and reads it.
void switchGeosetCommand(EditorState& state);

// File > Merge Geoset: reads a geoset of another (or the same) model file and appends its
// vertices and triangles to the edited geoset; the appended vertices become the selection.
void mergeGeosetCommand(EditorState& state);

} // namespace editor
