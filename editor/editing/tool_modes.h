#pragma once

#include <string>

namespace editor {

struct EditingState;

// Records a "Set Active Axes" step holding the axis flags as they are now (1.0 enabled, 0.0
// disabled), unless the newest step already is one: a run of axis toggles undoes as one step.
void recordAxisState(EditingState& state);

// The tool buttons and their menu items. Each changes one field; they work with or without a
// model.
void setSelectionMode(EditingState& state, const std::string& mode); // "S", "A" or "D"
void setTransformMode(EditingState& state, const std::string& mode); // "M", "R", "S" or "E"
void toggleCloneMode(EditingState& state);
// Toggles the lock of one axis ('x', 'y' or 'z'), recording the axes as they were first.
void toggleAxis(EditingState& state, char axis);

} // namespace editor
