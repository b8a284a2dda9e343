#include "editor/editing/geoset_commands.h"

#include "common/text_file.h"
#include "editor/editing/editing_state.h"
#include "editor/editing/file_open.h"
#include "editor/editing/file_save.h"
#include "editor/editing/geoset_capacity.h"
#include "editor/editing/model_text.h"
#include "editor/editing/normals.h"
#include "editor/editing/undo_history.h"
#include "editor/editing/unsaved_changes.h"
#include "editor/editing/working_copy.h"
#include "editor/model/model_document.h"
#include "editor/model/starter_model.h"

#include <algorithm>
#include <cstdint>

namespace editor {

namespace {

// The position of the group's first bone id among all the geoset's bone ids, in file order:
// the bone index a skin weight names for it. 0 for a group the geoset does not have.
int firstBoneIndexOfGroup(const EditingState& state, int group) {
    if (group < 0 || group >= std::min(state.groupCount, state.matrices.columnCount()))
        return 0;
    int index = 0;
    for (int g = 1; g <= group; ++g)
        for (int slot = 1; slot <= matrixSlots && state.matrices.at(slot, g) != -1; ++slot)
            ++index;
    return index;
}

// A merged vertex gets what the edited geoset's Reforged blocks need and its own file did not
// give: a tangent across its normal, full weight on its group's first bone, and its first
// texture coordinates for the further sets.
void fillMissingExtras(const EditingState& state, const VertexExtras& merged,
                       VertexRecord& vertex) {
    if (state.extras.tangents && !merged.tangents) {
        vertex.tangent = {0, 0, 0, 1};
        fitTangentToNormal(vertex);
    }
    if (state.extras.skinWeights && !merged.skinWeights) {
        const int bone = firstBoneIndexOfGroup(state, vertex.vertexGroup);
        vertex.skinWeights = {
            static_cast<std::uint8_t>(bone > 255 ? 0 : bone), 0, 0, 0, 255, 0, 0, 0};
    }
    for (int set = merged.extraUvSets; set < state.extras.extraUvSets; ++set)
        vertex.extraUvs[static_cast<std::size_t>(set)] = {static_cast<float>(vertex.u),
                                                          static_cast<float>(vertex.v)};
}

} // namespace

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
    // The edits of the geoset left behind go into the document and the working copy, not into
    // the model file: they stay unsaved until Save writes them. Without edits the document is
    // the model as it was opened or saved.
    const bool edited = state.unsavedChanges;
    const SharedDocument document = edited ? commitToWorkingCopy(state) : heldDocument(state);
    if (!document) {
        if (!edited && state.dialogs)
            state.dialogs->messageBox("Cannot read the working copy " + state.tempPath + ".",
                                      "Error");
        return;
    }
    const auto model = std::optional<ModelText>(textOf(*document));
    const auto geoset = chooseGeosetInText(state, model->text, document->model());
    // The geoset number changes only with a geoset read, so a save never writes one geoset's
    // arrays into another.
    if (geoset && readGeosetOf(state, state.modelPath, model, state.vertices, state.faces,
                               state.matrices, *geoset, true)) {
        state.geosetNumber = *geoset;
        state.unsavedChanges = edited;
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
    VertexExtras mergedExtras;
    openModel(state, newVertices, newFaces, newMatrices, false, false, &mergedExtras);
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
        fillMissingExtras(state, mergedExtras, vertex);
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
