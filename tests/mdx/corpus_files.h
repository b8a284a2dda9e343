#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace mdx_test {

// The corpus folder, or an empty path when it is not beside the checkout.
std::filesystem::path corpusDir();
// Every file of the corpus (subfolders included) whose extension is ext (".mdx", ".mdl").
std::vector<std::filesystem::path> corpusFiles(const std::string& ext);
std::string readBytes(const std::filesystem::path& path);

} // namespace mdx_test
