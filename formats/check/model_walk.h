#pragma once

// The parts of a model the rules and fixes walk over: its nodes in the file's order of kinds,
// and every animation track with the record that owns it.

#include "formats/mdx/mdx_model.h"

#include <cstddef>
#include <string>
#include <vector>

namespace check {

struct NodeEntry {
    const mdx::Node* node;
    mdx::Tag kind; // the chunk tag of its kind: BONE, HELP, ...
};

// Every node, kind by kind in the order the model's chunks came in (kinds it does not name
// after them, in the usual order), and within a kind in the file's order.
std::vector<NodeEntry> nodesInFileOrder(const mdx::Model& model);

// Who owns a track, for messages: node "name", material 2 layer 0, texture animation 1, ...
struct TrackOwner {
    const char* kind;          // "node", "material", "texture animation", ...
    std::size_t index = 0;     // of the record among its kind
    std::size_t layer = 0;     // for a material's layer
    const std::string* name{}; // for nodes and cameras
    std::string describe() const;
};

// Calls f(track, owner) for every track of the model; M is mdx::Model or const mdx::Model.
template <class M, class F> void forEachTrack(M& m, F&& f) {
    for (std::size_t i = 0; i < m.materials.size(); ++i)
        for (std::size_t l = 0; l < m.materials[i].layers.size(); ++l) {
            auto& layer = m.materials[i].layers[l];
            const TrackOwner owner{"material", i, l};
            for (auto& t : layer.tracks)
                f(t, owner);
            for (auto& texture : layer.textures)
                for (auto& t : texture.tracks)
                    f(t, owner);
        }
    for (std::size_t i = 0; i < m.textureAnimations.size(); ++i)
        for (auto& t : m.textureAnimations[i].tracks)
            f(t, TrackOwner{"texture animation", i});
    for (std::size_t i = 0; i < m.geosetAnimations.size(); ++i)
        for (auto& t : m.geosetAnimations[i].tracks)
            f(t, TrackOwner{"geoset animation", i});
    const auto nodeTracks = [&](auto& records, auto own) {
        for (std::size_t i = 0; i < records.size(); ++i) {
            auto& node = records[i].node;
            const TrackOwner owner{"node", i, 0, &node.name};
            for (auto& t : node.tracks)
                f(t, owner);
            if constexpr (decltype(own)::value)
                for (auto& t : records[i].tracks)
                    f(t, owner);
        }
    };
    using Own = std::true_type;
    using Shared = std::false_type;
    nodeTracks(m.bones, Shared{});
    nodeTracks(m.lights, Own{});
    nodeTracks(m.helpers, Shared{});
    nodeTracks(m.attachments, Own{});
    nodeTracks(m.particleEmitters, Own{});
    nodeTracks(m.particleEmitters2, Own{});
    nodeTracks(m.ribbonEmitters, Own{});
    nodeTracks(m.eventObjects, Shared{});
    nodeTracks(m.collisionShapes, Shared{});
    nodeTracks(m.popcornEmitters, Own{});
    for (std::size_t i = 0; i < m.cameras.size(); ++i)
        for (auto& t : m.cameras[i].tracks)
            f(t, TrackOwner{"camera", i, 0, &m.cameras[i].name});
}

// "vertex 3, 7, 9 and 12 more": the first few of a list of places.
std::string placeList(const char* what, const std::vector<std::uint32_t>& places);

} // namespace check
