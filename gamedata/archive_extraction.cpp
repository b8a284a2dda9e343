#include "gamedata/archive_extraction.h"

#include "common/text_file.h"
#include "gamedata/archive_replacement.h"
#include "gamedata/mpq_archive.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace gamedata {

namespace {

// A new folder only this user may enter; empty when none can be made.
std::string makePrivateFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        (base && *base ? std::string(base) : std::string("/tmp")) + "/moldrin-archive-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        return {};
    return pattern;
}

void removeFolder(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// The inner name's last part, the name the file gets on disk; "model" for a name that has no
// usable one ("..", or nothing after the last "\").
std::string baseNameOf(const std::string& inner) {
    const auto slash = inner.find_last_of('\\');
    std::string name = slash == std::string::npos ? inner : inner.substr(slash + 1);
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos)
        return "model";
    return name;
}

} // namespace

std::shared_ptr<const ExtractedFile> ExtractedFile::extract(const ArchivePath& from,
                                                            std::string& error) {
    const auto archive = MpqArchive::open(from.archive, error);
    if (!archive)
        return nullptr;
    const auto bytes = archive->read(from.inner, error);
    if (!bytes)
        return nullptr;
    const std::string folder = makePrivateFolder();
    if (folder.empty()) {
        error = "no private temporary folder can be made for it";
        return nullptr;
    }
    const std::string path = folder + "/" + baseNameOf(innerName(from.inner));
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
        out.close();
        if (!out) {
            removeFolder(folder);
            error = "it cannot be extracted to " + path + " (is the disk full?)";
            return nullptr;
        }
    }
    ArchivePath origin{from.archive, innerName(from.inner)};
    return std::shared_ptr<const ExtractedFile>(new ExtractedFile(std::move(origin), folder, path));
}

std::shared_ptr<const ExtractedFile> ExtractedFile::stagingFor(const ArchivePath& from,
                                                               std::string& error) {
    const std::string folder = makePrivateFolder();
    if (folder.empty()) {
        error = "no private temporary folder can be made for it";
        return nullptr;
    }
    const std::string path = folder + "/" + baseNameOf(innerName(from.inner));
    ArchivePath origin{from.archive, innerName(from.inner)};
    return std::shared_ptr<const ExtractedFile>(new ExtractedFile(std::move(origin), folder, path));
}

ExtractedFile::~ExtractedFile() {
    removeFolder(folder_);
}

std::string ExtractedFile::writeBack(const std::string& savedPath) const {
    const auto bytes = common::readTextFile(savedPath);
    if (!bytes)
        return "the saved file " + savedPath + " cannot be read back";
    return replaceInArchive(origin_.archive, origin_.inner, *bytes);
}

std::string archiveSaveError(const ArchivePath& path, const std::string& why) {
    return "Cannot save " + path.joined() + ": " + why + ".";
}

} // namespace gamedata
