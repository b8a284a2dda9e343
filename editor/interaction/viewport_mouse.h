#pragma once

#include "editor/model/shared_types.h"
#include "editor/views/viewports.h"

#include <optional>
#include <string>
#include <utility>

namespace editor {

struct EditorState;

// A view's current size in twips: its canvas's, or the standard 3135 by 3015 without one.
struct ViewSize {
    double width;
    double height;
};
ViewSize viewSize(const EditorState& state, View view);

// The coordinate read-out under the pointer, in the file's axis order (txtX shows editor z,
// txtY editor x, txtZ editor y; the axis across the view shows "0"), and the view's tip text.
struct CoordinateReadOut {
    std::string txtX;
    std::string txtY;
    std::string txtZ;
    std::string tip;
};

// The model coordinates under a view position (twips), across and up.
std::pair<double, double> unprojectPoint(const EditorState& state, View view, double x, double y);

// Tip text of a view: "Front viewport", "Top viewport" or "Left viewport".
std::string viewTipText(View view);

// The mouse events of a view, positions in twips. The views take no input until a geoset has
// been read: then these do nothing (and the move gives no read-out).
std::optional<CoordinateReadOut> viewMouseMove(const EditorState& state, View view, double x,
                                               double y);
void viewMouseDown(EditorState& state, View view, double x, double y);
// Stores the release point, then acts on the drag (releaseDrag).
void viewMouseUp(EditorState& state, View view, MouseButton button, double x, double y);

// What a release does with the stored press and release points: the left button places a
// pending marker or selects by box; any other button applies the transform mode.
void releaseDrag(EditorState& state, View view, MouseButton button);

// The transform mode's command with the view's amounts: dH across and dV up, in model units.
// Move and Extrude get them on the view's two axes, Scale gets (dH, dV), Rotate gets dV about
// the axis perpendicular to the view.
void applyDragTransform(EditorState& state, View view);

// Box selection between the press and release points on the two named coordinates, under the
// selection mode; the corners are put in order first. Border vertices are outside. Records
// "Selection". Nothing while box selection is not yet armed.
void boxSelect(EditorState& state, char hAxis, char vAxis);

// Puts a marker at the release point (depth 0) in the next marker slot and ends graphical
// marker placement. Records no undo step.
void placeMarker(EditorState& state, char hAxis, char vAxis);

} // namespace editor
