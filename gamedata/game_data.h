#pragma once

#include "common/game_files.h"
#include "gamedata/mpq_archive.h"

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gamedata {

// Where the game's own files are looked up, in order: an MPQ archive, a game folder (its
// archives, the patch first, as the game reads them) or a folder of files extracted from the
// game's storage.
class GameData : public common::GameFiles {
  public:
    using Found = common::GameFiles::File;

    // Makes the list anew from paths in order; a path that is none of the three kinds is
    // left out and named in problems().
    void setSources(const std::vector<std::string>& paths);
    const std::vector<std::string>& sources() const { return paths_; }
    const std::vector<std::string>& problems() const { return problems_; }
    bool empty() const override { return searched_.empty() && !modelArchive_; }

    // The archive the open model was taken from, searched before the sources (nullptr: none), so
    // that a map's model shows the map's own textures. Not one of sources().
    void setModelArchive(std::shared_ptr<MpqArchive> archive) {
        modelArchive_ = std::move(archive);
    }
    const std::shared_ptr<MpqArchive>& modelArchive() const { return modelArchive_; }

    // The first source's file of that name ("\" or "/" between folders, any case).
    std::optional<Found> find(std::string_view name) const override;
    std::optional<std::string> sourceOf(std::string_view name) const override;

  private:
    struct Searched {
        std::shared_ptr<MpqArchive> archive; // an archive, or
        std::filesystem::path folder;        // a folder of extracted files
    };
    std::optional<std::filesystem::path> findInFolder(const std::filesystem::path& folder,
                                                      const std::string& name) const;

    std::vector<std::string> paths_;
    std::vector<std::string> problems_;
    std::vector<Searched> searched_;
    std::shared_ptr<MpqArchive> modelArchive_;
    // Each folder's entries by their folded name, read once.
    mutable std::mutex foldersMutex_;
    mutable std::map<std::filesystem::path, std::map<std::string, std::string>> folderEntries_;
};

// The archives of a game folder that exist there (names matched without case), in the order the
// game searches them: War3Patch.mpq, War3xLocal.mpq, War3x.mpq, war3.mpq.
std::vector<std::filesystem::path> gameFolderArchives(const std::filesystem::path& folder);

// The paths of a ":"-separated list such as MOLDRIN_GAME_DATA; empty entries are skipped.
std::vector<std::string> splitSourceList(std::string_view list);

// The environment variable every program adds its game data sources from.
inline constexpr const char* gameDataVariable = "MOLDRIN_GAME_DATA";

// The sources a program searches: the ones it was given (options, the editor's list) first, then
// those of the variable's list (nullptr when unset); a path given twice is searched once, at its
// first place.
std::vector<std::string> sourcesInOrder(const std::vector<std::string>& given,
                                        const char* variableList);

using common::teamColourTexture;
using common::teamGlowTexture;

} // namespace gamedata
