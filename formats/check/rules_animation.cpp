// The rules on numbers and animation: finite values, key order, keys outside the sequences,
// sequence intervals.
#include "formats/check/model_rules.h"
#include "formats/check/model_walk.h"
#include "formats/mdx/track_kinds.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace check::rules {

namespace {

template <std::size_t N> bool finite(const std::array<float, N>& values, std::size_t count = N) {
    for (std::size_t i = 0; i < count && i < N; ++i)
        if (!std::isfinite(values[i]))
            return false;
    return true;
}

bool finite(std::initializer_list<float> values) {
    return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

bool finite(const mdx::Extent& e) {
    return std::isfinite(e.boundsRadius) && finite(e.minimum) && finite(e.maximum);
}

template <class T> void badEntries(const std::vector<T>& list, std::vector<std::uint32_t>& out) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (!finite(list[i]))
            out.push_back(static_cast<std::uint32_t>(i));
}

void nonFiniteGeosets(const CheckContext& c, Report& report) {
    for (std::size_t g = 0; g < c.model.geosets.size(); ++g) {
        const auto& geoset = c.model.geosets[g];
        std::vector<std::uint32_t> vertices;
        badEntries(geoset.vertices, vertices);
        badEntries(geoset.normals, vertices);
        for (const auto& set : geoset.uvSets)
            badEntries(set, vertices);
        if (geoset.tangents)
            badEntries(*geoset.tangents, vertices);
        std::sort(vertices.begin(), vertices.end());
        vertices.erase(std::unique(vertices.begin(), vertices.end()), vertices.end());
        if (!vertices.empty()) {
            auto& p = report.add(geosetName(g) + ": " + placeList("vertex", vertices) +
                                     " holds a number that is not finite",
                                 static_cast<int>(g));
            p.vertices = std::move(vertices);
        }
        bool extents = finite(geoset.extent);
        for (const auto& e : geoset.sequenceExtents)
            extents = extents && finite(e);
        if (!extents)
            report.add(geosetName(g) + ": an extent holds a number that is not finite",
                       static_cast<int>(g));
    }
}

// The fields of the records other than geosets and tracks, one problem a record.
void nonFiniteRecords(const CheckContext& c, Report& report) {
    const auto& m = c.model;
    const auto check = [&](bool ok, const std::string& where, const std::string& node = {}) {
        if (!ok)
            report.add(where + " holds a number that is not finite").node = node;
    };
    const auto nodeText = [](const mdx::Node& n) { return "node \"" + n.name + "\""; };
    check(finite(m.info.extent), "the model's extent");
    for (const auto& s : m.sequences)
        check(finite(s.extent) && finite({s.moveSpeed, s.rarity}), "sequence \"" + s.name + "\"");
    for (std::size_t i = 0; i < m.materials.size(); ++i)
        for (const auto& l : m.materials[i].layers)
            check(finite({l.alpha, l.emissiveGain, l.fresnelOpacity, l.fresnelTeamColor}) &&
                      finite(l.fresnelColor),
                  "material " + std::to_string(i));
    for (std::size_t i = 0; i < m.geosetAnimations.size(); ++i)
        check(finite({m.geosetAnimations[i].alpha}) && finite(m.geosetAnimations[i].color),
              "geoset animation " + std::to_string(i));
    std::vector<std::uint32_t> pivots;
    badEntries(m.pivots, pivots);
    if (!pivots.empty())
        report.add(placeList("pivot point", pivots) + " holds a number that is not finite");
    for (const auto& l : m.lights)
        check(finite({l.attenuationStart, l.attenuationEnd, l.intensity, l.ambientIntensity}) &&
                  finite(l.color) && finite(l.ambientColor),
              nodeText(l.node), l.node.name);
    for (const auto& e : m.particleEmitters)
        check(finite({e.emissionRate, e.gravity, e.longitude, e.latitude, e.lifespan, e.speed}),
              nodeText(e.node), e.node.name);
    for (const auto& e : m.particleEmitters2) {
        bool ok = finite({e.speed, e.variation, e.latitude, e.gravity, e.lifespan, e.emissionRate,
                          e.width, e.length, e.tailLength, e.time}) &&
                  finite(e.segmentScaling);
        for (const auto& colour : e.segmentColor)
            ok = ok && finite(colour);
        check(ok, nodeText(e.node), e.node.name);
    }
    for (const auto& r : m.ribbonEmitters)
        check(finite({r.heightAbove, r.heightBelow, r.alpha, r.lifespan, r.gravity}) &&
                  finite(r.color),
              nodeText(r.node), r.node.name);
    for (const auto& p : m.popcornEmitters)
        check(finite({p.lifespan, p.emissionRate, p.speed, p.alpha}) && finite(p.color),
              nodeText(p.node), p.node.name);
    for (const auto& s : m.collisionShapes) {
        bool ok = std::isfinite(s.boundsRadius);
        for (const auto& v : s.vertices)
            ok = ok && finite(v);
        check(ok, nodeText(s.node), s.node.name);
    }
    for (const auto& cam : m.cameras)
        check(finite({cam.fieldOfView, cam.farClip, cam.nearClip}) && finite(cam.position) &&
                  finite(cam.targetPosition),
              "camera \"" + cam.name + "\"");
    std::vector<std::uint32_t> poses;
    badEntries(m.bindPoses, poses);
    if (!poses.empty())
        report.add(placeList("bind pose", poses) + " holds a number that is not finite");
}

// The key of a track whose frame does not come after the one before, or nothing.
std::optional<std::size_t> firstKeyOutOfOrder(const mdx::Track& track) {
    for (std::size_t k = 1; k < track.keys.size(); ++k)
        if (track.keys[k].frame <= track.keys[k - 1].frame)
            return k;
    return std::nullopt;
}

std::string trackName(const mdx::Track& track, const TrackOwner& owner) {
    return "track " + mdx::tagText(track.tag) + " of " + owner.describe();
}

} // namespace

