#pragma once

#include "formats/interchange/gltf_buffer.h"
#include "formats/mdx/mdx_model.h"

#include <filesystem>
#include <string>
#include <vector>

namespace interchange {

// Where the PNG files of the textures go: into the buffer (one .glb), or files beside the
// .gltf named by imageUri.
struct ImageOutput {
    bool embedded = true;
    std::string stem; // the .gltf's name without its extension; image i is STEM_i.png
    std::vector<std::vector<std::uint8_t>> files; // the PNG bytes of each file image
};

// The material of a layer: opaque for FilterMode None, MASK at 0.75 for Transparent, BLEND for
// the rest, double-sided from the TwoSided flag.
struct LayerLook {
    std::string alphaMode;
    bool doubleSided = false;
};
LayerLook layerLook(const mdx::Layer& layer);

// One glTF material a material of the model, from its first layer: its texture found beside
// the model, decoded and written as PNG (each texture once), or the flat colour of a
// replaceable texture. A texture that cannot be found or read leaves the material untextured
// and is named in warnings.
void addMaterials(const mdx::Model& model, const std::filesystem::path& modelFolder,
                  tinygltf::Model& gltf, GltfBuffer& buffer, ImageOutput& images,
                  std::vector<std::string>& warnings);

// The first layer's texture of a material, or nothing.
const mdx::Texture* firstLayerTexture(const mdx::Model& model, std::size_t material);

} // namespace interchange
