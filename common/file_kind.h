#pragma once

#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace common {

// "a folder", "a FIFO", "a socket", "a device" or "a symbolic link" (or "a special file") for a
// file that is not a regular file; empty for a regular file.
std::string nonRegularKind(mode_t mode);

// Why the path cannot be read as a model file without reading it: "it is a FIFO, not a regular
// file" and the like, with symbolic links followed. Empty when it is a regular file or does not
// exist at all (the caller's own "cannot read" says enough then).
std::string whyNotARegularFile(const std::filesystem::path& path);

} // namespace common
