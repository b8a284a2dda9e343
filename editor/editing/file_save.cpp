#include "editor/editing/file_save.h"

#include "common/text_file.h"
#include "editor/editing/archived_model.h"
#include "editor/editing/binary_model_file.h"
#include "editor/editing/editing_state.h"
#include "editor/editing/file_open.h"
#include "editor/editing/format_version_command.h"
#include "editor/editing/model_text.h"
#include "editor/editing/whole_model_edit.h"
#include "editor/editing/working_copy.h"
#include "editor/model/model_document.h"
#include "editor/model/model_writer.h"

#include <future>
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
    const auto model = std::optional<ModelText>(textOf(*state.document));
    const int answer = chooseGeosetInText(state, model->text, state.document->model()).value_or(1);
    if (readGeosetOf(state, state.modelPath, model, state.vertices, state.faces, state.matrices,
                     answer, true)) {
        state.geosetNumber = answer;
    } else {
        state.modelLoaded = false;
        state.vertices.clear();
        state.faces.clear();
        state.geosetNumber = 0;
    }
    state.changed(Change::Geometry | Change::Selection | Change::Structure);
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

// Refreshes the working copy with the text just saved (for a binary model, the MDL text it was
// made from), or else from the file: the MDL text of a binary model, as opening it again would
// give it. After Save As to another model a copy is claimed for it; the old copy goes only once
// the new one is in place, and never when it is the file just written. The saved model is the
// lasting file, so the copy is not waited for on the disk. The copy's origin is recorded only
// once it is in place: until then the record still names the model before the save, so edits
// left by a run killed in between are never taken as made on the saved file.
bool refreshWorkingCopy(EditingState& state, const std::string* text = nullptr) {
    const auto copyModel = [&](const std::string& copyPath) {
        if (text)
            return common::writeTextOver(*text, state.modelPath, copyPath,
                                         common::Durability::Scratch);
        return state.modelFormat == mdx::FileFormat::Mdx
                   ? writeWorkingCopy(state.modelPath, copyPath)
                   : common::copyFileOver(state.modelPath, copyPath, common::Durability::Scratch);
    };
    if (copyBelongsToModel(state)) {
        if (!copyModel(state.tempPath))
            return false;
        recordWorkingCopyOrigin(state.tempPath, state.modelPath);
        return true;
    }
    const auto claim = claimWorkingCopy(state.modelPath);
    if (!claim || !copyModel(claim->path))
        return false;
    if (!state.tempPath.empty() && state.tempPath != state.modelPath)
        releaseWorkingCopy(state);
    recordWorkingCopyOrigin(claim->path, state.modelPath);
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

// The text of the model as saved: the working copy's lines with the edited geoset written from
// the arrays, or without that geoset when saving removes it.
std::string savedText(const EditingState& state, const std::string& copy, bool removing,
                      bool geosetOnly) {
    common::TextBuffer out;
    // About the copy's size: grown once rather than doubled several times.
    out.reserve(copy.size() + copy.size() / 4);
    if (removing) {
        for (const auto& line : removeGeosetLines(common::linesOf(copy), state.geosetNumber))
            out.writeLine(line);
    } else {
        writeModelFromText(copy, state, geosetOnly, out);
    }
    return std::move(out.text);
}

} // namespace

