#include "editor/editing/archived_model.h"

#include "common/dialogs.h"
#include "editor/editing/editing_state.h"
#include "editor/editing/file_open.h"
#include "editor/editing/unsaved_changes.h"
#include "gamedata/archive_listing.h"
#include "gamedata/archive_replacement.h"
#include "gamedata/mpq_archive.h"

#include <algorithm>

namespace editor {

namespace {

void showError(EditingState& state, const std::string& text) {
    if (state.dialogs)
        state.dialogs->messageBox(text, "Error");
}

// The text with every occurrence of from replaced by to.
std::string renamed(std::string text, const std::string& from, const std::string& to) {
    if (from.empty())
        return text;
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Dialogs that show the extracted file's path as the archive path it came from.
class NamingDialogs : public common::Dialogs {
  public:
    NamingDialogs(common::Dialogs& inner, std::string from, std::string to)
        : inner_(inner), from_(std::move(from)), to_(std::move(to)) {}
    common::MessageAnswer messageBox(const std::string& text, const std::string& title,
                                     common::MessageButtons buttons) override {
        return inner_.messageBox(name(text), title, buttons);
    }
    int askChoice(const std::string& text, const std::string& title,
                  const std::vector<std::string>& buttons, int defaultButton) override {
        return inner_.askChoice(name(text), title, buttons, defaultButton);
    }
    std::optional<int> pickFromList(const std::string& prompt, const std::string& title,
                                    const std::vector<std::string>& entries) override {
        return inner_.pickFromList(name(prompt), title, entries);
    }
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override {
        return inner_.inputBox(name(prompt), title, defaultText);
    }
    void showTextToCopy(const std::string& prompt, const std::string& title,
                        const std::string& text) override {
        inner_.showTextToCopy(name(prompt), title, text);
    }
    std::optional<std::string> openFileDialog(const std::string& filter) override {
        return inner_.openFileDialog(filter);
    }
    std::optional<SaveChoice> chooseSaveFile(const std::string& filter) override {
        return inner_.chooseSaveFile(filter);
    }
    void setClipboardText(const std::string& text) override { inner_.setClipboardText(text); }

  private:
    std::string name(const std::string& text) const { return renamed(text, from_, to_); }
    common::Dialogs& inner_;
    std::string from_, to_;
};

// The archived model's file, when the state's model is it.
const gamedata::ExtractedFile* archivedFileOf(const EditingState& state, const std::string& path) {
    return state.archivedModel && state.archivedModel->path() == path ? state.archivedModel.get()
                                                                      : nullptr;
}

} // namespace

ArchiveNaming::ArchiveNaming(EditingState& state)
    : ArchiveNaming(state, state.archivedModel.get()) {}

ArchiveNaming::ArchiveNaming(EditingState& state, const gamedata::ExtractedFile* file)
    : state_(state), previous_(state.dialogs) {
    if (!file || !state.dialogs)
        return;
    naming_ =
        std::make_unique<NamingDialogs>(*state.dialogs, file->path(), file->origin().joined());
    state.dialogs = naming_.get();
}

ArchiveNaming::~ArchiveNaming() {
    state_.dialogs = previous_;
}

bool openModelPath(EditingState& state, const std::string& path, std::optional<int> geoset) {
    if (const auto inside = gamedata::archivePathOf(path))
        return openArchivedModel(state, *inside, geoset);
    return openModelFile(state, path, geoset);
}

bool openArchivedModel(EditingState& state, const gamedata::ArchivePath& path,
                       std::optional<int> geoset) {
    std::string error;
    auto extracted = gamedata::ExtractedFile::extract(path, error);
    if (!extracted) {
        showError(state, "Cannot open " + path.joined() + ": " + error + ".");
        return false;
    }
    bool opened = false;
    {
        const ArchiveNaming naming(state, extracted.get());
        opened = openModelFile(state, extracted->path(), geoset);
    }
    // The open forgot the origin of the model before; a failed one leaves that model as it was.
    if (opened)
        state.archivedModel = std::move(extracted);
    return opened;
}

std::string modelLocation(const EditingState& state) {
    const auto* file = archivedFileOf(state, state.modelPath);
    return file ? file->origin().joined() : state.modelPath;
}

std::vector<ArchiveEntry> archiveEntries(const gamedata::MpqArchive& archive) {
    std::vector<ArchiveEntry> entries;
    for (auto& name : gamedata::modelsAndTextures(archive)) {
        const std::string tail = gamedata::foldedName(name.substr(name.size() - 4));
        const bool model = tail == ".mdx" || tail == ".mdl";
        entries.push_back({std::move(name), model});
    }
    return entries;
}

std::vector<std::size_t> filteredEntries(const std::vector<ArchiveEntry>& entries,
                                         const std::string& filter) {
    const auto first = filter.find_first_not_of(" \t");
    const std::string wanted = first == std::string::npos
                                   ? std::string()
                                   : gamedata::foldedName(filter.substr(
                                         first, filter.find_last_not_of(" \t") + 1 - first));
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (wanted.empty() ||
            gamedata::foldedName(entries[i].name).find(wanted) != std::string::npos)
            shown.push_back(i);
    return shown;
}

void openFromArchiveCommand(EditingState& state, const ArchiveEntryChooser& choose) {
    if (!state.dialogs || !settleUnsavedChanges(state))
        return;
    const auto archivePath = state.dialogs->openFileDialog(archiveOpenFilter);
    if (!archivePath || archivePath->empty())
        return;
    std::string error;
    const auto archive = gamedata::MpqArchive::open(*archivePath, error);
    if (!archive) {
        showError(state, "Cannot open the archive " + *archivePath + ": " + error + ".");
        return;
    }
    const auto entries = archiveEntries(*archive);
    const auto chosen = choose(*archivePath, entries);
    if (!chosen)
        return;
    const auto entry = std::find_if(entries.begin(), entries.end(),
                                    [&](const ArchiveEntry& e) { return e.name == *chosen; });
    if (entry == entries.end() || !entry->model)
        return; // a texture opens nothing
    openArchivedModel(state, {*archivePath, *chosen}, std::nullopt);
}

std::string archivedSaveRefusal(const EditingState& state) {
    const auto* file = archivedFileOf(state, state.savePath);
    if (!file)
        return {};
    const auto why = gamedata::whyArchiveRefusesWrites(file->origin().archive);
    return why.empty() ? std::string() : gamedata::archiveSaveError(file->origin(), why);
}

std::string writeArchivedModelBack(const EditingState& state) {
    const auto* file = archivedFileOf(state, state.savePath);
    if (!file)
        return {};
    const auto why = file->writeBack(state.savePath);
    return why.empty() ? std::string() : gamedata::archiveSaveError(file->origin(), why);
}

void keepArchiveOriginFor(EditingState& state, const std::string& path) {
    if (state.archivedModel && !archivedFileOf(state, path))
        state.archivedModel.reset();
}

} // namespace editor
