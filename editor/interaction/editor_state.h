#pragma once

#include "editor/editing/editing_state.h"
#include "editor/interaction/game_data_fields.h"
#include "editor/interaction/window_state.h"
#include "editor/preview/preview_state.h"
#include "editor/views/view_state.h"

namespace editor {

// The editor's whole state: everything the main window owns. The window holds exactly one for
// its life. The editing commands take its EditingState part, the view commands its ViewFields
// part, the 3D view its PreviewFields, the texture lookups its GameDataFields; the window's own
// handlers (mouse, tips, loading and closing) take all of it.
struct EditorState : EditingState, ViewFields, WindowFields, PreviewFields, GameDataFields {};

} // namespace editor
