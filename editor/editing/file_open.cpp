#include "editor/editing/file_open.h"

#include "common/number_text.h"
#include "common/text_file.h"
#include "editor/editing/editing_state.h"
#include "editor/editing/model_text.h"
#include "editor/model/geoset_reader.h"

namespace editor {

namespace {

void showError(EditingState& state, const std::string& text) {
    if (state.dialogs)
        state.dialogs->messageBox(text, "Error");
}

// Models the game loads may have vertices in groups past the geoset's matrix groups; they are
// read and kept, and the user is told once.
void warnOfVerticesOutsideGroups(EditingState& state, const std::string& path, int geosetNumber,
                                 const GeosetContent& geoset) {
    if (geoset.verticesOutsideGroups == 0 || !state.dialogs)
        return;
    state.dialogs->messageBox(
        "Geoset " + std::to_string(geosetNumber) + " of " + path + " has " +
            std::to_string(geoset.verticesOutsideGroups) +
            " vertices whose vertex group lies past its " + std::to_string(geoset.groupCount) +
            " matrix groups. They are kept and saved as they are, and belong to no group.",
        "Warning");
}

} // namespace

int chooseGeoset(EditingState& state, const std::string& path) {
    auto model = readModelText(path);
    common::LineReader reader(common::LineReader::FromText{},
                              model && model->ok() ? std::move(model->text) : std::string());
    const int geosets = countGeosets(reader);
    if (geosets <= 1 || !state.dialogs)
        return 1;
    const std::string prompt = "Geoset to import(1 - " + std::to_string(geosets) + "):";
    for (;;) {
        const auto answer = state.dialogs->inputBox(prompt, "Geoset to open", "1");
        const auto value = common::parseNumber(answer);
        if (!value || *value < 1 || *value > geosets)
            continue;
        const auto rounded = common::parseInteger32(answer);
        if (rounded && *rounded >= 1 && *rounded <= geosets)
            return *rounded;
    }
}

bool readGeosetFile(EditingState& state, const std::string& path,
                    std::vector<VertexRecord>& vertices, std::vector<FaceRecord>& faces,
                    MatrixTable& matrices, int geosetNumber, bool storeGroupCount,
                    VertexExtras* extras) {
    auto model = readModelText(path);
    if (!model) {
        showError(state, "Cannot read " + path + ".");
        return false;
    }
    common::LineReader reader(common::LineReader::FromText{}, std::move(model->text));
    auto result = readGeoset(reader, geosetNumber);
    if (!model->ok()) {
        // Text that does not even split into tokens: what the reader makes of it as it is
        // names the faulty line best, when it finds one.
        showError(state, result.ok()
                             ? modelTextError(path, *model)
                             : "Cannot read " + path + ", line " +
                                   std::to_string(result.errorLine) + ": " + result.error + ".");
        return false;
    }
    if (!result.ok()) {
        showError(state, "Cannot read " + path + ", line " +
                             std::to_string(model->fileLine(result.errorLine)) + ": " +
                             result.error + ".");
        return false;
    }
    auto& geoset = *result.geoset;
    warnOfVerticesOutsideGroups(state, path, geosetNumber, geoset);
    if (storeGroupCount)
        state.extras = geoset.extras;
    if (extras)
        *extras = geoset.extras;
    vertices = std::move(geoset.vertices);
    faces = std::move(geoset.faces);
    if (geoset.groupsRead) {
        matrices = std::move(geoset.matrices);
        if (storeGroupCount)
            state.groupCount = geoset.groupCount;
    }
    state.modelControlsEnabled = true;
    state.modelLoaded = true;
    return true;
}

void openModel(EditingState& state, std::vector<VertexRecord>& vertices,
               std::vector<FaceRecord>& faces, MatrixTable& matrices, bool isMainModel,
               bool storeGroupCount, VertexExtras* extras) {
    const std::string previousModelPath = state.modelPath;
    state.changed(Change::Opened);
    state.snapEnabled = true;

    if (!state.dialogs)
        return;
    const auto chosen = state.dialogs->openFileDialog(mdlFileFilter);
    if (!chosen)
        return;
    if (!common::canOpenForReading(*chosen)) {
        if (!chosen->empty())
            state.dialogs->messageBox("Bad file name", "Error");
        // The previous model stays the one being edited.
        state.modelPath = previousModelPath;
        return;
    }
    state.modelPath = *chosen;

    const std::string previousTempPath = state.tempPath;
    const std::string previousSavePath = state.savePath;
    const int answer = chooseGeoset(state, state.modelPath);
    state.savePath = state.modelPath;

    // Read into copies first: the working copy is made only from a model that could be read,
    // so a failed open never replaces the working copy the arrays in memory belong to.
    auto newVertices = vertices;
    auto newFaces = faces;
    auto newMatrices = matrices;
    const int previousGroupCount = state.groupCount;
    const auto previousExtras = state.extras;
    const bool previousLoaded = state.modelLoaded;
    bool opened = readGeosetFile(state, state.modelPath, newVertices, newFaces, newMatrices, answer,
                                 storeGroupCount, extras);
    std::string newTempPath;
    if (opened && isMainModel) {
        newTempPath = workingCopyPath(state.modelPath);
        if (!writeWorkingCopy(state.modelPath, newTempPath)) {
            state.dialogs->messageBox("Cannot write the working copy " + newTempPath + ".",
                                      "Error");
            state.groupCount = previousGroupCount;
            state.extras = previousExtras;
            state.modelLoaded = previousLoaded;
            opened = false;
        }
    }

    if (opened) {
        vertices = std::move(newVertices);
        faces = std::move(newFaces);
        matrices = std::move(newMatrices);
    }
    if (isMainModel && opened) {
        // The old working copy goes, unless it is the very file just opened.
        if (!previousTempPath.empty() && previousTempPath != newTempPath &&
            previousTempPath != state.modelPath)
            common::deleteFile(previousTempPath);
        state.tempPath = newTempPath;
        state.geosetNumber = answer;
        clearUndoHistory(state);
    } else if (isMainModel) {
        // Nothing was read: the previous model and its working copy stay in use.
        state.modelPath = previousModelPath;
        state.savePath = previousSavePath;
    } else {
        state.modelPath = previousModelPath;
        state.savePath = state.modelPath;
    }
    state.changed(Change::Geometry | Change::Selection);
}

} // namespace editor
