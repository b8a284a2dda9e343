#pragma once

namespace editor {

struct EditingState;

// The value of pi the rotation uses (this constant, not the full-precision value).
inline constexpr double rotationPi = 3.14159265358;

// The three right-drag transformations of the selected vertices (deleted ones included). With
// record they record their undo step first ("Move", "Rotate " + axis, "Scale", or "Clone" while
// the clone toggle is on); while the toggle is on they clone the selection first and transform
// the copies. Each ends with the toggle off, the tool buttons updated and the views redrawn.
// When the clone would not fit in the geoset they show one "Error" message and change nothing.

// A transformation whose result would not be a finite number shows one "Error" message and
// changes nothing.

// True when moving the selection keeps every number finite; otherwise shows that message.
bool moveKeepsNumbersFinite(EditingState& state, double dx, double dy, double dz);

// Adds dx, dy, dz to the coordinates of the enabled axes.
void moveSelection(EditingState& state, double dx, double dy, double dz, bool record);

// Scales about the selection's centre on the enabled axes by 1 + sqrt(|(a, b)| / 4) / 12,
// or its inverse when a < b. Normals stay.
void scaleSelection(EditingState& state, double a, double b, bool record);

// Turns positions and normals by amount / 2 degrees about the line through the selection's
// centre parallel to the axis ('x', 'y' or 'z'), counterclockwise for a positive amount. The
// axis locks do not apply.
void rotateSelection(EditingState& state, double amount, char axis, bool record);

// Appends copies of the selected vertices and of the faces whose three corners are selected,
// re-pointed to the copies, then selects the copies only. The caller has checked the room.
void cloneSelection(EditingState& state);

// True when cloning the current selection fits in the geoset; otherwise shows the "Error"
// message and returns false.
bool cloneHasRoom(EditingState& state);

} // namespace editor
