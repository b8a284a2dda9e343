#include "editor/uv/geoset_texture.h"

#include "editor/model/layer_texture.h"
#include "formats/mdx/mdx_model.h"

namespace editor {

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
