#pragma once

#include <stdexcept>
#include <string>

namespace textures {

// A picture that cannot be read or written; what() is one sentence for the user.
class TextureError : public std::runtime_error {
  public:
    explicit TextureError(const std::string& message) : std::runtime_error(message) {}
};

// No decoder accepts a picture wider or taller than this; a header claiming more is refused
// before anything is allocated.
inline constexpr int maxTextureSide = 8192;

// Throws unless both sides are between 1 and maxTextureSide.
void checkTextureSize(long long width, long long height, const std::string& what);

} // namespace textures
