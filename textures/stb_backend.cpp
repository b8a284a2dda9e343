#include "textures/stb_backend.h"

#include <climits>

// The libraries' implementations are compiled here, with this program's size limit and without
// their file functions (everything goes through memory).
#define STBI_MAX_DIMENSIONS 8192
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_ONLY_PNG
#define STBI_ONLY_GIF
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_FAILURE_USERMSG
#define STB_IMAGE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wpedantic"
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

static_assert(STBI_MAX_DIMENSIONS == textures::maxTextureSide);

namespace textures {

namespace {

extern "C" void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

void checkWritable(const common::RgbaImage& image) {
    checkTextureSize(image.width, image.height, "the picture");
    if (image.pixels.size() !=
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4)
        throw TextureError("the picture's pixels do not match its size");
}

} // namespace

common::RgbaImage decodeWithStb(Bytes bytes, const std::string& kind) {
    if (bytes.size() > static_cast<std::size_t>(INT_MAX))
        throw TextureError("the " + kind + " file is too large");
    int width = 0;
    int height = 0;
    int channels = 0;
    const int length = static_cast<int>(bytes.size());
    if (!stbi_info_from_memory(bytes.data(), length, &width, &height, &channels))
        throw TextureError("the " + kind + " file cannot be read: " + stbi_failure_reason());
    checkTextureSize(width, height, "the " + kind + " file");
    unsigned char* pixels =
        stbi_load_from_memory(bytes.data(), length, &width, &height, &channels, 4);
    if (!pixels)
        throw TextureError("the " + kind + " file cannot be read: " + stbi_failure_reason());
    common::RgbaImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(pixels, pixels + static_cast<std::size_t>(width) *
                                             static_cast<std::size_t>(height) * 4);
    stbi_image_free(pixels);
    return image;
}

std::vector<std::uint8_t> encodePng(const common::RgbaImage& image) {
    checkWritable(image);
    std::vector<std::uint8_t> out;
    if (!stbi_write_png_to_func(appendBytes, &out, image.width, image.height, 4,
                                image.pixels.data(), image.width * 4))
        throw TextureError("the PNG data cannot be written");
    return out;
}

std::vector<std::uint8_t> encodeTga(const common::RgbaImage& image) {
    checkWritable(image);
    std::vector<std::uint8_t> out;
    if (!stbi_write_tga_to_func(appendBytes, &out, image.width, image.height, 4,
                                image.pixels.data()))
        throw TextureError("the TGA data cannot be written");
    return out;
}

std::vector<std::uint8_t> encodeBmp(const common::RgbaImage& image) {
    checkWritable(image);
    std::vector<std::uint8_t> rgb;
    rgb.reserve(image.pixels.size() / 4 * 3);
    for (std::size_t i = 0; i + 3 < image.pixels.size(); i += 4)
        rgb.insert(rgb.end(), {image.pixels[i], image.pixels[i + 1], image.pixels[i + 2]});
    std::vector<std::uint8_t> out;
    if (!stbi_write_bmp_to_func(appendBytes, &out, image.width, image.height, 3, rgb.data()))
        throw TextureError("the BMP data cannot be written");
    return out;
}

} // namespace textures
