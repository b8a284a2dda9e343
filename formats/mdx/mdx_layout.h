#pragma once

// The layout of every record of the model, written once and walked by four visitors: the MDX
// reader and writer (binary order, fixed sizes) and the MDL reader and writer (names, defaults
// left out, flags as words). A visitor has the members used below; `binary` tells the two
// families apart where their forms differ.

#include "formats/mdx/mdx_model.h"
#include "formats/mdx/track_kinds.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <initializer_list>
#include <utility>

namespace mdx::layout {

struct FlagWord {
    const char* word; // "Group/Word" for words written inside a "Group { ... }" item
    std::uint32_t bit;
};
using FlagTable = std::initializer_list<FlagWord>;
// A flag bit that no word names: the text tells it by a line of key (static or a track), which
// the MDL writer writes when shown is true.
struct LineFlag {
    const char* key = nullptr;
    std::uint32_t bit = 0;
    bool shown = false;
};
using WordTable = std::initializer_list<const char*>;

constexpr std::uint32_t helperBit = 0, boneBit = 0x100, lightBit = 0x200, eventBit = 0x400,
                        attachmentBit = 0x800, emitterBit = 0x1000, collisionBit = 0x2000,
                        ribbonBit = 0x4000;

// A record that starts with its own size (the size field included); bytes past what is known
// are kept in extra.
// Whether the n floats at x have the bits of def (missing entries of def are 0).
inline bool sameBitsAs(const float* x, int n, std::initializer_list<float> def) {
    for (int i = 0; i < n; ++i) {
        const float d = i < static_cast<int>(def.size()) ? def.begin()[i] : 0.0f;
        if (std::bit_cast<std::uint32_t>(x[i]) != std::bit_cast<std::uint32_t>(d))
            return false;
    }
    return true;
}

inline bool animated(const Tracks& tracks, const char (&tag)[5]) {
    const Tag t = makeTag(tag);
    return std::any_of(tracks.begin(), tracks.end(), [t](const Track& k) { return k.tag == t; });
}

// The visitors' always(): the next field's line is written even when it holds its default, as
// the classic MDL files always have it. colour(): three channels, which the MDL text holds in
// the opposite order from the binary file.

template <class V, class F> void sized(V& v, std::string& extra, F&& body) {
    if constexpr (V::binary) {
        v.sized(extra, std::forward<F>(body));
    } else {
        v.noteExtra(extra);
        body(v);
    }
}

template <class V> void node(V& v, Node& n, std::uint32_t typeBits, FlagTable own = {}) {
    sized(v, n.extra, [&](auto& w) {
        w.name(n.name, 80);
        w.u32("ObjectId", n.objectId, noId);
        w.id("Parent", n.parentId, nullptr);
        w.raw(n.flags);
        w.flags(n.flags,
                {{"DontInherit/Translation", 1},
                 {"DontInherit/Rotation", 2},
                 {"DontInherit/Scaling", 4},
                 {"Billboarded", 8},
                 {"BillboardedLockX", 16},
                 {"BillboardedLockY", 32},
                 {"BillboardedLockZ", 64},
                 {"CameraAnchored", 128}},
                typeBits, own);
        w.tracks(n.tracks, {makeTag("KGTR"), makeTag("KGRT"), makeTag("KGSC")});
        w.binaryTracks(n.tracks);
    });
}

template <class V> void describe(V& v, ModelInfo& m) {
    v.name(m.name, 80);
    v.str("AnimationFile", m.animationFile, 260);
    v.extent(m.extent);
    v.always();
    v.u32("BlendTime", m.blendTime);
}

template <class V> void describe(V& v, Sequence& s) {
    v.name(s.name, 80);
    v.always();
    v.u32s("Interval", s.interval.data(), 2);
    v.f32("MoveSpeed", s.moveSpeed);
    v.raw(s.flags);
    v.flags(s.flags, {{"NonLooping", 1}}, 0, {});
    v.f32("Rarity", s.rarity);
    v.u32("SyncPoint", s.syncPoint);
    v.extent(s.extent);
}

template <class V> void describe(V& v, Texture& t) {
    v.u32("ReplaceableId", t.replaceableId);
    v.always();
    v.str("Image", t.path, 260);
    v.raw(t.flags);
    v.flags(t.flags, {{"WrapWidth", 1}, {"WrapHeight", 2}}, 0, {});
}

template <class V> void describe(V& v, LayerTexture& t) {
    v.u32("TextureID", t.textureId);
    v.u32("Semantic", t.semantic);
    v.tracks(t.tracks, {makeTag("KMTF")});
    v.binaryOptionalTrack(t.tracks, makeTag("KMTF"));
}

template <class V> void describe(V& v, Layer& l, std::uint32_t version) {
    sized(v, l.extra, [&](auto& w) {
        w.always();
        w.keyEnum(
            "FilterMode", l.filterMode,
            {"None", "Transparent", "Blend", "Additive", "AddAlpha", "Modulate", "Modulate2x"});
        w.raw(l.shadingFlags);
        w.flags(l.shadingFlags,
                {{"Unshaded", 1},
                 {"SphereEnvMap", 2},
                 {"TwoSided", 16},
                 {"Unfogged", 32},
                 {"NoDepthTest", 64},
                 {"NoDepthSet", 128},
                 {"Unlit", 256}},
                0, {});
        w.always(!animated(l.tracks, "KMTF"));
        w.u32("TextureID", l.textureId, 0, true);
        w.id("TVertexAnimId", l.textureAnimationId, nullptr);
        w.u32("CoordId", l.coordId);
        w.f32("Alpha", l.alpha, 1, true);
        if (version > 800)
            w.f32("EmissiveGain", l.emissiveGain, 1, true);
        if (version > 900) {
            w.vec("FresnelColor", l.fresnelColor.data(), 3, {1, 1, 1}, true);
            w.f32("FresnelOpacity", l.fresnelOpacity, 0, true);
            w.f32("FresnelTeamColor", l.fresnelTeamColor, 0, true);
        }
        if (version > 1000) {
            w.u32("HD", l.hd);
            w.list("Texture", l.textures, [](auto& x, LayerTexture& t) { describe(x, t); });
        }
        w.tracks(l.tracks, {makeTag("KMTF"), makeTag("KMTA"), makeTag("KMTE"), makeTag("KFC3"),
                            makeTag("KFCA"), makeTag("KFTC")});
        w.binaryTracks(l.tracks);
    });
}

template <class V> void describe(V& v, Material& m, std::uint32_t version) {
    sized(v, m.extra, [&](auto& w) {
        w.i32("PriorityPlane", m.priorityPlane);
        w.raw(m.flags);
        w.flags(m.flags,
                {{"ConstantColor", 1},
                 {"SortPrimsNearZ", 8},
                 {"SortPrimsFarZ", 16},
                 {"FullResolution", 32}},
                0, {});
        if (version > 800)
            w.str("Shader", m.shader, 80);
        w.binaryTag(makeTag("LAYS"));
        w.list("Layer", m.layers, [version](auto& x, Layer& l) { describe(x, l, version); });
    });
}

template <class V> void describe(V& v, TextureAnimation& t) {
    sized(v, t.extra, [&](auto& w) {
        w.tracks(t.tracks, {makeTag("KTAT"), makeTag("KTAR"), makeTag("KTAS")});
        w.binaryTracks(t.tracks);
    });
}

template <class V> void describe(V& v, GeosetAnimation& g) {
    sized(v, g.extra, [&](auto& w) {
        const bool colourTrack = animated(g.tracks, "KGAC");
        const bool staticColour = (g.flags & 2) && !colourTrack;
        w.always(!animated(g.tracks, "KGAO"));
        w.f32("Alpha", g.alpha, 1, true);
        w.raw(g.flags);
        // The colour bit is told by a Color line, static or a track, as in the classic files.
        const bool colourLine =
            staticColour || colourTrack || !sameBitsAs(g.color.data(), 3, {1, 1, 1});
        w.flags(g.flags, {{"DropShadow", 1}}, 0, {}, {"Color", 2, colourLine});
        w.always(staticColour);
        w.vec("Color", g.color.data(), 3, {1, 1, 1}, true);
        w.id("GeosetId", g.geosetId, nullptr);
        w.tracks(g.tracks, {makeTag("KGAO"), makeTag("KGAC")});
        w.binaryTracks(g.tracks);
    });
}

template <class V> void describe(V& v, Bone& b) {
    node(v, b.node, boneBit);
    v.id("GeosetId", b.geosetId, "Multiple");
    v.id("GeosetAnimId", b.geosetAnimationId, "None");
}

template <class V> void describe(V& v, Light& l) {
    sized(v, l.extra, [&](auto& w) {
        node(w, l.node, lightBit);
        w.wordEnum(l.type, {"Omnidirectional", "Directional", "Ambient"});
        w.f32("AttenuationStart", l.attenuationStart, 0, true);
        w.f32("AttenuationEnd", l.attenuationEnd, 0, true);
        w.colour("Color", l.color.data(), {1, 1, 1}, true);
        w.always(!animated(l.tracks, "KLAI"));
        w.f32("Intensity", l.intensity, 0, true);
        w.colour("AmbColor", l.ambientColor.data(), {1, 1, 1}, true);
        w.always(!animated(l.tracks, "KLBI"));
        w.f32("AmbIntensity", l.ambientIntensity, 0, true);
        w.tracks(l.tracks, {makeTag("KLAS"), makeTag("KLAE"), makeTag("KLAC"), makeTag("KLAI"),
                            makeTag("KLBI"), makeTag("KLBC"), makeTag("KLAV")});
        w.binaryTracks(l.tracks);
    });
}

template <class V> void describe(V& v, Helper& h) {
    node(v, h.node, helperBit);
}

template <class V> void describe(V& v, Attachment& a) {
    sized(v, a.extra, [&](auto& w) {
        node(w, a.node, attachmentBit);
        w.str("Path", a.path, 260);
        w.u32("AttachmentID", a.attachmentId);
        w.tracks(a.tracks, {makeTag("KATV")});
        w.binaryTracks(a.tracks);
    });
}

template <class V> void describe(V& v, ParticleEmitter& p) {
    sized(v, p.extra, [&](auto& w) {
        node(w, p.node, emitterBit, {{"EmitterUsesMDL", 0x8000}, {"EmitterUsesTGA", 0x10000}});
        w.f32("EmissionRate", p.emissionRate, 0, true);
        w.f32("Gravity", p.gravity, 0, true);
        w.f32("Longitude", p.longitude, 0, true);
        w.f32("Latitude", p.latitude, 0, true);
        w.str("Path", p.path, 260);
        w.f32("LifeSpan", p.lifespan, 0, true);
        w.f32("InitVelocity", p.speed, 0, true);
        w.tracks(p.tracks, {makeTag("KPEE"), makeTag("KPEG"), makeTag("KPLN"), makeTag("KPLT"),
                            makeTag("KPEL"), makeTag("KPES"), makeTag("KPEV")});
        w.binaryTracks(p.tracks);
    });
}

template <class V> void describe(V& v, ParticleEmitter2& p) {
    sized(v, p.extra, [&](auto& w) {
        node(w, p.node, emitterBit,
             {{"Unshaded", 0x8000},
              {"SortPrimsFarZ", 0x10000},
              {"LineEmitter", 0x20000},
              {"Unfogged", 0x40000},
              {"ModelSpace", 0x80000},
              {"XYQuad", 0x100000}});
        w.f32("Speed", p.speed, 0, true);
        w.f32("Variation", p.variation, 0, true);
        w.f32("Latitude", p.latitude, 0, true);
        w.f32("Gravity", p.gravity, 0, true);
        w.f32("LifeSpan", p.lifespan);
        w.f32("EmissionRate", p.emissionRate, 0, true);
        w.f32("Width", p.width, 0, true);
        w.f32("Length", p.length, 0, true);
        w.wordEnum(p.filterMode, {"Blend", "Additive", "Modulate", "Modulate2x", "AlphaKey"});
        w.u32("Rows", p.rows);
        w.u32("Columns", p.columns);
        w.wordEnum(p.headOrTail, {"Head", "Tail", "Both"});
        w.f32("TailLength", p.tailLength);
        w.f32("Time", p.time);
        w.colourList("SegmentColor", "Color", p.segmentColor[0].data(), 3);
        w.u8s("Alpha", p.segmentAlpha.data(), 3);
        w.vec("ParticleScaling", p.segmentScaling.data(), 3, {});
        w.u32s("LifeSpanUVAnim", p.headIntervals.data(), 3);
        w.u32s("DecayUVAnim", p.headDecayIntervals.data(), 3);
        w.u32s("TailUVAnim", p.tailIntervals.data(), 3);
        w.u32s("TailDecayUVAnim", p.tailDecayIntervals.data(), 3);
        w.always();
        w.u32("TextureID", p.textureId);
        w.boolWord("Squirt", p.squirt);
        w.i32("PriorityPlane", p.priorityPlane);
        w.u32("ReplaceableId", p.replaceableId);
        w.tracks(p.tracks, {makeTag("KP2S"), makeTag("KP2R"), makeTag("KP2L"), makeTag("KP2G"),
                            makeTag("KP2E"), makeTag("KP2N"), makeTag("KP2W"), makeTag("KP2V")});
        w.binaryTracks(p.tracks);
    });
}

template <class V> void describe(V& v, RibbonEmitter& r) {
    sized(v, r.extra, [&](auto& w) {
        node(w, r.node, ribbonBit);
        w.f32("HeightAbove", r.heightAbove, 0, true);
        w.f32("HeightBelow", r.heightBelow, 0, true);
        w.f32("Alpha", r.alpha, 0, true);
        w.colour("Color", r.color.data(), {}, true);
        w.f32("LifeSpan", r.lifespan);
        w.u32("TextureSlot", r.textureSlot, 0, true);
        w.u32("EmissionRate", r.emissionRate);
        w.u32("Rows", r.rows);
        w.u32("Columns", r.columns);
        w.u32("MaterialID", r.materialId);
        w.f32("Gravity", r.gravity);
        w.tracks(r.tracks, {makeTag("KRHA"), makeTag("KRHB"), makeTag("KRAL"), makeTag("KRCO"),
                            makeTag("KRTX"), makeTag("KRVS")});
        w.binaryTracks(r.tracks);
    });
}

template <class V> void describe(V& v, EventObject& e) {
    node(v, e.node, eventBit);
    v.eventTrack(e.track);
}

template <class V> void describe(V& v, Camera& c) {
    sized(v, c.extra, [&](auto& w) {
        w.name(c.name, 80);
        w.vec("Position", c.position.data(), 3, {});
        w.f32("FieldOfView", c.fieldOfView);
        w.f32("FarClip", c.farClip);
        w.f32("NearClip", c.nearClip);
        w.sub("Target", [&](auto& t) {
            t.vec("Position", c.targetPosition.data(), 3, {});
            t.tracks(c.tracks, {makeTag("KTTR")});
        });
        w.tracks(c.tracks, {makeTag("KCTR"), makeTag("KCRL")});
        w.binaryTracks(c.tracks);
    });
}

template <class V> void describe(V& v, CollisionShape& c) {
    node(v, c.node, collisionBit);
    v.collision(c);
}

template <class V> void describe(V& v, PopcornEmitter& p) {
    sized(v, p.extra, [&](auto& w) {
        node(w, p.node, 0);
        w.f32("LifeSpan", p.lifespan, 0, true);
        w.f32("EmissionRate", p.emissionRate, 0, true);
        w.f32("Speed", p.speed, 0, true);
        w.vec("Color", p.color.data(), 3, {1, 1, 1}, true);
        w.f32("Alpha", p.alpha, 1, true);
        w.u32("ReplaceableId", p.replaceableId);
        w.str("Path", p.path, 260);
        w.str("AnimVisibilityGuide", p.animationVisibilityGuide, 260);
        w.tracks(p.tracks, {makeTag("KPPA"), makeTag("KPPC"), makeTag("KPPE"), makeTag("KPPL"),
                            makeTag("KPPS"), makeTag("KPPV")});
        w.binaryTracks(p.tracks);
    });
}

template <class V> void describe(V& v, FaceEffect& f) {
    v.name(f.target, 80);
    v.str("Path", f.path, 260);
}

} // namespace mdx::layout
