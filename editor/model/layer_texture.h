#pragma once

#include "formats/mdx/mdx_model.h"

#include <cstdint>

namespace editor {

// The texture a layer shows: its first texture (the newest files list them), else its
// TextureID; an animated TextureID its first key's.
std::uint32_t shownTextureId(const mdx::Layer& layer);

} // namespace editor
