#pragma once

#include "editor/model/shared_types.h"

namespace editor {

struct UvEditorState;

// The mouse events of the texture view, positions in pixels. Positions are rounded to whole
// pixels (halves to even) before they are converted to texture space.

// Any button: stores the press point.
void uvMouseDown(UvEditorState& uv, double x, double y);

// Shows the texture position under the pointer in the read-outs, to 6 decimals.
void uvMouseMove(UvEditorState& uv, double x, double y);

// Stores the release point; the left button selects by box, any other applies the transform
// mode; then redraws.
void uvMouseUp(UvEditorState& uv, MouseButton button, double x, double y);

} // namespace editor
