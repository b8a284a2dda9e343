#include "formats/interchange/node_motion.h"

#include "formats/animation/node_matrices.h"
#include "formats/animation/track_evaluation.h"

#include <algorithm>
#include <cmath>

namespace interchange {

namespace {

using common::Mat4;
using common::Vec3;

const mdx::Tag translationTag = mdx::makeTag("KGTR");
const mdx::Tag rotationTag = mdx::makeTag("KGRT");
const mdx::Tag scalingTag = mdx::makeTag("KGSC");

bool isMotionTrack(const mdx::Track& track) {
    return track.tag == translationTag || track.tag == rotationTag || track.tag == scalingTag;
}

template <typename Records, typename Visit> void forEachNode(Records& records, Visit visit) {
    for (auto& record : records)
        visit(record.node);
}

// Every node record of the model, in the order the skeleton reads them.
template <typename Visit> void forEachNode(mdx::Model& model, Visit visit) {
    forEachNode(model.bones, visit);
    forEachNode(model.lights, visit);
    forEachNode(model.helpers, visit);
    forEachNode(model.attachments, visit);
    forEachNode(model.particleEmitters, visit);
    forEachNode(model.particleEmitters2, visit);
    forEachNode(model.ribbonEmitters, visit);
    forEachNode(model.eventObjects, visit);
    forEachNode(model.collisionShapes, visit);
    forEachNode(model.popcornEmitters, visit);
}

// The nodes, pivots and clocks of the model, without geometry or materials.
std::unique_ptr<mdx::Model> nodesOf(const mdx::Model& model) {
    auto nodes = std::make_unique<mdx::Model>();
    nodes->version = model.version;
    nodes->sequences = model.sequences;
    nodes->globalSequences = model.globalSequences;
    nodes->bones = model.bones;
    nodes->lights = model.lights;
    nodes->helpers = model.helpers;
    nodes->attachments = model.attachments;
    nodes->particleEmitters = model.particleEmitters;
    nodes->particleEmitters2 = model.particleEmitters2;
    nodes->ribbonEmitters = model.ribbonEmitters;
    nodes->eventObjects = model.eventObjects;
    nodes->collisionShapes = model.collisionShapes;
    nodes->popcornEmitters = model.popcornEmitters;
    nodes->pivots = model.pivots;
    return nodes;
}

float determinant3(const Mat4& m) {
    return m[0] * (m[5] * m[10] - m[9] * m[6]) - m[4] * (m[1] * m[10] - m[9] * m[2]) +
           m[8] * (m[1] * m[6] - m[5] * m[2]);
}

// The inverse of an affine matrix; the identity's for one that has none.
Mat4 affineInverse(const Mat4& m) {
    const float det = determinant3(m);
    if (det == 0 || !std::isfinite(det))
        return common::identityMatrix;
    const float s = 1 / det;
    Mat4 r = common::identityMatrix;
    r[0] = (m[5] * m[10] - m[9] * m[6]) * s;
    r[4] = (m[8] * m[6] - m[4] * m[10]) * s;
    r[8] = (m[4] * m[9] - m[8] * m[5]) * s;
    r[1] = (m[9] * m[2] - m[1] * m[10]) * s;
    r[5] = (m[0] * m[10] - m[8] * m[2]) * s;
    r[9] = (m[8] * m[1] - m[0] * m[9]) * s;
    r[2] = (m[1] * m[6] - m[5] * m[2]) * s;
    r[6] = (m[4] * m[2] - m[0] * m[6]) * s;
    r[10] = (m[0] * m[5] - m[4] * m[1]) * s;
    const Vec3 t{m[12], m[13], m[14]};
    const Vec3 moved = common::transformDirection(r, t);
    r[12] = -moved[0];
    r[13] = -moved[1];
    r[14] = -moved[2];
    return r;
}

Mat4 translation(Vec3 t) {
    Mat4 m = common::identityMatrix;
    m[12] = t[0];
    m[13] = t[1];
    m[14] = t[2];
    return m;
}

animation::Quat rotationOf(const float (&r)[3][3]) { // r[row][column], a rotation
    const float trace = r[0][0] + r[1][1] + r[2][2];
    animation::Quat q;
    if (trace > 0) {
        const float s = std::sqrt(trace + 1) * 2;
        q = {(r[2][1] - r[1][2]) / s, (r[0][2] - r[2][0]) / s, (r[1][0] - r[0][1]) / s, s / 4};
    } else if (r[0][0] > r[1][1] && r[0][0] > r[2][2]) {
        const float s = std::sqrt(1 + r[0][0] - r[1][1] - r[2][2]) * 2;
        q = {s / 4, (r[0][1] + r[1][0]) / s, (r[0][2] + r[2][0]) / s, (r[2][1] - r[1][2]) / s};
    } else if (r[1][1] > r[2][2]) {
        const float s = std::sqrt(1 + r[1][1] - r[0][0] - r[2][2]) * 2;
        q = {(r[0][1] + r[1][0]) / s, s / 4, (r[1][2] + r[2][1]) / s, (r[0][2] - r[2][0]) / s};
    } else {
        const float s = std::sqrt(1 + r[2][2] - r[0][0] - r[1][1]) * 2;
        q = {(r[0][2] + r[2][0]) / s, (r[1][2] + r[2][1]) / s, s / 4, (r[1][0] - r[0][1]) / s};
    }
    return animation::normalisedRotation(q);
}

// Translation, rotation and scale of an affine matrix without shear.
LocalTransform decompose(const Mat4& m) {
    LocalTransform out;
    out.translation = {m[12], m[13], m[14]};
    float r[3][3];
    for (int c = 0; c < 3; ++c) {
        const Vec3 axis{m[c * 4], m[c * 4 + 1], m[c * 4 + 2]};
        float scale = common::length(axis);
        if (c == 0 && determinant3(m) < 0)
            scale = -scale;
        out.scale[static_cast<std::size_t>(c)] = scale;
        for (int row = 0; row < 3; ++row)
            r[row][c] = scale != 0 ? axis[static_cast<std::size_t>(row)] / scale : (row == c);
    }
    out.rotation = rotationOf(r);
    return out;
}

} // namespace

bool SequenceMotion::dropsInheritance(const mdx::Node& node) {
    return (node.flags & (animation::dontInheritTranslation | animation::dontInheritRotation |
                          animation::dontInheritScaling)) != 0;
}

SequenceMotion::SequenceMotion(const mdx::Model& model, std::size_t sequence)
    : nodes_(nodesOf(model)), sequence_(sequence) {
    const auto start = animation::sequenceTime(model, sequence, 0);
    length_ = start.sequence.end - start.sequence.start;
    forEachNode(*nodes_, [&](mdx::Node& node) {
        for (auto& track : node.tracks) {
            if (!isMotionTrack(track))
                continue;
            const auto clock = start.clockOf(track);
            // A global track keeps every key: one whose first key lies past its length holds it.
            if (clock.global)
                continue;
            std::erase_if(track.keys, [&](const mdx::TrackKey& key) {
                return key.frame < clock.start || key.frame > clock.end;
            });
        }
    });
    skeleton_ = std::make_unique<animation::Skeleton>(*nodes_);
    const auto count = skeleton_->nodes.size();
    moves_.assign(count, false);
    keyTimes_.assign(count, {});
    for (const int index : skeleton_->order) {
        const auto i = static_cast<std::size_t>(index);
        const auto& node = skeleton_->nodes[i];
        auto& times = keyTimes_[i];
        for (const auto& track : node.node->tracks) {
            if (!isMotionTrack(track) || track.keys.empty())
                continue;
            moves_[i] = true;
            const auto clock = start.clockOf(track);
            const double period = clock.end - clock.start;
            for (const auto& key : track.keys) {
                if (!clock.global) {
                    times.push_back(key.frame - clock.start);
                    continue;
                }
                // A global sequence repeats over the sequence's length.
                for (double t = key.frame; t <= length_; t += period) {
                    times.push_back(t);
                    if (period <= 0)
                        break;
                }
            }
        }
        if (node.parent >= 0 && dropsInheritance(*node.node) &&
            moves_[static_cast<std::size_t>(node.parent)]) {
            moves_[i] = true;
            const auto& parentTimes = keyTimes_[static_cast<std::size_t>(node.parent)];
            times.insert(times.end(), parentTimes.begin(), parentTimes.end());
        }
        std::sort(times.begin(), times.end());
        times.erase(std::unique(times.begin(), times.end()), times.end());
    }
}

animation::AnimationTime SequenceMotion::at(double time) const {
    return animation::sequenceTime(*nodes_, sequence_, time);
}

LocalTransform SequenceMotion::local(int index, double time) {
    const auto& node = skeleton_->nodes[static_cast<std::size_t>(index)];
    const Vec3 parentPivot =
        node.parent >= 0 ? skeleton_->nodes[static_cast<std::size_t>(node.parent)].pivot : Vec3{};
    const auto moment = at(time);
    if (!dropsInheritance(*node.node)) {
        const auto& tracks = node.node->tracks;
        LocalTransform out;
        out.translation = common::operator-(
            common::operator+(animation::vectorValue(tracks, translationTag, {0, 0, 0}, moment),
                              node.pivot),
            parentPivot);
        out.rotation = animation::rotationValue(tracks, rotationTag, moment);
        out.scale = animation::vectorValue(tracks, scalingTag, {1, 1, 1}, moment);
        return out;
    }
    auto found = worlds_.find(time);
    if (found == worlds_.end()) {
        found = worlds_.emplace(time, std::vector<Mat4>{}).first;
        animation::nodeWorldMatrices(*skeleton_, moment, std::nullopt, found->second);
    }
    const auto& world = found->second;
    const Mat4 parentOrigin = node.parent >= 0
                                  ? common::multiply(world[static_cast<std::size_t>(node.parent)],
                                                     translation(parentPivot))
                                  : common::identityMatrix;
    return decompose(common::multiply(
        affineInverse(parentOrigin),
        common::multiply(world[static_cast<std::size_t>(index)], translation(node.pivot))));
}

} // namespace interchange
