#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// Pixels decoded by a program other than ours, to compare with.
struct OtherDecoding {
    int width = 0;
    int height = 0;
    int channels = 0; // 3 (RGB) or 4 (RGBA)
    std::vector<std::uint8_t> pixels;
};

// Debian's Pillow (python3-pil), as RGB or RGBA as it gives the picture; nothing when Pillow is
// not installed. Throws std::runtime_error when Pillow refuses the file.
std::optional<OtherDecoding> decodeWithPillow(const std::filesystem::path& file);

// True when ImageMagick's convert runs.
bool imageMagickAvailable();

// Runs ImageMagick's convert with the arguments; throws when it fails.
void runImageMagick(const std::vector<std::string>& arguments);

} // namespace testing_support
