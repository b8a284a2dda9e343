#pragma once

#include <string>

namespace editor {

// Background colours of the tool buttons, as the window shows them.
enum class ButtonColour { ButtonFace, White, LightRed, Grey };

// A mode button is white while its letter is the current mode, button face otherwise.
inline ButtonColour modeButtonColour(const std::string& mode, const char* letter) {
    return mode == letter ? ButtonColour::White : ButtonColour::ButtonFace;
}

// An axis button is button face while its axis is enabled, grey otherwise.
inline ButtonColour axisButtonColour(bool enabled) {
    return enabled ? ButtonColour::ButtonFace : ButtonColour::Grey;
}

struct ToolButtonState {
    ButtonColour cmdSelect = ButtonColour::ButtonFace;
    ButtonColour cmdAdd = ButtonColour::ButtonFace;
    ButtonColour cmdDeselect = ButtonColour::ButtonFace;
    ButtonColour cmdMove = ButtonColour::ButtonFace;
    ButtonColour cmdRotate = ButtonColour::ButtonFace;
    ButtonColour cmdScale = ButtonColour::ButtonFace;
    ButtonColour cmdExtrude = ButtonColour::ButtonFace;
    ButtonColour cmdClone = ButtonColour::ButtonFace;
    ButtonColour cmdActivateX = ButtonColour::ButtonFace;
    ButtonColour cmdActivateY = ButtonColour::ButtonFace;
    ButtonColour cmdActivateZ = ButtonColour::ButtonFace;
    bool mnuXEnabledChecked = true;
    bool mnuYEnabledChecked = true;
    bool mnuZEnabledChecked = true;
};

// What a drag in a view does: selection mode for left drags, transform mode for right drags,
// the one-shot clone toggle and the axis locks.
struct ToolFields {
    std::string selectionMode = "S"; // "S" select, "A" add, "D" deselect
    std::string transformMode = "M"; // "M" move, "R" rotate, "S" scale, "E" extrude
    bool cloneMode = false;
    bool axisXEnabled = true;
    bool axisYEnabled = true;
    bool axisZEnabled = true;
    ToolButtonState toolButtons;
};

} // namespace editor
