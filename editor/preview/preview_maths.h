#pragma once

#include "common/vector_maths.h"

// The 3D preview's camera maths over the shared vectors and matrices.
namespace editor::preview {

using common::Mat4;
using common::Vec3;
using common::Vec4;

using common::cross;
using common::dot;
using common::length;
using common::multiply;
using common::normalised;
using common::transform;
using common::operator+;
using common::operator-;
using common::operator*;

// A right-handed view looking from eye at target, up being +y before the tilt.
Mat4 lookAt(Vec3 eye, Vec3 target, Vec3 up);
// The OpenGL perspective: vertical field of view in degrees, depth -1..1 from near to far.
Mat4 perspective(float fovYDegrees, float aspect, float nearPlane, float farPlane);

// The smallest box around a set of points; empty until a point is added.
struct Bounds {
    Vec3 minimum{0, 0, 0};
    Vec3 maximum{0, 0, 0};
    bool empty = true;

    void add(Vec3 p);
    Vec3 centre() const { return (minimum + maximum) * 0.5f; }
    // Half the box's diagonal: every point of the box lies within it of the centre.
    float radius() const { return length(maximum - minimum) * 0.5f; }
};

} // namespace editor::preview
