#include "editor/preview/preview_maths.h"

#include <algorithm>
#include <numbers>

namespace editor::preview {

Mat4 lookAt(Vec3 eye, Vec3 target, Vec3 up) {
    const Vec3 forward = normalised(target - eye);
    const Vec3 side = normalised(cross(forward, up));
    const Vec3 upward = cross(side, forward);
    return {side[0],         upward[0],         -forward[0],       0,
            side[1],         upward[1],         -forward[1],       0,
            side[2],         upward[2],         -forward[2],       0,
            -dot(side, eye), -dot(upward, eye), dot(forward, eye), 1};
}

Mat4 perspective(float fovYDegrees, float aspect, float nearPlane, float farPlane) {
    const float f = 1.0f / std::tan(fovYDegrees * std::numbers::pi_v<float> / 360.0f);
    const float depth = nearPlane - farPlane;
    Mat4 m{};
    m[0] = f / aspect;
    m[5] = f;
    m[10] = (farPlane + nearPlane) / depth;
    m[11] = -1;
    m[14] = 2 * farPlane * nearPlane / depth;
    return m;
}

void Bounds::add(Vec3 p) {
    if (empty) {
        minimum = maximum = p;
        empty = false;
        return;
    }
    for (int i = 0; i < 3; ++i) {
        minimum[i] = std::min(minimum[i], p[i]);
        maximum[i] = std::max(maximum[i], p[i]);
    }
}

} // namespace editor::preview
