#include "formats/animation/quaternion.h"

#include <cmath>

namespace animation {

Quat normalisedRotation(Quat q) {
    const float norm = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    if (!std::isfinite(norm) || norm == 0)
        return identityRotation;
    return {q[0] / norm, q[1] / norm, q[2] / norm, q[3] / norm};
}

Quat slerp(Quat a, Quat b, float t) {
    float cosine = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
    if (cosine < 0) {
        cosine = -cosine;
        b = {-b[0], -b[1], -b[2], -b[3]};
    }
    float wa = 1 - t, wb = t;
    // Nearly equal rotations: the straight line is as good and has no division by sin 0.
    if (cosine < 0.9995f) {
        const float angle = std::acos(cosine);
        const float sine = std::sin(angle);
        wa = std::sin((1 - t) * angle) / sine;
        wb = std::sin(t * angle) / sine;
    }
    return normalisedRotation({wa * a[0] + wb * b[0], wa * a[1] + wb * b[1], wa * a[2] + wb * b[2],
                               wa * a[3] + wb * b[3]});
}

common::Mat4 pivotedTransform(common::Vec3 translation, Quat rotation, common::Vec3 scaling,
                              common::Vec3 pivot) {
    const float x = rotation[0], y = rotation[1], z = rotation[2], w = rotation[3];
    // Columns of R scaled by S.
    const float r[9] = {1 - 2 * (y * y + z * z), 2 * (x * y + w * z),     2 * (x * z - w * y),
                        2 * (x * y - w * z),     1 - 2 * (x * x + z * z), 2 * (y * z + w * x),
                        2 * (x * z + w * y),     2 * (y * z - w * x),     1 - 2 * (x * x + y * y)};
    common::Mat4 m{};
    for (int c = 0; c < 3; ++c)
        for (int row = 0; row < 3; ++row)
            m[c * 4 + row] = r[c * 3 + row] * scaling[c];
    m[15] = 1;
    for (int row = 0; row < 3; ++row)
        m[12 + row] = translation[row] + pivot[row] -
                      (m[row] * pivot[0] + m[4 + row] * pivot[1] + m[8 + row] * pivot[2]);
    return m;
}

} // namespace animation
