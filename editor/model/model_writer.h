#pragma once

#include <string>
#include <vector>

namespace editor {

struct EditorState;

// Writes the model: the working copy line by line with the edited geoset's blocks regenerated
// (geosetOnly: a one-geoset, one-bone model). askPath shows the save dialog first. True when
// the model was written; false when nothing was (no model, a cancelled dialog, a failure).
bool saveModel(EditorState& state, bool geosetOnly, bool askPath);

// The menu commands Save, Save As and Save geoset.
void saveCommand(EditorState& state);
void saveAsCommand(EditorState& state);
void saveGeosetCommand(EditorState& state);

// 0-based output index of vertices(k) (k 1-based): kept vertices up to k, minus 1.
int newVertexIndex(const EditorState& state, int k);

// Triangles the face line will hold: not deleted, no deleted corner.
int countWrittenFaces(const EditorState& state);

// The lines of a model without its n-th geoset (1-based), with the geoset animation references
// fixed: references to later geosets move down by one, the last geoset animation that named the
// removed geoset goes, and references to it become "None".
std::vector<std::string> removeGeosetLines(const std::vector<std::string>& lines, int n);

// Removes the n-th geoset (1-based) from the file and fixes the geoset animation references.
// False (file unchanged) when the file cannot be read or written.
bool removeGeoset(const std::string& path, int n);

} // namespace editor
