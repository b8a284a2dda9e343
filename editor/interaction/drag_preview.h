#pragma once

#include "editor/model/shared_types.h"
#include "editor/views/viewports.h"

namespace editor {

struct EditorState;

// While a button is held over a view, shows what releasing it at (x, y) (twips) would do,
// recording nothing and changing nothing: the left button draws the selection box from the
// press point, any other button draws the views with the transform mode's command applied to a
// scratch copy of the geoset. Nothing while placing a marker or before a geoset was read.
void previewDrag(EditorState& state, View view, MouseButton button, double x, double y);

} // namespace editor
