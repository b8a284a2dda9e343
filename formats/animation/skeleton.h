#pragma once

#include "common/vector_maths.h"
#include "formats/mdx/mdx_model.h"

#include <vector>

namespace animation {

// One object of the model with an ObjectId: bone, light, helper, attachment, emitter, ribbon,
// event or collision shape.
struct SkeletonNode {
    const mdx::Node* node = nullptr;
    common::Vec3 pivot{};                          // (0, 0, 0) when the model has no pivot for it
    int parent = -1;                               // index in Skeleton::nodes; -1 for none
    const mdx::Tracks* visibilityTracks = nullptr; // the record's own tracks, for the kinds
    mdx::Tag visibilityTag = 0;                    // that have a visibility track
};

// The objects of a model in ObjectId order, with their parents resolved once. A parent id
// that names no object counts as none, and so does the parent of every object on a loop of
// parents; objects that hang off a loop keep theirs. Where two objects share an ObjectId, the
// first in ObjectId order is the one children and bones name.
struct Skeleton {
    std::vector<SkeletonNode> nodes;
    std::vector<int> order; // every index once, each parent before its children

    explicit Skeleton(const mdx::Model& model);
    // The index of the object with that id, or -1.
    int indexOf(std::uint32_t objectId) const;
};

} // namespace animation
