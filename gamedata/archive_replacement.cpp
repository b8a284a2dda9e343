#include "gamedata/archive_replacement.h"

#include "common/file_replacement.h"
#include "gamedata/archive_path.h"
#include "gamedata/mpq_archive.h"

#include <StormLib.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace gamedata {

namespace {

// The flags a file is written with: how it is stored, not what the table says of its state.
constexpr std::uint32_t storageFlags = MPQ_FILE_IMPLODE | MPQ_FILE_COMPRESS | MPQ_FILE_ENCRYPTED |
                                       MPQ_FILE_FIX_KEY | MPQ_FILE_SINGLE_UNIT |
                                       MPQ_FILE_SECTOR_CRC;

bool copyInto(const std::string& source, common::FileReplacement& copy) {
    std::ifstream in(source, std::ios::binary);
    if (!in)
        return false;
    std::vector<char> buffer(1 << 20);
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got > 0 && !copy.write(buffer.data(), got))
            return false;
    }
    return in.eof();
}

// Writes the file into the open copy; false with the library's error when it fails.
bool writeFile(HANDLE archive, const std::string& name, std::string_view bytes,
               const StoredFile& stored) {
    const auto size = static_cast<DWORD>(bytes.size());
    HANDLE file = nullptr;
    const DWORD flags = (stored.flags & storageFlags) | MPQ_FILE_REPLACEEXISTING;
    // A new name in a full table: room is made first. Asking the library to create the file
    // again after a failed attempt is no way to learn it, as a failed attempt (a full disk) may
    // leave the name half entered, which the library cannot take a second time.
    if (!SFileHasFile(archive, name.c_str())) {
        DWORD files = 0;
        SFileGetFileInfo(archive, SFileMpqNumberOfFiles, &files, sizeof(files), nullptr);
        const DWORD most = SFileGetMaxFileCount(archive);
        // The listfile and the attributes are rewritten as files of their own.
        if (files + 3 >= most && !SFileSetMaxFileCount(archive, most * 2 + 16))
            return false;
    }
    if (!SFileCreateFile(archive, name.c_str(), 0, size, 0, flags, &file))
        return false;
    const DWORD compression = stored.compression != 0 ? stored.compression : MPQ_COMPRESSION_ZLIB;
    const bool written = size == 0 || SFileWriteFile(file, bytes.data(), size, compression);
    const bool finished = SFileFinishFile(file);
    return written && finished;
}

// The refusals of an archive opened already. A file nobody may write is left alone also by a
// user the system would let write it.
std::string refusalOf(const MpqArchive& archive) {
    struct stat status {};
    if (::access(archive.path().c_str(), W_OK) != 0 ||
        (::stat(archive.path().c_str(), &status) == 0 && (status.st_mode & 0222) == 0))
        return "it is read-only";
    return archive.whyNotWritable();
}

} // namespace

std::string whyArchiveRefusesWrites(const std::string& archivePath) {
    std::string error;
    const auto archive = MpqArchive::open(archivePath, error);
    return archive ? refusalOf(*archive) : error;
}

std::string replaceInArchive(const std::string& archivePath, const std::string& inner,
                             std::string_view bytes) {
    const std::string name = innerName(inner);
    if (name.empty())
        return "no name inside the archive was given";
    if (bytes.size() > maxArchivedFileSize)
        return name + " is too large for the archive";
    StoredFile stored{MPQ_FILE_COMPRESS, MPQ_COMPRESSION_ZLIB, 0};
    {
        std::string error;
        const auto original = MpqArchive::open(archivePath, error);
        if (!original)
            return error;
        if (const auto why = refusalOf(*original); !why.empty())
            return why;
        if (const auto existing = original->stored(name))
            stored = *existing;
    }

    common::FileReplacement copy(archivePath);
    if (!copy.isOpen())
        return !copy.refusal().empty() ? copy.refusal() : "it cannot be written";
    if (!copyInto(archivePath, copy))
        return "it could not be copied beside itself (is the disk full?)";

    HANDLE archive = nullptr;
    if (!SFileOpenArchive(copy.temporaryPath().c_str(), 0, 0, &archive))
        return "its copy cannot be opened for writing: " + archiveErrorText();
    const bool written = writeFile(archive, name, bytes, stored);
    std::string error =
        written ? std::string() : "cannot write " + name + ": " + archiveErrorText();
    const bool flushed = SFileFlushArchive(archive);
    if (error.empty() && !flushed)
        error = "cannot write its tables: " + archiveErrorText();
    const bool closed = SFileCloseArchive(archive);
    if (error.empty() && !closed)
        error = "cannot close its copy: " + archiveErrorText();
    if (!error.empty())
        return error;
    if (!copy.commit())
        return "it could not be replaced by its written copy (is the disk full?)";
    return {};
}

} // namespace gamedata
