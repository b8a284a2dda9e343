#include "editor/editing/geoset_capacity.h"

#include "editor/editing/editing_state.h"

#include <string>

namespace editor {

bool geosetHasRoom(EditingState& state, std::size_t addedVertices, std::size_t addedFaces) {
    const auto limit = static_cast<std::size_t>(maxGeosetRecords);
    const auto vertexCount = state.vertices.size() + addedVertices;
    const auto faceCount = state.faces.size() + addedFaces;
    if (vertexCount <= limit && faceCount <= limit)
        return true;
    if (state.dialogs)
        state.dialogs->messageBox("A geoset holds at most 32767 vertices and 32767 triangles; "
                                  "this would make " +
                                      std::to_string(vertexCount) + " vertices and " +
                                      std::to_string(faceCount) + " triangles.",
                                  "Error");
    return false;
}

} // namespace editor
