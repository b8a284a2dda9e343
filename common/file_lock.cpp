#include "common/file_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

// The lock holds only while the file locked is still the one at the path: a holder that was
// removing its lock file may have left us an inode no one else can see.
bool stillAtPath(int fd, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return fstat(fd, &opened) == 0 && stat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

} // namespace

std::unique_ptr<FileLock> FileLock::tryAcquire(const std::string& path, Failure* failure) {
    auto fail = [failure](Failure why) {
        if (failure)
            *failure = why;
        return std::unique_ptr<FileLock>();
    };
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return fail(errno == EWOULDBLOCK ? Failure::Held : Failure::CannotCreate);
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            close(fd);
            return fail(error == EWOULDBLOCK ? Failure::Held : Failure::CannotCreate);
        }
        if (stillAtPath(fd, path)) {
            if (failure)
                *failure = Failure::None;
            return std::unique_ptr<FileLock>(new FileLock(fd, path));
        }
        close(fd);
    }
    return fail(Failure::Held);
}

FileLock::~FileLock() {
    unlink(path_.c_str());
    close(fd_);
}

bool isLockHeld(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);
    return held;
}

} // namespace common
