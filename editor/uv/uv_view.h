#pragma once

#include "common/canvas.h"
#include "editor/views/view_navigation.h"

namespace editor {

struct UvEditorState;

namespace uvColours {
inline constexpr common::Colour background{255, 255, 255};
inline constexpr common::Colour edge{192, 192, 192}; // system active-border colour
inline constexpr common::Colour selectedVertex{255, 0, 0};
inline constexpr common::Colour vertex{0, 0, 0};
} // namespace uvColours

// "+" zooms in only below this zoom, "-" zooms out only above that one.
inline constexpr double uvZoomInBelow = 10.0;
inline constexpr double uvZoomOutAbove = 0.5;
// The step of the pan buttons, in pixels.
inline constexpr int uvPanStep = 20;
// Pan offsets are kept within this many pixels so that no amount of panning overflows them.
inline constexpr double uvPanLimit = 1.0e9;

// The drawing area's current size in pixels: its surface's, or the laid-out 401 x 377 without
// one; never less than one pixel, so the mappings never divide by zero.
struct UvViewSize {
    double width;
    double height;
};
UvViewSize uvViewSize(const UvEditorState& uv);

// False when a corner names no vertex, or a deleted one: its triangle is not drawn.
bool cornerDrawable(const UvEditorState& uv, int corner);

// Texture space to view pixels and back. At zoom 1 without pan the texture square 0..1 x 0..1
// fills the view, v = 0 at the top; zoom scales about the view's centre.
double uvToViewX(const UvEditorState& uv, double u);
double uvToViewY(const UvEditorState& uv, double v);
double viewXToU(const UvEditorState& uv, double x);
double viewYToV(const UvEditorState& uv, double y);

// The full redraw: background picture, the edges of every triangle none of whose corners is
// deleted, then a square on every vertex that is not deleted. Nothing before the hand-over.
void drawUVView(UvEditorState& uv);

// Paints the background picture stretched over the texture square; a failure is ignored.
void drawBackground(UvEditorState& uv);

// The pan buttons: Up and Left add 20 pixels to the offset, Down and Right subtract them.
void panUV(UvEditorState& uv, PanDirection direction);

// "+" and "-": zoom and both pan offsets times 1.25 or 0.8 (offsets rounded half to even),
// only while the zoom is below 10 or above 0.5.
void zoomUVIn(UvEditorState& uv);
void zoomUVOut(UvEditorState& uv);

} // namespace editor
