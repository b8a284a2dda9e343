#include "editor/interaction/tips.h"

#include "editor/interaction/editor_state.h"

#include <array>
#include <utility>

namespace editor {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 17> controlTips{{
    {"cmdSelect", "Left click and drag to set your selection to the contents of the drawn box."},
    {"cmdAdd", "Left click and drag to add the contents of the drawn box to your selection."},
    {"cmdDeselect",
     "Left click and drag to remove the contents of the drawn box to your selection."},
    {"cmdMove", "Right click and drag to move your selection the same way as your mouse moves."},
    {"cmdRotate",
     "Right click and drag up to rotate the selection one way and down to rotate the other."},
    {"cmdScale", "Right click and drag right/down to increase size and up/left to decrease size."},
    {"cmdExtrude",
     "Right click and drag to extend selected faces in the direction of the mouse movement."},
    {"cmdSnap", "Brings all selected vertices together into one point."},
    {"cmdDelete", "Deletes the selection."},
    {"cmdClone", "Activates clone mode, where a duplicate is left behind after a transformation."},
    {"cmdActivateX", "Toggles movement, rotation, and scaling to be allowed along the X axis."},
    {"cmdActivateY", "Toggles movement, rotation, and scaling to be allowed along the Y axis."},
    {"cmdActivateZ", "Toggles movement, rotation, and scaling to be allowed along the Z axis."},
    {"txtX", "Shows the X coordinate the mouse is hovering over in a viewport."},
    {"txtY", "Shows the Y coordinate the mouse is hovering over in a viewport."},
    {"txtZ", "Shows the Z coordinate the mouse is hovering over in a viewport."},
    {"frmMoldrin", ""},
}};

} // namespace

void showTip(EditorState& state, const std::string& text) {
    if (state.tipsEnabled)
        state.txtTipsText = text;
}

std::optional<std::string> controlTip(std::string_view control) {
    for (const auto& [name, tip] : controlTips)
        if (name == control)
            return std::string(tip);
    return std::nullopt;
}

void showControlTip(EditorState& state, std::string_view control) {
    if (const auto tip = controlTip(control))
        showTip(state, *tip);
}

void toggleTips(EditorState& state) {
    state.tipsEnabled = !state.tipsEnabled;
    state.txtTipsVisible = state.tipsEnabled;
}

} // namespace editor
