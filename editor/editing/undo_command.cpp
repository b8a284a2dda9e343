#include "editor/editing/undo_command.h"

#include "editor/editing/editing_state.h"
#include "editor/editing/transforms.h"
#include "editor/editing/undo_history.h"

#include <utility>

namespace editor {

namespace {

// Restores the flags the step saved. A list taken when the geoset had another number of
// vertices restores the flags both share and leaves the rest unselected.
void restoreSelection(EditingState& state, const std::vector<bool>& flags) {
    for (std::size_t i = 0; i < state.vertices.size(); ++i)
        state.vertices[i].selected = i < flags.size() && flags[i];
}

bool reversesByTransform(const UndoEntry& entry) {
    if (!entry.used)
        return false;
    const auto restore = undoKindInfo(entry.kind).restore;
    return restore == UndoRestore::ReverseMove || restore == UndoRestore::ReverseRotate ||
           restore == UndoRestore::ReverseScale;
}

} // namespace

void undoLast(EditingState& state) {
    // The reversing transformation clones first while the toggle is on; when that clone does
    // not fit, nothing is undone and the step stays.
    if (reversesByTransform(undoEntry(state, 1)) && state.cloneMode && !cloneHasRoom(state))
        return;
    if (state.undoHistory.empty()) {
        // An empty history restores nothing, but the views are drawn again all the same.
        state.changed(Change::Geometry);
        return;
    }
    UndoEntry entry = std::move(state.undoHistory.front());
    state.undoHistory.pop_front();

    switch (undoKindInfo(entry.kind).restore) {
    case UndoRestore::SelectionFlags:
        restoreSelection(state, entry.selectionFlags);
        break;
    case UndoRestore::Undelete:
        for (auto& vertex : state.vertices)
            if (vertex.selected)
                vertex.deleted = false;
        break;
    case UndoRestore::ReverseMove:
        moveSelection(state, -entry.amount1, -entry.amount2, -entry.amount3, false);
        break;
    case UndoRestore::ReverseRotate:
        rotateSelection(state, -entry.amount1, rotationAxis(entry.kind), false);
        break;
    case UndoRestore::ReverseScale:
        scaleSelection(state, -entry.amount1, -entry.amount2, false);
        break;
    case UndoRestore::VerticesAndFaces:
        state.vertices = std::move(entry.savedVertices);
        state.faces = std::move(entry.savedFaces);
        break;
    case UndoRestore::Vertices:
        state.vertices = std::move(entry.savedVertices);
        break;
    case UndoRestore::Faces:
        state.faces = std::move(entry.savedFaces);
        break;
    case UndoRestore::AxisLocks:
        state.axisXEnabled = entry.amount1 == 1.0;
        state.axisYEnabled = entry.amount2 == 1.0;
        state.axisZEnabled = entry.amount3 == 1.0;
        break;
    }
    state.changed(Change::Geometry | Change::Selection);
}

} // namespace editor
