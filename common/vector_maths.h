#pragma once

#include <array>
#include <cmath>

// Small vector and matrix helpers in single precision, as the GPU and the model files take
// them. Shared by the 3D view's camera and the animation of models.
namespace common {

using Vec3 = std::array<float, 3>;
using Vec4 = std::array<float, 4>;
// Column-major, as OpenGL takes it: element (row r, column c) is m[c * 4 + r].
using Mat4 = std::array<float, 16>;

inline constexpr Mat4 identityMatrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

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
// The point p through an affine m (its last row 0 0 0 1).
inline Vec3 transformPoint(const Mat4& m, Vec3 p) {
    return {m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12],
            m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13],
            m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14]};
}
// The direction d through m's upper 3 x 3 part.
inline Vec3 transformDirection(const Mat4& m, Vec3 d) {
    return {m[0] * d[0] + m[4] * d[1] + m[8] * d[2], m[1] * d[0] + m[5] * d[1] + m[9] * d[2],
            m[2] * d[0] + m[6] * d[1] + m[10] * d[2]};
}

} // namespace common
