#pragma once

#include "common/rgba_image.h"
#include "textures/byte_reader.h"

#include <cstdint>
#include <vector>

namespace textures {

// A JPEG's four components as stored, without any colour conversion (textures keep blue,
// green, red and alpha in them).
struct FourComponentPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> samples; // 4 bytes a pixel, rows from the top
};

// An ordinary JPEG file (grey, colour or CMYK) as RGBA, alpha opaque. Throws TextureError.
common::RgbaImage decodeJpeg(Bytes bytes);

// A four-component JPEG's samples as stored. Throws TextureError, also for any other number of
// components.
FourComponentPicture decodeFourComponentJpeg(Bytes bytes);

// An ordinary JPEG file of the picture's colour (alpha is dropped); quality 1..100.
std::vector<std::uint8_t> encodeJpeg(const common::RgbaImage& image, int quality);

// The tables of a four-component JPEG at the quality, as a stream of its own: start marker,
// quantisation and Huffman tables, end marker.
std::vector<std::uint8_t> encodeFourComponentTables(int quality);

// A four-component picture as a JPEG stream without tables (they come from the stream above):
// start marker, frame, scan, end marker. No colour transform is applied or marked.
std::vector<std::uint8_t> encodeFourComponentImage(const FourComponentPicture& picture,
                                                   int quality);

} // namespace textures
