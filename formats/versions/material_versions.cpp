#include "formats/versions/material_versions.h"

#include <algorithm>
#include <cctype>

namespace versions {

namespace {

const mdx::Tag flipbookTag = mdx::makeTag("KMTF");
const mdx::Tag alphaTag = mdx::makeTag("KMTA");
constexpr std::uint32_t teamColourId = 1;
constexpr std::uint32_t additive = 3;
constexpr std::uint32_t unshaded = 1;
constexpr std::uint32_t twoSided = 16;

bool isShaderMaterial(const mdx::Material& material) {
    return !material.shader.empty() || std::any_of(material.layers.begin(), material.layers.end(),
                                                   [](const mdx::Layer& l) { return l.hd != 0; });
}

mdx::Tracks tracksTagged(const mdx::Tracks& tracks, mdx::Tag tag) {
    mdx::Tracks kept;
    for (const auto& track : tracks)
        if (track.tag == tag)
            kept.push_back(track);
    return kept;
}

void dropTracksTagged(mdx::Tracks& tracks, mdx::Tag tag) {
    std::erase_if(tracks, [tag](const mdx::Track& t) { return t.tag == tag; });
}

// A layer with only what FormatVersion 800 stores; counts the tracks it loses.
mdx::Layer classicLayer(mdx::Layer layer, std::size_t& tracksDropped) {
    const mdx::Layer defaults;
    layer.emissiveGain = defaults.emissiveGain;
    layer.fresnelColor = defaults.fresnelColor;
    layer.fresnelOpacity = defaults.fresnelOpacity;
    layer.fresnelTeamColor = defaults.fresnelTeamColor;
    layer.hd = 0;
    layer.textures.clear();
    tracksDropped += static_cast<std::size_t>(std::erase_if(layer.tracks, [](const mdx::Track& t) {
        return t.tag != flipbookTag && t.tag != alphaTag;
    }));
    return layer;
}

bool endsWithDds(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".dds";
}

} // namespace

void toSeparateLayers(mdx::Model& model) {
    for (auto& material : model.materials) {
        // In the 1000 layout the shader's name is what marks a shader material.
        if (isShaderMaterial(material) && material.shader.empty())
            material.shader = defaultShader;
        std::vector<mdx::Layer> layers;
        for (auto& layer : material.layers) {
            if (layer.textures.empty()) {
                layer.hd = 0;
                layers.push_back(std::move(layer));
                continue;
            }
            auto textures = std::move(layer.textures);
            std::stable_sort(textures.begin(), textures.end(),
                             [](const auto& a, const auto& b) { return a.semantic < b.semantic; });
            layer.textures.clear();
            layer.hd = 0;
            dropTracksTagged(layer.tracks, flipbookTag);
            for (auto& texture : textures) {
                mdx::Layer one = layer;
                if (&texture != &textures.front())
                    one.tracks.clear(); // the layer's own tracks stay with its first texture
                one.textureId = texture.textureId;
                auto flipbook = tracksTagged(texture.tracks, flipbookTag);
                one.tracks.insert(one.tracks.begin(), flipbook.begin(), flipbook.end());
                layers.push_back(std::move(one));
            }
        }
        material.layers = std::move(layers);
    }
}

std::size_t toCombinedLayers(mdx::Model& model) {
    std::size_t folded = 0;
    // A layer's settings apart from its texture and flipbook.
    const auto settings = [](mdx::Layer layer) {
        layer.textureId = 0;
        dropTracksTagged(layer.tracks, flipbookTag);
        return layer;
    };
    for (auto& material : model.materials) {
        const auto textureOf = [](const mdx::Layer& layer, std::uint32_t semantic) {
            return mdx::LayerTexture{layer.textureId, semantic,
                                     tracksTagged(layer.tracks, flipbookTag)};
        };
        if (!material.shader.empty() && !material.layers.empty()) {
            mdx::Layer combined = material.layers.front();
            combined.hd = 1;
            combined.textures.clear();
            for (std::size_t i = 0; i < material.layers.size(); ++i) {
                combined.textures.push_back(
                    textureOf(material.layers[i], static_cast<std::uint32_t>(i)));
                folded += !(settings(material.layers[i]) == settings(material.layers.front()));
            }
            dropTracksTagged(combined.tracks, flipbookTag);
            material.layers.assign(1, std::move(combined));
            continue;
        }
        for (auto& layer : material.layers) {
            layer.hd = 0;
            layer.textures.assign(1, textureOf(layer, Diffuse));
            dropTracksTagged(layer.tracks, flipbookTag);
        }
    }
    return folded;
}

ClassicMaterials toClassicMaterials(mdx::Model& model) {
    ClassicMaterials result;
    const auto textureExists = [&](const mdx::Layer& l) {
        return l.textureId < model.textures.size();
    };
    for (auto& material : model.materials) {
        const bool shader = isShaderMaterial(material);
        material.shader.clear();
        if (!shader || material.layers.empty()) {
            for (auto& layer : material.layers)
                layer = classicLayer(std::move(layer), result.tracksDropped);
            continue;
        }
        ++result.converted;
        const auto& layers = material.layers;
        const mdx::Layer diffuse = classicLayer(layers[Diffuse], result.tracksDropped);
        std::vector<mdx::Layer> classic;
        if (layers.size() > TeamColour && textureExists(layers[TeamColour]) &&
            model.textures[layers[TeamColour].textureId].replaceableId == teamColourId) {
            mdx::Layer team;
            team.textureId = layers[TeamColour].textureId;
            team.coordId = diffuse.coordId;
            team.shadingFlags = diffuse.shadingFlags & twoSided;
            classic.push_back(team);
            ++result.teamColour;
        }
        classic.push_back(diffuse);
        if (layers.size() > Emissive && textureExists(layers[Emissive]) &&
            !model.textures[layers[Emissive].textureId].path.empty()) {
            mdx::Layer glow;
            glow.filterMode = additive;
            glow.shadingFlags = unshaded | (diffuse.shadingFlags & twoSided);
            glow.textureId = layers[Emissive].textureId;
            glow.coordId = layers[Emissive].coordId;
            classic.push_back(glow);
            ++result.emissive;
        }
        for (std::size_t i = 0; i < layers.size(); ++i)
            if (i != Diffuse)
                result.tracksDropped += layers[i].tracks.size();
        material.layers = std::move(classic);
    }
    for (auto& texture : model.textures)
        if (endsWithDds(texture.path)) {
            result.renamedTextures.push_back(texture.path);
            texture.path.replace(texture.path.size() - 4, 4, ".blp");
        }
    return result;
}

std::size_t toShaderMaterials(mdx::Model& model) {
    std::size_t count = 0;
    for (auto& material : model.materials)
        if (material.shader.empty() && !material.layers.empty()) {
            material.shader = defaultShader;
            ++count;
        }
    return count;
}

} // namespace versions
