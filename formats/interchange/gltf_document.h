#pragma once

#include "formats/interchange/gltf_materials.h"
#include "formats/mdx/mdx_model.h"

#include <tiny_gltf.h>

#include <filesystem>
#include <string>
#include <vector>

namespace interchange {

// The glTF document of the whole model, its data in buffer 0 (see gltf_export.h).
tinygltf::Model gltfDocument(const mdx::Model& model, const std::filesystem::path& modelFolder,
                             ImageOutput& images, std::vector<std::string>& warnings);

} // namespace interchange
