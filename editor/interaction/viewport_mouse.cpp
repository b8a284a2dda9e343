#include "editor/interaction/viewport_mouse.h"

#include "common/number_text.h"
#include "editor/editing/extrude.h"
#include "editor/editing/transforms.h"
#include "editor/editing/undo_history.h"
#include "editor/interaction/editor_state.h"
#include "editor/model/marker_slots.h"

#include <utility>

namespace editor {

namespace {

inline constexpr ViewSize standardViewSize{3135, 3015};

double coordinate(const VertexRecord& vertex, char axis) {
    return axis == 'x' ? vertex.x : axis == 'y' ? vertex.y : vertex.z;
}

double& markerCoordinate(MarkerRecord& marker, char axis) {
    return axis == 'x' ? marker.x : axis == 'y' ? marker.y : marker.z;
}

std::string readOutText(double value) {
    return common::formatNumber(common::roundHalfEven(value, 3));
}

} // namespace

ViewSize viewSize(const EditorState& state, View view) {
    const auto* canvas = viewGeometry(state, view).canvas;
    if (!canvas)
        return standardViewSize;
    return {canvas->width(), canvas->height()};
}

std::pair<double, double> unprojectPoint(const EditorState& state, View view, double x, double y) {
    const auto geometry = viewGeometry(state, view);
    const auto size = viewSize(state, view);
    return {unprojectH(x, geometry.zoom, geometry.panX, size.width),
            unprojectV(y, geometry.zoom, geometry.panY, size.height)};
}

std::string viewTipText(View view) {
    switch (view) {
    case View::Front:
        return "Front viewport";
    case View::Top:
        return "Top viewport";
    case View::Left:
        break;
    }
    return "Left viewport";
}

std::optional<CoordinateReadOut> viewMouseMove(const EditorState& state, View view, double x,
                                               double y) {
    if (!state.modelControlsEnabled)
        return std::nullopt;
    const auto [h, v] = unprojectPoint(state, view, x, y);
    const std::string across = readOutText(h);
    const std::string up = readOutText(v);
    switch (view) {
    case View::Front:
        return CoordinateReadOut{"0", across, up, viewTipText(view)};
    case View::Top:
        return CoordinateReadOut{up, across, "0", viewTipText(view)};
    case View::Left:
        break;
    }
    return CoordinateReadOut{across, "0", up, viewTipText(view)};
}

void viewMouseDown(EditorState& state, View view, double x, double y) {
    if (!state.modelControlsEnabled)
        return;
    std::tie(state.dragStartH, state.dragStartV) = unprojectPoint(state, view, x, y);
    state.dragInProgress = true;
}

void viewMouseUp(EditorState& state, View view, MouseButton button, double x, double y) {
    if (!state.modelControlsEnabled)
        return;
    std::tie(state.dragEndH, state.dragEndV) = unprojectPoint(state, view, x, y);
    state.dragInProgress = false;
    // The preview goes whatever the release does (a disarmed box selection changes nothing).
    if (state.dragPreviewShown)
        state.changed(allViews);
    state.dragPreviewShown = false;
    releaseDrag(state, view, button);
}

void releaseDrag(EditorState& state, View view, MouseButton button) {
    if (button != MouseButton::Left) {
        applyDragTransform(state, view);
        return;
    }
    const auto geometry = viewGeometry(state, view);
    if (state.placingMarker)
        placeMarker(state, geometry.hAxis, geometry.vAxis);
    else
        boxSelect(state, geometry.hAxis, geometry.vAxis);
}

void applyDragTransform(EditorState& state, View view) {
    const double dH = state.dragEndH - state.dragStartH;
    const double dV = state.dragEndV - state.dragStartV;
    // The drag on editor x, y, z for Move and Extrude, and the axis Rotate turns about.
    double dx = 0, dy = 0, dz = 0;
    char rotationAxis = 'z';
    switch (view) {
    case View::Front:
        dx = dH, dy = dV;
        rotationAxis = 'z';
        break;
    case View::Top:
        dx = dH, dz = dV;
        rotationAxis = 'y';
        break;
    case View::Left:
        dz = dH, dy = dV;
        rotationAxis = 'x';
        break;
    }
    const auto& mode = state.transformMode;
    if (mode == "M")
        moveSelection(state, dx, dy, dz, true);
    else if (mode == "S")
        scaleSelection(state, dH, dV, true);
    else if (mode == "R")
        rotateSelection(state, dV, rotationAxis, true);
    else if (mode == "E")
        extrudeSelection(state, dx, dy, dz, true);
}

void boxSelect(EditorState& state, char hAxis, char vAxis) {
    if (!state.mouseArmed)
        return;
    if (state.dragStartH > state.dragEndH)
        std::swap(state.dragStartH, state.dragEndH);
    if (state.dragStartV > state.dragEndV)
        std::swap(state.dragStartV, state.dragEndV);
    takeUndoSnapshot(state, UndoKind::Selection);
    const bool selecting = state.selectionMode == "S" || state.selectionMode == "A";
    for (auto& vertex : state.vertices) {
        if (state.selectionMode == "S")
            vertex.selected = false;
        const double h = coordinate(vertex, hAxis);
        const double v = coordinate(vertex, vAxis);
        if (state.dragStartH < h && h < state.dragEndH && state.dragStartV < v &&
            v < state.dragEndV)
            vertex.selected = selecting;
    }
    state.changed(Change::Selection);
}

void placeMarker(EditorState& state, char hAxis, char vAxis) {
    auto& marker = state.markers[static_cast<std::size_t>(nextMarkerSlot(state))];
    marker = MarkerRecord{0, 0, 0, true};
    markerCoordinate(marker, hAxis) = state.dragEndH;
    markerCoordinate(marker, vAxis) = state.dragEndV;
    state.placingMarker = false;
    state.changed(Change::Markers);
}

} // namespace editor
