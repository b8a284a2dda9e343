#pragma once

#include "common/rgba_image.h"
#include "textures/byte_reader.h"

#include <cstdint>
#include <string>
#include <vector>

namespace textures {

// PNG, GIF (its first frame), BMP and TGA through stb_image, as RGBA. Sizes beyond
// maxTextureSide are refused. Throws TextureError naming the kind given.
common::RgbaImage decodeWithStb(Bytes bytes, const std::string& kind);

// Writers through stb_image_write.
std::vector<std::uint8_t> encodePng(const common::RgbaImage& image);
std::vector<std::uint8_t> encodeTga(const common::RgbaImage& image); // RLE, 32-bit
std::vector<std::uint8_t> encodeBmp(const common::RgbaImage& image); // 24-bit, alpha dropped

} // namespace textures
