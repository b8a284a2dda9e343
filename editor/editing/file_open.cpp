#include "editor/editing/file_open.h"

#include "common/text_file.h"
#include "editor/editing/archived_model.h"
#include "editor/editing/editing_state.h"
#include "editor/editing/model_text.h"
#include "editor/editing/unsaved_changes.h"
#include "editor/editing/working_copy.h"
#include "editor/model/geoset_reader.h"
#include "editor/model/geoset_summary.h"
#include "editor/model/model_document.h"
#include "formats/mdx/format_error.h"
#include "formats/mdx/mdx_file.h"

#include <iterator>

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

// What the MDL text of a binary model cannot hold is gone from the working copy, and so from
// every save; the user is told once, when the model is read for editing.
void warnOfDroppedContent(EditingState& state, const std::string& path, const ModelText& model) {
    if (model.dropped.empty() || !state.dialogs)
        return;
    state.dialogs->messageBox(
        path + " holds what the editor's MDL text cannot: " + mdx::droppedList(model.dropped) +
            ". Saving the model leaves these out.",
        "Warning");
}

std::string fileName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The lines of a model in the tab layout, whatever its layout; empty when it cannot be read.
std::string normalisedText(const std::string& path) {
    auto model = readModelText(path);
    return model && model->ok() ? std::move(model->text) : std::string();
}

// The two ways out when a crashed run's edits may be older than the model file: none of them
// puts the edits over the model. Closing the question keeps them, as nothing is lost that way.
std::optional<std::string> offerOlderEdits(EditingState& state, const std::string& modelPath,
                                           const std::string& copyPath,
                                           const std::string& candidate, CopyOrigin origin) {
    const std::string found = "edits of " + fileName(modelPath) +
                              " from an earlier session that did not end, found in " + candidate;
    const std::string why =
        origin == CopyOrigin::ModelSavedSince
            ? "The model was saved after these changes were made, so they may be older than "
              "the file (" +
                  found + ")."
            : "It cannot be told whether the model was saved after these changes were made, so "
              "they may be older than the file (" +
                  found + ").";
    const int answer = state.dialogs->askChoice(
        why + "\nOpen the saved file, or keep the recovered changes under another name?",
        "Recover edits", {"Open Saved File", "Keep Under Another Name"}, 1);
    if (answer == 0)
        return modelPath;
    const auto text = common::readTextFile(candidate);
    const auto kept = text ? keepRecoveredText(*text, modelPath, copyPath) : std::nullopt;
    if (!kept) {
        // The copy is left as it is, so the edits can still be recovered by hand.
        showError(state, "Cannot write the recovered changes to a new file beside " + modelPath +
                             "; they stay in " + candidate + ", and the model was not opened.");
        return std::nullopt;
    }
    state.dialogs->messageBox("The recovered changes were kept in " + *kept + "; " +
                                  fileName(modelPath) + " is opened as it was saved.",
                              "Recover edits");
    return modelPath;
}

// A copy left by a run that crashed: its recovery file when the window wrote one, else the copy
// itself. Offered only when it differs from the model; the answer is the file to read, nothing
// when the model is not to be opened. Edits are offered for recovery only when the copy was
// made from the model file as it is now; otherwise they could be older than the model.
std::optional<std::string> offerRecovery(EditingState& state, const std::string& modelPath,
                                         const std::string& copyPath) {
    const std::string recovery = recoveryFilePath(copyPath);
    const std::string candidate = common::canOpenForReading(recovery) ? recovery : copyPath;
    const auto kept = common::readAllLines(candidate);
    if (!kept || *kept == common::linesOf(normalisedText(modelPath)) || !state.dialogs)
        return modelPath;
    const auto origin = workingCopyOrigin(copyPath, modelPath);
    if (origin != CopyOrigin::ThisModel)
        return offerOlderEdits(state, modelPath, copyPath, candidate, origin);
    const int answer = state.dialogs->askChoice(
        "Edits of " + fileName(modelPath) + " from an earlier session that did not end were " +
            "found in " + candidate + ".\nRecover them, or discard them and open the saved file?",
        "Recover edits", {"Recover", "Discard"}, 0);
    // Closing the question keeps the edits: discarding is for the user to choose.
    return answer == 1 ? modelPath : candidate;
}

// The whole model for the geoset picker: a binary model's, or MDL text read once into read
// (nothing when the reader refuses it, and then the picker lists numbers alone).
const mdx::Model* pickerModel(const std::optional<ModelText>& model,
                              std::optional<mdx::Model>& read) {
    if (!model || !model->ok())
        return nullptr;
    if (model->binaryModel)
        return &*model->binaryModel;
    if (countGeosets(model->text) > 1) {
        try {
            read = mdx::readMdl(model->text);
        } catch (const mdx::FormatError&) {
        }
    }
    return read ? &*read : nullptr;
}

struct Destination {
    std::vector<VertexRecord>& vertices;
    std::vector<FaceRecord>& faces;
    MatrixTable& matrices;
    bool isMainModel;
    bool storeGroupCount;
    VertexExtras* extras;
};

