#pragma once

#include "common/canvas.h"

#include <cstdint>

namespace editor {

// Zoom and pan of the three orthographic views, in twips (15 per pixel).
struct ViewFields {
    double zoomFront = 20.0;
    double zoomTop = 20.0;
    double zoomLeft = 20.0;
    std::int32_t panFrontX = 0;
    std::int32_t panFrontY = 0;
    std::int32_t panTopX = 0;
    std::int32_t panTopY = 0;
    std::int32_t panLeftX = 0;
    std::int32_t panLeftY = 0;
    bool showNormals = false;

    // The drawing surfaces of the three views, provided by the window (none in batch runs).
    common::Canvas* pbxFront = nullptr;
    common::Canvas* pbxTop = nullptr;
    common::Canvas* pbxLeft = nullptr;
    // Number of refreshViews calls that drew, for tests and the window's repaint scheduling.
    long redrawCount = 0;
};

} // namespace editor
