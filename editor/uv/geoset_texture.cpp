#include "editor/uv/geoset_texture.h"

#include "formats/mdx/mdx_model.h"
#include "formats/mdx/track_kinds.h"

#include <cstring>

namespace editor {

namespace {

// The texture a layer shows: its first texture (newest files list them), else its TextureID;
// an animated TextureID its first key's.
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

} // namespace

GeosetTexture findGeosetTexture(const mdx::Model& model, int geosetNumber) {
    GeosetTexture result;
    if (geosetNumber < 1 || static_cast<std::size_t>(geosetNumber) > model.geosets.size()) {
        result.whyNone = "the model has no geoset " + std::to_string(geosetNumber);
        return result;
    }
    const auto materialId = model.geosets[static_cast<std::size_t>(geosetNumber - 1)].materialId;
    if (materialId >= model.materials.size()) {
        result.whyNone = "the model has no material " + std::to_string(materialId);
        return result;
    }
    const auto& layers = model.materials[materialId].layers;
    if (layers.empty()) {
        result.whyNone = "material " + std::to_string(materialId) + " has no layer";
        return result;
    }
    const auto textureId = shownTextureId(layers.front());
    if (textureId >= model.textures.size()) {
        result.whyNone = "the model has no texture " + std::to_string(textureId);
        return result;
    }
    const auto& texture = model.textures[textureId];
    if (texture.replaceableId != 0) {
        result.kind = GeosetTexture::Kind::Replaceable;
        result.replaceableId = static_cast<int>(texture.replaceableId);
        return result;
    }
    if (texture.path.empty()) {
        result.whyNone = "texture " + std::to_string(textureId) + " names no image";
        return result;
    }
    result.kind = GeosetTexture::Kind::Image;
    result.imagePath = texture.path;
    return result;
}

} // namespace editor
