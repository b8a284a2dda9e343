#pragma once

#include "editor/model/shared_types.h"
#include "editor/views/viewports.h"

namespace editor {

struct GeosetModel;
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

// The share of a view's width and height left free on each side by Fit.
inline constexpr double fitMargin = 0.08;

// View > Fit All (Home), also applied when a geoset is read: each view zooms and pans so that
// the geoset's vertices that are not deleted (and the markers) fill it with a margin, centred.
// A flat geoset keeps the zoom on its flat axis; no vertex leaves the views as they are.
Changes fitView(const GeosetModel& model, ViewFields& views, View view, double width,
                double height);
Changes fitAllViews(const GeosetModel& model, ViewFields& views);

// The mouse wheel: zooms the view by factor about the point (x, y) in view units, which stays
// over the same model point; the zoom keeps within the buttons' limits.
Changes zoomAbout(ViewFields& views, View view, double factor, double x, double y);

// A drag with Space held: moves the view's contents by (dx, dy) view units.
Changes panBy(ViewFields& views, View view, double dx, double dy);

} // namespace editor
