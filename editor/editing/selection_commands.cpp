#include "editor/editing/selection_commands.h"

#include "editor/editing/editing_state.h"
#include "editor/editing/undo_history.h"
#include "editor/model/selection_queries.h"

#include <string>

namespace editor {

namespace {

void recordSelection(EditingState& state, UndoKind kind) {
    takeUndoSnapshot(state, kind);
}

void showMessage(EditingState& state, const std::string& text, const std::string& title) {
    if (state.dialogs)
        state.dialogs->messageBox(text, title);
}

} // namespace

void selectAll(EditingState& state) {
    if (!state.modelLoaded)
        return;
    recordSelection(state, UndoKind::SelectAll);
    for (auto& vertex : state.vertices)
        vertex.selected = true;
    state.changed(Change::Selection);
}

void invertSelection(EditingState& state) {
    recordSelection(state, UndoKind::InvertSelection);
    if (!state.modelLoaded)
        return;
    for (auto& vertex : state.vertices)
        vertex.selected = !vertex.selected;
    state.changed(Change::Selection);
}

void expandSelection(EditingState& state) {
    recordSelection(state, UndoKind::Selection);
    auto& vertices = state.vertices;
    const std::size_t count = vertices.size();
    const auto valid = [&](int corner) {
        return corner >= 0 && static_cast<std::size_t>(corner) < count;
    };
    const auto usable = [&](const FaceRecord& face) {
        return valid(face.a) && valid(face.b) && valid(face.c);
    };

    // The faces around each vertex, as one flat list: facesOf[first[i] .. first[i + 1]).
    std::vector<std::size_t> first(count + 1, 0);
    for (const auto& face : state.faces)
        if (usable(face))
            for (int corner : {face.a, face.b, face.c})
                ++first[static_cast<std::size_t>(corner) + 1];
    for (std::size_t i = 0; i < count; ++i)
        first[i + 1] += first[i];
    std::vector<std::size_t> facesOf(first[count]);
    std::vector<std::size_t> next(first.begin(), first.end() - 1);
    for (std::size_t f = 0; f < state.faces.size(); ++f)
        if (usable(state.faces[f]))
            for (int corner : {state.faces[f].a, state.faces[f].b, state.faces[f].c})
                facesOf[next[static_cast<std::size_t>(corner)]++] = f;

    // A face with one selected corner gets all three; spread that until nothing changes.
    std::vector<std::size_t> pending;
    for (std::size_t i = 0; i < count; ++i)
        if (vertices[i].selected)
            pending.push_back(i);
    while (!pending.empty()) {
        const std::size_t vertex = pending.back();
        pending.pop_back();
        for (auto k = first[vertex]; k < first[vertex + 1]; ++k) {
            const auto& face = state.faces[facesOf[k]];
            for (int corner : {face.a, face.b, face.c}) {
                auto& neighbour = vertices[static_cast<std::size_t>(corner)];
                if (!neighbour.selected) {
                    neighbour.selected = true;
                    pending.push_back(static_cast<std::size_t>(corner));
                }
            }
        }
    }
    state.changed(Change::Selection);
}

void selectVertices(EditingState& state, const std::vector<int>& indices) {
    recordSelection(state, UndoKind::Selection);
    for (auto& vertex : state.vertices)
        vertex.selected = false;
    for (int index : indices)
        if (index >= 0 && static_cast<std::size_t>(index) < state.vertices.size())
            state.vertices[static_cast<std::size_t>(index)].selected = true;
    state.changed(Change::Selection);
}

void showSelectedVertexCount(EditingState& state) {
    const int count = numSelVerts(state);
    if (count < 0)
        showMessage(state, "No model loaded.", "Selected vertex counter");
    else
        showMessage(state, std::to_string(count) + " vertices selected.",
                    "Selected vertex counter");
}

void showSelectedFaceCount(EditingState& state) {
    showMessage(state, std::to_string(countSelectedFaces(state)) + " faces selected.",
                "Selected face counter");
}

} // namespace editor
