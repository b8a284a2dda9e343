#include "editor/editing/whole_model_edit.h"

#include "common/text_file.h"
#include "editor/editing/editing_state.h"
#include "editor/editing/file_open.h"
#include "editor/editing/file_save.h"
#include "editor/editing/undo_history.h"
#include "editor/model/geoset_reader.h"
#include "editor/model/model_document.h"

#include <algorithm>

namespace editor {

namespace {

void showError(EditingState& state, const std::string& text) {
    if (state.dialogs)
        state.dialogs->messageBox(text, "Error");
}

// Reads the geoset to edit from the new document; a model left without geosets has none.
void checkOutAgain(EditingState& state, int geosetNumber) {
    const auto model = std::optional<ModelText>(textOf(*state.document));
    const int count = countGeosets(model->text);
    const int number = std::clamp(geosetNumber, 1, std::max(count, 1));
    if (count > 0 && readGeosetOf(state, state.modelPath, model, state.vertices, state.faces,
                                  state.matrices, number, true)) {
        state.geosetNumber = number;
        return;
    }
    state.modelLoaded = false;
    state.vertices.clear();
    state.faces.clear();
    state.valuesAsRead.clear();
    state.geosetNumber = 0;
}

} // namespace

void keepDocumentInWorkingCopy(EditingState& state) {
    if (state.document && !state.tempPath.empty())
        common::writeTextOver(state.document->text(), state.modelPath, state.tempPath,
                              common::Durability::Scratch);
}

bool editWholeModel(EditingState& state, UndoKind kind, const ModelEdit& edit) {
    if (!state.modelLoaded)
        return false;
    DocumentSnapshot before = snapshotOf(state);
    const SharedDocument committed =
        state.unsavedChanges ? commitToWorkingCopy(state) : heldDocument(state);
    if (!committed)
        return false;
    const mdx::Model* current = committed->model();
    if (!current) {
        showError(state, "Cannot read the model " + state.modelPath + ": " +
                             committed->modelError() + ".");
        return false;
    }
    mdx::Model model = *current;
    int geosetNumber = state.geosetNumber;
    const auto result = edit(model, geosetNumber);
    if (!result.error.empty()) {
        showError(state, result.error);
        return false;
    }
    if (!result.changed)
        return false;

    auto written = mdx::writeMdl(model);
    // The written text reads back as the model when nothing had to be left out of it.
    state.document = written.dropped.empty()
                         ? makeDocument(textAfterEdit(*committed, written.text), std::move(model))
                         : makeDocument(textAfterEdit(*committed, written.text));
    keepDocumentInWorkingCopy(state);
    checkOutAgain(state, geosetNumber);

    UndoEntry entry;
    entry.used = true;
    entry.kind = kind;
    entry.savedDocument = std::make_shared<DocumentSnapshot>(std::move(before));
    pushUndoStep(state, std::move(entry));
    state.unsavedChanges = true;
    state.changed(Change::Geometry | Change::Selection | Change::Structure | Change::Materials);
    return true;
}

} // namespace editor
