#pragma once

#include <vector>

namespace editor {

struct EditingState;

// Edit > Select All: records "Select All" and selects every vertex (deleted ones included).
// Nothing without a model.
void selectAll(EditingState& state);

// Edit > Invert Selection: records "Invert Selection" and flips every vertex's flag.
void invertSelection(EditingState& state);

// Tools > Expand Selection: records "Selection" and selects every vertex that triangles
// connect to a selected vertex (deleted faces and vertices connect too), so each connected
// piece of the mesh that holds a selected vertex ends up selected whole.
void expandSelection(EditingState& state);

// Records "Selection" and selects exactly the given 0-based vertices (for scripts); indices
// outside the vertex array are ignored.
void selectVertices(EditingState& state, const std::vector<int>& indices);

// Tools > Selected Vertex Counter and Selected Face Counter: message boxes with the counts.
void showSelectedVertexCount(EditingState& state);
void showSelectedFaceCount(EditingState& state);

} // namespace editor
