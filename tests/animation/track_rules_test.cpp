// The rules of track evaluation, on keys whose values are worked out by hand.

#include "animation_fixture.h"

#include "formats/animation/track_evaluation.h"

#include <gtest/gtest.h>

namespace {

using namespace animation_test;
using animation::TrackShape;

// One sequence [0, 100] and one [200, 300]; frames are times from the start.
mdx::Model twoSequences() {
    mdx::Model model;
    model.sequences = {sequence(0, 100), sequence(200, 300)};
    model.globalSequences = {40};
    return model;
}

float scalarAt(const mdx::Track& t, std::size_t sequence, double time) {
    const auto model = twoSequences();
    return animation::evaluateTrack(t, TrackShape::Values, 1, {-1},
                                    animation::sequenceTime(model, sequence, time))[0];
}

struct ScalarCase {
    const char* rule;
    std::uint32_t interpolation;
    std::vector<mdx::TrackKey> keys;
    std::size_t sequence;
    double time;
    float expected;
};

TEST(TrackRules, ScalarTracks) {
    // Keys 10 -> 0 and 60 -> 10, out tangent 4 and in tangent 2, span across the end 50.
    const std::vector<mdx::TrackKey> pair = {key(10, {0}, {0}, {4}), key(60, {10}, {2}, {0})};
    const ScalarCase cases[] = {
        {"DontInterp holds the earlier key", 0, pair, 0, 35, 0},
        {"Linear halfway", 1, pair, 0, 35, 5},
        {"Hermite halfway: 0.125*4 - 0.125*2 + 0.5*10", 2, pair, 0, 35, 5.25f},
        {"Bezier halfway: 0.375*4 + 0.375*2 + 0.125*10", 3, pair, 0, 35, 3.5f},
        {"at a key", 1, pair, 0, 60, 10},
        {"after the last key: t = 20/50 from last to first", 1, pair, 0, 80, 6},
        {"before the first key: t = -5/50, kept negative", 1, pair, 0, 5, 11},
        {"DontInterp across the end holds the last key", 0, pair, 0, 5, 10},
        {"the time stops at the sequence's end: t = 40/50", 1, pair, 0, 500, 2},
        {"no key inside the sequence: the static value", 1, pair, 1, 50, -1},
        {"one key inside", 1, {key(10, {0}), key(250, {7}), key(400, {9})}, 1, 10, 7},
        {"all keys equal, even with tangents",
         2,
         {key(210, {3}, {0}, {50}), key(260, {3}, {50}, {0})},
         1,
         25,
         3},
        {"keys of other sequences do not count",
         1,
         {key(50, {100}), key(210, {0}), key(290, {8}), key(350, {100})},
         1,
         50,
         4},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(scalarAt(track("KGAO", c.interpolation, c.keys), c.sequence, c.time),
                    c.expected, 1e-5)
            << c.rule;
}

TEST(TrackRules, RotationsSlerpAndSquad) {
    const auto model = twoSequences();
    const auto at = animation::sequenceTime(model, 0, 35);
    const auto linear = track("KGRT", 1, {key(10, aboutZ(0)), key(60, aboutZ(90))});
    const auto q = animation::evaluateTrack(linear, TrackShape::Rotation, 4, {0, 0, 0, 1}, at);
    const auto expected = aboutZ(45);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(q[i], expected[i], 1e-5) << "slerp halfway, component " << i;

    // Squad with both tangents the identity: slerp(45 degrees, identity, 2t(1-t) = 0.5).
    for (std::uint32_t kind : {2u, 3u}) {
        const auto curved = track(
            "KGRT", kind,
            {key(10, aboutZ(0), aboutZ(0), aboutZ(0)), key(60, aboutZ(90), aboutZ(0), aboutZ(0))});
        const auto s = animation::evaluateTrack(curved, TrackShape::Rotation, 4, {0, 0, 0, 1}, at);
        const auto squad = aboutZ(22.5);
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(s[i], squad[i], 1e-5) << "squad of kind " << kind << ", component " << i;
    }
}

TEST(TrackRules, GlobalSequencesRunOnTheirOwnClock) {
    const auto model = twoSequences(); // one global sequence of 40 ms
    const auto looped = track("KGAO", 1, {key(0, {0}), key(40, {40})}, 0);
    // Any sequence, global time 50: frame 50 mod 40 = 10.
    const auto at = animation::sequenceTime(model, 1, 3, 50.0);
    EXPECT_NEAR(animation::evaluateTrack(looped, TrackShape::Values, 1, {-1}, at)[0], 10, 1e-5);
    const auto pastLength = track("KGAO", 1, {key(100, {7}), key(120, {9})}, 0);
    EXPECT_EQ(animation::evaluateTrack(pastLength, TrackShape::Values, 1, {-1}, at)[0], 7)
        << "a first key past the length is held";
}

TEST(TrackRules, VisibilityAndIntegersNeverInterpolate) {
    const auto model = twoSequences();
    const mdx::Tracks tracks = {
        track("KATV", 1, {key(0, {1}), key(50, {0})}),
        track("KMTF", 1, {key(0, {std::bit_cast<float>(2)}), key(50, {std::bit_cast<float>(6)})})};
    const auto at = [&](double t) { return animation::sequenceTime(model, 0, t); };
    EXPECT_EQ(animation::visibilityValue(tracks, mdx::makeTag("KATV"), at(40)), 1);
    EXPECT_EQ(animation::visibilityValue(tracks, mdx::makeTag("KATV"), at(60)), 0);
    EXPECT_EQ(animation::integerValue(tracks, mdx::makeTag("KMTF"), 0, at(40)), 2);
    EXPECT_EQ(animation::integerValue(tracks, mdx::makeTag("KMTF"), 0, at(60)), 6);
    EXPECT_EQ(
        animation::integerValue(tracks, mdx::makeTag("KMTF"), 9, animation::bindPoseTime(model)), 9)
        << "the bind pose shows static values";
}

TEST(TrackRules, BadKeysGiveTheDefinedValue) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const ScalarCase cases[] = {
        {"a decreasing frame is skipped",
         1,
         {key(50, {10}), key(20, {0}), key(80, {20})},
         0,
         65,
         15},
        {"a duplicate frame is skipped", 1, {key(10, {0}), key(10, {5}), key(60, {10})}, 0, 35, 5},
        {"a value that is not a number gives the static value",
         1,
         {key(10, {0}), key(60, {nan})},
         0,
         35,
         -1},
        {"keys outside every sequence: the static value",
         1,
         {key(150, {1}), key(400, {2})},
         0,
         35,
         -1},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(scalarAt(track("KGAO", c.interpolation, c.keys), c.sequence, c.time),
                    c.expected, 1e-5)
            << c.rule;

    mdx::Model model;
    model.sequences = {sequence(50, 50), sequence(90, 10)};
    const auto keys = track("KGAO", 1, {key(10, {4}), key(50, {3}), key(90, {6})});
    for (std::size_t s = 0; s < 2; ++s)
        for (double t : {0.0, 10.0, 1e9, -5.0, static_cast<double>(nan)})
            EXPECT_EQ(animation::evaluateTrack(keys, TrackShape::Values, 1, {-1},
                                               animation::sequenceTime(model, s, t))[0],
                      s == 0 ? 3 : 6)
                << "a zero-length or reversed interval holds its one frame, sequence " << s
                << " time " << t;
}

TEST(TrackRules, SequencesByNameOrNumber) {
    mdx::Model model;
    model.sequences = {sequence(0, 10, "Stand"), sequence(20, 30, "2"), sequence(40, 50, "Walk")};
    EXPECT_EQ(animation::findSequence(model, "Walk"), 2u);
    EXPECT_EQ(animation::findSequence(model, "1"), 0u);
    EXPECT_EQ(animation::findSequence(model, "2"), 1u) << "a name matches before a number";
    for (const char* bad : {"walk", "0", "4", "", "-1", "1x"})
        EXPECT_FALSE(animation::findSequence(model, bad)) << bad;
}

} // namespace
