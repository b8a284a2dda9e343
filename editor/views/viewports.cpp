#include "editor/views/viewports.h"

#include "editor/model/geoset_model.h"
#include "editor/views/view_state.h"

#include <cmath>
#include <string>
#include <vector>

namespace editor {

namespace {

double coordinate(const VertexRecord& vertex, char axis) {
    return axis == 'x' ? vertex.x : axis == 'y' ? vertex.y : vertex.z;
}

double normalComponent(const VertexRecord& vertex, char axis) {
    return axis == 'x' ? vertex.normalX : axis == 'y' ? vertex.normalY : vertex.normalZ;
}

double markerCoordinate(const MarkerRecord& marker, char axis) {
    return axis == 'x' ? marker.x : axis == 'y' ? marker.y : marker.z;
}

common::Colour axisColour(char axis) {
    return axis == 'x' ? viewColours::axisX : axis == 'y' ? viewColours::axisY : viewColours::axisZ;
}

bool vertexDeleted(const GeosetModel& state, int corner) {
    if (corner < 0 || static_cast<std::size_t>(corner) >= state.vertices.size())
        return true; // a corner that names no vertex cannot be drawn
    return state.vertices[static_cast<std::size_t>(corner)].deleted;
}

} // namespace

ViewGeometry viewGeometry(const ViewFields& state, View view) {
    switch (view) {
    case View::Front:
        return {'x', 'y', state.zoomFront, state.panFrontX, state.panFrontY, state.pbxFront};
    case View::Top:
        return {'x', 'z', state.zoomTop, state.panTopX, state.panTopY, state.pbxTop};
    case View::Left:
        break;
    }
    return {'z', 'y', state.zoomLeft, state.panLeftX, state.panLeftY, state.pbxLeft};
}

double projectH(double coordinate, double zoom, std::int32_t panX, double width) {
    return std::nearbyint(width / 2 + zoom * coordinate) + panX;
}

double projectV(double coordinate, double zoom, std::int32_t panY, double height) {
    return std::nearbyint(height / 2 - zoom * coordinate) + panY;
}

double unprojectH(double viewX, double zoom, std::int32_t panX, double width) {
    return (viewX - panX - width / 2) / zoom;
}

double unprojectV(double viewY, double zoom, std::int32_t panY, double height) {
    return (height / 2 + panY - viewY) / zoom;
}

void updateView(const GeosetModel& state, bool showNormals, common::Canvas& view, char hAxis,
                char vAxis, double zoom, std::int32_t panX, std::int32_t panY) {
    const double width = view.width();
    const double height = view.height();
    auto pointH = [&](double c) { return projectH(c, zoom, panX, width); };
    auto pointV = [&](double c) { return projectV(c, zoom, panY, height); };

    view.clear();

    const double ox = width / 2 + panX;
    const double oy = height / 2 + panY;
    view.line(ox, oy, ox, oy - 10 * zoom, axisColour(vAxis));
    view.line(ox, oy, ox + 10 * zoom, oy, axisColour(hAxis));

    // Every vertex projected once; the faces' edges name them. Kept between redraws, as the
    // views redraw many times a second while a drag goes on.
    thread_local std::vector<common::CanvasPoint> points;
    thread_local std::vector<common::CanvasEdge> edges;
    points.resize(state.vertices.size());
    for (std::size_t i = 0; i < state.vertices.size(); ++i)
        points[i] = {pointH(coordinate(state.vertices[i], hAxis)),
                     pointV(coordinate(state.vertices[i], vAxis))};
    edges.clear();
    for (const auto& face : state.faces) {
        if (face.deleted || vertexDeleted(state, face.a) || vertexDeleted(state, face.b) ||
            vertexDeleted(state, face.c))
            continue;
        edges.push_back({face.a, face.b});
        edges.push_back({face.b, face.c});
        edges.push_back({face.c, face.a});
    }
    view.edges(points, edges, viewColours::edge);

    for (std::size_t i = 0; i < state.vertices.size(); ++i) {
        const auto& vertex = state.vertices[i];
        if (vertex.deleted)
            continue;
        const double px = points[i].x;
        const double py = points[i].y;
        view.rectangle(px - 10, py - 10, px + 10, py + 10,
                       vertex.selected ? viewColours::selectedVertex : viewColours::vertex);
        if (showNormals)
            view.line(px, py, px + 150 * normalComponent(vertex, hAxis),
                      py - 150 * normalComponent(vertex, vAxis), viewColours::normal);
    }

    for (int k = 1; k <= markerSlots; ++k) {
        const auto& marker = state.markers[static_cast<std::size_t>(k)];
        if (!marker.used)
            continue;
        const double px = pointH(markerCoordinate(marker, hAxis));
        const double py = pointV(markerCoordinate(marker, vAxis));
        view.line(px - 60, py, px + 60, py, viewColours::marker);
        view.line(px, py - 60, px, py + 60, viewColours::marker);
        view.circle(px, py, 60, viewColours::marker);
    }
    view.finish();
}

const char* viewName(View view) {
    return view == View::Front ? "Front" : view == View::Top ? "Top" : "Left";
}

char fileAxisName(char editorAxis) {
    return editorAxis == 'x' ? 'Y' : editorAxis == 'y' ? 'Z' : 'X';
}

void drawViewLabel(common::Canvas& canvas, View view, char hAxis, char vAxis) {
    canvas.text(90, 60, viewName(view), viewColours::label);
    const double ox = 240, oy = canvas.height() - 210, arm = 420;
    canvas.line(ox, oy, ox + arm, oy, axisColour(hAxis));
    canvas.line(ox, oy, ox, oy - arm, axisColour(vAxis));
    canvas.text(ox + arm + 45, oy - 105, std::string(1, fileAxisName(hAxis)), axisColour(hAxis));
    canvas.text(ox - 45, oy - arm - 225, std::string(1, fileAxisName(vAxis)), axisColour(vAxis));
    canvas.finish();
}

void refreshViews(const GeosetModel& model, ViewFields& views) {
    if (!model.modelLoaded)
        return;
    ++views.redrawCount;
    for (auto view : {View::Front, View::Top, View::Left})
        redrawView(model, views, view);
}

void redrawView(const GeosetModel& model, ViewFields& views, View view) {
    if (!model.modelLoaded)
        return;
    const auto geometry = viewGeometry(views, view);
    if (!geometry.canvas)
        return;
    updateView(model, views.showNormals, *geometry.canvas, geometry.hAxis, geometry.vAxis,
               geometry.zoom, geometry.panX, geometry.panY);
    drawViewLabel(*geometry.canvas, view, geometry.hAxis, geometry.vAxis);
}

Change viewChange(View view) {
    return view == View::Front ? Change::FrontView
           : view == View::Top ? Change::TopView
                               : Change::LeftView;
}

void redrawChanged(const GeosetModel& model, ViewFields& views, Changes changes) {
    const bool everyView = changes.has(Change::Geometry) || changes.has(Change::Selection) ||
                           changes.has(Change::Markers) ||
                           (changes.has(Change::FrontView) && changes.has(Change::TopView) &&
                            changes.has(Change::LeftView));
    if (everyView) {
        refreshViews(model, views);
        return;
    }
    for (auto view : {View::Front, View::Top, View::Left})
        if (changes.has(viewChange(view)))
            redrawView(model, views, view);
}

} // namespace editor
