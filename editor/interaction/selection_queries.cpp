#include "editor/interaction/selection_queries.h"

#include "editor/model/editor_state.h"

namespace editor {

int numSelVerts(const EditorState& state) {
    if (!state.modelLoaded)
        return -1;
    int count = 0;
    for (const auto& vertex : state.vertices)
        if (vertex.selected)
            ++count;
    return count;
}

int countSelectedFaces(const EditorState& state) {
    const auto selected = [&](int corner) {
        return corner >= 0 && static_cast<std::size_t>(corner) < state.vertices.size() &&
               state.vertices[static_cast<std::size_t>(corner)].selected;
    };
    int count = 0;
    for (const auto& face : state.faces)
        if (selected(face.a) && selected(face.b) && selected(face.c))
            ++count;
    return count;
}

double selectionCentre(const EditorState& state, char axis) {
    if (numSelVerts(state) <= 0)
        return 0;
    double sum = 0;
    int count = 0;
    for (const auto& vertex : state.vertices) {
        if (!vertex.selected || vertex.deleted)
            continue;
        sum += axis == 'x' ? vertex.x : axis == 'y' ? vertex.y : vertex.z;
        ++count;
    }
    return count == 0 ? 0 : sum / count;
}

} // namespace editor
