#pragma once

#include "formats/animation/animation_time.h"
#include "formats/animation/quaternion.h"

namespace animation {

// How a track's values are combined between keys.
enum class TrackShape {
    Values,   // each component on its own: lerp, Hermite, Bezier
    Rotation, // quaternions: slerp, and squad for Hermite and Bezier
    Steps,    // never interpolated: visibility
    Integers, // never interpolated, the values' bits integers (texture numbers)
};

// The value of a track at the moment, or fallback (the field's static value) where no key
// counts. Only keys inside the clock's interval count, in file order; a key whose frame is not
// above the last one counted is skipped. A result with a component that is not finite is the
// fallback too, and rotations come out normalised.
mdx::Vec4 evaluateTrack(const mdx::Track& track, TrackShape shape, int components,
                        mdx::Vec4 fallback, const AnimationTime& time);

// The track of the given tag among a record's tracks, or nullptr.
const mdx::Track* findTrack(const mdx::Tracks& tracks, mdx::Tag tag);

// The common kinds of value, with their static value when the track is missing.
float scalarValue(const mdx::Tracks& tracks, mdx::Tag tag, float fallback,
                  const AnimationTime& time);
mdx::Vec3 vectorValue(const mdx::Tracks& tracks, mdx::Tag tag, mdx::Vec3 fallback,
                      const AnimationTime& time);
Quat rotationValue(const mdx::Tracks& tracks, mdx::Tag tag, const AnimationTime& time);
// Visibility: 1 or 0 (any value of at least 0.5 is visible), never interpolated.
float visibilityValue(const mdx::Tracks& tracks, mdx::Tag tag, const AnimationTime& time);
std::int32_t integerValue(const mdx::Tracks& tracks, mdx::Tag tag, std::int32_t fallback,
                          const AnimationTime& time);

} // namespace animation
