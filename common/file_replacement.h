#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>

namespace common {

// Replaces one regular file as a whole: the bytes go to a temporary file beside it, which is
// flushed to the disk and renamed over it, so a reader sees either the old file or the new one.
//
// The file replaced is the one the path means: symbolic links are followed and the file they
// end at is replaced, the links stay. A path that names a folder, FIFO, socket or device is
// refused, and so is a file with more than one hard link: renaming over it would leave the
// other names holding the old content, and writing into it in place would give up the
// all-or-nothing replacement. refusal() then says why.
//
// The new file keeps the old one's permissions and, where the process may set them, its owner
// and group. Leftover temporary files of earlier saves of the same file, whose process has gone,
// are removed after a replacement succeeded.
// Flushed: the new file and its name are on the disk before commit() returns. Scratch: for a
// copy that losing on a power cut costs nothing, as another file holds the same data; it is
// still replaced as a whole, but not waited for.
enum class Durability { Flushed, Scratch };

class FileReplacement {
  public:
    // mode: the permissions the new file gets; without it, those of the file replaced, or the
    // usual ones (0666 less the umask) for a file that does not exist yet.
    explicit FileReplacement(const std::filesystem::path& path,
                             std::optional<mode_t> mode = std::nullopt,
                             Durability durability = Durability::Flushed);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    bool isOpen() const { return descriptor_ >= 0; }
    // Why the path was refused as a whole ("it is a FIFO, not a regular file"); empty when it
    // was not refused, also when it failed for an ordinary reason (no folder, read-only).
    const std::string& refusal() const { return refusal_; }
    // The file that is replaced, symbolic links followed.
    const std::filesystem::path& target() const { return target_; }
    // The temporary file, for a writer that must fill it by name (an archive library opening
    // it itself) between the writes and commit(); empty when it could not be made.
    const std::filesystem::path& temporaryPath() const { return temporary_; }

    // False from the first failed write on; commit() then fails too.
    bool write(const char* data, std::size_t size);
    // Flushes the temporary file to the disk and renames it over the target. False, with the
    // target untouched, when anything before the rename failed.
    bool commit();
    // The same, but only where no file is yet: false, with nothing changed, when one is there
    // (or appears) at the target, so that no file is ever put over another.
    bool commitAsNew();

  private:
    enum class Placement { Replace, New };
    bool finish(Placement placement);
    bool putInPlace(Placement placement);
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::string refusal_;
    std::optional<mode_t> finalMode_;
    std::optional<uid_t> owner_;
    std::optional<gid_t> group_;
    int descriptor_ = -1;
    Durability durability_ = Durability::Flushed;
    bool failed_ = false;
    bool committed_ = false;
};

// The name of a temporary file of this writer for the file called targetName, and whether a
// file name is one of them (the process id that made it in pid).
std::string temporaryNameFor(const std::string& targetName);
bool isTemporaryOf(const std::string& name, const std::string& targetName, pid_t& pid);

// Removes the temporary files left beside target by writers that did not finish: those whose
// process is gone, and any older than an hour (a process id may have been taken again).
void removeStaleTemporaries(const std::filesystem::path& target);

} // namespace common
