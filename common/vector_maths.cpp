#include "common/vector_maths.h"

namespace common {

Mat4 multiply(const Mat4& a, const Mat4& b) {
    Mat4 result{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            float sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += a[k * 4 + r] * b[c * 4 + k];
            result[c * 4 + r] = sum;
        }
    return result;
}

Vec4 transform(const Mat4& m, Vec3 p) {
    Vec4 result{};
    for (int r = 0; r < 4; ++r)
        result[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
    return result;
}

} // namespace common
