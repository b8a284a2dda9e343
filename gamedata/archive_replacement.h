#pragma once

#include <string>
#include <string_view>

namespace gamedata {

// Puts bytes into an archive as the file inner, replacing the file of that name (stored as it
// was: compressed, encrypted and split alike) or adding it (compressed). The archive is never
// left half-written: it is copied beside itself, the copy is written, flushed and closed by the
// archive library, and then renamed over the original as a model file is (symbolic links
// followed, permissions kept, special and hard-linked files refused). A signed or protected
// archive is refused. Returns why nothing was written, empty on success; the original is then
// unchanged and no temporary file is left.
std::string replaceInArchive(const std::string& archivePath, const std::string& inner,
                             std::string_view bytes);

// Why the archive cannot take a file now: it cannot be opened, is read-only, signed or protected.
// Empty when a write may go ahead. replaceInArchive asks it first; an editor asks it before it
// writes anything of its own, so that a refused save changes no file at all.
std::string whyArchiveRefusesWrites(const std::string& archivePath);

} // namespace gamedata
