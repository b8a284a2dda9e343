#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace editor {

struct EditorState;

// The tip display: while tips are enabled the tip box shows text; otherwise nothing happens.
void showTip(EditorState& state, const std::string& text);

// The tip of a control by its name ("" for the bare window, "frmMoldrin"); nothing for
// controls without a tip (zoom and pan buttons, the tip box, the views, whose tips come with
// their mouse handling).
std::optional<std::string> controlTip(std::string_view control);

// The mouse moved over a control: shows its tip, if it has one.
void showControlTip(EditorState& state, std::string_view control);

// Help > Enable Tips: toggles the check mark and shows the tip box when checked, hides it
// (keeping its text) when not.
void toggleTips(EditorState& state);

} // namespace editor
