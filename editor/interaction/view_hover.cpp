#include "editor/interaction/view_hover.h"

#include "editor/interaction/editor_state.h"
#include "editor/interaction/tips.h"
#include "editor/interaction/viewport_mouse.h"

namespace editor {

void hoverView(EditorState& state, View view, double x, double y) {
    const auto readOut = viewMouseMove(state, view, x, y);
    if (!readOut)
        return;
    state.txtXText = readOut->txtX;
    state.txtYText = readOut->txtY;
    state.txtZText = readOut->txtZ;
    showTip(state, readOut->tip);
}

} // namespace editor
