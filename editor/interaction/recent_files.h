#pragma once

#include <string>
#include <vector>

namespace editor {

// The File menu's list of recent files with path put first: an earlier entry of the same path
// goes, and the list keeps at most limit entries.
std::vector<std::string> withRecentFile(std::vector<std::string> files, const std::string& path,
                                        std::size_t limit);

// The path made absolute, so the list names the same file from any working folder.
std::string absoluteModelPath(const std::string& path);

} // namespace editor
