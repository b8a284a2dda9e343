#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fuzz {

// A folder of this process for the files a fuzz input is written to.
const std::filesystem::path& workFolder();

// Writes the bytes to a file in the work folder and returns its path.
std::filesystem::path writeInput(const std::string& name, const std::uint8_t* data,
                                 std::size_t size);

// The bytes as the lines of a text file, line ends stripped as the readers strip them.
std::vector<std::string> linesOf(const std::uint8_t* data, std::size_t size);

// The lines joined with LF line ends.
std::string textOf(const std::vector<std::string>& lines);

} // namespace fuzz
