#pragma once

namespace editor {

struct EditorState;

// Edit > Undo: reverses the newest step of the history by its name and removes it. Arrays and
// selection flags come back from the step's copies; Move, Rotate and Scale run again with
// negated amounts on the current selection and locks; an axis step restores the three axis
// flags. Then the Undo menu item shows the next step and the views are redrawn. A step whose
// reversing move would need a clone that does not fit stays in the history.
void undoLast(EditorState& state);

} // namespace editor
