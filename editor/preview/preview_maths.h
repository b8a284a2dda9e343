#pragma once

#include <array>
#include <cmath>

// Small vector and matrix helpers of the 3D preview, in single precision as the GPU takes them.
namespace editor::preview {

using Vec3 = std::array<float, 3>;
using Vec4 = std::array<float, 4>;
// Column-major, as OpenGL takes it: element (row r, column c) is m[c * 4 + r].
using Mat4 = std::array<float, 16>;

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
inline Vec3 operator*(Vec3 a, float s) {
    return {a[0] * s, a[1] * s, a[2] * s};
}
inline float dot(Vec3 a, Vec3 b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
inline Vec3 cross(Vec3 a, Vec3 b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
inline float length(Vec3 a) {
    return std::sqrt(dot(a, a));
}
inline Vec3 normalised(Vec3 a) {
    const float l = length(a);
    return l > 0 ? a * (1.0f / l) : Vec3{0, 0, 0};
}

Mat4 multiply(const Mat4& a, const Mat4& b);
// The point p (w = 1) through m, before the division by w.
Vec4 transform(const Mat4& m, Vec3 p);

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
