#include "editor/editing/undo_history.h"

#include "editor/editing/editing_state.h"

namespace editor {

void takeUndoSnapshot(EditingState& state, UndoKind kind, double amount1, double amount2,
                      double amount3) {
    if (!state.modelLoaded)
        return;
    const auto& info = undoKindInfo(kind);
    UndoEntry entry;
    entry.used = true;
    entry.kind = kind;
    if (info.savesSelection) {
        entry.selectionFlags.reserve(state.vertices.size());
        for (const auto& vertex : state.vertices)
            entry.selectionFlags.push_back(vertex.selected);
    }
    if (info.savesVertices)
        entry.savedVertices = state.vertices;
    if (info.savesFaces)
        entry.savedFaces = state.faces;
    entry.amount1 = amount1;
    entry.amount2 = amount2;
    entry.amount3 = amount3;
    pushUndoStep(state, std::move(entry));
}

void pushUndoStep(UndoFields& history, UndoEntry entry) {
    history.undoHistory.push_front(std::move(entry));
    while (history.undoHistory.size() > static_cast<std::size_t>(undoHistorySize))
        history.undoHistory.pop_back();
}

const UndoEntry& undoEntry(const UndoFields& history, int k) {
    static const UndoEntry empty;
    if (k < 1 || static_cast<std::size_t>(k) > history.undoHistory.size())
        return empty;
    return history.undoHistory[static_cast<std::size_t>(k - 1)];
}

void clearUndoHistory(UndoFields& history) {
    history.undoHistory.clear();
}

} // namespace editor
