#pragma once

#include "editor/views/viewports.h"

namespace editor {

struct EditorState;

// The pointer moved over a view (position in twips): once a geoset has been read, the read-out
// boxes show the model coordinates under it and the tip box the view's tip.
void hoverView(EditorState& state, View view, double x, double y);

} // namespace editor
