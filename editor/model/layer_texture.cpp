#include "editor/model/layer_texture.h"

#include <cstring>

namespace editor {

std::uint32_t shownTextureId(const mdx::Layer& layer) {
    if (!layer.textures.empty())
        return layer.textures.front().textureId;
    for (const auto& track : layer.tracks)
        if (track.tag == mdx::makeTag("KMTF") && !track.keys.empty()) {
            // Integer tracks hold their integers' bits.
            std::uint32_t id = 0;
            std::memcpy(&id, &track.keys.front().value[0], sizeof(id));
            return id;
        }
    return layer.textureId;
}

} // namespace editor
