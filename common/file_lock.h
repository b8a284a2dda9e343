#pragma once

#include <memory>
#include <string>

namespace common {

// An exclusive advisory lock on a lock file, held while the object lives. The system drops it
// when the process ends in any way, so a lock file left by a crashed run is not held.
class FileLock {
  public:
    enum class Failure { None, Held, CannotCreate };

    // Creates the lock file if needed and locks it without waiting. On failure returns null and
    // says why: another holder, or a folder where the file cannot be made.
    static std::unique_ptr<FileLock> tryAcquire(const std::string& path,
                                                Failure* failure = nullptr);

    // Removes the lock file, then releases the lock.
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    const std::string& path() const { return path_; }

  private:
    FileLock(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    int fd_;
    std::string path_;
};

// True when a lock file exists at path and some process (this one included) holds it.
bool isLockHeld(const std::string& path);

} // namespace common
