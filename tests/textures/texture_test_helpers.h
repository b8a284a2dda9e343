#pragma once

#include "common/rgba_image.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace texture_tests {

inline void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A paletted BLP1 file written byte by byte: palette entry i is (blue i, green 255 - i,
// red i / 2); every level's indices are (x + 3 y) mod 256 and its alpha values, packed at the
// depth, are (x + y) mod 2^bits.
inline std::vector<std::uint8_t> palettedBlp(int width, int height, std::uint32_t alphaBits,
                                             int levels) {
    std::vector<std::uint8_t> out(156 + 1024, 0);
    out[0] = 'B', out[1] = 'L', out[2] = 'P', out[3] = '1';
    put32(out, 4, 1);
    put32(out, 8, alphaBits);
    put32(out, 12, static_cast<std::uint32_t>(width));
    put32(out, 16, static_cast<std::uint32_t>(height));
    put32(out, 20, 4);
    put32(out, 24, 1);
    for (int i = 0; i < 256; ++i) {
        out[156 + 4 * static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
        out[157 + 4 * static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(255 - i);
        out[158 + 4 * static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i / 2);
    }
    for (int level = 0; level < levels; ++level) {
        const int w = std::max(1, width >> level);
        const int h = std::max(1, height >> level);
        const std::size_t count = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
        std::vector<std::uint8_t> data(count + (count * alphaBits + 7) / 8, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::size_t i = static_cast<std::size_t>(y * w + x);
                data[i] = static_cast<std::uint8_t>((x + 3 * y) % 256);
                if (alphaBits == 0)
                    continue;
                const unsigned value = static_cast<unsigned>(x + y) % (1u << alphaBits);
                const std::size_t bit = i * alphaBits;
                data[count + bit / 8] |= static_cast<std::uint8_t>(value << (bit % 8));
            }
        put32(out, 28 + 4 * static_cast<std::size_t>(level),
              static_cast<std::uint32_t>(out.size()));
        put32(out, 92 + 4 * static_cast<std::size_t>(level),
              static_cast<std::uint32_t>(data.size()));
        out.insert(out.end(), data.begin(), data.end());
    }
    return out;
}

// A picture with smooth colour and alpha gradients (what JPEG keeps well) and a hard edge.
inline common::RgbaImage gradientPicture(int width, int height) {
    common::RgbaImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            auto* p = image.at(x, y);
            p[0] = static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1));
            p[1] = static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1));
            p[2] = static_cast<std::uint8_t>(x < width / 2 ? 40 : 200);
            p[3] = static_cast<std::uint8_t>(255 - y * 200 / std::max(1, height - 1));
        }
    return image;
}

// The largest difference of one channel between two pictures of the same size.
inline int largestDifference(const common::RgbaImage& a, const common::RgbaImage& b) {
    int worst = 0;
    for (std::size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
        worst = std::max(worst, std::abs(int{a.pixels[i]} - int{b.pixels[i]}));
    return worst;
}

// The mean difference of one channel.
inline double meanDifference(const common::RgbaImage& a, const common::RgbaImage& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
        sum += std::abs(int{a.pixels[i]} - int{b.pixels[i]});
    return a.pixels.empty() ? 0 : sum / static_cast<double>(a.pixels.size());
}

inline void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

} // namespace texture_tests
