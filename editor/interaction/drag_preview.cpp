#include "editor/interaction/drag_preview.h"

#include "editor/interaction/editor_state.h"
#include "editor/interaction/viewport_mouse.h"

namespace editor {

namespace {

void previewSelectionBox(EditorState& state, View view, double x, double y) {
    const auto geometry = viewGeometry(state, view);
    if (!geometry.canvas)
        return;
    const auto size = viewSize(state, view);
    const double startX = projectH(state.dragStartH, geometry.zoom, geometry.panX, size.width);
    const double startY = projectV(state.dragStartV, geometry.zoom, geometry.panY, size.height);
    redrawView(state, state, view);
    geometry.canvas->rectangle(startX, startY, x, y, viewColours::selectionBox);
    geometry.canvas->finish();
}

// The release's command runs on a copy that shares the views' surfaces but nothing else: no
// dialogs, no history the window sees, no change to the model.
void previewTransform(EditorState& state, View view, double x, double y) {
    EditorState scratch;
    static_cast<GeosetModel&>(scratch) = state;
    static_cast<ToolFields&>(scratch) = state;
    static_cast<ViewFields&>(scratch) = state;
    scratch.dragStartH = state.dragStartH;
    scratch.dragStartV = state.dragStartV;
    std::tie(scratch.dragEndH, scratch.dragEndV) = unprojectPoint(state, view, x, y);
    applyDragTransform(scratch, view);
    refreshViews(scratch, scratch);
}

} // namespace

void previewDrag(EditorState& state, View view, MouseButton button, double x, double y) {
    if (!state.modelControlsEnabled || !state.modelLoaded || !state.dragInProgress)
        return;
    if (button == MouseButton::Left) {
        if (state.placingMarker || !state.mouseArmed)
            return;
        previewSelectionBox(state, view, x, y);
    } else {
        previewTransform(state, view, x, y);
    }
    state.dragPreviewShown = true;
}

} // namespace editor
