#include "editor/interaction/recent_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace editor {

std::vector<std::string> withRecentFile(std::vector<std::string> files, const std::string& path,
                                        std::size_t limit) {
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    files.insert(files.begin(), path);
    if (files.size() > limit)
        files.resize(limit);
    return files;
}

std::string absoluteModelPath(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

} // namespace editor
