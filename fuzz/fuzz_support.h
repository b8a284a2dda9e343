#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace fuzz {

// A folder of this process for the files a fuzz input is written to.
const std::filesystem::path& workFolder();

// Writes the bytes to a file in the work folder and returns its path.
std::filesystem::path writeInput(const std::string& name, const std::uint8_t* data,
                                 std::size_t size);

} // namespace fuzz
