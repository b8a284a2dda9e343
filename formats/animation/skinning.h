#pragma once

#include "formats/animation/skeleton.h"

#include <vector>

namespace animation {

// A geoset's vertices and normals moved by the nodes' world matrices.
struct SkinnedGeoset {
    std::vector<common::Vec3> vertices;
    std::vector<common::Vec3> normals;
    int unskinned = 0; // vertices left where they are: no such group or bone, or no weight
};

// Whether the geoset's vertices follow skin weights (four bones each, from its matrix index
// list) rather than vertex groups: a skin of eight bytes for every vertex.
bool hasSkinWeights(const mdx::Geoset& geoset);

// Classic vertices take the average of their vertex group's bones' matrices; skin-weighted
// ones the sum of (weight / 255) · matrix of the bone their matrix index list names. A vertex
// whose group or any of whose bones does not exist, or whose weights are all 0, stays where
// it is. Normals go through the matrix's 3 x 3 part and are normalised again. out's arrays
// are reused.
void skinGeoset(const mdx::Geoset& geoset, const Skeleton& skeleton,
                const std::vector<common::Mat4>& world, SkinnedGeoset& out);

} // namespace animation
