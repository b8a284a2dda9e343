#pragma once

namespace editor {

struct EditingState;

// One-shot commands on the selected vertices. Each records its undo step, changes the arrays in
// place and redraws. None of them shows a message; with no model loaded they do nothing.
//
// Snap, Weld, Mirror and Align need a pivot: the centre of the selected vertices that are not
// deleted. When every selected vertex is deleted there is none, and they record their step (as
// they would) but move nothing.

// Brings every selected vertex (deleted ones too) to the centre of the selection.
void snapCommand(EditingState& state);

// Welds the selected vertices into the lowest-numbered live one: it moves to the centre, the
// corners of the others are pointed at it and the others are deleted.
void weldCommand(EditingState& state);

// Marks every selected vertex deleted; they stay selected so the step can be undone.
void deleteCommand(EditingState& state);

// Marks deleted every face whose three corners are selected.
void deleteFaceCommand(EditingState& state);

// Mirrors the selection on one axis ('x', 'y' or 'z') about its centre; normals on that axis
// change sign.
void mirrorCommand(EditingState& state, char axis);

// Flattens the selection onto the plane through its centre across one axis.
void alignCommand(EditingState& state, char axis);

// Asks for X, Y and Z until each answer is a number and puts every selected vertex there.
void setCoordinatesCommand(EditingState& state);

} // namespace editor
