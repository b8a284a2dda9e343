#pragma once

#include <string>

namespace editor {

struct EditorState;

// Brings the tool buttons' colours and the axis menu check marks in line with the modes.
void updateToolButtons(EditorState& state);

// Records a "Set Active Axes" step holding the axis flags as they are now (1.0 enabled, 0.0
// disabled), unless the newest step already is one: a run of axis toggles undoes as one step.
void recordAxisState(EditorState& state);

// The tool buttons and their menu items. Each changes one field and updates the buttons; they
// work with or without a model.
void setSelectionMode(EditorState& state, const std::string& mode); // "S", "A" or "D"
void setTransformMode(EditorState& state, const std::string& mode); // "M", "R", "S" or "E"
void toggleCloneMode(EditorState& state);
// Toggles the lock of one axis ('x', 'y' or 'z'), recording the axes as they were first.
void toggleAxis(EditorState& state, char axis);

} // namespace editor