bool openChosenFile(EditingState& state, const std::string& path, std::optional<int> geoset,
                    Destination into) {
    if (!common::canOpenForReading(path)) {
        if (!path.empty())
            showError(state, "Bad file name");
        return false;
    }
    std::optional<ClaimedWorkingCopy> claim;
    std::string source = path;
    if (into.isMainModel) {
        if (isHeldWorkingCopy(path)) {
            showError(state, path + " is the working copy of a model open in another editor.");
            return false;
        }
        if (state.workingCopy.lock && state.workingCopy.modelPath == path)
            claim = ClaimedWorkingCopy{state.tempPath, state.workingCopy.lock, false};
        else
            claim = claimWorkingCopy(path);
        if (!claim) {
            showError(state, "Cannot write a working copy of " + path + ".");
            return false;
        }
        if (claim->staleCopyFound) {
            const auto chosen = offerRecovery(state, path, claim->path);
            if (!chosen)
                return false;
            source = *chosen;
        }
    }

    // Read once: counting, choosing and reading the geoset and the working copy all use it.
    auto model = readModelText(source);
    // The model the picker reads of MDL text, kept as the document's.
    std::optional<mdx::Model> read;
    const std::string_view text = model && model->ok() ? model->text : std::string_view();
    int number = 1;
    if (geoset) {
        const int count = countGeosets(text);
        // A file with one geoset (or none the count sees) has only that one to edit.
        if (count > 1 && (*geoset < 1 || *geoset > count)) {
            showError(state, fileName(path) + " has " + std::to_string(count) +
                                 (count == 1 ? " geoset" : " geosets") + "; there is no geoset " +
                                 std::to_string(*geoset) + ".");
            return false;
        }
        number = count > 1 ? *geoset : 1;
    } else if (const auto chosen = chooseGeosetInText(state, text, pickerModel(model, read))) {
        number = *chosen;
    } else {
        return false;
    }

    // Read into copies first: the working copy is made only from a model that could be read,
    // so a failed open never replaces the working copy the arrays in memory belong to.
    auto newVertices = into.vertices;
    auto newFaces = into.faces;
    auto newMatrices = into.matrices;
    const int previousGroupCount = state.groupCount;
    const auto previousExtras = state.extras;
    const bool previousLoaded = state.modelLoaded;
    auto previousValuesAsRead = state.valuesAsRead;
    // The working copy holds the model in the tab layout the commands read. It is written while
    // the geoset is read, and put in place only when that succeeded.
    const bool copyNeeded = into.isMainModel && claim->path != source;
    std::optional<common::TextWriteInBackground> copyWrite;
    if (copyNeeded && model && model->ok())
        copyWrite.emplace(model->text, source, claim->path, common::Durability::Scratch);
    if (!readGeosetOf(state, source, model, newVertices, newFaces, newMatrices, number,
                      into.storeGroupCount, into.extras))
        return false;
    if (copyNeeded && !(copyWrite && copyWrite->commit())) {
        showError(state, "Cannot write the working copy " + claim->path + ".");
        state.groupCount = previousGroupCount;
        state.extras = previousExtras;
        state.modelLoaded = previousLoaded;
        state.valuesAsRead = std::move(previousValuesAsRead);
        return false;
    }
    into.vertices = std::move(newVertices);
    into.faces = std::move(newFaces);
    into.matrices = std::move(newMatrices);
    if (!into.isMainModel)
        return true;

    // The previous working copy goes, unless it is the one kept or the very file just opened.
    if (!state.tempPath.empty() && state.tempPath != claim->path && state.tempPath != path)
        releaseWorkingCopy(state);
    keepArchiveOriginFor(state, path);
    // The copy now holds the model, or edits found to be made on it: either way it was made
    // from the model file as it is.
    recordWorkingCopyOrigin(claim->path, path);
    state.tempPath = claim->path;
    state.workingCopy = {path, claim->lock};
    state.modelPath = state.savePath = path;
    state.modelFormat = modelFileFormat(path);
    state.document = documentOf(std::move(*model), std::move(read));
    state.geosetNumber = number;
    state.unsavedChanges = source != path;
    clearUndoHistory(state);
    state.changed(Change::GeosetRead);
    return true;
}

} // namespace

SharedDocument documentOf(ModelText model, std::optional<mdx::Model> read) {
    if (model.binaryModel)
        read = std::move(model.binaryModel);
    auto document = read ? std::make_shared<ModelDocument>(std::move(model.text), std::move(*read))
                         : std::make_shared<ModelDocument>(std::move(model.text));
    document->sourceLines = std::move(model.sourceLines);
    document->faceProblems = std::move(model.faceProblems);
    return document;
}

ModelText textOf(const ModelDocument& document) {
    ModelText model;
    model.text = document.text();
    model.rewritten = !document.sourceLines.empty();
    model.sourceLines = document.sourceLines;
    model.faceProblems = document.faceProblems;
    return model;
}

std::string modelSaveFilter(mdx::FileFormat first) {
    const std::string mdl = "Warcraft III MDL|*.mdl";
    const std::string mdx = "Warcraft III MDX|*.mdx";
    return first == mdx::FileFormat::Mdx ? mdx + "|" + mdl : mdl + "|" + mdx;
}

