#include "editor/preview/animation_playback.h"

#include "formats/mdx/mdx_model.h"

#include <algorithm>
#include <cmath>

namespace editor::preview {

namespace {

bool hasSequence(const mdx::Model* model, int sequence) {
    return model && sequence >= 0 && static_cast<std::size_t>(sequence) < model->sequences.size();
}

struct Player {
    std::array<std::uint8_t, 3> colour;
    const char* name;
};

constexpr std::array<Player, playerCount> players{{
    {{255, 3, 3}, "Red"},
    {{0, 66, 255}, "Blue"},
    {{28, 230, 185}, "Teal"},
    {{84, 0, 129}, "Purple"},
    {{255, 252, 1}, "Yellow"},
    {{254, 138, 14}, "Orange"},
    {{32, 192, 0}, "Green"},
    {{229, 91, 176}, "Pink"},
    {{149, 150, 151}, "Gray"},
    {{126, 191, 241}, "Light Blue"},
    {{16, 98, 70}, "Dark Green"},
    {{78, 42, 4}, "Brown"},
}};

const Player& playerAt(int player) {
    return players[static_cast<std::size_t>(std::clamp(player, 0, playerCount - 1))];
}

} // namespace

double sequenceLength(const mdx::Model* model, int sequence) {
    if (!hasSequence(model, sequence))
        return 0;
    const auto& interval = model->sequences[static_cast<std::size_t>(sequence)].interval;
    // An interval whose end lies before its start is zero-length, as the pose takes it.
    return interval[1] > interval[0] ? static_cast<double>(interval[1] - interval[0]) : 0.0;
}

std::vector<std::string> sequenceLabels(const mdx::Model* model) {
    std::vector<std::string> labels{"(bind pose)"};
    if (!model)
        return labels;
    for (std::size_t i = 0; i < model->sequences.size(); ++i) {
        const auto& name = model->sequences[i].name;
        labels.push_back(
            (name.empty() ? "Sequence " + std::to_string(i + 1) : name) + " (" +
            std::to_string(static_cast<long long>(sequenceLength(model, static_cast<int>(i)))) +
            " ms)");
    }
    return labels;
}

std::string frameText(const mdx::Model* model, const AnimationPlayback& playback) {
    if (!hasSequence(model, playback.sequence))
        return "";
    const auto start = model->sequences[static_cast<std::size_t>(playback.sequence)].interval[0];
    return "frame " + std::to_string(std::llround(start + playback.time));
}

void chooseSequence(AnimationPlayback& playback, const mdx::Model* model, int sequence) {
    playback.sequence = hasSequence(model, sequence) ? sequence : -1;
    playback.time = 0;
    if (playback.sequence < 0)
        playback.playing = false;
}

void togglePlaying(AnimationPlayback& playback, const mdx::Model* model) {
    if (playback.playing || !hasSequence(model, playback.sequence)) {
        playback.playing = false;
        return;
    }
    if (!playback.loop && playback.time >= sequenceLength(model, playback.sequence))
        playback.time = 0;
    playback.playing = true;
}

void seekPlayback(AnimationPlayback& playback, const mdx::Model* model, double time) {
    const double length = sequenceLength(model, playback.sequence);
    playback.time = std::isfinite(time) ? std::clamp(time, 0.0, length) : 0.0;
}

void setPlaybackSpeed(AnimationPlayback& playback, double speed) {
    playback.speed = std::isfinite(speed) ? std::clamp(speed, slowestSpeed, fastestSpeed) : 1.0;
}

void stepPlayback(AnimationPlayback& playback, const mdx::Model* model, double elapsed) {
    if (!playback.playing || !hasSequence(model, playback.sequence) || !(elapsed > 0))
        return;
    const double by = elapsed * playback.speed;
    playback.globalTime += by;
    const double length = sequenceLength(model, playback.sequence);
    const double time = playback.time + by;
    if (time < length || length <= 0) {
        playback.time = length <= 0 ? 0 : time;
        return;
    }
    if (playback.loop) {
        playback.time = std::fmod(time, length);
        return;
    }
    playback.time = length;
    playback.playing = false;
}

std::array<std::uint8_t, 3> playerColour(int player) {
    return playerAt(player).colour;
}

const char* playerName(int player) {
    return playerAt(player).name;
}

} // namespace editor::preview
