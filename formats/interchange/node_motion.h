#pragma once

#include "formats/animation/animation_time.h"
#include "formats/animation/quaternion.h"
#include "formats/animation/skeleton.h"

#include <map>
#include <memory>
#include <vector>

namespace interchange {

// A node's transform relative to its parent's origin, in the model's axes: what a node whose
// origin is its pivot has as translation, rotation and scale.
struct LocalTransform {
    common::Vec3 translation{};
    animation::Quat rotation = animation::identityRotation;
    common::Vec3 scale{1, 1, 1};
};

// The nodes of one sequence: a copy of the model's skeleton whose tracks keep only the keys
// that count in that sequence (the keys inside its interval; global tracks keep all theirs),
// so that sampling it many times costs as many keys as the sequence has.
class SequenceMotion {
  public:
    SequenceMotion(const mdx::Model& model, std::size_t sequence);

    const animation::Skeleton& skeleton() const { return *skeleton_; }
    // The time `time` ms after the sequence's start, global sequences at the same time.
    animation::AnimationTime at(double time) const;
    // The sequence's length in ms (0 for one whose end lies before its start).
    double length() const { return length_; }

    // Whether the node's translation, rotation or scale changes in the sequence: a track of
    // them with a key, or a parent part the node does not inherit that changes.
    bool moves(int node) const { return moves_[static_cast<std::size_t>(node)]; }
    // The times (ms from the start) at which the node's own or not-inherited keys lie.
    const std::vector<double>& keyTimes(int node) const {
        return keyTimes_[static_cast<std::size_t>(node)];
    }
    // The node's transform relative to its parent's pivot: T(translation + pivot - parent's
    // pivot) R S straight from the tracks, or for a node that drops part of its parent's
    // matrix, taken apart from the node matrices the pose has.
    LocalTransform local(int node, double time);

    static bool dropsInheritance(const mdx::Node& node);

  private:
    std::unique_ptr<mdx::Model> nodes_;
    std::unique_ptr<animation::Skeleton> skeleton_;
    std::size_t sequence_;
    double length_ = 0;
    std::vector<bool> moves_;
    std::vector<std::vector<double>> keyTimes_;
    std::map<double, std::vector<common::Mat4>> worlds_;
};

} // namespace interchange
