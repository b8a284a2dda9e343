#pragma once

#include <cstddef>
#include <string>

namespace editor {

struct UvEditorState;
struct UvModeButtons;

// The rotation's own value of pi.
inline constexpr double uvPi = 3.1415926;

// The colours of the mode and axis buttons: the current modes white, a disabled axis grey, the
// rest button face.
UvModeButtons uvModeButtons(const UvEditorState& uv);

// "Select", "Add", "Deselect" ("S", "A", "D"); "Move", "Rotate", "Scale" ("M", "R", "S"); the
// "X" and "Y" toggles ('x' or 'y'). None of them redraws.
void setUVSelectionMode(UvEditorState& uv, const std::string& mode);
void setUVTransformMode(UvEditorState& uv, const std::string& mode);
void toggleUVAxis(UvEditorState& uv, char axis);

// Mean texture coordinate of the selected vertices (deleted ones included); 0 when none is.
double meanSelU(const UvEditorState& uv);
double meanSelV(const UvEditorState& uv);

// True when the vertex (0-based) lies strictly inside the box between the press and release
// points; border points are outside.
bool insideBox(const UvEditorState& uv, std::size_t i);

// Box selection between the press and release points under the selection mode; the press and
// release fields are put in order first and stay so.
void uvBoxSelect(UvEditorState& uv);

// The transforms of the selected vertices. Move and Scale honour the axis flags; Rotate turns
// by the angle in radians (from +u toward +v) about the selection's mean.
void moveSelUV(UvEditorState& uv, double du, double dv, bool xFlag, bool yFlag);
void rotateSelUV(UvEditorState& uv, double angle);
void scaleSelUV(UvEditorState& uv, double factor, bool xFlag, bool yFlag);

// A drag with a button other than the left: the transform mode's command with the drag from
// the press to the release point (Rotate by 1.5 radians per unit dragged down, Scale by
// 1 + du + dv, or its reciprocal for a shrinking drag).
void uvDragTransform(UvEditorState& uv);

// The Edit menu: select every vertex, or invert every vertex's selection (deleted ones too),
// then redraw.
void selectAllUV(UvEditorState& uv);
void invertUVSelection(UvEditorState& uv);

} // namespace editor
