#pragma once

#include <span>
#include <string_view>

namespace editor {

// The main window's client area as laid out, in twips (655 by 469 pixels).
inline constexpr int clientWidthTwips = 9825;
inline constexpr int clientHeightTwips = 7035;

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipsRect&) const = default;
};

// Where a control sits in the layout, and how it follows a larger window: of the extra width
// (and height) it moves by the share moveX (moveY) and grows by the share growX (growY). The two
// view columns and the two view rows each take half of the extra space; what lies beyond them
// moves along.
struct ControlPlacement {
    std::string_view name;
    TwipsRect rect;
    double moveX = 0;
    double moveY = 0;
    double growX = 0;
    double growY = 0;
};

// Every control of the client area: the views, their zoom and pan buttons, the tool buttons,
// the read-outs, the tip box and the separator lines (Line1 to Line7).
std::span<const ControlPlacement> mainWindowLayout();

// A control's rectangle in a client area of the given size (never smaller than the layout).
TwipsRect placeControl(const ControlPlacement& placement, int clientWidth, int clientHeight);

} // namespace editor
