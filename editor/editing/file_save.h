#pragma once

#include "editor/model/model_document.h"

#include <optional>
#include <string>

namespace editor {

struct EditingState;

// Writes the model: the working copy with the edited geoset's blocks regenerated (geosetOnly: a
// one-geoset, one-bone model), through a temporary file; then the working copy is refreshed
// from it. askPath shows the save dialog first. A geoset with no vertex or no triangle left is
// removed from the model instead, and the model read again. True when the model was written;
// false when nothing was (no model, a cancelled dialog, a failure, said in one "Error" message).
bool saveModel(EditingState& state, bool geosetOnly, bool askPath);

// Writes the edited geoset's arrays into the document and the working copy (without that
// geoset when nothing of it is left), leaving the model file alone: Switch Geoset keeps the
// edits this way, and Save writes them later. The new document (state.document); nothing, after
// one "Error", when the copy cannot be written.
SharedDocument commitToWorkingCopy(EditingState& state);

// The menu commands Save, Save As and Save geoset; each says whether the model was written.
bool saveCommand(EditingState& state);
bool saveAsCommand(EditingState& state);
bool saveGeosetCommand(EditingState& state);

// Removes the n-th geoset (1-based) from the file and fixes the geoset animation references.
// False (file unchanged) when the file cannot be read or written.
bool removeGeoset(const std::string& path, int n);

} // namespace editor
