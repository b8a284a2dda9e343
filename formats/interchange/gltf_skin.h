#pragma once

#include "formats/animation/skeleton.h"

#include <cstdint>
#include <vector>

namespace interchange {

// A vertex's joints (indices in Skeleton::nodes) and their weights, which sum to 1.
struct Influence {
    int joint = 0;
    float weight = 0;
};

// Every vertex's influences as the pose skins it: a classic vertex its group's bones at equal
// weights, a skin-weighted one its own four weights scaled to sum to 1, one joint named twice
// taken once with the weights added. Empty for a vertex the pose leaves where it is (no such
// group or bone, every weight 0).
std::vector<std::vector<Influence>> vertexInfluences(const mdx::Geoset& geoset,
                                                     const animation::Skeleton& skeleton);

// The JOINTS_n and WEIGHTS_n attributes: four influences a set, as many sets as the vertex with
// the most needs. A vertex without influences follows staticJoint (a place in the skin's
// joints), which never moves.
struct SkinSets {
    std::vector<std::vector<std::uint16_t>> joints;
    std::vector<std::vector<float>> weights;
};
SkinSets skinSets(const std::vector<std::vector<Influence>>& influences, int staticJoint);

} // namespace interchange
