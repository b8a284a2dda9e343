#pragma once

#include "formats/interchange/gltf_buffer.h"
#include "formats/interchange/gltf_skin.h"
#include "formats/mdx/mdx_model.h"

#include <string>
#include <vector>

namespace interchange {

// Whether a geoset is exported: the first level of detail only (and those of every level).
bool isExportedGeoset(const mdx::Geoset& geoset);

// The corners of a geoset's triangles (its face groups of triangles), without the triangles
// that name a vertex it does not have.
std::vector<std::uint32_t> triangleCorners(const mdx::Geoset& geoset, std::size_t& dropped);

// The mesh of a geoset in glTF's axes, in its vertex order: positions, normals, the first
// texture coordinates, Reforged tangents, the joints and weights of skin (none when skin is
// null) and the geoset's material. -1, with a warning, for a geoset without a triangle.
int addGeosetMesh(const mdx::Model& model, std::size_t geosetIndex, const SkinSets* skin,
                  tinygltf::Model& gltf, GltfBuffer& buffer, std::vector<std::string>& warnings);

} // namespace interchange
