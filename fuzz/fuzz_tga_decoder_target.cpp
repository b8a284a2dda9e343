// Decodes any bytes as a TGA picture: a picture whose pixels fill its size, or one
// TextureError.
#include "textures/texture_error.h"
#include "textures/tga_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto image = textures::decodeTga(textures::Bytes(data, size));
        if (image.width < 1 || image.height < 1 || image.width > textures::maxTextureSide ||
            image.pixels.size() !=
                static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4)
            __builtin_trap();
    } catch (const textures::TextureError& error) {
        if (!*error.what())
            __builtin_trap();
    }
    return 0;
}
