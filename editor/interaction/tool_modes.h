#pragma once

namespace editor {

struct EditorState;

// Brings the tool buttons' colours and the axis menu check marks in line with the modes.
void updateToolButtons(EditorState& state);

} // namespace editor
