#pragma once

#include "common/canvas.h"
#include "editor/model/shared_types.h"

#include <cstdint>

namespace editor {

struct GeosetModel;
struct ViewFields;

namespace viewColours {
inline constexpr common::Colour background{255, 255, 255}; // system caption-text colour
inline constexpr common::Colour axisX{255, 0, 0};
inline constexpr common::Colour axisY{0, 0, 255};
inline constexpr common::Colour axisZ{0, 255, 0};
inline constexpr common::Colour edge{192, 192, 192}; // system active-border colour
inline constexpr common::Colour selectedVertex{255, 0, 0};
inline constexpr common::Colour vertex{0, 0, 0}; // system button-text colour
inline constexpr common::Colour normal{128, 128, 255};
inline constexpr common::Colour marker{0, 0, 255};
inline constexpr common::Colour label{64, 64, 64};
inline constexpr common::Colour selectionBox{255, 0, 0};
} // namespace viewColours

enum class View { Front, Top, Left };

// A view's size in twips when it has no drawing surface (batch runs, tests).
inline constexpr double standardViewWidth = 3135;
inline constexpr double standardViewHeight = 3015;

// A view's axes and parameters, read from the state: the model axes shown across and up
// ("x", "y" or "z"), its zoom and pan, and its drawing surface.
struct ViewGeometry {
    char hAxis;
    char vAxis;
    double zoom;
    std::int32_t panX;
    std::int32_t panY;
    common::Canvas* canvas;
};
ViewGeometry viewGeometry(const ViewFields& views, View view);

// Projection of model coordinates to view units (rounded half to even before the pan), and
// its inverse (not rounded). W and H are the view's current size.
double projectH(double coordinate, double zoom, std::int32_t panX, double width);
double projectV(double coordinate, double zoom, std::int32_t panY, double height);
double unprojectH(double viewX, double zoom, std::int32_t panX, double width);
double unprojectV(double viewY, double zoom, std::int32_t panY, double height);

// Redraws one view from scratch: axis cross, triangle edges, vertex squares, normals, markers.
void updateView(const GeosetModel& model, bool showNormals, common::Canvas& view, char hAxis,
                char vAxis, double zoom, std::int32_t panX, std::int32_t panY);

// The name of a view, "Front", "Top" or "Left", and the file's name of an editor axis: the file
// writes { X, Y, Z } as editor { z, x, y }.
const char* viewName(View view);
char fileAxisName(char editorAxis);

// Draws the view's name in its top-left corner and its two axes, in the file's names and the
// axis cross's colours, in its bottom-left corner.
void drawViewLabel(common::Canvas& canvas, View view, char hAxis, char vAxis);

// Redraws the three views (front, top, left) when a model is loaded.
void refreshViews(const GeosetModel& model, ViewFields& views);

// Redraws one view alone when a model is loaded (after a pan, or when the view was resized).
void redrawView(const GeosetModel& model, ViewFields& views, View view);

// The change that names one view.
Change viewChange(View view);

// Redraws what a command changed: all three views after a change of the model, its selection or
// its markers, otherwise each view whose zoom, pan or contents changed.
void redrawChanged(const GeosetModel& model, ViewFields& views, Changes changes);

} // namespace editor
