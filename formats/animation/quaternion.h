#pragma once

#include "common/vector_maths.h"

// Rotations as the model files store them: quaternions (x, y, z, w).
namespace animation {

using Quat = common::Vec4;

inline constexpr Quat identityRotation{0, 0, 0, 1};

// q scaled to length 1; the identity for a quaternion of length 0 or one that is not finite.
Quat normalisedRotation(Quat q);

// The spherical interpolation from a to b along the shorter arc. t may lie outside 0..1, which
// carries on along the same great circle.
Quat slerp(Quat a, Quat b, float t);

// The matrix of translation · rotation · scaling about a pivot:
// T(translation) · T(pivot) · R(rotation) · S(scaling) · T(-pivot).
common::Mat4 pivotedTransform(common::Vec3 translation, Quat rotation, common::Vec3 scaling,
                              common::Vec3 pivot);

} // namespace animation
