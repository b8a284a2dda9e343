#pragma once

// Models inside MPQ archives and maps ("map.w3x:war3mapImported\hero.mdx"): opened through a
// file extracted into a private folder, which every other command then works on as on any model
// file, and written back into the archive after each successful save of it.

#include "gamedata/archive_extraction.h"
#include "gamedata/archive_path.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace common {
class Dialogs;
}
namespace gamedata {
class MpqArchive;
}

namespace editor {

struct EditingState;

// Opens a path as the command line gives it: a model inside an archive (ARCHIVE:INNER, the
// archive a file) or a model file (openModelFile). True when a geoset was read.
bool openModelPath(EditingState& state, const std::string& path, std::optional<int> geoset);

// Extracts the model and opens it as the main model; the state then remembers the archive it
// came from (EditingState::archivedModel) until another model is opened or saved elsewhere, or
// the window closes. On failure one "Error" naming the archive and the inner path, the model
// open before stays, and no temporary file is left.
bool openArchivedModel(EditingState& state, const gamedata::ArchivePath& path,
                       std::optional<int> geoset);

// Where the model is opened again from (the recent files): "ARCHIVE:INNER" for a model taken from
// an archive, else its path.
std::string modelLocation(const EditingState& state);

// One entry of an archive as File > Open from Archive... lists it.
struct ArchiveEntry {
    std::string name;   // the name inside the archive, "\" between folders
    bool model = false; // a model (.mdx, .mdl), which opens; else a texture, which does not
};

// The archive's models and textures (gamedata::modelsAndTextures: its listfile and the names its
// map files mention), sorted without regard to case.
std::vector<ArchiveEntry> archiveEntries(const gamedata::MpqArchive& archive);

// The positions of the entries whose name holds filter, compared without case; all for an empty
// filter. Leading and trailing blanks of the filter do not count.
std::vector<std::size_t> filteredEntries(const std::vector<ArchiveEntry>& entries,
                                         const std::string& filter);

// The window's list of an archive's entries: the archive's path and entries in, the chosen
// entry's name out, nothing for Cancel.
using ArchiveEntryChooser = std::function<std::optional<std::string>(
    const std::string& archive, const std::vector<ArchiveEntry>& entries)>;

// The file filter of the archive dialog.
inline constexpr const char* archiveOpenFilter =
    "Warcraft III maps and archives|*.w3x;*.w3m;*.mpq|All files|*";

// File > Open from Archive...: settles unsaved changes, asks for an archive with the file
// dialog, lets choose pick one of its entries and opens it when it is a model.
void openFromArchiveCommand(EditingState& state, const ArchiveEntryChooser& choose);

// What the save hooks ask. The refusal of a save of the archived model (signed, protected,
// read-only or damaged archive) as one message, before anything is written; empty when the save
// may go ahead or does not write the archived model.
std::string archivedSaveRefusal(const EditingState& state);
// After the model file was saved: the archived model's file put back into its archive. Empty on
// success (or when the save wrote another file), else the "Cannot save ARCHIVE:INNER: ..."
// message; the archive is then unchanged.
std::string writeArchivedModelBack(const EditingState& state);
// After a model at path was opened or saved: the archive origin is kept only while path is the
// archived model's extracted file, else forgotten and its temporary folder removed.
void keepArchiveOriginFor(EditingState& state, const std::string& path);

// While one lives, the state's dialogs name the archived model's extracted file by its archive
// path ("map.w3x:war3mapImported\hero.mdx") in every text they show.
class ArchiveNaming {
  public:
    explicit ArchiveNaming(EditingState& state);
    // The same for the given extracted file (nullptr: nothing is renamed).
    ArchiveNaming(EditingState& state, const gamedata::ExtractedFile* file);
    ~ArchiveNaming();
    ArchiveNaming(const ArchiveNaming&) = delete;
    ArchiveNaming& operator=(const ArchiveNaming&) = delete;

  private:
    EditingState& state_;
    common::Dialogs* previous_;
    std::unique_ptr<common::Dialogs> naming_;
};

} // namespace editor
