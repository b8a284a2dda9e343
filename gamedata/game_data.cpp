#include "gamedata/game_data.h"

#include "gamedata/archive_path.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace gamedata {

namespace {

std::map<std::string, std::string> entriesOf(const std::filesystem::path& folder) {
    std::map<std::string, std::string> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error))
        entries.emplace(foldedName(it->path().filename().string()), it->path().filename().string());
    return entries;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > maxArchivedFileSize)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string bytes(size, '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size)))
        return std::nullopt;
    return bytes;
}

} // namespace

std::vector<std::filesystem::path> gameFolderArchives(const std::filesystem::path& folder) {
    const auto entries = entriesOf(folder);
    std::vector<std::filesystem::path> archives;
    for (const char* name : {"war3patch.mpq", "war3xlocal.mpq", "war3x.mpq", "war3.mpq"})
        if (const auto found = entries.find(name); found != entries.end())
            archives.push_back(folder / found->second);
    return archives;
}

std::vector<std::string> splitSourceList(std::string_view list) {
    std::vector<std::string> paths;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(':', start);
        if (end == std::string_view::npos)
            end = list.size();
        if (end > start)
            paths.emplace_back(list.substr(start, end - start));
        start = end + 1;
    }
    return paths;
}

std::vector<std::string> sourcesInOrder(const std::vector<std::string>& given,
                                        const char* variableList) {
    std::vector<std::string> all = given;
    if (variableList) {
        const auto listed = splitSourceList(variableList);
        all.insert(all.end(), listed.begin(), listed.end());
    }
    std::vector<std::string> once;
    for (auto& path : all)
        if (std::find(once.begin(), once.end(), path) == once.end())
            once.push_back(std::move(path));
    return once;
}

void GameData::setSources(const std::vector<std::string>& paths) {
    paths_ = paths;
    problems_.clear();
    searched_.clear();
    {
        std::lock_guard lock(foldersMutex_);
        folderEntries_.clear();
    }
    for (const auto& path : paths) {
        std::error_code fileError;
        if (std::filesystem::is_directory(path, fileError)) {
            const auto archives = gameFolderArchives(path);
            if (archives.empty()) {
                searched_.push_back({nullptr, path});
                continue;
            }
            for (const auto& archivePath : archives) {
                std::string error;
                if (auto archive = MpqArchive::open(archivePath.string(), error))
                    searched_.push_back({std::move(archive), {}});
                else
                    problems_.push_back("Cannot open the archive " + archivePath.string() + ": " +
                                        error + ".");
            }
            continue;
        }
        std::string error;
        if (auto archive = MpqArchive::open(path, error))
            searched_.push_back({std::move(archive), {}});
        else
            problems_.push_back("Cannot use " + path + " as game data: " + error + ".");
    }
}

std::optional<std::filesystem::path> GameData::findInFolder(const std::filesystem::path& folder,
                                                            const std::string& name) const {
    std::filesystem::path current = folder;
    std::size_t start = 0;
    std::lock_guard lock(foldersMutex_);
    while (start <= name.size()) {
        std::size_t end = name.find('\\', start);
        if (end == std::string::npos)
            end = name.size();
        const std::string part = name.substr(start, end - start);
        if (part == "..")
            return std::nullopt; // a name inside the game data never leaves it
        auto cached = folderEntries_.find(current);
        if (cached == folderEntries_.end())
            cached = folderEntries_.emplace(current, entriesOf(current)).first;
        const auto entry = cached->second.find(foldedName(part));
        if (entry == cached->second.end())
            return std::nullopt;
        current /= entry->second;
        start = end + 1;
    }
    return current;
}

std::optional<std::string> GameData::sourceOf(std::string_view name) const {
    const std::string inner = innerName(name);
    if (inner.empty())
        return std::nullopt;
    if (modelArchive_ && modelArchive_->has(inner))
        return modelArchive_->path();
    for (const auto& source : searched_) {
        if (source.archive) {
            if (source.archive->has(inner))
                return source.archive->path();
            continue;
        }
        std::error_code error;
        if (const auto path = findInFolder(source.folder, inner);
            path && std::filesystem::is_regular_file(*path, error))
            return source.folder.string();
    }
    return std::nullopt;
}

std::optional<GameData::Found> GameData::find(std::string_view name) const {
    const std::string inner = innerName(name);
    if (inner.empty())
        return std::nullopt;
    if (modelArchive_ && modelArchive_->has(inner)) {
        std::string error;
        if (auto bytes = modelArchive_->read(inner, error))
            return Found{std::move(*bytes), modelArchive_->path()};
    }
    for (const auto& source : searched_) {
        if (source.archive) {
            if (!source.archive->has(inner))
                continue;
            std::string error;
            if (auto bytes = source.archive->read(inner, error))
                return Found{std::move(*bytes), source.archive->path()};
            continue;
        }
        if (const auto path = findInFolder(source.folder, inner))
            if (auto bytes = readWholeFile(*path))
                return Found{std::move(*bytes), source.folder.string()};
    }
    return std::nullopt;
}

} // namespace gamedata
