#pragma once

#include "formats/mdx/mdx_model.h"

#include <vector>

namespace versions {

// A tangent (x, y, z, w) for every vertex of the geoset, from its positions, normals and first
// texture coordinate set: each triangle's tangent and bitangent along u and v, added to its
// corners, the sum made perpendicular to the normal, and w = -1 where the frame is mirrored
// (the normal's cross product with the tangent points against the bitangent), else 1. Vertices
// without a usable triangle get a unit vector across their normal.
std::vector<mdx::Vec4> computeTangents(const mdx::Geoset& geoset);

} // namespace versions
