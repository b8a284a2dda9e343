#include "editor/editing/undo_history.h"

#include "editor/editing/editing_state.h"

namespace editor {

namespace {

std::vector<bool> flagsOf(const std::vector<VertexRecord>& vertices, bool VertexRecord::*flag) {
    std::vector<bool> flags(vertices.size());
    for (std::size_t i = 0; i < vertices.size(); ++i)
        flags[i] = vertices[i].*flag;
    return flags;
}

std::vector<VertexPlacement> placementsOfSelection(const std::vector<VertexRecord>& vertices) {
    std::vector<VertexPlacement> placements;
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const auto& v = vertices[i];
        if (v.selected)
            placements.push_back({i, v.x, v.y, v.z, v.normalX, v.normalY, v.normalZ});
    }
    return placements;
}

void dropOldest(UndoFields& history) {
    while (history.undoHistory.size() > static_cast<std::size_t>(undoHistorySize))
        history.undoHistory.pop_back();
}

} // namespace

DocumentSnapshot snapshotOf(const GeosetModel& state) {
    return {state.document,     state.vertices,     state.faces,
            state.matrices,     state.groupCount,   state.extras,
            state.valuesAsRead, state.geosetNumber, state.modelLoaded};
}

void exchangeSnapshot(GeosetModel& state, DocumentSnapshot& saved) {
    std::swap(state.document, saved.document);
    state.vertices.swap(saved.vertices);
    state.faces.swap(saved.faces);
    std::swap(state.matrices, saved.matrices);
    std::swap(state.groupCount, saved.groupCount);
    std::swap(state.extras, saved.extras);
    state.valuesAsRead.swap(saved.valuesAsRead);
    std::swap(state.geosetNumber, saved.geosetNumber);
    std::swap(state.modelLoaded, saved.modelLoaded);
}

void takeUndoSnapshot(EditingState& state, UndoKind kind, double amount1, double amount2,
                      double amount3) {
    if (!state.modelLoaded)
        return;
    const auto& info = undoKindInfo(kind);
    UndoEntry entry;
    entry.used = true;
    entry.kind = kind;
    switch (info.restore) {
    case UndoRestore::SelectionFlags:
        entry.selectionFlags = flagsOf(state.vertices, &VertexRecord::selected);
        break;
    case UndoRestore::DeletedFlags:
        entry.selectionFlags = flagsOf(state.vertices, &VertexRecord::deleted);
        break;
    case UndoRestore::Placements:
        entry.savedPlacements = placementsOfSelection(state.vertices);
        break;
    case UndoRestore::VerticesAndFaces:
        entry.savedVertices = state.vertices;
        entry.savedFaces = state.faces;
        break;
    case UndoRestore::Vertices:
        entry.savedVertices = state.vertices;
        break;
    case UndoRestore::Faces:
        entry.savedFaces = state.faces;
        break;
    case UndoRestore::AxisLocks:
        break;
    case UndoRestore::Document:
        entry.savedDocument = std::make_shared<DocumentSnapshot>(snapshotOf(state));
        break;
    }
    entry.amount1 = amount1;
    entry.amount2 = amount2;
    entry.amount3 = amount3;
    if (info.changesDocument)
        state.unsavedChanges = true;
    pushUndoStep(state, std::move(entry));
}

void pushUndoStep(UndoFields& history, UndoEntry entry) {
    history.redoHistory.clear();
    pushRedoneStep(history, std::move(entry));
}

void pushRedoneStep(UndoFields& history, UndoEntry entry) {
    history.undoHistory.push_front(std::move(entry));
    dropOldest(history);
}

const UndoEntry& undoEntry(const UndoFields& history, int k) {
    static const UndoEntry empty;
    if (k < 1 || static_cast<std::size_t>(k) > history.undoHistory.size())
        return empty;
    return history.undoHistory[static_cast<std::size_t>(k - 1)];
}

const UndoEntry& redoEntry(const UndoFields& history) {
    static const UndoEntry empty;
    return history.redoHistory.empty() ? empty : history.redoHistory.front();
}

void clearUndoHistory(UndoFields& history) {
    history.undoHistory.clear();
    history.redoHistory.clear();
}

} // namespace editor
