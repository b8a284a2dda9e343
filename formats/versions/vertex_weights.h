#pragma once

// Between the two ways a vertex follows bones: a classic vertex group (equal shares of its
// bones' matrices) and Reforged skin weights (four bones of the matrix index list, weights in
// 255ths).

#include "formats/mdx/mdx_model.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace versions {

// A geoset may hold at most this many vertex groups (their numbers are bytes).
inline constexpr std::size_t maxVertexGroups = 255;
// A vertex keeps at most this many bones.
inline constexpr std::size_t maxBonesPerVertex = 4;

// The bones (object ids) a skin-weighted vertex keeps as its group: those weighted at least a
// quarter of its largest weight, at most four, sorted by id so that equal groups compare equal.
struct KeptBones {
    std::vector<std::uint32_t> bones;
    bool approximated = false; // the kept weights were not equal shares, or a weight was dropped
    bool missingBone = false;  // a weight named an entry past the matrix index list
};
KeptBones keptBones(const std::uint8_t* skin, const std::vector<std::uint32_t>& matrixIndices);

// One geoset of the converted model and, for each of its vertices, the vertex of the source
// geoset it was made from.
struct GroupedPart {
    mdx::Geoset geoset;
    std::vector<std::uint32_t> sourceVertex;
};

struct GroupedGeoset {
    std::vector<GroupedPart> parts; // more than one when the groups did not fit one geoset
    std::size_t approximated = 0;
    std::size_t missingBone = 0;
    std::size_t unweighted = 0; // no weight on an existing bone: given the first bone
    bool unsplittable = false;  // too many groups, but faces other than triangles
};

// The skin weights of a geoset as vertex groups, shared between vertices with equal groups. The
// skin, tangents and extra texture coordinate sets are left out; a geoset needing more than
// maxVertexGroups groups is split along its triangles into parts that keep its material.
GroupedGeoset skinToGroups(const mdx::Geoset& geoset);

// Skin weights (eight bytes a vertex) from a geoset's vertex groups: each of the group's first
// four bones at an equal share of 255, the remainder on the first bones. capped counts the
// vertices whose group had more than four bones; unplaced those whose bones lie past the 256th
// entry of the matrix index list or whose group does not exist (left without weights).
struct SkinFromGroups {
    std::vector<std::uint8_t> skin;
    std::size_t capped = 0;
    std::size_t unplaced = 0;
};
SkinFromGroups groupsToSkin(const mdx::Geoset& geoset);

// The weights of n bones (1 to 4) summing to 255, the remainder on the first ones.
std::vector<std::uint8_t> equalShares(std::size_t n);

} // namespace versions
