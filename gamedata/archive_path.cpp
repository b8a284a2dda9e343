#include "gamedata/archive_path.h"

#include <filesystem>
#include <system_error>

namespace gamedata {

std::string ArchivePath::title() const {
    return std::filesystem::path(archive).filename().string() + ": " + inner;
}

std::string innerName(std::string_view name) {
    std::string result;
    result.reserve(name.size());
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = name.size();
        const std::string_view part = name.substr(start, end - start);
        if (!part.empty() && part != ".") {
            if (!result.empty())
                result += '\\';
            result += part;
        }
        start = end + 1;
    }
    return result;
}

std::string foldedName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

std::optional<ArchivePath>
splitArchivePath(std::string_view text, const std::function<bool(const std::string&)>& isArchive) {
    for (std::size_t colon = text.find(':'); colon != std::string_view::npos;
         colon = text.find(':', colon + 1)) {
        if (colon == 0)
            continue;
        std::string inner = innerName(text.substr(colon + 1));
        if (inner.empty())
            continue;
        std::string archive(text.substr(0, colon));
        if (isArchive(archive))
            return ArchivePath{std::move(archive), std::move(inner)};
    }
    return std::nullopt;
}

namespace {

bool isRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

std::optional<ArchivePath> archivePathOf(const std::string& path) {
    if (path.find(':') == std::string::npos || isRegularFile(path))
        return std::nullopt;
    return splitArchivePath(path, isRegularFile);
}

} // namespace gamedata
