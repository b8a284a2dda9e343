#include "editor/model/geoset_management.h"

#include "common/text_file.h"
#include "editor/editing/geoset_capacity.h"
#include "editor/editing/undo_history.h"
#include "editor/model/editor_state.h"
#include "editor/model/geoset_reader.h"
#include "editor/model/model_writer.h"
#include "editor/views/viewports.h"

namespace editor {

std::vector<std::string> starterModelLines() {
    return {
        "Version {",
        "\tFormatVersion 800,",
        "}",
        "Model \"Moldrin\" {",
        "\tNumGeosets; 1,",
        "\tNumBones; 1,",
        "\tBlendTime; 150,",
        "\tMinimumExtent { -5, -5, 0 },",
        "\tMaximumExtent { 5, 5, 10 },",
        "\tBoundsRadius 8.66025,",
        "}",
        "Sequences 1 {",
        "\tAnim \"Stand\" {",
        "\t\tInterval { 0, 3333 },",
        "\t}",
        "}",
        "Textures 1 {",
        "\tBitmap {",
        "\t\tImage \"white.blp\",",
        "\t}",
        "}",
        "Materials 1 {",
        "\tMaterial {",
        "\t\tLayer {",
        "\t\t\tFilterMode None,",
        "\t\t\tstatic TextureID 0,",
        "\t\t}",
        "\t}",
        "}",
        "Geoset {",
        "\tVertices 8 {",
        "\t\t{ 5, 5, 10 },",
        "\t\t{ 5, -5, 10 },",
        "\t\t{ -5, -5, 10 },",
        "\t\t{ -5, 5, 10 },",
        "\t\t{ -5, -5, 0 },",
        "\t\t{ 5, -5, 0 },",
        "\t\t{ 5, 5, 0 },",
        "\t\t{ -5, 5, 0 },",
        "\t}",
        "",
        "",
        "",
        "",
        "",
        "",
    };
}

void newModelCommand(EditorState& state) {
    if (!state.dialogs)
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

void switchGeosetCommand(EditorState& state) {
    if (!state.modelLoaded)
        return;
    // Reading the model file again after a failed save would throw the edits away.
    if (!saveModel(state, false, false))
        return;
    if (!common::copyFileOver(state.modelPath, state.tempPath)) {
        if (state.dialogs)
            state.dialogs->messageBox("Cannot write the working copy " + state.tempPath + ".",
                                      "Error");
        return;
    }
    const int answer = chooseGeoset(state, state.modelPath);
    // The geoset number changes only with a geoset read, so a save never writes one geoset's
    // arrays into another.
    if (readGeoset(state, state.modelPath, state.vertices, state.faces, state.matrices, answer,
                   true)) {
        state.geosetNumber = answer;
        clearUndoHistory(state);
    }
    refreshViews(state);
}

void mergeGeosetCommand(EditorState& state) {
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
    takeUndoSnapshot(state, true, true, false, 0, 0, 0, "Merge");

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
    refreshViews(state);
}

} // namespace editor
