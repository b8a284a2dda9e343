#pragma once

namespace editor {

struct EditingState;

// Edit > Undo: reverses the newest step of the history and moves it to the redo list. The
// step's saved records (selection or deleted flags, the selected vertices' positions and
// normals, whole arrays, axis flags) are exchanged with the current ones, so the model comes
// back bit for bit and the step then holds what Redo re-applies.
void undoLast(EditingState& state);

// Edit > Redo: re-applies the newest undone step the same way and puts it back on the history.
// Nothing happens when no step was undone since the last new step.
void redoLast(EditingState& state);

} // namespace editor
