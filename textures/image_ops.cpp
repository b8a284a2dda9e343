#include "textures/image_ops.h"

#include <algorithm>
#include <cmath>

namespace textures {

common::RgbaImage halved(const common::RgbaImage& image) {
    const int width = std::max(1, image.width / 2);
    const int height = std::max(1, image.height / 2);
    common::RgbaImage out(width, height);
    const int stepX = image.width > 1 ? 2 : 1;
    const int stepY = image.height > 1 ? 2 : 1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned sum[4] = {0, 0, 0, 0};
            for (int dy = 0; dy < stepY; ++dy)
                for (int dx = 0; dx < stepX; ++dx) {
                    const auto* p = image.at(x * stepX + dx, y * stepY + dy);
                    for (int c = 0; c < 4; ++c)
                        sum[c] += p[c];
                }
            const unsigned count = static_cast<unsigned>(stepX * stepY);
            auto* q = out.at(x, y);
            for (int c = 0; c < 4; ++c)
                q[c] = static_cast<std::uint8_t>((sum[c] + count / 2) / count);
        }
    }
    return out;
}

common::RgbaImage scaledNearest(const common::RgbaImage& image, int width, int height) {
    common::RgbaImage out(width, height);
    if (image.empty())
        return out;
    for (int y = 0; y < height; ++y) {
        const int sy =
            std::min(image.height - 1,
                     static_cast<int>((static_cast<long long>(y) * image.height) / height));
        for (int x = 0; x < width; ++x) {
            const int sx =
                std::min(image.width - 1,
                         static_cast<int>((static_cast<long long>(x) * image.width) / width));
            std::copy_n(image.at(sx, sy), 4, out.at(x, y));
        }
    }
    return out;
}

void drawLine(common::RgbaImage& image, double x1, double y1, double x2, double y2, Rgba colour) {
    if (image.empty() || !std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) ||
        !std::isfinite(y2))
        return;
    // Steps of at most one pixel along the longer axis; far-off ends are clipped to a margin
    // around the picture first, so a coordinate of a million costs no million steps.
    const double margin = 2.0 * std::max(image.width, image.height);
    auto clipT = [&](double from, double to, double low, double high, double& t0, double& t1) {
        const double d = to - from;
        if (d == 0)
            return from >= low && from <= high;
        double a = (low - from) / d;
        double b = (high - from) / d;
        if (a > b)
            std::swap(a, b);
        t0 = std::max(t0, a);
        t1 = std::min(t1, b);
        return t0 <= t1;
    };
    double t0 = 0;
    double t1 = 1;
    if (!clipT(x1, x2, -margin, image.width + margin, t0, t1) ||
        !clipT(y1, y2, -margin, image.height + margin, t0, t1))
        return;
    const double ax = x1 + (x2 - x1) * t0;
    const double ay = y1 + (y2 - y1) * t0;
    const double bx = x1 + (x2 - x1) * t1;
    const double by = y1 + (y2 - y1) * t1;
    const int steps = static_cast<int>(std::ceil(std::max(std::abs(bx - ax), std::abs(by - ay))));
    for (int i = 0; i <= steps; ++i) {
        const double t = steps ? static_cast<double>(i) / steps : 0.0;
        const int x = static_cast<int>(std::floor(ax + (bx - ax) * t));
        const int y = static_cast<int>(std::floor(ay + (by - ay) * t));
        if (x < 0 || y < 0 || x >= image.width || y >= image.height)
            continue;
        auto* p = image.at(x, y);
        p[0] = colour.red;
        p[1] = colour.green;
        p[2] = colour.blue;
        p[3] = colour.alpha;
    }
}

} // namespace textures
