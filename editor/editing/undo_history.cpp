#include "editor/editing/undo_history.h"

#include "editor/model/editor_state.h"

namespace editor {

void takeUndoSnapshot(EditorState& state, bool saveFaces, bool saveVertices, bool saveSelection,
                      double amount1, double amount2, double amount3, const std::string& name) {
    if (!state.modelLoaded)
        return;
    UndoEntry entry;
    entry.used = true;
    if (saveSelection) {
        entry.selectionFlags.reserve(state.vertices.size());
        for (const auto& vertex : state.vertices)
            entry.selectionFlags.push_back(vertex.selected);
    }
    if (saveVertices)
        entry.savedVertices = state.vertices;
    if (saveFaces)
        entry.savedFaces = state.faces;
    entry.amount1 = amount1;
    entry.amount2 = amount2;
    entry.amount3 = amount3;
    entry.name = name;

    state.undoHistory.push_front(std::move(entry));
    while (state.undoHistory.size() > static_cast<std::size_t>(undoHistorySize))
        state.undoHistory.pop_back();
    updateUndoMenu(state);
}

const UndoEntry& undoEntry(const EditorState& state, int k) {
    static const UndoEntry empty;
    if (k < 1 || static_cast<std::size_t>(k) > state.undoHistory.size())
        return empty;
    return state.undoHistory[static_cast<std::size_t>(k - 1)];
}

void clearUndoHistory(EditorState& state) {
    state.undoHistory.clear();
    updateUndoMenu(state);
}

void updateUndoMenu(EditorState& state) {
    const auto& newest = undoEntry(state, 1);
    state.menus.mnuUndoEnabled = newest.used;
    state.menus.mnuUndoCaption = newest.used ? "Undo " + newest.name : "Undo";
}

} // namespace editor
