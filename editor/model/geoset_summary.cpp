#include "editor/model/geoset_summary.h"

#include "editor/model/layer_texture.h"

#include <cstdint>

namespace editor {

namespace {

constexpr std::uint32_t trianglesType = 4;
constexpr std::uint32_t stripType = 5;
constexpr std::uint32_t fanType = 6;

// The triangles the geoset's face groups make: a list of triangles three corners each, a strip
// or fan one for every corner past its second.
int triangleCount(const mdx::Geoset& geoset) {
    if (geoset.faceTypes.empty())
        return static_cast<int>(geoset.faces.size() / 3);
    std::size_t triangles = 0;
    for (std::size_t g = 0; g < geoset.faceTypes.size() && g < geoset.faceGroupSizes.size(); ++g) {
        const std::size_t size = geoset.faceGroupSizes[g];
        if (geoset.faceTypes[g] == trianglesType)
            triangles += size / 3;
        else if ((geoset.faceTypes[g] == stripType || geoset.faceTypes[g] == fanType) && size > 2)
            triangles += size - 2;
    }
    return static_cast<int>(triangles);
}

std::string textureName(const mdx::Model& model, std::uint32_t id) {
    if (id >= model.textures.size())
        return {};
    const auto& texture = model.textures[id];
    switch (texture.replaceableId) {
    case 0:
        return texture.path;
    case 1:
        return "Team colour";
    case 2:
        return "Team glow";
    default:
        return "Replaceable " + std::to_string(texture.replaceableId);
    }
}

} // namespace

std::vector<GeosetSummary> summarizeGeosets(const mdx::Model& model) {
    std::vector<GeosetSummary> summaries;
    summaries.reserve(model.geosets.size());
    for (const auto& geoset : model.geosets) {
        GeosetSummary summary;
        summary.vertices = static_cast<int>(geoset.vertices.size());
        summary.triangles = triangleCount(geoset);
        summary.material = static_cast<int>(geoset.materialId);
        if (geoset.materialId < model.materials.size())
            for (const auto& layer : model.materials[geoset.materialId].layers)
                summary.textures.push_back(textureName(model, shownTextureId(layer)));
        summaries.push_back(std::move(summary));
    }
    return summaries;
}

std::string geosetSummaryText(int number, const GeosetSummary& summary) {
    std::string text = std::to_string(number) + ": " + std::to_string(summary.vertices) +
                       " vertices, " + std::to_string(summary.triangles) + " triangles";
    if (!summary.textures.empty() && !summary.textures.front().empty())
        text += ", " + summary.textures.front();
    return text;
}

} // namespace editor