bool saveModel(EditingState& state, bool geosetOnly, bool askPath) {
    if (!state.modelLoaded)
        return false;
    const ArchiveNaming naming(state);
    const std::string previousModelPath = state.modelPath;
    const auto previousFormat = state.modelFormat;
    state.savePath = state.modelPath;
    // Save writes the format the model was opened in; Save As and Save geoset the one the
    // chosen name's extension says.
    auto format = state.modelFormat;
    if (askPath) {
        // Save As offers entries that name a version; Save geoset writes the one the geoset has.
        const std::string filter =
            geosetOnly ? modelSaveFilter(state.modelFormat) : modelSaveAsFilter(state.modelFormat);
        const auto chosen = state.dialogs ? state.dialogs->saveFileChoice(filter)
                                          : std::optional<common::Dialogs::SaveChoice>();
        if (!chosen)
            return false;
        // An entry naming another version converts the model first; declined or refused, nothing
        // is saved.
        const auto version = chosen->filterEntry && !geosetOnly
                                 ? saveAsEntryVersion(*chosen->filterEntry)
                                 : std::nullopt;
        const auto document = version ? heldDocument(state) : nullptr;
        if (version && document && document->model() && document->model()->version != *version &&
            !convertFormatVersionTo(state, *version))
            return false;
        state.savePath = chosen->path;
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
    if (const auto refusal = archivedSaveRefusal(state); !refusal.empty()) {
        fail(refusal);
        return false;
    }
    const bool removing = savingRemovesGeoset(state);
    if (removing && state.dialogs)
        state.dialogs->messageBox("Removing geoset", "");

    const SharedDocument document = heldDocument(state);
    if (!document) {
        fail("Cannot save " + state.savePath + ": the working copy " + state.tempPath +
             " cannot be read.");
        return false;
    }
    const std::string& copy = document->text();
    // The model file is written first and the working copy refreshed after it, so that a
    // failure leaves both as they were. The copy is the very text written, or for a binary
    // model the text it was made from, which reads as the same model.
    std::string problem;
    std::optional<mdx::Model> binary;
    // A binary model made from the arrays needs no text: it is made and written on a second
    // thread while the text is made. Both only read the state.
    std::future<void> binaryWritten;
    if (format == mdx::FileFormat::Mdx && !removing && !geosetOnly)
        binaryWritten = std::async(std::launch::async, [&] {
            binary = savedBinaryModel(document.get(), state);
            if (binary)
                problem = writeBinaryModel(state.savePath, *binary);
        });
    std::string text = savedText(state, copy, removing, geosetOnly);
    if (binaryWritten.valid())
        binaryWritten.get();
    if (format == mdx::FileFormat::Mdx) {
        if (!binary) {
            binary.emplace();
            problem = writeBinaryModel(state.savePath, text, &*binary);
        }
    } else {
        problem = common::replaceFileWith(state.savePath, text) ? std::string()
                                                                : "the file cannot be written";
    }
    if (!problem.empty()) {
        fail("Cannot save " + state.savePath + ": " + problem + ".");
        return false;
    }
    if (const auto failure = writeArchivedModelBack(state); !failure.empty()) {
        fail(failure);
        return false;
    }
    state.modelFormat = format;
    if (!refreshWorkingCopy(state, &text)) {
        fail("Saved " + state.savePath + ", but its working copy cannot be written; editing " +
             "goes on with " + previousModelPath + ".");
        return false;
    }
    state.unsavedChanges = false;
    keepArchiveOriginFor(state, state.modelPath);
    // A model already read goes on without reading the saved text again.
    if (!binary && !removing && !geosetOnly && document->modelKnown())
        binary = savedBinaryModel(document.get(), state);
    state.document =
        binary ? makeDocument(std::move(text), std::move(*binary)) : makeDocument(std::move(text));
    if (removing) {
        reopenAfterRemoval(state);
    } else if (geosetOnly) {
        state.geosetNumber = 1;
        bindToTheOneBone(state);
        clearUndoHistory(state);
        state.changed(Change::Geometry | Change::Structure);
    }
    return true;
}

SharedDocument commitToWorkingCopy(EditingState& state) {
    const SharedDocument document = heldDocument(state);
    if (!document) {
        showError(state, "Cannot keep the geoset's edits: the working copy " + state.tempPath +
                             " cannot be read.");
        return nullptr;
    }
    if (const auto vertex = firstVertexNotFinite(state)) {
        showError(state, "Cannot keep the geoset's edits: vertex " + std::to_string(*vertex) +
                             " has a coordinate, normal or texture coordinate that is not a "
                             "finite number.");
        return nullptr;
    }
    const bool removing = savingRemovesGeoset(state);
    std::string text = savedText(state, document->text(), removing, false);
    // The copy no longer holds what the model file holds; its origin record still names the
    // model file the edits were made on, which is what recovery must compare with.
    if (!common::writeTextOver(text, state.modelPath, state.tempPath,
                               common::Durability::Scratch)) {
        showError(state, "Cannot write the working copy " + state.tempPath + ".");
        return nullptr;
    }
    auto model = removing || !document->modelKnown() ? std::nullopt
                                                     : savedBinaryModel(document.get(), state);
    state.document =
        model ? makeDocument(std::move(text), std::move(*model)) : makeDocument(std::move(text));
    return state.document;
}

bool saveCommand(EditingState& state) {
    return saveModel(state, false, false);
}

bool saveAsCommand(EditingState& state) {
    // A save refreshes the working copy itself.
    if (saveModel(state, false, true))
        return true;
    // After a cancelled dialog or a failed save the working copy is simply copied again.
    if (state.savePath.empty())
        return false;
    // Unless the document holds changes the file has not (a whole-model step, a conversion
    // made for this save): the copy then keeps the document.
    if (state.unsavedChanges && state.document) {
        keepDocumentInWorkingCopy(state);
        return false;
    }
    state.modelPath = state.savePath;
    // On failure the previous working copy stays in use; a failed save has said why already.
    // The document is the copy's text again, read when next needed.
    if (refreshWorkingCopy(state))
        state.document = nullptr;
    return false;
}

bool saveGeosetCommand(EditingState& state) {
    return saveModel(state, true, true);
}

bool removeGeoset(const std::string& path, int n) {
    const auto lines = common::readAllLines(path);
    if (!lines)
        return false;
    common::AtomicFileWriter out(path);
    for (const auto& line : removeGeosetLines(*lines, n))
        out.writeLine(line);
    return out.commit();
}

} // namespace editor
