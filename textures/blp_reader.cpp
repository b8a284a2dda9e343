#include "textures/blp_codec.h"

#include "textures/jpeg_codec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace textures {

namespace {

constexpr std::size_t headerSize = 156;
constexpr int maxLevels = 16;
constexpr std::size_t paletteSize = 256 * 4;

struct BlpHeader {
    BlpInfo info;
    std::array<std::uint32_t, maxLevels> offsets{};
    std::array<std::uint32_t, maxLevels> sizes{};
};

int levelSide(int side, int level) {
    return std::max(1, side >> level);
}

BlpHeader readHeader(Bytes bytes) {
    if (!looksLikeBlp(bytes))
        throw TextureError("the file is not a BLP1 texture");
    ByteReader reader(bytes, "BLP");
    reader.skip(4);
    BlpHeader header;
    const std::uint32_t content = reader.u32();
    if (content > 1)
        throw TextureError("the BLP file has an unknown content kind " + std::to_string(content));
    header.info.content = content == 0 ? BlpContent::Jpeg : BlpContent::Paletted;
    header.info.alphaBits = reader.u32();
    const std::uint32_t width = reader.u32();
    const std::uint32_t height = reader.u32();
    checkTextureSize(width, height, "the BLP header");
    header.info.width = static_cast<int>(width);
    header.info.height = static_cast<int>(height);
    reader.skip(8); // the kind of picture for the game, and whether it has mipmaps
    for (auto& offset : header.offsets)
        offset = reader.u32();
    for (auto& size : header.sizes)
        size = reader.u32();
    if (header.info.content == BlpContent::Paletted) {
        const auto bits = header.info.alphaBits;
        if (bits != 0 && bits != 1 && bits != 4 && bits != 8)
            throw TextureError("the paletted BLP file has an alpha depth of " +
                               std::to_string(bits) + " bits; 0, 1, 4 or 8 are possible");
    }
    // Levels are those with data, from the full size down, each at least one pixel.
    const int possible =
        std::min(maxLevels, static_cast<int>(std::bit_width(std::max(width, height))));
    int levels = 0;
    while (levels < possible && header.sizes[static_cast<std::size_t>(levels)] != 0)
        ++levels;
    if (levels == 0)
        throw TextureError("the BLP file holds no picture data");
    header.info.levels = levels;
    return header;
}

Bytes levelData(Bytes bytes, const BlpHeader& header, int level) {
    const auto offset = header.offsets[static_cast<std::size_t>(level)];
    const auto size = header.sizes[static_cast<std::size_t>(level)];
    if (offset < headerSize || offset > bytes.size() || size > bytes.size() - offset)
        throw TextureError("the BLP file is truncated: mipmap " + std::to_string(level) +
                           " lies outside the file");
    return bytes.subspan(offset, size);
}

common::RgbaImage decodeJpegLevel(Bytes bytes, const BlpHeader& header, int level) {
    ByteReader reader(bytes, "BLP");
    reader.skip(headerSize);
    const std::uint32_t tablesSize = reader.u32();
    if (tablesSize > reader.remaining())
        throw TextureError("the BLP file is truncated: its JPEG header lies outside the file");
    const Bytes tables = reader.take(tablesSize);
    const Bytes data = levelData(bytes, header, level);
    std::vector<std::uint8_t> stream(tables.begin(), tables.end());
    stream.insert(stream.end(), data.begin(), data.end());
    const auto picture = decodeFourComponentJpeg(stream);
    const int width = levelSide(header.info.width, level);
    const int height = levelSide(header.info.height, level);
    if (picture.width != width || picture.height != height)
        throw TextureError("mipmap " + std::to_string(level) + " of the BLP file is " +
                           std::to_string(picture.width) + " x " + std::to_string(picture.height) +
                           " pixels; its header says " + std::to_string(width) + " x " +
                           std::to_string(height));
    // The components are stored blue, green, red, alpha.
    common::RgbaImage image(width, height);
    for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
        image.pixels[i] = picture.samples[i + 2];
        image.pixels[i + 1] = picture.samples[i + 1];
        image.pixels[i + 2] = picture.samples[i];
        image.pixels[i + 3] = picture.samples[i + 3];
    }
    return image;
}

common::RgbaImage decodePalettedLevel(Bytes bytes, const BlpHeader& header, int level) {
    ByteReader reader(bytes, "BLP");
    reader.skip(headerSize);
    const Bytes palette = reader.take(paletteSize);
    const Bytes data = levelData(bytes, header, level);
    const int width = levelSide(header.info.width, level);
    const int height = levelSide(header.info.height, level);
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const auto bits = header.info.alphaBits;
    const std::size_t alphaBytes = (count * bits + 7) / 8;
    if (data.size() < count + alphaBytes)
        throw TextureError("mipmap " + std::to_string(level) +
                           " of the BLP file is too short for " + std::to_string(width) + " x " +
                           std::to_string(height) + " pixels");
    const Bytes alpha = data.subspan(count, alphaBytes);
    common::RgbaImage image(width, height);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* colour = &palette[std::size_t{data[i]} * 4];
        auto* out = &image.pixels[i * 4];
        out[0] = colour[2];
        out[1] = colour[1];
        out[2] = colour[0];
        switch (bits) {
        case 0:
            out[3] = 255;
            break;
        case 1:
            out[3] = (alpha[i / 8] >> (i % 8) & 1) ? 255 : 0;
            break;
        case 4:
            out[3] = static_cast<std::uint8_t>((alpha[i / 2] >> (4 * (i % 2)) & 0xF) * 17);
            break;
        default:
            out[3] = alpha[i];
            break;
        }
    }
    return image;
}

} // namespace

bool looksLikeBlp(Bytes bytes) {
    return bytes.size() >= 4 && std::memcmp(bytes.data(), "BLP1", 4) == 0;
}

BlpInfo readBlpInfo(Bytes bytes) {
    return readHeader(bytes).info;
}

common::RgbaImage decodeBlp(Bytes bytes, int level) {
    const auto header = readHeader(bytes);
    if (level < 0 || level >= header.info.levels)
        throw TextureError("the BLP file has no mipmap " + std::to_string(level));
    if (header.info.content == BlpContent::Jpeg)
        return decodeJpegLevel(bytes, header, level);
    return decodePalettedLevel(bytes, header, level);
}

} // namespace textures
