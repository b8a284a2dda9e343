#pragma once

#include "editor/views/viewports.h"

namespace editor {

struct EditorState;

// View units (twips) per screen pixel: the views work in twips and convert at output.
inline constexpr int twipsPerPixel = 15;

// The zoom limit of the "+" buttons: a view at or above it zooms in no further.
inline constexpr double maximumZoomToZoomIn = 200.0;
// The lower guard of the "-" buttons, so repeated zooming out never reaches zero.
inline constexpr double minimumZoomToZoomOut = 0.001;
// The step of the arrow buttons, in view units.
inline constexpr int panStep = 300;

enum class PanDirection { Up, Down, Left, Right };

// "+" of a view: below the limit, zoom and both pan offsets times 1.25 (offsets rounded half to
// even), then all views are redrawn; at or above it nothing happens.
void zoomIn(EditorState& state, View view);

// "-" of a view: zoom and both pan offsets times 0.8 (offsets rounded half to even), then all
// views are redrawn; at or below the lower guard nothing happens.
void zoomOut(EditorState& state, View view);

// An arrow button: Up and Left add 300 to the vertical or horizontal offset, Down and Right
// subtract it; the view alone is redrawn when a model is loaded.
void panView(EditorState& state, View view, PanDirection direction);

// Redraws one view alone when a model is loaded (after a pan, or when the view was resized).
void redrawView(EditorState& state, View view);

// View > Show Normals: toggles the normals, the menu check mark, and redraws.
void toggleShowNormals(EditorState& state);

} // namespace editor
