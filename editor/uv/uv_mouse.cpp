#include "editor/uv/uv_mouse.h"

#include "common/number_text.h"
#include "editor/uv/uv_editing.h"
#include "editor/uv/uv_editor_state.h"
#include "editor/uv/uv_view.h"

#include <cmath>

namespace editor {

void uvMouseDown(UvEditorState& uv, double x, double y) {
    uv.downU = viewXToU(uv, std::nearbyint(x));
    uv.downV = viewYToV(uv, std::nearbyint(y));
}

void uvMouseMove(UvEditorState& uv, double x, double y) {
    uv.txtUVX = common::formatNumber(common::roundHalfEven(viewXToU(uv, std::nearbyint(x)), 6));
    uv.txtUVY = common::formatNumber(common::roundHalfEven(viewYToV(uv, std::nearbyint(y)), 6));
}

void uvMouseUp(UvEditorState& uv, MouseButton button, double x, double y) {
    uv.upU = viewXToU(uv, std::nearbyint(x));
    uv.upV = viewYToV(uv, std::nearbyint(y));
    if (button == MouseButton::Left)
        uvBoxSelect(uv);
    else
        uvDragTransform(uv);
    drawUVView(uv);
}

} // namespace editor