namespace {
constexpr std::uint32_t saveAsVersions[] = {800, 1000, 1100};
} // namespace

std::string modelSaveAsFilter(mdx::FileFormat first) {
    std::string filter = modelSaveFilter(first);
    for (const char* form : {"MDX|*.mdx", "MDL|*.mdl"})
        for (const auto version : saveAsVersions) {
            const std::string entry = form;
            const auto bar = entry.find('|');
            filter += "|Warcraft III " + entry.substr(0, bar) + ", FormatVersion " +
                      std::to_string(version) + entry.substr(bar);
        }
    return filter;
}

std::optional<std::uint32_t> saveAsEntryVersion(std::size_t entry) {
    if (entry < 2 || entry >= 2 + 2 * std::size(saveAsVersions))
        return std::nullopt;
    return saveAsVersions[(entry - 2) % std::size(saveAsVersions)];
}

std::optional<int> chooseGeoset(EditingState& state, const std::string& path) {
    const auto model = readModelText(path);
    return chooseGeosetInText(state, model && model->ok() ? model->text : std::string_view());
}

std::optional<int> chooseGeosetInText(EditingState& state, std::string_view text,
                                      const mdx::Model* model) {
    const int geosets = countGeosets(text);
    if (geosets <= 1 || !state.dialogs)
        return 1;
    // Text the model reader refuses still lists its geosets, by number alone.
    std::vector<GeosetSummary> summaries;
    if (model) {
        summaries = summarizeGeosets(*model);
    } else {
        try {
            summaries = summarizeGeosets(mdx::readMdl(text));
        } catch (const mdx::FormatError&) {
        }
    }
    summaries.resize(static_cast<std::size_t>(geosets));
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < summaries.size(); ++i)
        entries.push_back(geosetSummaryText(static_cast<int>(i) + 1, summaries[i]));
    const std::string prompt = "Geoset to import(1 - " + std::to_string(geosets) + "):";
    const auto picked = state.dialogs->pickFromList(prompt, "Geoset to open", entries);
    if (!picked)
        return std::nullopt;
    return *picked + 1;
}

bool readGeosetFile(EditingState& state, const std::string& path,
                    std::vector<VertexRecord>& vertices, std::vector<FaceRecord>& faces,
                    MatrixTable& matrices, int geosetNumber, bool storeGroupCount,
                    VertexExtras* extras) {
    return readGeosetOf(state, path, readModelText(path), vertices, faces, matrices, geosetNumber,
                        storeGroupCount, extras);
}

bool readGeosetOf(EditingState& state, const std::string& path,
                  const std::optional<ModelText>& model, std::vector<VertexRecord>& vertices,
                  std::vector<FaceRecord>& faces, MatrixTable& matrices, int geosetNumber,
                  bool storeGroupCount, VertexExtras* extras) {
    if (!model) {
        showError(state, "Cannot read " + path + ".");
        return false;
    }
    if ((model->binary || model->notAModel) && !model->ok()) {
        showError(state, modelTextError(path, *model));
        return false;
    }
    for (const auto& problem : model->faceProblems)
        if (problem.geoset + 1 == static_cast<std::size_t>(geosetNumber)) {
            showError(state, "Cannot read " + path + ": " + problem.text + ".");
            return false;
        }
    common::LineReader reader(common::LineReader::OfText{}, model->text);
    auto result = readGeoset(reader, geosetNumber);
    if (result.noGeoset) {
        showError(state, path + " has no geoset, so there is nothing in it to edit. It was not " +
                             "opened.");
        return false;
    }
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
    if (storeGroupCount)
        warnOfDroppedContent(state, path, *model);
    warnOfVerticesOutsideGroups(state, path, geosetNumber, geoset);
    if (storeGroupCount)
        state.extras = geoset.extras;
    if (extras)
        *extras = geoset.extras;
    vertices = std::move(geoset.vertices);
    faces = std::move(geoset.faces);
    if (storeGroupCount) {
        state.valuesAsRead.resize(vertices.size());
        for (std::size_t i = 0; i < vertices.size(); ++i)
            state.valuesAsRead[i] = valuesOf(vertices[i]);
    }
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
    state.changed(Change::Opened);
    state.snapEnabled = true;
    if (!state.dialogs)
        return;
    const auto chosen = state.dialogs->openFileDialog(modelOpenFilter);
    if (!chosen)
        return;
    openChosenFile(state, *chosen, std::nullopt,
                   {vertices, faces, matrices, isMainModel, storeGroupCount, extras});
    state.changed(Change::Geometry | Change::Selection);
}

bool openModelFile(EditingState& state, const std::string& path, std::optional<int> geoset) {
    state.changed(Change::Opened | Change::Geometry | Change::Selection);
    state.snapEnabled = true;
    return openChosenFile(state, path, geoset,
                          {state.vertices, state.faces, state.matrices, true, true, nullptr});
}

void openCommand(EditingState& state) {
    if (!settleUnsavedChanges(state))
        return;
    openModel(state, state.vertices, state.faces, state.matrices, true, true);
}

} // namespace editor
