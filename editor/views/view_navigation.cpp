#include "editor/views/view_navigation.h"

#include "editor/model/geoset_model.h"
#include "editor/views/view_state.h"

#include <algorithm>

#include <cmath>
#include <cstdint>
#include <limits>

namespace editor {

namespace {

struct ViewFieldRefs {
    double& zoom;
    std::int32_t& panX;
    std::int32_t& panY;
};

ViewFieldRefs fieldsOf(ViewFields& state, View view) {
    switch (view) {
    case View::Front:
        return {state.zoomFront, state.panFrontX, state.panFrontY};
    case View::Top:
        return {state.zoomTop, state.panTopX, state.panTopY};
    case View::Left:
        break;
    }
    return {state.zoomLeft, state.panLeftX, state.panLeftY};
}

// Offsets are 32-bit; a result beyond that range stays at its end instead of wrapping around.
std::int32_t clampedOffset(double value) {
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value < low ? low : value > high ? high : value);
}

std::int32_t scaledOffset(std::int32_t offset, double factor) {
    return clampedOffset(std::nearbyint(offset * factor));
}

Changes scaleView(ViewFields& state, View view, double factor) {
    auto fields = fieldsOf(state, view);
    fields.zoom *= factor;
    fields.panX = scaledOffset(fields.panX, factor);
    fields.panY = scaledOffset(fields.panY, factor);
    return allViews;
}

} // namespace

Changes zoomIn(ViewFields& state, View view) {
    if (fieldsOf(state, view).zoom >= maximumZoomToZoomIn)
        return {};
    return scaleView(state, view, 1.25);
}

Changes zoomOut(ViewFields& state, View view) {
    if (fieldsOf(state, view).zoom <= minimumZoomToZoomOut)
        return {};
    return scaleView(state, view, 0.8);
}

Changes panView(ViewFields& state, View view, PanDirection direction) {
    auto fields = fieldsOf(state, view);
    switch (direction) {
    case PanDirection::Up:
        fields.panY = clampedOffset(static_cast<double>(fields.panY) + panStep);
        break;
    case PanDirection::Down:
        fields.panY = clampedOffset(static_cast<double>(fields.panY) - panStep);
        break;
    case PanDirection::Left:
        fields.panX = clampedOffset(static_cast<double>(fields.panX) + panStep);
        break;
    case PanDirection::Right:
        fields.panX = clampedOffset(static_cast<double>(fields.panX) - panStep);
        break;
    }
    return viewChange(view);
}

Changes fitView(const GeosetModel& model, ViewFields& state, View view, double width,
                double height) {
    const auto geometry = viewGeometry(state, view);
    const auto on = [](const auto& point, char axis) {
        return axis == 'x' ? point.x : axis == 'y' ? point.y : point.z;
    };
    double lowH = 0, highH = 0, lowV = 0, highV = 0;
    bool any = false;
    const auto include = [&](double h, double v) {
        if (!std::isfinite(h) || !std::isfinite(v))
            return;
        lowH = any ? std::min(lowH, h) : h;
        highH = any ? std::max(highH, h) : h;
        lowV = any ? std::min(lowV, v) : v;
        highV = any ? std::max(highV, v) : v;
        any = true;
    };
    for (const auto& vertex : model.vertices)
        if (!vertex.deleted)
            include(on(vertex, geometry.hAxis), on(vertex, geometry.vAxis));
    for (int k = 1; k <= markerSlots; ++k)
        if (model.markers[static_cast<std::size_t>(k)].used)
            include(on(model.markers[static_cast<std::size_t>(k)], geometry.hAxis),
                    on(model.markers[static_cast<std::size_t>(k)], geometry.vAxis));
    if (!any || width <= 0 || height <= 0)
        return {};
    auto fields = fieldsOf(state, view);
    const double usable = 1 - 2 * fitMargin;
    const double spanH = highH - lowH;
    const double spanV = highV - lowV;
    double zoom = fields.zoom;
    if (spanH > 0 && spanV > 0)
        zoom = std::min(width * usable / spanH, height * usable / spanV);
    else if (spanH > 0)
        zoom = width * usable / spanH;
    else if (spanV > 0)
        zoom = height * usable / spanV;
    fields.zoom = std::clamp(zoom, minimumZoomToZoomOut, maximumZoomToZoomIn * 1000);
    fields.panX = clampedOffset(std::nearbyint(-fields.zoom * (lowH + highH) / 2));
    fields.panY = clampedOffset(std::nearbyint(fields.zoom * (lowV + highV) / 2));
    return viewChange(view);
}

Changes fitAllViews(const GeosetModel& model, ViewFields& state) {
    Changes changes;
    for (auto view : {View::Front, View::Top, View::Left}) {
        const auto* canvas = viewGeometry(state, view).canvas;
        const double width = canvas ? canvas->width() : standardViewWidth;
        const double height = canvas ? canvas->height() : standardViewHeight;
        changes |= fitView(model, state, view, width, height);
    }
    return changes;
}

Changes zoomAbout(ViewFields& state, View view, double factor, double x, double y) {
    auto fields = fieldsOf(state, view);
    const double zoom = std::clamp(fields.zoom * factor, minimumZoomToZoomOut,
                                   std::max(fields.zoom, maximumZoomToZoomIn * 1000));
    if (zoom == fields.zoom || !std::isfinite(zoom))
        return {};
    const auto* canvas = viewGeometry(state, view).canvas;
    const double width = canvas ? canvas->width() : standardViewWidth;
    const double height = canvas ? canvas->height() : standardViewHeight;
    // The model point under the pointer, before and after: x = W/2 + zoom*h + panX.
    const double h = unprojectH(x, fields.zoom, fields.panX, width);
    const double v = unprojectV(y, fields.zoom, fields.panY, height);
    fields.zoom = zoom;
    fields.panX = clampedOffset(std::nearbyint(x - width / 2 - zoom * h));
    fields.panY = clampedOffset(std::nearbyint(y - height / 2 + zoom * v));
    return viewChange(view);
}

Changes panBy(ViewFields& state, View view, double dx, double dy) {
    auto fields = fieldsOf(state, view);
    fields.panX = clampedOffset(std::nearbyint(fields.panX + dx));
    fields.panY = clampedOffset(std::nearbyint(fields.panY + dy));
    return viewChange(view);
}

Changes toggleShowNormals(ViewFields& state) {
    state.showNormals = !state.showNormals;
    return allViews;
}

} // namespace editor
