#pragma once

#include "formats/mdx/mdx_model.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace interchange {

// A whole model as glTF 2.0: one mesh a geoset of the first level of detail, one node a
// skeleton node (its origin at the pivot), one skin, one animation a sequence, one material a
// material; in glTF's axes (gltf_axes.h). The textures are found beside the model (from
// modelFolder) and written as PNG.

// Whether the path names a glTF file (.glb or .gltf, in any case).
bool isGltfPath(const std::filesystem::path& path);

// The model as one binary glTF (.glb), the textures inside it. warnings gets what was left out
// or mended on the way (a texture not found, a geoset without triangles).
std::vector<std::uint8_t> gltfBinary(const mdx::Model& model,
                                     const std::filesystem::path& modelFolder,
                                     std::vector<std::string>& warnings);

struct GltfExport {
    std::optional<std::string> error; // why nothing was written
    std::vector<std::string> warnings;
    std::size_t meshes = 0;
    std::size_t animations = 0;
};

// Writes the model to path: one .glb, or a .gltf with its buffer (NAME.bin) and textures
// (NAME_i.png) beside it. Every file is replaced as a whole, the .gltf last, so a failure
// leaves no .gltf naming files that are not there.
GltfExport writeGltfFile(const mdx::Model& model, const std::filesystem::path& modelFolder,
                         const std::filesystem::path& path);

} // namespace interchange
