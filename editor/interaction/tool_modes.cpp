#include "editor/interaction/tool_modes.h"

#include "editor/model/editor_state.h"

namespace editor {

void updateToolButtons(EditorState& state) {
    auto& b = state.toolButtons;
    auto modeColour = [](const std::string& mode, const char* letter) {
        return mode == letter ? ButtonColour::White : ButtonColour::ButtonFace;
    };
    b.cmdSelect = modeColour(state.selectionMode, "S");
    b.cmdAdd = modeColour(state.selectionMode, "A");
    b.cmdDeselect = modeColour(state.selectionMode, "D");
    b.cmdMove = modeColour(state.transformMode, "M");
    b.cmdRotate = modeColour(state.transformMode, "R");
    b.cmdScale = modeColour(state.transformMode, "S");
    b.cmdExtrude = modeColour(state.transformMode, "E");
    b.cmdClone = state.cloneMode ? ButtonColour::LightRed : ButtonColour::ButtonFace;
    auto axisColour = [](bool enabled) {
        return enabled ? ButtonColour::ButtonFace : ButtonColour::Grey;
    };
    b.cmdActivateX = axisColour(state.axisXEnabled);
    b.cmdActivateY = axisColour(state.axisYEnabled);
    b.cmdActivateZ = axisColour(state.axisZEnabled);
    b.mnuXEnabledChecked = state.axisXEnabled;
    b.mnuYEnabledChecked = state.axisYEnabled;
    b.mnuZEnabledChecked = state.axisZEnabled;
}

} // namespace editor
