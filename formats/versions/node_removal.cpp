#include "formats/versions/node_removal.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace versions {

namespace {

template <class F> void forEachNode(mdx::Model& m, F&& f) {
    const auto each = [&](auto& items) {
        for (auto& item : items)
            f(item.node);
    };
    each(m.bones);
    each(m.lights);
    each(m.helpers);
    each(m.attachments);
    each(m.particleEmitters);
    each(m.particleEmitters2);
    each(m.ribbonEmitters);
    each(m.eventObjects);
    each(m.collisionShapes);
    each(m.popcornEmitters);
}

} // namespace

std::size_t removePopcornEmitters(mdx::Model& model) {
    const std::size_t count = model.popcornEmitters.size();
    if (count == 0)
        return 0;
    std::unordered_map<std::uint32_t, std::uint32_t> removedParent;
    for (const auto& emitter : model.popcornEmitters)
        removedParent.emplace(emitter.node.objectId, emitter.node.parentId);
    std::vector<std::uint32_t> removed;
    for (const auto& [id, parent] : removedParent)
        removed.push_back(id);
    std::sort(removed.begin(), removed.end());
    model.popcornEmitters.clear();

    const auto renumber = [&](std::uint32_t id) {
        if (id == mdx::noId)
            return id;
        const auto below = std::lower_bound(removed.begin(), removed.end(), id) - removed.begin();
        return id - static_cast<std::uint32_t>(below);
    };
    // A parent that was removed gives way to its own parent (a chain of them is followed; a
    // loop of removed emitters ends in no parent).
    const auto survivingParent = [&](std::uint32_t id) {
        std::unordered_set<std::uint32_t> seen;
        while (id != mdx::noId && removedParent.count(id)) {
            if (!seen.insert(id).second)
                return mdx::noId;
            id = removedParent[id];
        }
        return id;
    };
    forEachNode(model, [&](mdx::Node& node) {
        node.parentId = renumber(survivingParent(node.parentId));
        node.objectId = renumber(node.objectId);
    });
    for (auto it = removed.rbegin(); it != removed.rend(); ++it)
        if (*it < model.pivots.size())
            model.pivots.erase(model.pivots.begin() + *it);
    for (auto& geoset : model.geosets)
        for (auto& index : geoset.matrixIndices)
            index = renumber(index);
    return count;
}

} // namespace versions
