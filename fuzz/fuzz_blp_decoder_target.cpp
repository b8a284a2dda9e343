// Decodes any bytes as a BLP texture, every mipmap level the header claims: a picture of the
// claimed size, or one TextureError.
#include "textures/blp_codec.h"
#include "textures/texture_error.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const textures::Bytes bytes(data, size);
    try {
        const auto info = textures::readBlpInfo(bytes);
        for (int level = 0; level < info.levels; ++level) {
            try {
                const auto image = textures::decodeBlp(bytes, level);
                if (image.width != std::max(1, info.width >> level) ||
                    image.pixels.size() != static_cast<std::size_t>(image.width) *
                                               static_cast<std::size_t>(image.height) * 4)
                    __builtin_trap();
            } catch (const textures::TextureError& error) {
                if (!*error.what())
                    __builtin_trap();
            }
        }
    } catch (const textures::TextureError& error) {
        if (!*error.what())
            __builtin_trap();
    }
    return 0;
}
