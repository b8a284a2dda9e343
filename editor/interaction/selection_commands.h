#pragma once

#include <vector>

namespace editor {

struct EditorState;

// Edit > Select All: records "Select All" and selects every vertex (deleted ones included).
// Nothing without a model.
void selectAll(EditorState& state);

// Edit > Invert Selection: records "Invert Selection" and flips every vertex's flag.
void invertSelection(EditorState& state);

// Tools > Expand Selection: records "Selection" and selects every vertex that triangles
// connect to a selected vertex (deleted faces and vertices connect too), so each connected
// piece of the mesh that holds a selected vertex ends up selected whole.
void expandSelection(EditorState& state);

// Records "Selection" and selects exactly the given 0-based vertices (for scripts); indices
// outside the vertex array are ignored.
void selectVertices(EditorState& state, const std::vector<int>& indices);

// Tools > Selected Vertex Counter and Selected Face Counter: message boxes with the counts.
void showSelectedVertexCount(EditorState& state);
void showSelectedFaceCount(EditorState& state);

} // namespace editor
