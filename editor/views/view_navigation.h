#pragma once

#include "editor/model/shared_types.h"
#include "editor/views/viewports.h"

namespace editor {

struct ViewFields;

// View units (twips) per screen pixel: the views work in twips and convert at output.
inline constexpr int twipsPerPixel = 15;

// The zoom limit of the "+" buttons: a view at or above it zooms in no further.
inline constexpr double maximumZoomToZoomIn = 200.0;
// The lower guard of the "-" buttons, so repeated zooming out never reaches zero.
inline constexpr double minimumZoomToZoomOut = 0.001;
// The step of the arrow buttons, in view units.
inline constexpr int panStep = 300;

// The view commands return what is to be redrawn.

// "+" of a view: below the limit, zoom and both pan offsets times 1.25 (offsets rounded half to
// even), and all views are to be redrawn; at or above it nothing happens.
Changes zoomIn(ViewFields& views, View view);

// "-" of a view: zoom and both pan offsets times 0.8 (offsets rounded half to even), and all
// views are to be redrawn; at or below the lower guard nothing happens.
Changes zoomOut(ViewFields& views, View view);

// An arrow button: Up and Left add 300 to the vertical or horizontal offset, Down and Right
// subtract it; the view alone is to be redrawn.
Changes panView(ViewFields& views, View view, PanDirection direction);

// View > Show Normals: toggles the normals; all views are to be redrawn.
Changes toggleShowNormals(ViewFields& views);

} // namespace editor
