#include "formats/check/model_fixes.h"

#include "formats/check/model_extents.h"
#include "formats/check/model_rules.h"
#include "formats/check/model_usage.h"
#include "formats/check/model_walk.h"

#include <algorithm>

namespace check {

namespace {

// Old index -> new index once the unused entries are gone. Ids past the list stay past it.
class Renumbering {
  public:
    explicit Renumbering(const std::vector<bool>& used) : next_(used.size()) {
        for (std::size_t i = 0; i < used.size(); ++i) {
            next_[i] = static_cast<std::uint32_t>(kept_);
            kept_ += used[i] ? 1 : 0;
        }
    }
    std::size_t removed() const { return next_.size() - kept_; }
    template <class T> T operator()(T id) const {
        if (id < 0)
            return id;
        const auto at = static_cast<std::uint64_t>(id);
        return static_cast<T>(at < next_.size() ? next_[at] : at - removed());
    }

  private:
    std::vector<std::uint32_t> next_;
    std::size_t kept_ = 0;
};

template <class T> void eraseUnused(std::vector<T>& list, const std::vector<bool>& used) {
    std::size_t i = 0;
    list.erase(std::remove_if(list.begin(), list.end(), [&](const T&) { return !used[i++]; }),
               list.end());
}

std::string removedText(std::size_t count, const char* one, const char* many) {
    return "removed " + std::to_string(count) + " unused " + (count == 1 ? one : many);
}

Changes removeUnusedMaterials(mdx::Model& m) {
    const auto used = usageOf(m).materials;
    const Renumbering to(used);
    if (to.removed() == 0)
        return {};
    for (auto& geoset : m.geosets)
        geoset.materialId = to(geoset.materialId);
    for (auto& ribbon : m.ribbonEmitters)
        ribbon.materialId = to(ribbon.materialId);
    eraseUnused(m.materials, used);
    return {removedText(to.removed(), "material", "materials")};
}

Changes removeUnusedTexturesAndSequences(mdx::Model& m) {
    const auto usage = usageOf(m);
    const Renumbering textures(usage.textures), animations(usage.textureAnimations),
        sequences(usage.globalSequences);
    for (auto& material : m.materials)
        for (auto& layer : material.layers) {
            layer.textureId = textures(layer.textureId);
            for (auto& texture : layer.textures)
                texture.textureId = textures(texture.textureId);
            if (layer.textureAnimationId != mdx::noId)
                layer.textureAnimationId = animations(layer.textureAnimationId);
        }
    for (auto& emitter : m.particleEmitters2)
        emitter.textureId = textures(emitter.textureId);
    forEachTrack(m, [&](mdx::Track& track, const TrackOwner&) {
        track.globalSequenceId = sequences(track.globalSequenceId);
        if (track.tag == textureIdTrack)
            for (auto& key : track.keys)
                setIntegerValue(key, textures(integerValue(key)));
    });
    for (auto& event : m.eventObjects)
        if (event.track)
            event.track->globalSequenceId = sequences(event.track->globalSequenceId);
    eraseUnused(m.textures, usage.textures);
    eraseUnused(m.textureAnimations, usage.textureAnimations);
    eraseUnused(m.globalSequences, usage.globalSequences);
    Changes changes;
    if (textures.removed())
        changes.push_back(removedText(textures.removed(), "texture", "textures"));
    if (animations.removed())
        changes.push_back(
            removedText(animations.removed(), "texture animation", "texture animations"));
    if (sequences.removed())
        changes.push_back(removedText(sequences.removed(), "global sequence", "global sequences"));
    return changes;
}

} // namespace

Changes recalculateExtents(mdx::Model& m) {
    Changes changes;
    std::optional<Bounds> all;
    std::vector<const std::vector<mdx::Vec3>*> everyVertex;
    for (std::size_t g = 0; g < m.geosets.size(); ++g) {
        auto& geoset = m.geosets[g];
        const auto bounds = boundsOf(geoset.vertices);
        if (!bounds)
            continue;
        everyVertex.push_back(&geoset.vertices);
        if (all)
            all->add(*bounds);
        else
            all = bounds;
        if (!extentFits(geoset.extent, *bounds)) {
            geoset.extent = extentOf(*bounds, {&geoset.vertices});
            changes.push_back(rules::geosetName(g) + ": extent recalculated");
        }
    }
    if (all && !extentFits(m.info.extent, *all)) {
        m.info.extent = extentOf(*all, everyVertex);
        changes.push_back("the model's extent recalculated");
    }
    return changes;
}

Changes sortTrackKeys(mdx::Model& m) {
    Changes changes;
    const auto byFrame = [](const mdx::TrackKey& a, const mdx::TrackKey& b) {
        return a.frame < b.frame;
    };
    forEachTrack(m, [&](mdx::Track& track, const TrackOwner& owner) {
        if (std::is_sorted(track.keys.begin(), track.keys.end(), byFrame) &&
            std::adjacent_find(track.keys.begin(), track.keys.end()) == track.keys.end())
            return;
        std::stable_sort(track.keys.begin(), track.keys.end(), byFrame);
        const auto before = track.keys.size();
        track.keys.erase(std::unique(track.keys.begin(), track.keys.end()), track.keys.end());
        changes.push_back("track " + mdx::tagText(track.tag) + " of " + owner.describe() +
                          ": keys sorted, " + std::to_string(before - track.keys.size()) +
                          " repeated keys dropped");
    });
    for (auto& event : m.eventObjects) {
        if (!event.track)
            continue;
        auto& frames = event.track->frames;
        if (std::is_sorted(frames.begin(), frames.end()) &&
            std::adjacent_find(frames.begin(), frames.end()) == frames.end())
            continue;
        std::sort(frames.begin(), frames.end());
        frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
        changes.push_back("the event track of node \"" + event.node.name + "\": frames sorted");
    }
    return changes;
}

Changes removeUnused(mdx::Model& m) {
    // Materials first: a removed material may leave textures and texture animations unused.
    auto changes = removeUnusedMaterials(m);
    auto more = removeUnusedTexturesAndSequences(m);
    changes.insert(changes.end(), more.begin(), more.end());
    return changes;
}

Changes clampSkinWeights(mdx::Model& m) {
    Changes changes;
    for (std::size_t g = 0; g < m.geosets.size(); ++g) {
        if (!m.geosets[g].skin)
            continue;
        auto& skin = *m.geosets[g].skin;
        std::size_t fixed = 0;
        for (std::size_t v = 0; v + 8 <= skin.size(); v += 8) {
            std::uint8_t* w = &skin[v + 4];
            const int sum = w[0] + w[1] + w[2] + w[3];
            if (sum == 255 || sum == 0)
                continue;
            const auto largest = static_cast<std::size_t>(std::max_element(w, w + 4) - w);
            const int adjusted = w[largest] + 255 - sum;
            if (adjusted >= 0 && adjusted <= 255) {
                w[largest] = static_cast<std::uint8_t>(adjusted);
            } else {
                int scaledSum = 0;
                for (int k = 0; k < 4; ++k) {
                    w[k] = static_cast<std::uint8_t>(w[k] * 255 / sum);
                    scaledSum += w[k];
                }
                w[largest] = static_cast<std::uint8_t>(w[largest] + 255 - scaledSum);
            }
            ++fixed;
        }
        if (fixed)
            changes.push_back(rules::geosetName(g) + ": the skin weights of " +
                              std::to_string(fixed) + " vertices made to sum to 255");
    }
    return changes;
}

} // namespace check
