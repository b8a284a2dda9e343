#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace common {

// A picture held in memory: rows from the top, 4 bytes a pixel in the order red, green, blue,
// alpha (straight, not premultiplied).
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    RgbaImage() = default;
    RgbaImage(int w, int h)
        : width(w), height(h),
          pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4) {}

    bool empty() const { return width <= 0 || height <= 0; }
    std::uint8_t* at(int x, int y) {
        return pixels.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                static_cast<std::size_t>(x)) *
                                   4;
    }
    const std::uint8_t* at(int x, int y) const {
        return pixels.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                static_cast<std::size_t>(x)) *
                                   4;
    }
};

} // namespace common
