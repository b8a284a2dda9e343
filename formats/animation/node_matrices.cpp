#include "formats/animation/node_matrices.h"

#include "formats/animation/track_evaluation.h"

namespace animation {

namespace {

using common::Mat4;
using common::Vec3;
using common::operator+;
using common::operator-;
using common::operator*;

Vec3 column(const Mat4& m, int c) {
    return {m[c * 4], m[c * 4 + 1], m[c * 4 + 2]};
}

void setColumn(Mat4& m, int c, Vec3 v) {
    m[c * 4] = v[0];
    m[c * 4 + 1] = v[1];
    m[c * 4 + 2] = v[2];
}

// The matrix that maps pivot to `to` with the linear part of axes (columns) x, y, z.
Mat4 aboutPivot(Vec3 x, Vec3 y, Vec3 z, Vec3 pivot, Vec3 to) {
    Mat4 m = common::identityMatrix;
    setColumn(m, 0, x);
    setColumn(m, 1, y);
    setColumn(m, 2, z);
    setColumn(m, 3, to - common::transformDirection(m, pivot));
    return m;
}

// The parent's matrix with the parts the node does not inherit taken out.
Mat4 inherited(const Mat4& parent, std::uint32_t flags, Vec3 pivot) {
    if ((flags & (dontInheritTranslation | dontInheritRotation | dontInheritScaling)) == 0)
        return parent;
    Vec3 axes[3];
    for (int c = 0; c < 3; ++c) {
        const Vec3 a = column(parent, c);
        const float scale = common::length(a);
        const Vec3 direction = scale > 0 ? a * (1 / scale) : Vec3{};
        const bool rotation = (flags & dontInheritRotation) == 0;
        const bool scaling = (flags & dontInheritScaling) == 0;
        Vec3 unit{};
        unit[static_cast<std::size_t>(c)] = 1;
        axes[c] = (rotation ? direction : unit) * (scaling ? scale : 1.0f);
    }
    const Vec3 to =
        (flags & dontInheritTranslation) ? pivot : common::transformPoint(parent, pivot);
    return aboutPivot(axes[0], axes[1], axes[2], pivot, to);
}

// The node's matrix turned to face the camera about its pivot, keeping its scales.
Mat4 facingCamera(const Mat4& world, std::uint32_t flags, Vec3 pivot, const Mat4& view) {
    const Vec3 right{view[0], view[4], view[8]}, up{view[1], view[5], view[9]},
        back{view[2], view[6], view[10]};
    Vec3 x = back, y = right, z = up;
    if (flags & billboardedLockZ) {
        z = {0, 0, 1};
        x = common::normalised({back[0], back[1], 0});
        y = common::cross(z, x);
    } else if (flags & billboardedLockY) {
        y = {0, 1, 0};
        x = common::normalised({back[0], 0, back[2]});
        z = common::cross(x, y);
    } else if (flags & billboardedLockX) {
        x = {1, 0, 0};
        z = common::normalised(up - x * up[0]);
        y = common::cross(z, x);
    }
    return aboutPivot(x * common::length(column(world, 0)), y * common::length(column(world, 1)),
                      z * common::length(column(world, 2)), pivot,
                      common::transformPoint(world, pivot));
}

} // namespace

int nodeWorldMatrices(const Skeleton& skeleton, const AnimationTime& time,
                      const std::optional<common::Mat4>& camera, std::vector<common::Mat4>& world) {
    static const mdx::Tag translationTag = mdx::makeTag("KGTR"), rotationTag = mdx::makeTag("KGRT"),
                          scalingTag = mdx::makeTag("KGSC");
    world.resize(skeleton.nodes.size());
    int billboardsIgnored = 0;
    for (const int index : skeleton.order) {
        const auto& node = skeleton.nodes[static_cast<std::size_t>(index)];
        const auto& tracks = node.node->tracks;
        const Mat4 local =
            pivotedTransform(vectorValue(tracks, translationTag, {0, 0, 0}, time),
                             rotationValue(tracks, rotationTag, time),
                             vectorValue(tracks, scalingTag, {1, 1, 1}, time), node.pivot);
        Mat4& out = world[static_cast<std::size_t>(index)];
        out = node.parent < 0
                  ? local
                  : common::multiply(inherited(world[static_cast<std::size_t>(node.parent)],
                                               node.node->flags, node.pivot),
                                     local);
        if (node.node->flags & anyBillboard) {
            if (camera)
                out = facingCamera(out, node.node->flags, node.pivot, *camera);
            else
                ++billboardsIgnored;
        }
    }
    return billboardsIgnored;
}

} // namespace animation
