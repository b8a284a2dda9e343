#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace gamedata {

// How a file is stored in an archive, so that a replacement is stored alike.
struct StoredFile {
    std::uint32_t flags = 0;       // the archive's file flags (compressed, encrypted, ...)
    std::uint32_t compression = 0; // the compression methods of its first sector
    std::uint32_t size = 0;        // bytes when read
};

// An MPQ archive opened through StormLib, read-only. Archives are opened once and shared: open()
// hands out the same object for the same file while one is alive and the file is unchanged (a
// replaced archive is opened anew). Every size the library reports is checked before it is used.
class MpqArchive {
  public:
    // The archive at path; nothing with error set ("it is not an MPQ archive") when it cannot be
    // opened.
    static std::shared_ptr<MpqArchive> open(const std::string& path, std::string& error);
    ~MpqArchive();
    MpqArchive(const MpqArchive&) = delete;
    MpqArchive& operator=(const MpqArchive&) = delete;

    const std::string& path() const { return path_; }
    bool has(const std::string& inner) const;
    // The file's bytes; nothing with error set when it is missing or cannot be read.
    std::optional<std::string> read(const std::string& inner, std::string& error) const;
    std::optional<StoredFile> stored(const std::string& inner) const;
    // Every name the archive's (listfile) knows and the archive holds, in its order.
    std::vector<std::string> listedNames() const;
    // Why a writer must leave the archive alone (signed, or malformed as protected maps are);
    // empty when it may be written.
    std::string whyNotWritable() const;

    // The file on disk it was opened from: device, inode, size and modification time.
    struct Identity {
        std::uint64_t device = 0, inode = 0, size = 0;
        std::int64_t modifiedSeconds = 0, modifiedNanoseconds = 0;
        bool operator==(const Identity&) const = default;
    };

  private:
    MpqArchive(std::string path, void* handle, Identity identity)
        : path_(std::move(path)), handle_(handle), identity_(identity) {}
    std::string path_;
    void* handle_ = nullptr;
    Identity identity_;
    // The library's handle of an archive is not safe to use from two threads at once, and a
    // shared archive is asked from the model check's threads.
    mutable std::mutex mutex_;
};

// The largest file read out of an archive: models and textures are far smaller, and a damaged
// table may claim anything.
inline constexpr std::uint32_t maxArchivedFileSize = 512u << 20;

// The archive library's last error as a phrase: "it is not an MPQ archive", "the disk is full".
std::string archiveErrorText();

} // namespace gamedata
