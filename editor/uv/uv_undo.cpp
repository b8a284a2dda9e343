#include "editor/uv/uv_undo.h"

#include "editor/uv/uv_editor_state.h"
#include "editor/uv/uv_view.h"

#include <utility>

namespace editor {

namespace {

constexpr std::size_t uvHistorySize = 40;

// Moves the newest step of from to to, exchanging its coordinates with the current ones.
void exchange(UvEditorState& uv, std::vector<UvStep>& from, std::vector<UvStep>& to) {
    if (from.empty())
        return;
    UvStep step = std::move(from.back());
    from.pop_back();
    step.texU.swap(uv.texU);
    step.texV.swap(uv.texV);
    to.push_back(std::move(step));
    drawUVView(uv);
}

} // namespace

void recordUVStep(UvEditorState& uv, const std::string& caption) {
    uv.uvRedo.clear();
    uv.uvUndo.push_back({caption, uv.texU, uv.texV});
    if (uv.uvUndo.size() > uvHistorySize)
        uv.uvUndo.erase(uv.uvUndo.begin());
}

void undoUV(UvEditorState& uv) {
    exchange(uv, uv.uvUndo, uv.uvRedo);
}

void redoUV(UvEditorState& uv) {
    exchange(uv, uv.uvRedo, uv.uvUndo);
}

void clearUVHistory(UvEditorState& uv) {
    uv.uvUndo.clear();
    uv.uvRedo.clear();
}

std::string uvUndoCaption(const UvEditorState& uv) {
    return uv.uvUndo.empty() ? "Undo" : "Undo " + uv.uvUndo.back().caption;
}

std::string uvRedoCaption(const UvEditorState& uv) {
    return uv.uvRedo.empty() ? "Redo" : "Redo " + uv.uvRedo.back().caption;
}

} // namespace editor
