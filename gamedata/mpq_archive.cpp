#include "gamedata/mpq_archive.h"

#include "gamedata/archive_path.h"

#include <StormLib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sys/stat.h>

namespace gamedata {

namespace {

std::mutex openArchivesMutex;
std::map<std::string, std::weak_ptr<MpqArchive>>& openArchives() {
    static std::map<std::string, std::weak_ptr<MpqArchive>> archives;
    return archives;
}

std::optional<MpqArchive::Identity> identityOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return MpqArchive::Identity{static_cast<std::uint64_t>(status.st_dev),
                                static_cast<std::uint64_t>(status.st_ino),
                                static_cast<std::uint64_t>(status.st_size),
                                static_cast<std::int64_t>(status.st_mtim.tv_sec),
                                static_cast<std::int64_t>(status.st_mtim.tv_nsec)};
}

std::string canonicalKey(const std::string& path) {
    std::error_code error;
    const auto canonical = std::filesystem::canonical(path, error);
    return error ? path : canonical.string();
}

// The compression methods of a compressed file's first sector: the byte in front of its data.
std::uint32_t firstSectorCompression(const std::string& archivePath, HANDLE file,
                                     std::uint32_t flags, std::uint32_t size) {
    constexpr std::uint32_t fallback = MPQ_COMPRESSION_ZLIB;
    if ((flags & MPQ_FILE_COMPRESS) == 0 || (flags & MPQ_FILE_ENCRYPTED) != 0 || size == 0)
        return (flags & MPQ_FILE_COMPRESS) != 0 ? fallback : 0;
    ULONGLONG offset = 0;
    if (!SFileGetFileInfo(file, SFileInfoByteOffset, &offset, sizeof(offset), nullptr))
        return fallback;
    DWORD compressed = 0;
    if (!SFileGetFileInfo(file, SFileInfoCompressedSize, &compressed, sizeof(compressed),
                          nullptr) ||
        compressed >= size)
        return fallback;
    std::ifstream in(archivePath, std::ios::binary);
    std::uint64_t dataStart = offset;
    if ((flags & MPQ_FILE_SINGLE_UNIT) == 0) {
        // A sector offset table comes first; its first entry is where the first sector starts.
        std::uint32_t firstSector = 0;
        in.seekg(static_cast<std::streamoff>(offset));
        if (!in.read(reinterpret_cast<char*>(&firstSector), sizeof(firstSector)) ||
            firstSector >= compressed)
            return fallback;
        dataStart += firstSector;
    }
    unsigned char method = 0;
    in.seekg(static_cast<std::streamoff>(dataStart));
    if (!in.read(reinterpret_cast<char*>(&method), 1) || method == 0)
        return fallback;
    return method;
}

} // namespace

std::string archiveErrorText() {
    const DWORD code = GetLastError();
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
        return "it does not exist";
    case ERROR_ACCESS_DENIED:
    case EACCES:
        return "permission denied";
    case ERROR_DISK_FULL:
        return "the disk is full";
    case ERROR_BAD_FORMAT:
        return "it is not an MPQ archive";
    case ERROR_FILE_CORRUPT:
    case ERROR_CHECKSUM_ERROR:
    case ERROR_FILE_INCOMPLETE:
    case ERROR_HANDLE_EOF:
        return "it is damaged";
    case ERROR_NOT_ENOUGH_MEMORY:
        return "there is not enough memory";
    default:
        if (code > 0 && code < 1000)
            return std::strerror(static_cast<int>(code));
        return "the archive library reported error " + std::to_string(code);
    }
}

