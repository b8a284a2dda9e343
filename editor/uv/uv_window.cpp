#include "editor/uv/uv_window.h"

#include "editor/uv/uv_undo.h"

#include "editor/uv/uv_editing.h"
#include "editor/uv/uv_editor_state.h"
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
    // The picture holder is empty after the window was reopened; a picture that no longer
    // loads just leaves the background empty.
    if (uv.imageLoaded && uv.loadPicture)
        uv.loadPicture(uv.imagePath);
    drawUVView(uv);
}

void loadUVImage(UvEditorState& uv) {
    if (!uv.dialogs)
        return;
    const auto path = uv.dialogs->openFileDialog(uvImageFilter);
    if (!path)
        return;
    if (uv.loadPicture && !uv.loadPicture(*path)) {
        uv.dialogs->messageBox("\"" + *path +
                                   "\" is not a picture that can be loaded.\r\nChoose a JPEG, "
                                   "GIF or BMP image.",
                               "Load Image");
        return;
    }
    uv.imageLoaded = true;
    uv.imagePath = *path;
    drawUVView(uv);
}

} // namespace editor
