#include "editor/views/view_navigation.h"

#include "editor/views/view_state.h"

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

Changes toggleShowNormals(ViewFields& state) {
    state.showNormals = !state.showNormals;
    return allViews;
}

} // namespace editor
