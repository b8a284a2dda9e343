#include "editor/preview/scene_skin.h"

#include "editor/model/geoset_model.h"
#include "editor/model/geoset_output.h"
#include "formats/animation/skinning.h"

#include <algorithm>
#include <cstddef>

namespace editor::preview {

namespace {

constexpr std::size_t skinBytes = 8;

// The skeleton index of an object id, or -1 (also for an index the palette cannot name).
int paletteIndex(const animation::Skeleton& skeleton, std::int64_t objectId) {
    if (objectId < 0 || objectId > UINT32_MAX)
        return -1;
    const int index = skeleton.indexOf(static_cast<std::uint32_t>(objectId));
    return index <= UINT16_MAX ? index : -1;
}

// A vertex group of the given bones (object ids) at equal weights; nothing for an empty group
// or one naming a missing bone.
template <typename Ids> SkinVertex groupSkin(const Ids& ids, const animation::Skeleton& skeleton) {
    SkinVertex skin;
    const std::size_t used = std::min<std::size_t>(ids.size(), bonesPerVertex);
    for (std::size_t i = 0; i < used; ++i) {
        const int node = paletteIndex(skeleton, ids[i]);
        if (node < 0)
            return SkinVertex();
        skin.bones[i] = static_cast<std::uint16_t>(node);
        skin.weights[i] = 1.0f / static_cast<float>(used);
    }
    return skin;
}

// A skin-weighted vertex: four entries of the matrix list (as skeleton indices) and weights.
SkinVertex weightedSkin(const std::uint8_t* bytes, const std::vector<int>& listNodes) {
    SkinVertex skin;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint8_t weight = bytes[4 + i];
        if (weight == 0)
            continue;
        const std::size_t entry = bytes[i];
        if (entry >= listNodes.size() || listNodes[entry] < 0)
            return SkinVertex();
        skin.bones[i] = static_cast<std::uint16_t>(listNodes[entry]);
        skin.weights[i] = weight / 255.0f;
    }
    return skin;
}

template <typename Ids>
std::vector<int> listNodesOf(const Ids& ids, const animation::Skeleton& skeleton) {
    std::vector<int> nodes;
    nodes.reserve(ids.size());
    for (const auto id : ids)
        nodes.push_back(paletteIndex(skeleton, id));
    return nodes;
}

} // namespace

std::vector<SkinVertex> skinOfFile(const mdx::Geoset& geoset, const animation::Skeleton* skeleton) {
    const std::size_t count = geoset.vertices.size();
    std::vector<SkinVertex> skin(count);
    if (!skeleton)
        return skin;
    if (animation::hasSkinWeights(geoset)) {
        const auto nodes = listNodesOf(geoset.matrixIndices, *skeleton);
        for (std::size_t v = 0; v < count; ++v)
            skin[v] = weightedSkin(geoset.skin->data() + v * skinBytes, nodes);
        return skin;
    }
    std::vector<SkinVertex> groups;
    std::size_t next = 0;
    for (const std::uint32_t size : geoset.matrixGroupSizes) {
        const std::size_t taken = std::min<std::size_t>(size, geoset.matrixIndices.size() - next);
        // A group cut short by the end of the list is missing bones: it follows nothing.
        const std::vector<std::uint32_t> ids(geoset.matrixIndices.begin() + next,
                                             geoset.matrixIndices.begin() + next + taken);
        groups.push_back(taken == size ? groupSkin(ids, *skeleton) : SkinVertex());
        next += taken;
    }
    for (std::size_t v = 0; v < count && v < geoset.vertexGroups.size(); ++v)
        if (geoset.vertexGroups[v] < groups.size())
            skin[v] = groups[geoset.vertexGroups[v]];
    return skin;
}

std::vector<SkinVertex> skinOfEdited(const GeosetModel& edited,
                                     const animation::Skeleton* skeleton) {
    std::vector<SkinVertex> skin(edited.vertices.size());
    if (!skeleton)
        return skin;
    // The groups as saving writes them: what a vertex follows in the saved file.
    const auto groupIds = writtenMatrixGroups(edited);
    if (edited.extras.skinWeights) {
        std::vector<int> list;
        for (const auto& ids : groupIds)
            list.insert(list.end(), ids.begin(), ids.end());
        const auto nodes = listNodesOf(list, *skeleton);
        for (std::size_t v = 0; v < skin.size(); ++v)
            skin[v] = weightedSkin(edited.vertices[v].skinWeights.data(), nodes);
        return skin;
    }
    std::vector<SkinVertex> groups;
    groups.reserve(groupIds.size());
    for (const auto& ids : groupIds)
        groups.push_back(groupSkin(ids, *skeleton));
    for (std::size_t v = 0; v < skin.size(); ++v) {
        const int group = edited.vertices[v].vertexGroup;
        if (group >= 0 && static_cast<std::size_t>(group) < groups.size())
            skin[v] = groups[static_cast<std::size_t>(group)];
    }
    return skin;
}

} // namespace editor::preview
