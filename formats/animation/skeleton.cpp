#include "formats/animation/skeleton.h"

#include <algorithm>

namespace animation {

namespace {

template <typename Records>
void addNodes(std::vector<SkeletonNode>& nodes, const Records& records, mdx::Tag visibility) {
    for (const auto& record : records) {
        SkeletonNode node;
        node.node = &record.node;
        if constexpr (requires { record.tracks; }) {
            if (visibility) {
                node.visibilityTracks = &record.tracks;
                node.visibilityTag = visibility;
            }
        }
        nodes.push_back(node);
    }
}

} // namespace

Skeleton::Skeleton(const mdx::Model& model) {
    addNodes(nodes, model.bones, 0);
    addNodes(nodes, model.lights, mdx::makeTag("KLAV"));
    addNodes(nodes, model.helpers, 0);
    addNodes(nodes, model.attachments, mdx::makeTag("KATV"));
    addNodes(nodes, model.particleEmitters, mdx::makeTag("KPEV"));
    addNodes(nodes, model.particleEmitters2, mdx::makeTag("KP2V"));
    addNodes(nodes, model.ribbonEmitters, mdx::makeTag("KRVS"));
    addNodes(nodes, model.eventObjects, 0);
    addNodes(nodes, model.collisionShapes, 0);
    addNodes(nodes, model.popcornEmitters, mdx::makeTag("KPPV"));
    std::stable_sort(nodes.begin(), nodes.end(), [](const SkeletonNode& a, const SkeletonNode& b) {
        return a.node->objectId < b.node->objectId;
    });
    for (auto& node : nodes) {
        if (node.node->objectId < model.pivots.size())
            node.pivot = model.pivots[node.node->objectId];
        node.parent = node.node->parentId == mdx::noId ? -1 : indexOf(node.node->parentId);
    }

    // Walk up from each object not yet placed; a walk that meets its own path has found a loop.
    enum class Mark : unsigned char { New, OnPath, Placed };
    std::vector<Mark> marks(nodes.size(), Mark::New);
    std::vector<int> path;
    order.reserve(nodes.size());
    for (int start = 0; start < static_cast<int>(nodes.size()); ++start) {
        path.clear();
        int at = start;
        while (at >= 0 && marks[static_cast<std::size_t>(at)] == Mark::New) {
            marks[static_cast<std::size_t>(at)] = Mark::OnPath;
            path.push_back(at);
            at = nodes[static_cast<std::size_t>(at)].parent;
        }
        if (at >= 0 && marks[static_cast<std::size_t>(at)] == Mark::OnPath)
            for (auto i = std::find(path.begin(), path.end(), at); i != path.end(); ++i)
                nodes[static_cast<std::size_t>(*i)].parent = -1;
        for (auto i = path.rbegin(); i != path.rend(); ++i) {
            marks[static_cast<std::size_t>(*i)] = Mark::Placed;
            order.push_back(*i);
        }
    }
}

int Skeleton::indexOf(std::uint32_t objectId) const {
    const auto found = std::lower_bound(
        nodes.begin(), nodes.end(), objectId,
        [](const SkeletonNode& node, std::uint32_t id) { return node.node->objectId < id; });
    if (found == nodes.end() || found->node->objectId != objectId)
        return -1;
    return static_cast<int>(found - nodes.begin());
}

} // namespace animation
