#include "formats/versions/pose_displacement.h"

#include "formats/animation/model_pose.h"
#include "formats/check/model_walk.h"

#include <algorithm>
#include <cmath>

namespace versions {

std::vector<double> sequenceKeyTimes(const mdx::Model& model, std::size_t sequence) {
    const auto& interval = model.sequences[sequence].interval;
    const double start = interval[0];
    const double end = std::max(interval[0], interval[1]);
    std::vector<double> times{0, end - start};
    check::forEachTrack(model, [&](const mdx::Track& track, const check::TrackOwner&) {
        if (track.globalSequenceId >= 0)
            return;
        for (const auto& key : track.keys)
            if (key.frame >= start && key.frame <= end)
                times.push_back(key.frame - start);
    });
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    return times;
}

double largestDisplacement(const mdx::Model& original, const mdx::Model& converted,
                           const std::vector<VertexSource>& sources) {
    const animation::Skeleton before(original), after(converted);
    animation::Pose posedBefore, posedAfter;
    double largest = 0;
    for (std::size_t s = 0; s < original.sequences.size(); ++s)
        for (const double time : sequenceKeyTimes(original, s)) {
            animation::evaluatePose(original, before,
                                    {animation::sequenceTime(original, s, time), std::nullopt},
                                    posedBefore);
            animation::evaluatePose(converted, after,
                                    {animation::sequenceTime(converted, s, time), std::nullopt},
                                    posedAfter);
            for (std::size_t g = 0; g < sources.size() && g < posedAfter.geosets.size(); ++g) {
                const auto& from = posedBefore.geosets[sources[g].geoset].vertices;
                const auto& to = posedAfter.geosets[g].vertices;
                for (std::size_t v = 0; v < to.size() && v < sources[g].vertex.size(); ++v) {
                    const auto& a = from[sources[g].vertex[v]];
                    const auto& b = to[v];
                    const double d =
                        std::hypot(double(a[0]) - b[0], double(a[1]) - b[1], double(a[2]) - b[2]);
                    if (std::isfinite(d))
                        largest = std::max(largest, d);
                }
            }
        }
    return largest;
}

} // namespace versions
