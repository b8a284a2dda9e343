#include "editor/interaction/tool_modes.h"

#include "editor/editing/undo_history.h"
#include "editor/model/editor_state.h"

namespace editor {

void updateToolButtons(EditorState& state) {
    auto& b = state.toolButtons;
    const auto modeColour = modeButtonColour;
    b.cmdSelect = modeColour(state.selectionMode, "S");
    b.cmdAdd = modeColour(state.selectionMode, "A");
    b.cmdDeselect = modeColour(state.selectionMode, "D");
    b.cmdMove = modeColour(state.transformMode, "M");
    b.cmdRotate = modeColour(state.transformMode, "R");
    b.cmdScale = modeColour(state.transformMode, "S");
    b.cmdExtrude = modeColour(state.transformMode, "E");
    b.cmdClone = state.cloneMode ? ButtonColour::LightRed : ButtonColour::ButtonFace;
    const auto axisColour = axisButtonColour;
    b.cmdActivateX = axisColour(state.axisXEnabled);
    b.cmdActivateY = axisColour(state.axisYEnabled);
    b.cmdActivateZ = axisColour(state.axisZEnabled);
    b.mnuXEnabledChecked = state.axisXEnabled;
    b.mnuYEnabledChecked = state.axisYEnabled;
    b.mnuZEnabledChecked = state.axisZEnabled;
}

void recordAxisState(EditorState& state) {
    const auto flag = [](bool enabled) { return enabled ? 1.0 : 0.0; };
    if (undoEntry(state, 1).name == "Set Active Axes")
        return;
    takeUndoSnapshot(state, false, false, false, flag(state.axisXEnabled), flag(state.axisYEnabled),
                     flag(state.axisZEnabled), "Set Active Axes");
}

void setSelectionMode(EditorState& state, const std::string& mode) {
    state.selectionMode = mode;
    updateToolButtons(state);
}

void setTransformMode(EditorState& state, const std::string& mode) {
    state.transformMode = mode;
    updateToolButtons(state);
}

void toggleCloneMode(EditorState& state) {
    state.cloneMode = !state.cloneMode;
    updateToolButtons(state);
}

void toggleAxis(EditorState& state, char axis) {
    if (axis != 'x' && axis != 'y' && axis != 'z')
        return;
    recordAxisState(state);
    bool& enabled = axis == 'x'   ? state.axisXEnabled
                    : axis == 'y' ? state.axisYEnabled
                                  : state.axisZEnabled;
    enabled = !enabled;
    updateToolButtons(state);
}

} // namespace editor
