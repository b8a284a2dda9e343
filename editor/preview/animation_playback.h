#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mdx {
struct Model;
}

// How the 3D view plays the model's sequences: which one, where in it, how fast. The window's
// controls show this state and its timer steps it; every rule is here.
namespace editor::preview {

inline constexpr double slowestSpeed = 0.25;
inline constexpr double fastestSpeed = 2.0;
inline constexpr int playerCount = 12;

struct AnimationPlayback {
    int sequence = -1; // 0-based; -1 is the bind pose
    double time = 0;   // ms from the sequence's start
    // The clock of the global sequences, which runs on while playing whatever the sequence.
    double globalTime = 0;
    bool playing = false;
    bool loop = true;
    double speed = 1;
    bool skeleton = false;
    int teamColour = 0; // the player, 0 (red) to 11
};

// The sequence's length in ms (0 for the bind pose or a number the model has not).
double sequenceLength(const mdx::Model* model, int sequence);

// The sequence list: "(bind pose)" first, then each sequence's name and length.
std::vector<std::string> sequenceLabels(const mdx::Model* model);

// The frame shown, as the label beside the time slider says it: "frame 1250" (the sequence's
// start plus the time, in ms); empty in the bind pose.
std::string frameText(const mdx::Model* model, const AnimationPlayback& playback);

// Chooses a sequence (-1 or one the model lacks: the bind pose) from its start. The bind pose
// does not play.
void chooseSequence(AnimationPlayback& playback, const mdx::Model* model, int sequence);

// Play or Pause. Playing a sequence that stopped at its end without looping starts it again;
// the bind pose does not play.
void togglePlaying(AnimationPlayback& playback, const mdx::Model* model);

// The time slider moved: the time, kept within the sequence.
void seekPlayback(AnimationPlayback& playback, const mdx::Model* model, double time);

void setPlaybackSpeed(AnimationPlayback& playback, double speed); // kept in 0.25 to 2

// elapsed ms of the window's clock went by: while playing, time moves on by elapsed · speed;
// past the end it wraps round when looping, else it stays at the end and playing stops. A
// zero-length sequence stays at its start.
void stepPlayback(AnimationPlayback& playback, const mdx::Model* model, double elapsed);

// The game's player colours, red green blue, and their names.
std::array<std::uint8_t, 3> playerColour(int player);
const char* playerName(int player);

} // namespace editor::preview
