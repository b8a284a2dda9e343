#include "editor/editing/tool_modes.h"

#include "editor/editing/editing_state.h"
#include "editor/editing/undo_history.h"

namespace editor {

void recordAxisState(EditingState& state) {
    const auto flag = [](bool enabled) { return enabled ? 1.0 : 0.0; };
    const auto& newest = undoEntry(state, 1);
    if (newest.used && newest.kind == UndoKind::SetActiveAxes)
        return;
    takeUndoSnapshot(state, UndoKind::SetActiveAxes, flag(state.axisXEnabled),
                     flag(state.axisYEnabled), flag(state.axisZEnabled));
}

void setSelectionMode(EditingState& state, const std::string& mode) {
    state.selectionMode = mode;
}

void setTransformMode(EditingState& state, const std::string& mode) {
    state.transformMode = mode;
}

void toggleCloneMode(EditingState& state) {
    state.cloneMode = !state.cloneMode;
}

void toggleAxis(EditingState& state, char axis) {
    if (axis != 'x' && axis != 'y' && axis != 'z')
        return;
    recordAxisState(state);
    bool& enabled = axis == 'x'   ? state.axisXEnabled
                    : axis == 'y' ? state.axisYEnabled
                                  : state.axisZEnabled;
    enabled = !enabled;
}

} // namespace editor
