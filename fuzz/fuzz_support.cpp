#include "fuzz_support.h"

#include "common/text_file.h"

#include <fstream>
#include <unistd.h>

namespace fuzz {

const std::filesystem::path& workFolder() {
    static const std::filesystem::path folder = [] {
        auto path =
            std::filesystem::temp_directory_path() / ("moldrin-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

std::filesystem::path writeInput(const std::string& name, const std::uint8_t* data,
                                 std::size_t size) {
    const auto path = workFolder() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

std::vector<std::string> linesOf(const std::uint8_t* data, std::size_t size) {
    common::LineReader reader(common::LineReader::FromText{},
                              std::string(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line))
        lines.push_back(line);
    return lines;
}

std::string textOf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

} // namespace fuzz
