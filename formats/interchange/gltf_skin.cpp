#include "formats/interchange/gltf_skin.h"

#include "formats/animation/skinning.h"

#include <algorithm>

namespace interchange {

namespace {

void addInfluence(std::vector<Influence>& list, int joint, float weight) {
    for (auto& influence : list)
        if (influence.joint == joint) {
            influence.weight += weight;
            return;
        }
    list.push_back({joint, weight});
}

// The bones of each vertex group; empty for a group with no bones or a missing one.
std::vector<std::vector<Influence>> groupInfluences(const mdx::Geoset& geoset,
                                                    const animation::Skeleton& skeleton) {
    std::vector<std::vector<Influence>> groups;
    std::size_t next = 0;
    for (const std::uint32_t size : geoset.matrixGroupSizes) {
        std::vector<Influence> group;
        if (size > 0 && size <= geoset.matrixIndices.size() - next) {
            for (std::size_t i = next; i < next + size; ++i) {
                const int node = skeleton.indexOf(geoset.matrixIndices[i]);
                if (node < 0) {
                    group.clear();
                    break;
                }
                addInfluence(group, node, 1.0f / static_cast<float>(size));
            }
        }
        next += std::min<std::size_t>(size, geoset.matrixIndices.size() - next);
        groups.push_back(std::move(group));
    }
    return groups;
}

std::vector<Influence> weightedInfluences(const std::uint8_t* skin,
                                          const std::vector<int>& listNodes) {
    std::vector<Influence> list;
    float total = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint8_t weight = skin[4 + i];
        if (weight == 0)
            continue;
        const std::size_t entry = skin[i];
        if (entry >= listNodes.size() || listNodes[entry] < 0)
            return {};
        addInfluence(list, listNodes[entry], weight);
        total += weight;
    }
    for (auto& influence : list)
        influence.weight /= total;
    return list;
}

} // namespace

std::vector<std::vector<Influence>> vertexInfluences(const mdx::Geoset& geoset,
                                                     const animation::Skeleton& skeleton) {
    const std::size_t count = geoset.vertices.size();
    std::vector<std::vector<Influence>> result(count);
    if (animation::hasSkinWeights(geoset)) {
        std::vector<int> listNodes;
        for (const std::uint32_t id : geoset.matrixIndices)
            listNodes.push_back(skeleton.indexOf(id));
        for (std::size_t v = 0; v < count; ++v)
            result[v] = weightedInfluences(geoset.skin->data() + v * 8, listNodes);
        return result;
    }
    const auto groups = groupInfluences(geoset, skeleton);
    for (std::size_t v = 0; v < count && v < geoset.vertexGroups.size(); ++v)
        if (geoset.vertexGroups[v] < groups.size())
            result[v] = groups[geoset.vertexGroups[v]];
    return result;
}

SkinSets skinSets(const std::vector<std::vector<Influence>>& influences, int staticJoint) {
    std::size_t most = 1;
    for (const auto& list : influences)
        most = std::max(most, list.size());
    const std::size_t sets = (most + 3) / 4;
    SkinSets result;
    result.joints.assign(sets, std::vector<std::uint16_t>(influences.size() * 4, 0));
    result.weights.assign(sets, std::vector<float>(influences.size() * 4, 0.0f));
    for (std::size_t v = 0; v < influences.size(); ++v) {
        const auto& list = influences[v];
        if (list.empty()) {
            result.joints[0][v * 4] = static_cast<std::uint16_t>(staticJoint);
            result.weights[0][v * 4] = 1;
            continue;
        }
        for (std::size_t i = 0; i < list.size(); ++i) {
            result.joints[i / 4][v * 4 + i % 4] = static_cast<std::uint16_t>(list[i].joint);
            result.weights[i / 4][v * 4 + i % 4] = list[i].weight;
        }
    }
    return result;
}

} // namespace interchange
