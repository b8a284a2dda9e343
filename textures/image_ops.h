#pragma once

#include "common/rgba_image.h"

#include <cstdint>

namespace textures {

// The next smaller mipmap: each side halved (never below one pixel), every pixel the mean of
// the up to four it covers.
common::RgbaImage halved(const common::RgbaImage& image);

// The picture scaled to the size by sampling the nearest source pixel.
common::RgbaImage scaledNearest(const common::RgbaImage& image, int width, int height);

struct Rgba {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;
};

// A one-pixel line between two pixel positions; the parts outside the picture are left out.
void drawLine(common::RgbaImage& image, double x1, double y1, double x2, double y2, Rgba colour);

} // namespace textures
