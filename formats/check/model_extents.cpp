#include "formats/check/model_extents.h"

#include <algorithm>
#include <cmath>

namespace check {

namespace {

bool finite(const mdx::Vec3& p) {
    return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}

double diagonal(const mdx::Vec3& minimum, const mdx::Vec3& maximum) {
    double sum = 0;
    for (int a = 0; a < 3; ++a) {
        const double d = static_cast<double>(maximum[a]) - minimum[a];
        sum += d * d;
    }
    return std::sqrt(sum);
}

} // namespace

void Bounds::add(const Bounds& other) {
    for (int a = 0; a < 3; ++a) {
        minimum[a] = std::min(minimum[a], other.minimum[a]);
        maximum[a] = std::max(maximum[a], other.maximum[a]);
    }
}

std::optional<Bounds> boundsOf(const std::vector<mdx::Vec3>& points) {
    std::optional<Bounds> bounds;
    for (const auto& p : points) {
        if (!finite(p))
            continue;
        if (!bounds)
            bounds = Bounds{p, p};
        else
            bounds->add(Bounds{p, p});
    }
    return bounds;
}

bool extentFits(const mdx::Extent& extent, const Bounds& bounds) {
    const double size = diagonal(bounds.minimum, bounds.maximum);
    // A point or a tiny geoset still gets a little room for the rounding of the stored numbers.
    const double slack = std::max(0.01 * size, 1e-3);
    for (int a = 0; a < 3; ++a)
        if (!(extent.minimum[a] <= bounds.minimum[a] + slack) ||
            !(extent.maximum[a] >= bounds.maximum[a] - slack))
            return false;
    return diagonal(extent.minimum, extent.maximum) <= 2 * size + slack;
}

mdx::Extent extentOf(const Bounds& bounds,
                     const std::vector<const std::vector<mdx::Vec3>*>& points) {
    mdx::Extent extent{0, bounds.minimum, bounds.maximum};
    double centre[3];
    for (int a = 0; a < 3; ++a)
        centre[a] = (static_cast<double>(bounds.minimum[a]) + bounds.maximum[a]) / 2;
    double farthest = 0;
    for (const auto* list : points)
        for (const auto& p : *list) {
            if (!finite(p))
                continue;
            double sum = 0;
            for (int a = 0; a < 3; ++a)
                sum += (p[a] - centre[a]) * (p[a] - centre[a]);
            farthest = std::max(farthest, sum);
        }
    extent.boundsRadius = static_cast<float>(std::sqrt(farthest));
    return extent;
}

} // namespace check
