#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace gamedata {

// A file inside an archive, as the command line and the title name it:
// "map.w3x:war3mapImported\hero.mdx". Names inside an archive use "\" between folders and are
// compared without case.
struct ArchivePath {
    std::string archive; // the archive file on disk
    std::string inner;   // the name inside it, with "\" between folders

    // "ARCHIVE:INNER", the form the programs take.
    std::string joined() const { return archive + ":" + inner; }
    // "map.w3x: war3mapImported\hero.mdx": the archive's file name, for a title.
    std::string title() const;
    bool operator==(const ArchivePath&) const = default;
};

// The archive's name for a file: "/" becomes "\", leading separators and "." folders go.
std::string innerName(std::string_view name);

// The same name with ASCII letters in lower case, for comparing names as archives do.
std::string foldedName(std::string_view name);

// Splits "ARCHIVE:INNER" at the first ":" whose left part isArchive accepts and whose right part
// is not empty; nothing when there is none. The test is the caller's, so that the split can be
// tried without a file system.
std::optional<ArchivePath>
splitArchivePath(std::string_view text, const std::function<bool(const std::string&)>& isArchive);

// What a path on the command line means: nothing when it names a file itself (a plain model), or
// no prefix of it before a ":" is a regular file; otherwise the archive and the name inside it.
std::optional<ArchivePath> archivePathOf(const std::string& path);

} // namespace gamedata
