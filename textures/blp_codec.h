#pragma once

#include "common/rgba_image.h"
#include "textures/byte_reader.h"

#include <cstdint>
#include <vector>

namespace textures {

enum class BlpContent { Jpeg, Paletted };

// What a BLP1 header says, checked against the file's length.
struct BlpInfo {
    BlpContent content = BlpContent::Jpeg;
    std::uint32_t alphaBits = 0; // as stored; only paletted content reads it
    int width = 0;
    int height = 0;
    int levels = 0; // mipmap levels present, from level 0 on
};

// True when the bytes start like a BLP1 file.
bool looksLikeBlp(Bytes bytes);

BlpInfo readBlpInfo(Bytes bytes);

// One mipmap level of a BLP1 file (0 is the full size). Every offset and length is checked
// against the file; throws TextureError with one sentence saying what is wrong.
common::RgbaImage decodeBlp(Bytes bytes, int level = 0);

inline constexpr int defaultBlpQuality = 90;

// A BLP1 file with JPEG content, 8-bit alpha and every mipmap level down to 1 x 1.
std::vector<std::uint8_t> encodeBlp(const common::RgbaImage& image,
                                    int quality = defaultBlpQuality);

} // namespace textures
