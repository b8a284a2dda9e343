#include "formats/check/model_usage.h"

#include "formats/check/model_walk.h"

#include <bit>

namespace check {

const mdx::Tag textureIdTrack = mdx::makeTag("KMTF");

std::uint32_t integerValue(const mdx::TrackKey& key) {
    return std::bit_cast<std::uint32_t>(key.value[0]);
}

void setIntegerValue(mdx::TrackKey& key, std::uint32_t value) {
    key.value[0] = std::bit_cast<float>(value);
}

namespace {

void mark(std::vector<bool>& used, std::uint64_t id) {
    if (id < used.size())
        used[id] = true;
}

} // namespace

Usage usageOf(const mdx::Model& m) {
    Usage u{std::vector<bool>(m.textures.size()), std::vector<bool>(m.materials.size()),
            std::vector<bool>(m.textureAnimations.size()),
            std::vector<bool>(m.globalSequences.size())};
    for (const auto& geoset : m.geosets)
        mark(u.materials, geoset.materialId);
    for (const auto& ribbon : m.ribbonEmitters)
        mark(u.materials, ribbon.materialId);
    for (const auto& emitter : m.particleEmitters2)
        mark(u.textures, emitter.textureId);
    for (const auto& material : m.materials)
        for (const auto& layer : material.layers) {
            mark(u.textures, layer.textureId);
            for (const auto& texture : layer.textures)
                mark(u.textures, texture.textureId);
            if (layer.textureAnimationId != mdx::noId)
                mark(u.textureAnimations, layer.textureAnimationId);
        }
    forEachTrack(m, [&](const mdx::Track& track, const TrackOwner&) {
        if (track.globalSequenceId >= 0)
            mark(u.globalSequences, static_cast<std::uint64_t>(track.globalSequenceId));
        if (track.tag == textureIdTrack)
            for (const auto& key : track.keys)
                mark(u.textures, integerValue(key));
    });
    for (const auto& event : m.eventObjects)
        if (event.track && event.track->globalSequenceId >= 0)
            mark(u.globalSequences, static_cast<std::uint64_t>(event.track->globalSequenceId));
    return u;
}

} // namespace check
