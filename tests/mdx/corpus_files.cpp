#include "corpus_files.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace mdx_test {

std::filesystem::path corpusDir() {
    const std::filesystem::path dir(MOLDRIN_CORPUS_DIR);
    return std::filesystem::is_directory(dir) ? dir : std::filesystem::path();
}

std::vector<std::filesystem::path> corpusFiles(const std::string& ext) {
    std::vector<std::filesystem::path> files;
    if (corpusDir().empty())
        return files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(corpusDir()))
        if (entry.is_regular_file() && entry.path().extension() == ext)
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace mdx_test
