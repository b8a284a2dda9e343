#pragma once

#include "editor/editing/undo_history.h"
#include "editor/interaction/tool_state.h"
#include "editor/interaction/window_state.h"
#include "editor/model/geoset_model.h"
#include "editor/views/view_state.h"

namespace editor {

// The editor's whole state: everything the main window owns. The window holds exactly one for
// its life; every command is a function taking it. Each base holds the fields of one topic.
struct EditorState : GeosetModel, ViewFields, ToolFields, WindowFields, UndoFields {};

} // namespace editor
