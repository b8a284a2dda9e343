#include "formats/mdx/byte_writer.h"
#include "formats/mdx/mdx_file.h"
#include "formats/mdx/mdx_layout.h"

#include <algorithm>

namespace mdx {

namespace {

using layout::FlagTable;
using layout::WordTable;

void writeTrack(ByteWriter& w, const Track& track) {
    const TrackKind* kind = trackKind(track.tag);
    const std::size_t components = kind ? static_cast<std::size_t>(kind->components) : 1;
    w.tag(track.tag);
    w.u32(static_cast<std::uint32_t>(track.keys.size()));
    w.u32(track.interpolation);
    w.i32(track.globalSequenceId);
    for (const auto& key : track.keys) {
        w.i32(key.frame);
        for (std::size_t c = 0; c < components; ++c)
            w.f32(key.value[c]);
        if (track.hasTangents()) {
            for (std::size_t c = 0; c < components; ++c)
                w.f32(key.inTan[c]);
            for (std::size_t c = 0; c < components; ++c)
                w.f32(key.outTan[c]);
        }
    }
}

// Walks the layout in binary order, appending each field.
struct BinaryOut {
    static constexpr bool binary = true;
    ByteWriter& w;
    std::uint32_t version;

    void u32(const char*, std::uint32_t& x, std::uint32_t = 0, bool = false) { w.u32(x); }
    void i32(const char*, std::int32_t& x, std::int32_t = 0) { w.i32(x); }
    void f32(const char*, float& x, float = 0, bool = false) { w.f32(x); }
    void vec(const char*, float* x, int n, std::initializer_list<float>, bool = false) {
        for (int i = 0; i < n; ++i)
            w.f32(x[i]);
    }
    void u32s(const char*, std::uint32_t* x, int n) {
        for (int i = 0; i < n; ++i)
            w.u32(x[i]);
    }
    void u8s(const char*, std::uint8_t* x, int n) {
        for (int i = 0; i < n; ++i)
            w.u8(x[i]);
    }
    void id(const char*, std::uint32_t& x, const char*) { w.u32(x); }
    void str(const char*, std::string& s, std::size_t size) { w.fixedString(s, size); }
    void name(std::string& s, std::size_t size) { w.fixedString(s, size); }
    void raw(std::uint32_t& x) { w.u32(x); }
    void flags(std::uint32_t&, FlagTable, std::uint32_t, FlagTable, layout::LineFlag = {}) {}
    void always(bool = true) {}
    void colour(const char* key, float* x, std::initializer_list<float> def, bool animatable) {
        vec(key, x, 3, def, animatable);
    }
    void colourList(const char*, const char*, float* x, int count) {
        vec(nullptr, x, count * 3, {});
    }
    void wordEnum(std::uint32_t& x, WordTable) { w.u32(x); }
    void keyEnum(const char*, std::uint32_t& x, WordTable) { w.u32(x); }
    void boolWord(const char*, std::uint32_t& x) { w.u32(x); }
    void tracks(Tracks&, TagList) {}
    void binaryTracks(Tracks& tracks) {
        for (const auto& track : tracks)
            writeTrack(w, track);
    }
    void binaryOptionalTrack(Tracks& tracks, Tag tag) {
        for (const auto& track : tracks)
            if (track.tag == tag)
                writeTrack(w, track);
    }
    void binaryTag(Tag tag) { w.tag(tag); }
    template <class F> void sub(const char*, F&& body) { body(*this); }
    void extent(Extent& e) {
        w.f32(e.boundsRadius);
        vec(nullptr, e.minimum.data(), 3, {});
        vec(nullptr, e.maximum.data(), 3, {});
    }
    template <class T, class F> void list(const char*, std::vector<T>& items, F&& body) {
        w.u32(static_cast<std::uint32_t>(items.size()));
        for (auto& item : items)
            body(*this, item);
    }
    template <class F> void sized(std::string& extra, F&& body) {
        const auto at = w.reserveSize();
        body(*this);
        w.bytes(extra);
        w.patchSize(at, true);
    }
    void noteExtra(const std::string&) {}
    void eventTrack(std::optional<EventTrack>& track) {
        if (!track)
            return;
        w.tag(makeTag("KEVT"));
        w.u32(static_cast<std::uint32_t>(track->frames.size()));
        w.i32(track->globalSequenceId);
        for (auto frame : track->frames)
            w.u32(frame);
    }
    void collision(CollisionShape& c) {
        w.u32(c.type);
        const std::size_t wanted = c.type == 2 ? 1 : 2;
        for (std::size_t i = 0; i < wanted; ++i) {
            Vec3 v = i < c.vertices.size() ? c.vertices[i] : Vec3{};
            vec(nullptr, v.data(), 3, {});
        }
        if (c.type == 2 || c.type == 3)
            w.f32(c.boundsRadius);
    }
};

template <class T, class Write>
void writeArray(ByteWriter& w, const char (&name)[5], const std::vector<T>& items, Write&& write) {
    w.tag(makeTag(name));
    w.u32(static_cast<std::uint32_t>(items.size()));
    for (const auto& item : items)
        write(item);
}

void writeGeoset(ByteWriter& w, Geoset g, std::uint32_t version) {
    const auto at = w.reserveSize();
    auto vec = [&](const auto& v) {
        for (float f : v)
            w.f32(f);
    };
    writeArray(w, "VRTX", g.vertices, vec);
    writeArray(w, "NRMS", g.normals, vec);
    writeArray(w, "PTYP", g.faceTypes, [&](std::uint32_t v) { w.u32(v); });
    writeArray(w, "PCNT", g.faceGroupSizes, [&](std::uint32_t v) { w.u32(v); });
    writeArray(w, "PVTX", g.faces, [&](std::uint16_t v) { w.u16(v); });
    writeArray(w, "GNDX", g.vertexGroups, [&](std::uint8_t v) { w.u8(v); });
    writeArray(w, "MTGC", g.matrixGroupSizes, [&](std::uint32_t v) { w.u32(v); });
    writeArray(w, "MATS", g.matrixIndices, [&](std::uint32_t v) { w.u32(v); });
    w.u32(g.materialId);
    w.u32(g.selectionGroup);
    w.u32(g.selectionFlags);
    if (version > 800) {
        w.u32(g.lod);
        w.fixedString(g.lodName, 80);
    }
    BinaryOut visitor{w, version};
    visitor.extent(g.extent);
    w.u32(static_cast<std::uint32_t>(g.sequenceExtents.size()));
    for (auto& e : g.sequenceExtents)
        visitor.extent(e);
    if (version > 800 && g.tangents)
        writeArray(w, "TANG", *g.tangents, vec);
    if (version > 800 && g.skin)
        writeArray(w, "SKIN", *g.skin, [&](std::uint8_t v) { w.u8(v); });
    w.tag(makeTag("UVAS"));
    w.u32(static_cast<std::uint32_t>(g.uvSets.size()));
    for (const auto& set : g.uvSets)
        writeArray(w, "UVBS", set, vec);
    w.bytes(g.extra);
    w.patchSize(at, true);
}

template <class T>
void writeRecords(ByteWriter& w, std::uint32_t version, const std::vector<T>& items) {
    BinaryOut visitor{w, version};
    for (T item : items) {
        if constexpr (requires { layout::describe(visitor, item, version); })
            layout::describe(visitor, item, version);
        else
            layout::describe(visitor, item);
    }
}

// Writes the body of a known chunk; false when the model holds nothing for it.
bool writeChunkBody(ByteWriter& w, Tag tag, const Model& m) {
    const std::uint32_t v = m.version;
    if (tag == makeTag("VERS")) {
        w.u32(m.version);
    } else if (tag == makeTag("MODL")) {
        BinaryOut visitor{w, v};
        ModelInfo info = m.info;
        layout::describe(visitor, info);
    } else if (tag == makeTag("SEQS")) {
        writeRecords(w, v, m.sequences);
        return !m.sequences.empty();
    } else if (tag == makeTag("GLBS")) {
        for (auto d : m.globalSequences)
            w.u32(d);
        return !m.globalSequences.empty();
    } else if (tag == makeTag("TEXS")) {
        writeRecords(w, v, m.textures);
        return !m.textures.empty();
    } else if (tag == makeTag("MTLS")) {
        writeRecords(w, v, m.materials);
        return !m.materials.empty();
    } else if (tag == makeTag("TXAN")) {
        writeRecords(w, v, m.textureAnimations);
        return !m.textureAnimations.empty();
    } else if (tag == makeTag("GEOS")) {
        for (const auto& g : m.geosets)
            writeGeoset(w, g, v);
        return !m.geosets.empty();
    } else if (tag == makeTag("GEOA")) {
        writeRecords(w, v, m.geosetAnimations);
        return !m.geosetAnimations.empty();
    } else if (tag == makeTag("BONE")) {
        writeRecords(w, v, m.bones);
        return !m.bones.empty();
    } else if (tag == makeTag("LITE")) {
        writeRecords(w, v, m.lights);
        return !m.lights.empty();
    } else if (tag == makeTag("HELP")) {
        writeRecords(w, v, m.helpers);
        return !m.helpers.empty();
    } else if (tag == makeTag("ATCH")) {
        writeRecords(w, v, m.attachments);
        return !m.attachments.empty();
    } else if (tag == makeTag("PIVT")) {
        for (const auto& p : m.pivots)
            for (float f : p)
                w.f32(f);
        return !m.pivots.empty();
    } else if (tag == makeTag("PREM")) {
        writeRecords(w, v, m.particleEmitters);
        return !m.particleEmitters.empty();
    } else if (tag == makeTag("PRE2")) {
        writeRecords(w, v, m.particleEmitters2);
        return !m.particleEmitters2.empty();
    } else if (tag == makeTag("RIBB")) {
        writeRecords(w, v, m.ribbonEmitters);
        return !m.ribbonEmitters.empty();
    } else if (tag == makeTag("EVTS")) {
        writeRecords(w, v, m.eventObjects);
        return !m.eventObjects.empty();
    } else if (tag == makeTag("CAMS")) {
        writeRecords(w, v, m.cameras);
        return !m.cameras.empty();
    } else if (tag == makeTag("CLID")) {
        writeRecords(w, v, m.collisionShapes);
        return !m.collisionShapes.empty();
    } else if (tag == makeTag("CORN")) {
        writeRecords(w, v, m.popcornEmitters);
        return !m.popcornEmitters.empty();
    } else if (tag == makeTag("FAFX")) {
        writeRecords(w, v, m.faceEffects);
        return !m.faceEffects.empty();
    } else if (tag == makeTag("BPOS")) {
        w.u32(static_cast<std::uint32_t>(m.bindPoses.size()));
        for (const auto& pose : m.bindPoses)
            for (float f : pose)
                w.f32(f);
        return !m.bindPoses.empty();
    }
    return true;
}

} // namespace

std::string writeMdx(const Model& m) {
    ByteWriter w;
    w.bytes("MDLX");
    std::vector<Tag> written;
    std::vector<bool> used(m.unknownChunks.size(), false);
    auto writeUnknown = [&](const UnknownChunk& chunk) {
        w.tag(chunk.tag);
        w.u32(static_cast<std::uint32_t>(chunk.bytes.size()));
        w.bytes(chunk.bytes);
    };
    auto writeKnown = [&](Tag tag, bool evenWhenEmpty) {
        w.tag(tag);
        const auto at = w.reserveSize();
        const auto before = w.size();
        if (!writeChunkBody(w, tag, m) && !evenWhenEmpty) {
            w.text().resize(before - 8);
            return;
        }
        w.patchSize(at, false);
        written.push_back(tag);
    };
    const auto& known = usualChunkOrder();
    for (Tag tag : m.chunkOrder) {
        const bool isKnown = std::find(known.begin(), known.end(), tag) != known.end();
        const bool done = std::find(written.begin(), written.end(), tag) != written.end();
        if (isKnown && !done) {
            writeKnown(tag, true);
            continue;
        }
        // The first kept chunk with this tag not yet written, in the order they were read.
        for (std::size_t i = 0; i < m.unknownChunks.size(); ++i) {
            if (used[i] || m.unknownChunks[i].tag != tag)
                continue;
            used[i] = true;
            writeUnknown(m.unknownChunks[i]);
            break;
        }
    }
    // A model read from a file gets no version or model chunk the file did not have.
    const bool fresh = m.chunkOrder.empty();
    for (Tag tag : known)
        if ((fresh || (tag != makeTag("VERS") && tag != makeTag("MODL"))) &&
            std::find(written.begin(), written.end(), tag) == written.end() &&
            std::find(m.chunkOrder.begin(), m.chunkOrder.end(), tag) == m.chunkOrder.end())
            writeKnown(tag,
                       m.chunkOrder.empty() && (tag == makeTag("VERS") || tag == makeTag("MODL")));
    for (std::size_t i = 0; i < m.unknownChunks.size(); ++i)
        if (!used[i])
            writeUnknown(m.unknownChunks[i]);
    return std::move(w.text());
}

} // namespace mdx
