#pragma once

#include <string>

namespace editor {

// What a drag in a view does: selection mode for left drags, transform mode for right drags,
// the one-shot clone toggle, the axis locks, and graphical marker placement.
struct ToolFields {
    std::string selectionMode = "S"; // "S" select, "A" add, "D" deselect
    std::string transformMode = "M"; // "M" move, "R" rotate, "S" scale, "E" extrude
    bool cloneMode = false;
    bool axisXEnabled = true;
    bool axisYEnabled = true;
    bool axisZEnabled = true;
    // The next left click in a view places a marker instead of selecting.
    bool placingMarker = false;
};

} // namespace editor
