#include "common/file_kind.h"

namespace common {

std::string nonRegularKind(mode_t mode) {
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISLNK(mode))
        return "a symbolic link";
    return "a special file";
}

std::string whyNotARegularFile(const std::filesystem::path& path) {
    struct stat status {};
    if (path.empty() || ::stat(path.c_str(), &status) != 0)
        return {};
    const auto kind = nonRegularKind(status.st_mode);
    return kind.empty() ? kind : "it is " + kind + ", not a regular file";
}

} // namespace common
