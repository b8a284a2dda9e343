#include "formats/vertex_tangent.h"

#include <cmath>

namespace formats {

namespace {

double length(double x, double y, double z) {
    return std::sqrt(x * x + y * y + z * z);
}

} // namespace

std::array<double, 4> tangentAcross(const std::array<double, 3>& normal,
                                    const std::array<double, 4>& tangent) {
    const double normalLength = length(normal[0], normal[1], normal[2]);
    if (!(normalLength > 0) || !std::isfinite(normalLength))
        return tangent;
    const double n[3] = {normal[0] / normalLength, normal[1] / normalLength,
                         normal[2] / normalLength};
    const double along = n[0] * tangent[0] + n[1] * tangent[1] + n[2] * tangent[2];
    double t[3] = {tangent[0] - along * n[0], tangent[1] - along * n[1], tangent[2] - along * n[2]};
    double tangentLength = length(t[0], t[1], t[2]);
    if (!(tangentLength > 1e-6) || !std::isfinite(tangentLength)) {
        // Across the normal and the axis it leans on least.
        const double ax = std::abs(n[0]), ay = std::abs(n[1]), az = std::abs(n[2]);
        const double e[3] = {ax <= ay && ax <= az ? 1.0 : 0.0, ay < ax && ay <= az ? 1.0 : 0.0,
                             az < ax && az < ay ? 1.0 : 0.0};
        t[0] = n[1] * e[2] - n[2] * e[1];
        t[1] = n[2] * e[0] - n[0] * e[2];
        t[2] = n[0] * e[1] - n[1] * e[0];
        tangentLength = length(t[0], t[1], t[2]);
    }
    const double w = tangent[3] != 0 ? tangent[3] : 1.0;
    return {t[0] / tangentLength, t[1] / tangentLength, t[2] / tangentLength, w};
}

} // namespace formats
