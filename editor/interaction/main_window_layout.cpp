#include "editor/interaction/main_window_layout.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace editor {

namespace {

constexpr double half = 0.5;

constexpr std::array<ControlPlacement, 46> layout{{
    {"pbxFront", {120, 120, 3135, 3015}, 0, 0, half, half},
    {"pbxTop", {4440, 120, 3135, 3015}, half, 0, half, half},
    {"pbxLeft", {120, 3480, 3135, 3015}, 0, half, half, half},
    // The 3D view fills the lower-right quarter up to the tool column, as wide as the top view
    // and its buttons.
    {"pbxPreview", {4440, 3480, 3975, 3015}, half, half, half, half},
    {"cmdZoomInFront", {3360, 120, 255, 255}, half, 0},
    {"cmdZoomOutFront", {3360, 480, 255, 255}, half, 0},
    {"cmdPanUF", {3540, 960, 375, 195}, half, 0},
    {"cmdPanLF", {3360, 1155, 195, 375}, half, 0},
    {"cmdPanRF", {3900, 1155, 195, 375}, half, 0},
    {"cmdPanDF", {3540, 1515, 375, 195}, half, 0},
    {"cmdZoomInTop", {7680, 120, 255, 255}, 1, 0},
    {"cmdZoomOutTop", {7680, 480, 255, 255}, 1, 0},
    {"cmdPanUT", {7860, 960, 375, 195}, 1, 0},
    {"cmdPanLT", {7680, 1155, 195, 375}, 1, 0},
    {"cmdPanRT", {8220, 1155, 195, 375}, 1, 0},
    {"cmdPanDT", {7860, 1515, 375, 195}, 1, 0},
    {"cmdZoomInLeft", {3360, 3480, 255, 255}, half, half},
    {"cmdZoomOutLeft", {3360, 3840, 255, 255}, half, half},
    {"cmdPanUL", {3540, 4440, 375, 195}, half, half},
    {"cmdPanLL", {3360, 4635, 195, 375}, half, half},
    {"cmdPanRL", {3900, 4635, 195, 375}, half, half},
    {"cmdPanDL", {3540, 4995, 375, 195}, half, half},
    {"cmdSelect", {8640, 0, 1095, 375}, 1, 0},
    {"cmdAdd", {8640, 480, 1095, 375}, 1, 0},
    {"cmdDeselect", {8640, 960, 1095, 375}, 1, 0},
    {"cmdMove", {8640, 1560, 1095, 375}, 1, 0},
    {"cmdRotate", {8640, 2040, 1095, 375}, 1, 0},
    {"cmdScale", {8640, 2520, 1095, 375}, 1, 0},
    {"cmdExtrude", {8640, 3000, 1095, 375}, 1, 0},
    {"cmdSnap", {8640, 3600, 1095, 375}, 1, 0},
    {"cmdDelete", {8640, 4080, 1095, 375}, 1, 0},
    {"cmdClone", {8640, 4560, 1095, 375}, 1, 0},
    {"cmdActivateX", {8640, 5160, 375, 375}, 1, 0},
    {"cmdActivateY", {9000, 5160, 375, 375}, 1, 0},
    {"cmdActivateZ", {9360, 5160, 375, 375}, 1, 0},
    // The read-outs are wide enough for the longest coordinate a view can show (16 characters).
    {"txtX", {120, 6720, 1800, 285}, 0, 1},
    {"txtY", {2040, 6720, 1800, 285}, 0, 1},
    {"txtZ", {3960, 6720, 1800, 285}, 0, 1},
    {"txtTips", {5880, 6720, 3855, 285}, 0, 1, 1, 0},
    // Separator lines, two pixels thick: between the view columns, between the view rows, above
    // the read-outs, beside the top view's buttons, and three across the tool column.
    {"Line1", {4200, 0, 30, 6600}, half, 0, 0, 1},
    {"Line2", {0, 3240, 8520, 30}, 0, half, 1, 0},
    {"Line3", {0, 6600, 4200, 30}, 0, 1, half, 0},
    {"Line4", {8520, 0, 30, 3240}, 1, 0, 0, half},
    {"Line5", {8640, 1440, 1080, 30}, 1, 0},
    {"Line6", {8640, 3480, 1080, 30}, 1, 0},
    {"Line7", {8640, 5040, 1080, 30}, 1, 0},
}};

} // namespace

std::span<const ControlPlacement> mainWindowLayout() {
    return layout;
}

TwipsRect placeControl(const ControlPlacement& placement, int clientWidth, int clientHeight) {
    const double extraWidth = std::max(0, clientWidth - clientWidthTwips);
    const double extraHeight = std::max(0, clientHeight - clientHeightTwips);
    const auto& rect = placement.rect;
    auto add = [](int base, double share, double extra) {
        return base + static_cast<int>(std::lround(share * extra));
    };
    return {add(rect.left, placement.moveX, extraWidth),
            add(rect.top, placement.moveY, extraHeight),
            add(rect.width, placement.growX, extraWidth),
            add(rect.height, placement.growY, extraHeight)};
}

} // namespace editor
