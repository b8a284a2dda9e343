#include "textures/tga_reader.h"

#include "textures/stb_backend.h"

#include <algorithm>

namespace textures {

namespace {

struct TgaHeader {
    int idLength = 0;
    int colourMapType = 0;
    int imageType = 0;
    int mapFirst = 0;
    int mapLength = 0;
    int mapBits = 0;
    int width = 0;
    int height = 0;
    int pixelBits = 0;
    int descriptor = 0;
};

TgaHeader readHeader(Bytes bytes) {
    ByteReader reader(bytes, "TGA");
    TgaHeader h;
    h.idLength = reader.u8();
    h.colourMapType = reader.u8();
    h.imageType = reader.u8();
    h.mapFirst = reader.u16();
    h.mapLength = reader.u16();
    h.mapBits = reader.u8();
    reader.skip(4); // origin on the screen
    h.width = reader.u16();
    h.height = reader.u16();
    h.pixelBits = reader.u8();
    h.descriptor = reader.u8();
    return h;
}

bool paletted(const TgaHeader& h) {
    return h.imageType == 1 || h.imageType == 9;
}

bool runLength(const TgaHeader& h) {
    return h.imageType >= 9;
}

// Says what is wrong with the header, or nothing.
std::string headerFault(const TgaHeader& h) {
    const int type = h.imageType & ~8;
    if (h.colourMapType > 1 || type < 1 || type > 3 || h.imageType > 11)
        return "the file is not a TGA picture this program reads";
    if (paletted(h)) {
        if (h.colourMapType != 1 || h.pixelBits != 8 || h.mapLength == 0)
            return "the paletted TGA file has no usable palette";
        if (h.mapFirst != 0)
            return "the TGA palette does not start at entry 0";
        if (h.mapBits != 15 && h.mapBits != 16 && h.mapBits != 24 && h.mapBits != 32)
            return "the TGA palette has " + std::to_string(h.mapBits) + "-bit colours";
    } else if (type == 3 ? h.pixelBits != 8
                         : h.pixelBits != 15 && h.pixelBits != 16 && h.pixelBits != 24 &&
                               h.pixelBits != 32) {
        return "the TGA file has " + std::to_string(h.pixelBits) + "-bit pixels";
    }
    return {};
}

// Walks the pixel data (packets when run-length encoded) and throws when the file ends first.
void checkPixelData(Bytes bytes, const TgaHeader& h) {
    ByteReader reader(bytes, "TGA");
    reader.skip(18 + static_cast<std::size_t>(h.idLength));
    if (h.colourMapType == 1)
        reader.skip(static_cast<std::size_t>(h.mapLength) *
                    static_cast<std::size_t>((h.mapBits + 7) / 8));
    const std::size_t pixelBytes = static_cast<std::size_t>((h.pixelBits + 7) / 8);
    const std::size_t count =
        static_cast<std::size_t>(h.width) * static_cast<std::size_t>(h.height);
    if (!runLength(h)) {
        reader.skip(count * pixelBytes);
        return;
    }
    std::size_t done = 0;
    while (done < count) {
        const std::uint8_t packet = reader.u8();
        const std::size_t run = (packet & 0x7F) + 1u;
        reader.skip((packet & 0x80) ? pixelBytes : run * pixelBytes);
        done += run;
    }
}

void mirrorRows(common::RgbaImage& image) {
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width / 2; ++x)
            std::swap_ranges(image.at(x, y), image.at(x, y) + 4, image.at(image.width - 1 - x, y));
}

} // namespace

bool looksLikeTga(Bytes bytes) {
    if (bytes.size() < 18)
        return false;
    const auto h = readHeader(bytes);
    return headerFault(h).empty() && h.width > 0 && h.height > 0;
}

common::RgbaImage decodeTga(Bytes bytes) {
    const auto h = readHeader(bytes);
    if (const auto fault = headerFault(h); !fault.empty())
        throw TextureError(fault);
    checkTextureSize(h.width, h.height, "the TGA header");
    checkPixelData(bytes, h);
    auto image = decodeWithStb(bytes, "TGA");
    if (image.width != h.width || image.height != h.height)
        throw TextureError("the TGA file cannot be read");
    if (h.descriptor & 0x10) // pixels stored from the right
        mirrorRows(image);
    return image;
}

} // namespace textures
