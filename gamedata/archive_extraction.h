#pragma once

#include "gamedata/archive_path.h"

#include <memory>
#include <string>

namespace gamedata {

// A file of an archive, extracted so that the programs can open it as any other file: into a
// private folder made for it alone (mode 0700, under $TMPDIR or /tmp), under its own base name,
// so that messages, the working copy beside it and format detection by name all work. The folder
// and everything in it (a working copy included) are removed when the last holder lets go.
class ExtractedFile {
  public:
    // The file inner of the archive, extracted; nothing with error set ("it holds no file
    // a.mdx", "it is not an MPQ archive") when it cannot be, and then no folder is left.
    static std::shared_ptr<const ExtractedFile> extract(const ArchivePath& from,
                                                        std::string& error);
    // A place for a file that is to go into the archive as from.inner (an output): the private
    // folder and the path, with no file there yet; nothing with error set when no folder can be
    // made.
    static std::shared_ptr<const ExtractedFile> stagingFor(const ArchivePath& from,
                                                           std::string& error);
    ~ExtractedFile();
    ExtractedFile(const ExtractedFile&) = delete;
    ExtractedFile& operator=(const ExtractedFile&) = delete;

    const ArchivePath& origin() const { return origin_; }
    // The extracted file, and the private folder it lies in.
    const std::string& path() const { return path_; }
    const std::string& folder() const { return folder_; }

    // Puts the file at path (the extracted one after a save, or any other) back into the archive
    // as origin().inner, through replaceInArchive. Empty on success, else why nothing was
    // written; the archive is then unchanged.
    std::string writeBack(const std::string& savedPath) const;

  private:
    ExtractedFile(ArchivePath origin, std::string folder, std::string path)
        : origin_(std::move(origin)), folder_(std::move(folder)), path_(std::move(path)) {}
    ArchivePath origin_;
    std::string folder_;
    std::string path_;
};

// "Cannot save map.w3x:war3mapImported\hero.mdx: " + why + ".", the one form of a failed write.
std::string archiveSaveError(const ArchivePath& path, const std::string& why);

} // namespace gamedata
