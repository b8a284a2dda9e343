#pragma once

#include "formats/mdx/mdx_model.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace animation {

// The interval a track's keys are read in and the frame read there, in ms.
struct TrackClock {
    double start = 0;
    double end = 0;
    double frame = 0;
    bool global = false; // the clock of a global sequence
};

// The moment a pose shows: a sequence and the time since its start, and the clock of the
// global sequences, which run on their own. The bind pose gives every track its static value.
struct AnimationTime {
    bool bindPose = true;
    TrackClock sequence;
    double globalTime = 0;
    const std::vector<std::uint32_t>* globalSequences = nullptr;

    // The clock a track runs on: its global sequence's (time modulo the length, in
    // [0, length]), or the current sequence's. A track naming a global sequence the model does
    // not have runs on the current sequence's clock.
    TrackClock clockOf(const mdx::Track& track) const;
};

// Sequence number `sequence` (0-based) of the model at `time` ms from its start: the frame is
// start + time, at most the end. An interval whose end lies before its start is taken as
// zero-length at its start. The global sequences run at globalTime (time when not given).
AnimationTime sequenceTime(const mdx::Model& model, std::size_t sequence, double time,
                           std::optional<double> globalTime = std::nullopt);
AnimationTime bindPoseTime(const mdx::Model& model);

// The 0-based number of the sequence the text names: a sequence of exactly that name, else its
// 1-based number. Nothing when neither.
std::optional<std::size_t> findSequence(const mdx::Model& model, std::string_view text);

} // namespace animation