std::shared_ptr<MpqArchive> MpqArchive::open(const std::string& path, std::string& error) {
    const auto identity = identityOf(path);
    if (!identity) {
        std::error_code fileError;
        error = std::filesystem::exists(path, fileError) ? "it is not a regular file"
                                                         : "it does not exist";
        return nullptr;
    }
    const std::string key = canonicalKey(path);
    std::lock_guard lock(openArchivesMutex);
    if (auto shared = openArchives()[key].lock(); shared && shared->identity_ == *identity)
        return shared;
    HANDLE handle = nullptr;
    if (!SFileOpenArchive(path.c_str(), 0, MPQ_OPEN_READ_ONLY, &handle)) {
        error = archiveErrorText();
        return nullptr;
    }
    std::shared_ptr<MpqArchive> archive(new MpqArchive(path, handle, *identity));
    openArchives()[key] = archive;
    return archive;
}

MpqArchive::~MpqArchive() {
    if (handle_ != nullptr)
        SFileCloseArchive(handle_);
}

bool MpqArchive::has(const std::string& inner) const {
    std::lock_guard lock(mutex_);
    return SFileHasFile(handle_, innerName(inner).c_str());
}

std::optional<std::string> MpqArchive::read(const std::string& inner, std::string& error) const {
    std::lock_guard lock(mutex_);
    HANDLE file = nullptr;
    if (!SFileOpenFileEx(handle_, innerName(inner).c_str(), SFILE_OPEN_FROM_MPQ, &file)) {
        error = "it holds no file " + innerName(inner);
        return std::nullopt;
    }
    DWORD high = 0;
    const DWORD size = SFileGetFileSize(file, &high);
    if (size == SFILE_INVALID_SIZE || high != 0 || size > maxArchivedFileSize) {
        SFileCloseFile(file);
        error = innerName(inner) + " is too large to read";
        return std::nullopt;
    }
    std::string bytes(size, '\0');
    DWORD got = 0;
    const bool ok = size == 0 || SFileReadFile(file, bytes.data(), size, &got, nullptr);
    if (!ok || got != size) {
        error = "cannot read " + innerName(inner) + ": " + archiveErrorText();
        SFileCloseFile(file);
        return std::nullopt;
    }
    SFileCloseFile(file);
    return bytes;
}

std::optional<StoredFile> MpqArchive::stored(const std::string& inner) const {
    std::lock_guard lock(mutex_);
    HANDLE file = nullptr;
    if (!SFileOpenFileEx(handle_, innerName(inner).c_str(), SFILE_OPEN_FROM_MPQ, &file))
        return std::nullopt;
    StoredFile result;
    DWORD flags = 0;
    SFileGetFileInfo(file, SFileInfoFlags, &flags, sizeof(flags), nullptr);
    DWORD high = 0;
    const DWORD size = SFileGetFileSize(file, &high);
    result.flags = flags;
    result.size = (size == SFILE_INVALID_SIZE || high != 0) ? 0 : size;
    result.compression = firstSectorCompression(path_, file, flags, result.size);
    SFileCloseFile(file);
    return result;
}

std::vector<std::string> MpqArchive::listedNames() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> names;
    SFILE_FIND_DATA found;
    HANDLE find = SFileFindFirstFile(handle_, "*", &found, nullptr);
    if (find == nullptr)
        return names;
    do {
        found.cFileName[sizeof(found.cFileName) - 1] = '\0';
        const std::string name = found.cFileName;
        if (!name.empty() && name.front() != '(')
            names.push_back(name);
    } while (SFileFindNextFile(find, &found));
    SFileFindClose(find);
    return names;
}

std::string MpqArchive::whyNotWritable() const {
    std::lock_guard lock(mutex_);
    DWORD flags = 0;
    SFileGetFileInfo(handle_, SFileMpqFlags, &flags, sizeof(flags), nullptr);
    if ((flags & MPQ_FLAG_MALFORMED) != 0)
        return "it is a protected map, whose tables are deliberately damaged";
    DWORD signatures = 0;
    SFileGetFileInfo(handle_, SFileMpqSignatures, &signatures, sizeof(signatures), nullptr);
    if (signatures != 0)
        return "it is signed, and writing into it would break its signature";
    return {};
}

} // namespace gamedata
