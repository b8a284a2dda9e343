#include "formats/animation/animation_time.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace animation {

TrackClock AnimationTime::clockOf(const mdx::Track& track) const {
    if (track.globalSequenceId < 0 || !globalSequences ||
        static_cast<std::size_t>(track.globalSequenceId) >= globalSequences->size())
        return sequence;
    const double length = (*globalSequences)[static_cast<std::size_t>(track.globalSequenceId)];
    TrackClock clock;
    clock.end = length;
    clock.global = true;
    if (length > 0 && std::isfinite(globalTime)) {
        clock.frame = std::fmod(globalTime, length);
        if (clock.frame < 0)
            clock.frame += length;
    }
    return clock;
}

AnimationTime sequenceTime(const mdx::Model& model, std::size_t sequence, double time,
                           std::optional<double> globalTime) {
    AnimationTime result = bindPoseTime(model);
    if (sequence >= model.sequences.size())
        return result;
    const auto& interval = model.sequences[sequence].interval;
    result.bindPose = false;
    result.sequence.start = interval[0];
    result.sequence.end = std::max(interval[0], interval[1]);
    // A time that is not a number shows the sequence's start.
    result.sequence.frame = std::isfinite(time)
                                ? std::min(result.sequence.start + time, result.sequence.end)
                                : result.sequence.start;
    result.globalTime = globalTime.value_or(time);
    return result;
}

AnimationTime bindPoseTime(const mdx::Model& model) {
    AnimationTime result;
    result.globalSequences = &model.globalSequences;
    return result;
}

std::optional<std::size_t> findSequence(const mdx::Model& model, std::string_view text) {
    for (std::size_t i = 0; i < model.sequences.size(); ++i)
        if (model.sequences[i].name == text)
            return i;
    std::size_t number = 0;
    const auto end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || ptr != end || number < 1 ||
        number > model.sequences.size())
        return std::nullopt;
    return number - 1;
}

} // namespace animation
