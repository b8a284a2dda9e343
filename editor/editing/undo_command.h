#pragma once

namespace editor {

struct EditingState;

// Edit > Undo: reverses the newest step of the history by its kind and removes it. Arrays and
// selection flags come back from the step's copies; Move, Rotate and Scale run again with
// negated amounts on the current selection and locks; an axis step restores the three axis
// flags. A step whose reversing move would need a clone that does not fit stays in the history.
void undoLast(EditingState& state);

} // namespace editor
