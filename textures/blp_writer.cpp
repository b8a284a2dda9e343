#include "textures/blp_codec.h"

#include "textures/image_ops.h"
#include "textures/jpeg_codec.h"

#include <array>

namespace textures {

namespace {

void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The picture's samples in the order the texture's JPEG keeps them: blue, green, red, alpha.
FourComponentPicture storedOrder(const common::RgbaImage& image) {
    FourComponentPicture picture{image.width, image.height, image.pixels};
    for (std::size_t i = 0; i + 3 < picture.samples.size(); i += 4)
        std::swap(picture.samples[i], picture.samples[i + 2]);
    return picture;
}

} // namespace

std::vector<std::uint8_t> encodeBlp(const common::RgbaImage& image, int quality) {
    checkTextureSize(image.width, image.height, "the picture");
    if (quality < 1 || quality > 100)
        throw TextureError("the BLP quality must be between 1 and 100");

    // Every level is its own table-less JPEG stream; the shared header is the tables stream
    // without its end marker, and each level's data its stream without the start marker, so
    // header plus data is one whole JPEG.
    auto tables = encodeFourComponentTables(quality);
    tables.resize(tables.size() - 2);
    std::vector<std::vector<std::uint8_t>> levels;
    common::RgbaImage level = image;
    while (levels.size() < 16) {
        auto stream = encodeFourComponentImage(storedOrder(level), quality);
        levels.emplace_back(stream.begin() + 2, stream.end());
        if (level.width == 1 && level.height == 1)
            break;
        level = halved(level);
    }

    std::vector<std::uint8_t> out(156 + 4, 0);
    out[0] = 'B';
    out[1] = 'L';
    out[2] = 'P';
    out[3] = '1';
    put32(out, 4, 0); // JPEG content
    put32(out, 8, 8); // 8-bit alpha
    put32(out, 12, static_cast<std::uint32_t>(image.width));
    put32(out, 16, static_cast<std::uint32_t>(image.height));
    put32(out, 20, 4); // colour and alpha, as the game's own textures with alpha say
    put32(out, 24, 1); // has mipmaps
    put32(out, 156, static_cast<std::uint32_t>(tables.size()));
    out.insert(out.end(), tables.begin(), tables.end());
    for (std::size_t i = 0; i < levels.size(); ++i) {
        put32(out, 28 + 4 * i, static_cast<std::uint32_t>(out.size()));
        put32(out, 92 + 4 * i, static_cast<std::uint32_t>(levels[i].size()));
        out.insert(out.end(), levels[i].begin(), levels[i].end());
    }
    return out;
}

} // namespace textures
