#include "editor/editing/file_save.h"

#include "common/text_file.h"
#include "editor/editing/binary_model_file.h"
#include "editor/editing/editing_state.h"
#include "editor/editing/file_open.h"
#include "editor/editing/model_text.h"
#include "editor/editing/working_copy.h"
#include "editor/model/model_writer.h"

#include <optional>

namespace editor {

namespace {

void showError(EditingState& state, const std::string& text) {
    if (state.dialogs)
        state.dialogs->messageBox(text, "Error");
}

// Reads the whole model again after the geoset was removed from it. When nothing can be read
// from it any more, no model stays loaded: the arrays of the removed geoset must not be saved
// over another geoset.
void reopenAfterRemoval(EditingState& state) {
    clearUndoHistory(state);
    // The model must be read again whatever the answer: Cancel takes the first geoset.
    const int answer = chooseGeoset(state, state.modelPath).value_or(1);
    if (readGeosetFile(state, state.modelPath, state.vertices, state.faces, state.matrices, answer,
                       true)) {
        state.geosetNumber = answer;
    } else {
        state.modelLoaded = false;
        state.vertices.clear();
        state.faces.clear();
        state.geosetNumber = 0;
    }
    state.changed(Change::Geometry | Change::Selection);
}

// True when the working copy in use belongs to the model path (a copy set up without a lock
// belongs to the model its name is made from).
bool copyBelongsToModel(const EditingState& state) {
    if (state.tempPath.empty())
        return false;
    if (state.workingCopy.lock)
        return state.workingCopy.modelPath == state.modelPath;
    return state.tempPath == workingCopyPath(state.modelPath);
}

// Refreshes the working copy from the file just written. After Save As to another model a copy
// is claimed for it; the old copy goes only once the new one is in place, and never when it is
// the file just written.
bool refreshWorkingCopy(EditingState& state) {
    // The working copy of a binary model is its MDL text.
    const auto copyModel = [&](const std::string& copyPath) {
        return state.modelFormat == mdx::FileFormat::Mdx
                   ? writeWorkingCopy(state.modelPath, copyPath)
                   : common::copyFileOver(state.modelPath, copyPath);
    };
    if (copyBelongsToModel(state))
        return copyModel(state.tempPath);
    const auto claim = claimWorkingCopy(state.modelPath);
    if (!claim || !copyModel(claim->path))
        return false;
    if (!state.tempPath.empty() && state.tempPath != state.modelPath)
        releaseWorkingCopy(state);
    common::deleteFile(recoveryFilePath(claim->path));
    state.tempPath = claim->path;
    state.workingCopy = {state.modelPath, claim->lock};
    return true;
}

// The one-geoset model binds every vertex to its one bone, in the skin weights too; the arrays
// follow, so that saving
// it again does not write groups and bone ids it does not have.
void bindToTheOneBone(EditingState& state) {
    for (auto& vertex : state.vertices) {
        vertex.vertexGroup = 0;
        vertex.skinWeights = {0, 0, 0, 0, 255, 0, 0, 0};
    }
    state.matrices.clear();
    state.matrices.resize(1);
    state.matrices.at(1, 1) = 0;
    state.groupCount = 1;
}

// The writers below return why nothing was written, to follow "Cannot save PATH: "; empty when
// the file was written. A binary model is made from the MDL lines the text would get.
const char* const cannotWrite = "the file cannot be written";

std::string writeLines(const std::string& path, const std::vector<std::string>& lines,
                       mdx::FileFormat format) {
    if (format == mdx::FileFormat::Mdx) {
        TextCollector text;
        for (const auto& line : lines)
            text.writeLine(line);
        return writeBinaryModel(path, text.text);
    }
    common::AtomicFileWriter out(path);
    if (!out.isOpen())
        return cannotWrite;
    for (const auto& line : lines)
        out.writeLine(line);
    return out.commit() ? std::string() : cannotWrite;
}

std::string writeModelFile(const std::string& path, const std::vector<std::string>& lines,
                           const GeosetModel& model, bool geosetOnly, mdx::FileFormat format) {
    if (format == mdx::FileFormat::Mdx) {
        TextCollector text;
        writeModel(lines, model, geosetOnly, text);
        return writeBinaryModel(path, text.text);
    }
    common::AtomicFileWriter out(path);
    if (!out.isOpen())
        return cannotWrite;
    writeModel(lines, model, geosetOnly, out);
    return out.commit() ? std::string() : cannotWrite;
}

} // namespace

bool saveModel(EditingState& state, bool geosetOnly, bool askPath) {
    if (!state.modelLoaded)
        return false;
    const std::string previousModelPath = state.modelPath;
    const auto previousFormat = state.modelFormat;
    state.savePath = state.modelPath;
    // Save writes the format the model was opened in; Save As and Save geoset the one the
    // chosen name's extension says.
    auto format = state.modelFormat;
    if (askPath) {
        const auto chosen = state.dialogs
                                ? state.dialogs->saveFileDialog(modelSaveFilter(state.modelFormat))
                                : std::optional<std::string>();
        if (!chosen)
            return false;
        state.savePath = *chosen;
        format = mdx::formatNamedBy(state.savePath);
    }
    state.modelPath = state.savePath;

    // On failure the paths are those of before the save, and the files are as they were.
    const auto fail = [&](const std::string& text) {
        showError(state, text);
        state.modelPath = state.savePath = previousModelPath;
        state.modelFormat = previousFormat;
    };
    if (const auto vertex = firstVertexNotFinite(state)) {
        fail("Cannot save " + state.savePath + ": vertex " + std::to_string(*vertex) +
             " has a coordinate, normal or texture coordinate that is not a finite number.");
        return false;
    }
    const bool removing = savingRemovesGeoset(state);
    if (removing && state.dialogs)
        state.dialogs->messageBox("Removing geoset", "");

    const auto lines = common::readAllLines(state.tempPath);
    if (!lines) {
        fail("Cannot save " + state.savePath + ": the working copy " + state.tempPath +
             " cannot be read.");
        return false;
    }
    // The model file is written first and the working copy refreshed from it, so that a failure
    // leaves both as they were.
    const std::string problem =
        removing
            ? writeLines(state.modelPath, removeGeosetLines(*lines, state.geosetNumber), format)
            : writeModelFile(state.savePath, *lines, state, geosetOnly, format);
    if (!problem.empty()) {
        fail("Cannot save " + state.savePath + ": " + problem + ".");
        return false;
    }
    state.modelFormat = format;
    if (!refreshWorkingCopy(state)) {
        fail("Saved " + state.savePath + ", but its working copy cannot be written; editing " +
             "goes on with " + previousModelPath + ".");
        return false;
    }
    state.unsavedChanges = false;
    common::deleteFile(recoveryFilePath(state.tempPath));
    if (removing) {
        reopenAfterRemoval(state);
    } else if (geosetOnly) {
        state.geosetNumber = 1;
        bindToTheOneBone(state);
        clearUndoHistory(state);
        state.changed(Change::Geometry);
    }
    return true;
}

void saveCommand(EditingState& state) {
    saveModel(state, false, false);
}

void saveAsCommand(EditingState& state) {
    saveModel(state, false, true);
    // Runs also after a cancelled dialog: the working copy is then simply copied again.
    if (state.savePath.empty())
        return;
    state.modelPath = state.savePath;
    // On failure the previous working copy stays in use; a failed save has said why already.
    refreshWorkingCopy(state);
}

void saveGeosetCommand(EditingState& state) {
    saveModel(state, true, true);
}

bool removeGeoset(const std::string& path, int n) {
    const auto lines = common::readAllLines(path);
    return lines && writeLines(path, removeGeosetLines(*lines, n), mdx::FileFormat::Mdl).empty();
}

} // namespace editor
