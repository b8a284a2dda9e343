#include "editor/editing/undo_command.h"

#include "editor/editing/editing_state.h"
#include "editor/editing/undo_history.h"
#include "editor/editing/whole_model_edit.h"

#include <utility>

namespace editor {

namespace {

// Exchanges one flag of every vertex with the saved list. A list taken when the geoset had
// another number of vertices gives the flags both share and clears the rest.
void exchangeFlags(std::vector<VertexRecord>& vertices, std::vector<bool>& flags,
                   bool VertexRecord::*flag) {
    std::vector<bool> current(vertices.size());
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        current[i] = vertices[i].*flag;
        vertices[i].*flag = i < flags.size() && flags[i];
    }
    flags = std::move(current);
}

void exchangePlacements(std::vector<VertexRecord>& vertices,
                        std::vector<VertexPlacement>& placements) {
    for (auto& saved : placements) {
        if (saved.index >= vertices.size())
            continue;
        auto& v = vertices[saved.index];
        std::swap(v.x, saved.x);
        std::swap(v.y, saved.y);
        std::swap(v.z, saved.z);
        std::swap(v.normalX, saved.normalX);
        std::swap(v.normalY, saved.normalY);
        std::swap(v.normalZ, saved.normalZ);
    }
}

void exchangeAxisFlag(bool& enabled, double& saved) {
    const double current = enabled ? 1.0 : 0.0;
    enabled = saved == 1.0;
    saved = current;
}

void exchangeSaved(EditingState& state, UndoEntry& entry) {
    switch (undoKindInfo(entry.kind).restore) {
    case UndoRestore::SelectionFlags:
        exchangeFlags(state.vertices, entry.selectionFlags, &VertexRecord::selected);
        break;
    case UndoRestore::DeletedFlags:
        exchangeFlags(state.vertices, entry.selectionFlags, &VertexRecord::deleted);
        break;
    case UndoRestore::Placements:
        exchangePlacements(state.vertices, entry.savedPlacements);
        break;
    case UndoRestore::VerticesAndFaces:
        state.vertices.swap(entry.savedVertices);
        state.faces.swap(entry.savedFaces);
        break;
    case UndoRestore::Vertices:
        state.vertices.swap(entry.savedVertices);
        break;
    case UndoRestore::Faces:
        state.faces.swap(entry.savedFaces);
        break;
    case UndoRestore::AxisLocks:
        exchangeAxisFlag(state.axisXEnabled, entry.amount1);
        exchangeAxisFlag(state.axisYEnabled, entry.amount2);
        exchangeAxisFlag(state.axisZEnabled, entry.amount3);
        break;
    case UndoRestore::Document:
        if (entry.savedDocument) {
            exchangeSnapshot(state, *entry.savedDocument);
            keepDocumentInWorkingCopy(state);
            state.changed(Change::Structure | Change::Materials);
        }
        break;
    }
    if (undoKindInfo(entry.kind).changesDocument)
        state.unsavedChanges = true;
    state.changed(Change::Geometry | Change::Selection);
}

} // namespace

void undoLast(EditingState& state) {
    if (state.undoHistory.empty()) {
        // An empty history restores nothing, but the views are drawn again all the same.
        state.changed(Change::Geometry);
        return;
    }
    UndoEntry entry = std::move(state.undoHistory.front());
    state.undoHistory.pop_front();
    exchangeSaved(state, entry);
    state.redoHistory.push_front(std::move(entry));
}

void redoLast(EditingState& state) {
    if (state.redoHistory.empty())
        return;
    UndoEntry entry = std::move(state.redoHistory.front());
    state.redoHistory.pop_front();
    exchangeSaved(state, entry);
    pushRedoneStep(state, std::move(entry));
}

} // namespace editor
