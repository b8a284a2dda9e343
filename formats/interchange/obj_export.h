#pragma once

#include "formats/mdx/mdx_model.h"

#include <filesystem>
#include <optional>
#include <string>

namespace interchange {

// One geoset of the model as a Wavefront OBJ in the model's axes: its vertices in order with
// their normals and first texture coordinates (V turned to OBJ's bottom-up convention), each
// number with 6 decimals, and its triangles, every corner naming the same index of the three
// lists. The material is named after the geoset's and described in the .mtl beside it.
std::string objText(const mdx::Geoset& geoset, const std::string& mtlName,
                    const std::string& materialName);

// The .mtl of that material: its texture (the first layer's path, with forward slashes) as the
// diffuse map; a flat colour for a replaceable texture.
std::string mtlText(const mdx::Model& model, std::size_t geosetIndex,
                    const std::string& materialName);

// Writes geoset geosetIndex of the model to path and its .mtl beside it (same name, .mtl), each
// replaced as a whole, the .mtl first. Nothing when written, else why not.
std::optional<std::string> writeObjFiles(const mdx::Model& model, std::size_t geosetIndex,
                                         const std::filesystem::path& path);

} // namespace interchange