void nonFinite(const CheckContext& c, Report& report) {
    nonFiniteGeosets(c, report);
    nonFiniteRecords(c, report);
    forEachTrack(c.model, [&](const mdx::Track& track, const TrackOwner& owner) {
        const auto* kind = mdx::trackKind(track.tag);
        if (kind && kind->integer)
            return;
        const std::size_t components = kind ? static_cast<std::size_t>(kind->components) : 4;
        for (std::size_t k = 0; k < track.keys.size(); ++k) {
            const auto& key = track.keys[k];
            if (finite(key.value, components) &&
                (!track.hasTangents() ||
                 (finite(key.inTan, components) && finite(key.outTan, components))))
                continue;
            report
                .add(trackName(track, owner) + ": key " + std::to_string(k) + " (frame " +
                     std::to_string(key.frame) + ") holds a number that is not finite")
                .node = owner.name ? *owner.name : "";
            return;
        }
    });
}

void trackOrder(const CheckContext& c, Report& report) {
    forEachTrack(c.model, [&](const mdx::Track& track, const TrackOwner& owner) {
        if (const auto k = firstKeyOutOfOrder(track))
            report
                .add(trackName(track, owner) + ": key " + std::to_string(*k) + " (frame " +
                     std::to_string(track.keys[*k].frame) + ") does not come after key " +
                     std::to_string(*k - 1) + " (frame " +
                     std::to_string(track.keys[*k - 1].frame) + ")")
                .node = owner.name ? *owner.name : "";
    });
    for (const auto& event : c.model.eventObjects) {
        if (!event.track)
            continue;
        const auto& frames = event.track->frames;
        for (std::size_t k = 1; k < frames.size(); ++k)
            if (frames[k] <= frames[k - 1]) {
                report
                    .add("the event track of node \"" + event.node.name + "\": key " +
                         std::to_string(k) + " (frame " + std::to_string(frames[k]) +
                         ") does not come after key " + std::to_string(k - 1))
                    .node = event.node.name;
                break;
            }
    }
}

void trackOutside(const CheckContext& c, Report& report) {
    const auto& sequences = c.model.sequences;
    if (sequences.empty())
        return; // nothing plays, so nothing is outside anything
    const auto inside = [&](std::int64_t frame) {
        return std::any_of(sequences.begin(), sequences.end(), [&](const mdx::Sequence& s) {
            return frame >= s.interval[0] && frame <= s.interval[1];
        });
    };
    forEachTrack(c.model, [&](const mdx::Track& track, const TrackOwner& owner) {
        if (track.globalSequenceId >= 0)
            return;
        std::size_t outside = 0, first = 0;
        for (std::size_t k = 0; k < track.keys.size(); ++k)
            if (!inside(track.keys[k].frame) && outside++ == 0)
                first = k;
        if (outside > 0)
            report
                .add(trackName(track, owner) + ": " + std::to_string(outside) +
                     (outside == 1 ? " key lies" : " keys lie") +
                     " outside every sequence, the first key " + std::to_string(first) +
                     " (frame " + std::to_string(track.keys[first].frame) + ")")
                .node = owner.name ? *owner.name : "";
    });
}

void sequenceInterval(const CheckContext& c, Report& report) {
    for (const auto& s : c.model.sequences)
        if (s.interval[1] <= s.interval[0])
            report.add("sequence \"" + s.name + "\" ends at " + std::to_string(s.interval[1]) +
                       ", not after its start " + std::to_string(s.interval[0]));
}

void sequenceOverlap(const CheckContext& c, Report& report) {
    const auto& list = c.model.sequences;
    std::vector<std::size_t> order(list.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return list[a].interval[0] < list[b].interval[0];
    });
    // After sorting by start, a sequence overlaps one before it when it starts before the
    // latest end seen so far.
    std::size_t latest = list.size();
    for (auto i : order) {
        if (latest != list.size() && list[i].interval[0] < list[latest].interval[1] &&
            list[i].interval[0] < list[i].interval[1])
            report.add("sequences \"" + list[latest].name + "\" and \"" + list[i].name +
                       "\" overlap");
        if (latest == list.size() || list[i].interval[1] > list[latest].interval[1])
            latest = i;
    }
}

} // namespace check::rules
