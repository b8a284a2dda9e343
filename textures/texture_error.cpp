#include "textures/texture_error.h"

namespace textures {

void checkTextureSize(long long width, long long height, const std::string& what) {
    if (width < 1 || height < 1)
        throw TextureError(what + " claims an empty picture (" + std::to_string(width) + " x " +
                           std::to_string(height) + ")");
    if (width > maxTextureSide || height > maxTextureSide)
        throw TextureError(what + " claims " + std::to_string(width) + " x " +
                           std::to_string(height) + " pixels, more than the " +
                           std::to_string(maxTextureSide) + " x " + std::to_string(maxTextureSide) +
                           " this program reads");
}

} // namespace textures
