#include "editor/editing/geoset_commands.h"

#include "common/text_file.h"
#include "editor/editing/editing_state.h"
#include "editor/editing/file_open.h"
#include "editor/editing/file_save.h"
#include "editor/editing/geoset_capacity.h"
#include "editor/editing/undo_history.h"
#include "editor/editing/unsaved_changes.h"
#include "editor/model/starter_model.h"

namespace editor {

void newModelCommand(EditingState& state) {
    if (!state.dialogs || !settleUnsavedChanges(state))
        return;
    const auto chosen = state.dialogs->saveFileDialog(mdlFileFilter);
    if (!chosen)
        return;
    common::AtomicFileWriter out(*chosen);
    for (const auto& line : starterModelLines())
        out.writeLine(line);
    if (!out.commit()) {
        // The path of a file that was never written would make the next save go there.
        state.dialogs->messageBox("Cannot write " + *chosen + ".", "Error");
        return;
    }
    state.modelPath = *chosen;
}

void switchGeosetCommand(EditingState& state) {
    if (!state.modelLoaded)
        return;
    const auto answer = askAboutUnsavedChanges(state);
    if (answer == UnsavedAnswer::Cancel)
        return;
    // Reading the model file again after a failed save would throw the edits away. Without
    // unsaved changes the model is written all the same, as it always was.
    if (answer != UnsavedAnswer::Discard && !saveModel(state, false, false))
        return;
    if (!common::copyFileOver(state.modelPath, state.tempPath)) {
        if (state.dialogs)
            state.dialogs->messageBox("Cannot write the working copy " + state.tempPath + ".",
                                      "Error");
        return;
    }
    const auto geoset = chooseGeoset(state, state.modelPath);
    // The geoset number changes only with a geoset read, so a save never writes one geoset's
    // arrays into another.
    if (geoset && readGeosetFile(state, state.modelPath, state.vertices, state.faces,
                                 state.matrices, *geoset, true)) {
        state.geosetNumber = *geoset;
        state.unsavedChanges = false;
        clearUndoHistory(state);
        state.changed(Change::GeosetRead);
    }
    state.changed(Change::Geometry | Change::Selection);
}

void mergeGeosetCommand(EditingState& state) {
    if (!state.modelLoaded)
        return;
    std::vector<VertexRecord> newVertices;
    std::vector<FaceRecord> newFaces;
    MatrixTable newMatrices;
    openModel(state, newVertices, newFaces, newMatrices, false, false);
    // A cancelled dialog or a file that could not be read gives nothing to merge.
    if (newVertices.empty() && newFaces.empty())
        return;
    if (!geosetHasRoom(state, newVertices.size(), newFaces.size()))
        return;
    // Recorded once the geoset is read; the arrays it saves are the ones before the merge.
    takeUndoSnapshot(state, UndoKind::Merge);

    const int oldV = static_cast<int>(state.vertices.size());
    for (auto& vertex : state.vertices)
        vertex.selected = false;
    for (auto vertex : newVertices) {
        vertex.selected = true;
        state.vertices.push_back(vertex);
    }
    for (auto face : newFaces) {
        face.a += oldV;
        face.b += oldV;
        face.c += oldV;
        state.faces.push_back(face);
    }
    state.changed(Change::Geometry | Change::Selection);
}

} // namespace editor
