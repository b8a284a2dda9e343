#include "editor/uv/uv_window.h"

#include "editor/uv/uv_background.h"
#include "editor/uv/uv_editing.h"
#include "editor/uv/uv_editor_state.h"
#include "editor/uv/uv_undo.h"
#include "editor/uv/uv_view.h"

#include <utility>

namespace editor {

void loadUVEditor(UvEditorState& uv) {
    uv.uvSelectionMode = "S";
    uv.uvTransformMode = "M";
    uv.xEnabled = true;
    uv.yEnabled = true;
    uv.uvZoom = 1.0;
    uv.windowOpen = true;
}

void closeUVEditor(UvEditorState& uv) {
    uv.windowOpen = false;
}

void getArray(UvEditorState& uv, std::vector<double> u, std::vector<double> v,
              std::vector<bool> deleted, std::vector<bool> selected,
              std::vector<std::array<int, 3>> faces) {
    uv.texU = std::move(u);
    uv.texV = std::move(v);
    uv.uvDeleted = std::move(deleted);
    uv.uvSelected = std::move(selected);
    uv.uvFaces = std::move(faces);
    uv.arraysLoaded = true;
    // The steps were taken on the coordinates of the previous hand-over.
    clearUVHistory(uv);
    drawUVView(uv);
}

void loadUVImage(UvEditorState& uv) {
    if (!uv.dialogs)
        return;
    const auto path = uv.dialogs->openFileDialog(uvImageFilter);
    if (!path)
        return;
    std::string error;
    if (!loadBackgroundFile(uv, *path, error)) {
        uv.dialogs->messageBox(error + ".\r\nChoose a BLP, TGA, PNG, JPEG, GIF or BMP image.",
                               "Load Image");
        return;
    }
    drawUVView(uv);
}

} // namespace editor
