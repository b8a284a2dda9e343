#pragma once

// Small hand-made models for the animation rules.

#include "formats/mdx/mdx_model.h"

#include <cmath>
#include <numbers>

namespace animation_test {

inline mdx::TrackKey key(int frame, mdx::Vec4 value, mdx::Vec4 inTan = {}, mdx::Vec4 outTan = {}) {
    return {frame, value, inTan, outTan};
}

inline mdx::Track track(const char (&tag)[5], std::uint32_t interpolation,
                        std::vector<mdx::TrackKey> keys, std::int32_t globalSequence = -1) {
    mdx::Track t;
    t.tag = mdx::makeTag(tag);
    t.interpolation = interpolation;
    t.globalSequenceId = globalSequence;
    t.keys = std::move(keys);
    return t;
}

// The rotation by `degrees` about the z axis.
inline mdx::Vec4 aboutZ(double degrees) {
    const double half = degrees * std::numbers::pi / 360;
    return {0, 0, static_cast<float>(std::sin(half)), static_cast<float>(std::cos(half))};
}

inline mdx::Sequence sequence(std::uint32_t start, std::uint32_t end, const char* name = "Walk") {
    mdx::Sequence s;
    s.name = name;
    s.interval = {start, end};
    return s;
}

inline mdx::Bone bone(std::uint32_t id, std::uint32_t parent, mdx::Tracks tracks = {},
                      std::uint32_t flags = 0) {
    mdx::Bone b;
    b.node.name = "bone" + std::to_string(id);
    b.node.objectId = id;
    b.node.parentId = parent;
    b.node.flags = flags;
    b.node.tracks = std::move(tracks);
    return b;
}

// A geoset of the given vertices, each in vertex group `groups[i]`, the groups' bone ids
// listed in `matrices`.
inline mdx::Geoset geoset(std::vector<mdx::Vec3> vertices, std::vector<std::uint8_t> groups,
                          std::vector<std::vector<std::uint32_t>> matrices) {
    mdx::Geoset g;
    g.vertices = vertices;
    g.normals.assign(vertices.size(), {0, 0, 1});
    g.vertexGroups = std::move(groups);
    for (const auto& ids : matrices) {
        g.matrixGroupSizes.push_back(static_cast<std::uint32_t>(ids.size()));
        g.matrixIndices.insert(g.matrixIndices.end(), ids.begin(), ids.end());
    }
    return g;
}

} // namespace animation_test
