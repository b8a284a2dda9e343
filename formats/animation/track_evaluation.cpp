#include "formats/animation/track_evaluation.h"

#include <bit>
#include <cmath>

namespace animation {

namespace {

using mdx::Vec4;

bool sameValue(const Vec4& a, const Vec4& b, int components) {
    for (int i = 0; i < components; ++i)
        if (std::bit_cast<std::uint32_t>(a[i]) != std::bit_cast<std::uint32_t>(b[i]))
            return false;
    return true;
}

Vec4 hermite(const mdx::TrackKey& a, const mdx::TrackKey& b, float t, int components) {
    const float t2 = t * t, t3 = t2 * t;
    const float h00 = 2 * t3 - 3 * t2 + 1, h10 = t3 - 2 * t2 + t, h11 = t3 - t2,
                h01 = 3 * t2 - 2 * t3;
    Vec4 v{};
    for (int i = 0; i < components; ++i)
        v[i] = h00 * a.value[i] + h10 * a.outTan[i] + h11 * b.inTan[i] + h01 * b.value[i];
    return v;
}

Vec4 bezier(const mdx::TrackKey& a, const mdx::TrackKey& b, float t, int components) {
    const float u = 1 - t;
    const float w0 = u * u * u, w1 = 3 * t * u * u, w2 = 3 * t * t * u, w3 = t * t * t;
    Vec4 v{};
    for (int i = 0; i < components; ++i)
        v[i] = w0 * a.value[i] + w1 * a.outTan[i] + w2 * b.inTan[i] + w3 * b.value[i];
    return v;
}

Vec4 interpolate(const mdx::TrackKey& a, const mdx::TrackKey& b, float t, std::uint32_t kind,
                 TrackShape shape, int components) {
    if (shape == TrackShape::Steps || shape == TrackShape::Integers || kind == 0 || kind > 3)
        return a.value;
    if (shape == TrackShape::Rotation) {
        if (kind == 1)
            return slerp(a.value, b.value, t);
        return slerp(slerp(a.value, b.value, t), slerp(a.outTan, b.inTan, t), 2 * t * (1 - t));
    }
    if (kind == 1) {
        Vec4 v{};
        for (int i = 0; i < components; ++i)
            v[i] = a.value[i] + (b.value[i] - a.value[i]) * t;
        return v;
    }
    return kind == 2 ? hermite(a, b, t, components) : bezier(a, b, t, components);
}

// The keys that count at the clock's frame, found in one pass over the track.
struct KeysAround {
    int first = -1;  // the first key inside the interval
    int last = -1;   // the last
    int before = -1; // the last at or before the frame
    int after = -1;  // the first after it
    bool allEqual = true;
};

KeysAround keysAround(const std::vector<mdx::TrackKey>& keys, const TrackClock& clock,
                      int components) {
    KeysAround found;
    for (int i = 0; i < static_cast<int>(keys.size()); ++i) {
        const double frame = keys[static_cast<std::size_t>(i)].frame;
        if (frame < clock.start || frame > clock.end ||
            (found.last >= 0 && frame <= keys[static_cast<std::size_t>(found.last)].frame))
            continue;
        if (found.first < 0)
            found.first = i;
        else if (!sameValue(keys[static_cast<std::size_t>(i)].value,
                            keys[static_cast<std::size_t>(found.first)].value, components))
            found.allEqual = false;
        if (frame <= clock.frame)
            found.before = i;
        else if (found.after < 0)
            found.after = i;
        found.last = i;
    }
    return found;
}

Vec4 evaluateKeys(const mdx::Track& track, TrackShape shape, int components, Vec4 fallback,
                  const TrackClock& clock) {
    const auto& keys = track.keys;
    const KeysAround at = keysAround(keys, clock, components);
    if (at.first < 0) {
        // A global track whose first key lies past the sequence's length holds that key.
        if (clock.global && !keys.empty() && keys.front().frame > clock.end)
            return keys.front().value;
        return fallback;
    }
    const auto& first = keys[static_cast<std::size_t>(at.first)];
    const auto& last = keys[static_cast<std::size_t>(at.last)];
    if (at.first == at.last || at.allEqual || clock.frame < clock.start)
        return first.value;
    if (at.before >= 0 && at.after >= 0) {
        const auto& a = keys[static_cast<std::size_t>(at.before)];
        const auto& b = keys[static_cast<std::size_t>(at.after)];
        const auto t = static_cast<float>((clock.frame - a.frame) / (b.frame - a.frame));
        return interpolate(a, b, t, track.interpolation, shape, components);
    }
    // Before the first key or at and after the last: from the last key to the first across
    // the sequence's end. Before the first key t is negative, as the game has it.
    const double span = static_cast<double>(first.frame) - last.frame + (clock.end - clock.start);
    if (span <= 0)
        return last.value;
    const double from = at.before < 0 ? first.frame : last.frame;
    const auto t = static_cast<float>((clock.frame - from) / span);
    return interpolate(last, first, t, track.interpolation, shape, components);
}

} // namespace

Vec4 evaluateTrack(const mdx::Track& track, TrackShape shape, int components, Vec4 fallback,
                   const AnimationTime& time) {
    if (time.bindPose)
        return fallback;
    Vec4 value = evaluateKeys(track, shape, components, fallback, time.clockOf(track));
    if (shape == TrackShape::Integers)
        return value;
    for (int i = 0; i < components; ++i)
        if (!std::isfinite(value[i]))
            return fallback;
    return shape == TrackShape::Rotation ? normalisedRotation(value) : value;
}

const mdx::Track* findTrack(const mdx::Tracks& tracks, mdx::Tag tag) {
    for (const auto& track : tracks)
        if (track.tag == tag)
            return &track;
    return nullptr;
}

float scalarValue(const mdx::Tracks& tracks, mdx::Tag tag, float fallback,
                  const AnimationTime& time) {
    const auto* track = findTrack(tracks, tag);
    return track ? evaluateTrack(*track, TrackShape::Values, 1, {fallback}, time)[0] : fallback;
}

mdx::Vec3 vectorValue(const mdx::Tracks& tracks, mdx::Tag tag, mdx::Vec3 fallback,
                      const AnimationTime& time) {
    const auto* track = findTrack(tracks, tag);
    if (!track)
        return fallback;
    const Vec4 v = evaluateTrack(*track, TrackShape::Values, 3,
                                 {fallback[0], fallback[1], fallback[2], 0}, time);
    return {v[0], v[1], v[2]};
}

Quat rotationValue(const mdx::Tracks& tracks, mdx::Tag tag, const AnimationTime& time) {
    const auto* track = findTrack(tracks, tag);
    return track ? evaluateTrack(*track, TrackShape::Rotation, 4, identityRotation, time)
                 : identityRotation;
}

float visibilityValue(const mdx::Tracks& tracks, mdx::Tag tag, const AnimationTime& time) {
    const auto* track = findTrack(tracks, tag);
    if (!track)
        return 1;
    return evaluateTrack(*track, TrackShape::Steps, 1, {1}, time)[0] >= 0.5f ? 1.0f : 0.0f;
}

std::int32_t integerValue(const mdx::Tracks& tracks, mdx::Tag tag, std::int32_t fallback,
                          const AnimationTime& time) {
    const auto* track = findTrack(tracks, tag);
    if (!track)
        return fallback;
    const float bits = std::bit_cast<float>(fallback);
    return std::bit_cast<std::int32_t>(
        evaluateTrack(*track, TrackShape::Integers, 1, {bits}, time)[0]);
}

} // namespace animation
