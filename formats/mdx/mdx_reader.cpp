#include "formats/mdx/byte_reader.h"
#include "formats/mdx/format_error.h"
#include "formats/mdx/mdx_file.h"
#include "formats/mdx/mdx_layout.h"
#include "formats/mdx/read_count.h"

#include <algorithm>
#include <bit>
#include <type_traits>

namespace mdx {

namespace {

using layout::FlagTable;
using layout::WordTable;

Track readTrack(ByteReader& r, const TrackKind& kind) {
    const auto at = r.offset();
    Track track;
    track.tag = r.tag();
    const std::uint32_t count = r.u32();
    track.interpolation = r.u32();
    track.globalSequenceId = r.i32();
    const std::size_t components = static_cast<std::size_t>(kind.components);
    const std::size_t keySize = 4 + 4 * components * (track.hasTangents() ? 3 : 1);
    if (count > r.left() / keySize)
        r.failAt(at, "the " + tagText(track.tag) + " track counts " + std::to_string(count) +
                         " keys, more than the " + std::to_string(r.left()) +
                         " bytes left can hold");
    track.keys.resize(count);
    for (auto& key : track.keys) {
        key.frame = r.i32();
        for (std::size_t c = 0; c < components; ++c)
            key.value[c] = r.f32();
        if (track.hasTangents()) {
            for (std::size_t c = 0; c < components; ++c)
                key.inTan[c] = r.f32();
            for (std::size_t c = 0; c < components; ++c)
                key.outTan[c] = r.f32();
        }
    }
    return track;
}

// Walks the layout in binary order, taking each field from the bytes.
struct BinaryIn {
    static constexpr bool binary = true;
    ByteReader& r;
    std::uint32_t version;

    void u32(const char*, std::uint32_t& x, std::uint32_t = 0, bool = false) { x = r.u32(); }
    void i32(const char*, std::int32_t& x, std::int32_t = 0) { x = r.i32(); }
    void f32(const char*, float& x, float = 0, bool = false) { x = r.f32(); }
    void vec(const char*, float* x, int n, std::initializer_list<float>, bool = false) {
        for (int i = 0; i < n; ++i)
            x[i] = r.f32();
    }
    void u32s(const char*, std::uint32_t* x, int n) {
        for (int i = 0; i < n; ++i)
            x[i] = r.u32();
    }
    void u8s(const char*, std::uint8_t* x, int n) {
        for (int i = 0; i < n; ++i)
            x[i] = r.u8();
    }
    void id(const char*, std::uint32_t& x, const char*) { x = r.u32(); }
    void str(const char*, std::string& s, std::size_t size) { s = r.fixedString(size); }
    void name(std::string& s, std::size_t size) { s = r.fixedString(size); }
    void raw(std::uint32_t& x) { x = r.u32(); }
    void flags(std::uint32_t&, FlagTable, std::uint32_t, FlagTable, layout::LineFlag = {}) {}
    void always(bool = true) {}
    void colour(const char* key, float* x, std::initializer_list<float> def, bool animatable) {
        vec(key, x, 3, def, animatable);
    }
    void colourList(const char*, const char*, float* x, int count) {
        vec(nullptr, x, count * 3, {});
    }
    void wordEnum(std::uint32_t& x, WordTable) { x = r.u32(); }
    void keyEnum(const char*, std::uint32_t& x, WordTable) { x = r.u32(); }
    void boolWord(const char*, std::uint32_t& x) { x = r.u32(); }
    void tracks(Tracks&, TagList) {}
    void binaryTracks(Tracks& tracks) {
        while (!r.atEnd()) {
            const TrackKind* kind = trackKind(r.peekTag());
            if (!kind)
                break;
            tracks.push_back(readTrack(r, *kind));
        }
    }
    void binaryOptionalTrack(Tracks& tracks, Tag tag) {
        if (r.peekTag() == tag)
            tracks.push_back(readTrack(r, *trackKind(tag)));
    }
    void binaryTag(Tag tag) {
        const auto at = r.offset();
        const Tag found = r.tag();
        if (found != tag)
            r.failAt(at, "expected " + tagText(tag) + " but found " + tagText(found));
    }
    template <class F> void sub(const char*, F&& body) { body(*this); }
    void extent(Extent& e) {
        e.boundsRadius = r.f32();
        vec(nullptr, e.minimum.data(), 3, {});
        vec(nullptr, e.maximum.data(), 3, {});
    }
    template <class T, class F> void list(const char*, std::vector<T>& items, F&& body) {
        const std::size_t n = r.count(4);
        items.resize(n);
        for (auto& item : items)
            body(*this, item);
    }
    template <class F> void sized(std::string& extra, F&& body) {
        const auto at = r.offset();
        const std::uint32_t size = r.u32();
        if (size < 4)
            r.failAt(at, "a record size of " + std::to_string(size) + " is too small");
        ByteReader inner = r.window(size - 4, r.chunk());
        BinaryIn visitor{inner, version};
        body(visitor);
        extra = inner.bytes(inner.left());
    }
    void noteExtra(const std::string&) {}
    void eventTrack(std::optional<EventTrack>& track) {
        if (r.peekTag() != makeTag("KEVT"))
            return;
        r.tag();
        const std::size_t n = r.u32();
        track.emplace();
        track->globalSequenceId = r.i32();
        if (n > r.left() / 4)
            r.fail("the KEVT track counts " + std::to_string(n) +
                   " frames, more than the bytes "
                   "left can hold");
        track->frames.resize(n);
        for (auto& frame : track->frames)
            frame = r.u32();
    }
    void collision(CollisionShape& c) {
        const auto at = r.offset();
        c.type = r.u32();
        if (c.type > 3)
            r.failAt(at, "unknown collision shape type " + std::to_string(c.type));
        c.vertices.resize(c.type == 2 ? 1 : 2);
        for (auto& v : c.vertices)
            vec(nullptr, v.data(), 3, {});
        if (c.type == 2 || c.type == 3)
            c.boundsRadius = r.f32();
    }
};

void expectTag(ByteReader& r, const char (&name)[5]) {
    const auto at = r.offset();
    const Tag found = r.tag();
    if (found != makeTag(name))
        r.failAt(at, std::string("expected ") + name + " but found " + tagText(found));
}

template <class T, class Read>
void readArray(ByteReader& r, const char (&name)[5], std::vector<T>& out, std::size_t size,
               Read&& read) {
    expectTag(r, name);
    out.resize(r.count(size));
    // Arrays of numbers are the file's bytes as they are on a little-endian host: copied whole,
    // the vertex arrays of a large geoset cost no more than their size.
    if constexpr (std::is_trivially_copyable_v<T> && std::endian::native == std::endian::little) {
        if (sizeof(T) == size) {
            r.copyTo(out.data(), out.size() * size);
            return;
        }
    }
    for (auto& item : out)
        read(item);
}

void readVec(ByteReader& r, float* x, int n) {
    for (int i = 0; i < n; ++i)
        x[i] = r.f32();
}

Geoset readGeoset(ByteReader& outer, std::uint32_t version, FacePlaces* places) {
    Geoset g;
    const auto at = outer.offset();
    const std::uint32_t size = outer.u32();
    if (size < 4)
        outer.failAt(at, "a geoset size of " + std::to_string(size) + " is too small");
    ByteReader r = outer.window(size - 4, "GEOS");
    readArray(r, "VRTX", g.vertices, 12, [&](Vec3& v) { readVec(r, v.data(), 3); });
    readArray(r, "NRMS", g.normals, 12, [&](Vec3& v) { readVec(r, v.data(), 3); });
    readArray(r, "PTYP", g.faceTypes, 4, [&](std::uint32_t& v) { v = r.u32(); });
    readArray(r, "PCNT", g.faceGroupSizes, 4, [&](std::uint32_t& v) { v = r.u32(); });
    if (places)
        places->push_back(r.offset() + 8); // past the PVTX tag and count
    readArray(r, "PVTX", g.faces, 2, [&](std::uint16_t& v) { v = r.u16(); });
    readArray(r, "GNDX", g.vertexGroups, 1, [&](std::uint8_t& v) { v = r.u8(); });
    readArray(r, "MTGC", g.matrixGroupSizes, 4, [&](std::uint32_t& v) { v = r.u32(); });
    readArray(r, "MATS", g.matrixIndices, 4, [&](std::uint32_t& v) { v = r.u32(); });
    g.materialId = r.u32();
    g.selectionGroup = r.u32();
    g.selectionFlags = r.u32();
    if (version > 800) {
        g.lod = r.u32();
        g.lodName = r.fixedString(80);
    }
    BinaryIn visitor{r, version};
    visitor.extent(g.extent);
    g.sequenceExtents.resize(r.count(28));
    for (auto& e : g.sequenceExtents)
        visitor.extent(e);
    if (version > 800 && r.peekTag() == makeTag("TANG")) {
        g.tangents.emplace();
        readArray(r, "TANG", *g.tangents, 16, [&](Vec4& v) { readVec(r, v.data(), 4); });
    }
    if (version > 800 && r.peekTag() == makeTag("SKIN")) {
        g.skin.emplace();
        readArray(r, "SKIN", *g.skin, 1, [&](std::uint8_t& v) { v = r.u8(); });
    }
    expectTag(r, "UVAS");
    g.uvSets.resize(r.count(8));
    for (auto& set : g.uvSets)
        readArray(r, "UVBS", set, 8, [&](Vec2& v) { readVec(r, v.data(), 2); });
    g.extra = r.bytes(r.left());
    return g;
}

// Reads the records of one chunk until its end.
template <class T> void readRecords(ByteReader& r, std::uint32_t version, std::vector<T>& out) {
    BinaryIn visitor{r, version};
    while (!r.atEnd()) {
        T item;
        if constexpr (requires { layout::describe(visitor, item, version); })
            layout::describe(visitor, item, version);
        else
            layout::describe(visitor, item);
        out.push_back(std::move(item));
    }
}

template <class T>
void readFixedRecords(ByteReader& r, std::uint32_t version, std::vector<T>& out,
                      std::size_t recordSize) {
    if (r.left() % recordSize != 0)
        r.fail("the chunk's size " + std::to_string(r.left()) + " is not a multiple of its " +
               std::to_string(recordSize) + "-byte records");
    readRecords(r, version, out);
}

bool isKnownChunk(Tag tag) {
    const auto& order = usualChunkOrder();
    return std::find(order.begin(), order.end(), tag) != order.end();
}

void readChunk(ByteReader& r, Tag tag, Model& m, FacePlaces* places) {
    const std::uint32_t v = m.version;
    if (tag == makeTag("VERS")) {
        m.version = r.u32();
    } else if (tag == makeTag("MODL")) {
        BinaryIn visitor{r, v};
        layout::describe(visitor, m.info);
    } else if (tag == makeTag("SEQS")) {
        readFixedRecords(r, v, m.sequences, 132);
    } else if (tag == makeTag("GLBS")) {
        if (r.left() % 4 != 0)
            r.fail("the chunk's size is not a multiple of 4");
        while (!r.atEnd())
            m.globalSequences.push_back(r.u32());
    } else if (tag == makeTag("TEXS")) {
        readFixedRecords(r, v, m.textures, 268);
    } else if (tag == makeTag("MTLS")) {
        readRecords(r, v, m.materials);
    } else if (tag == makeTag("TXAN")) {
        readRecords(r, v, m.textureAnimations);
    } else if (tag == makeTag("GEOS")) {
        while (!r.atEnd())
            m.geosets.push_back(readGeoset(r, v, places));
    } else if (tag == makeTag("GEOA")) {
        readRecords(r, v, m.geosetAnimations);
    } else if (tag == makeTag("BONE")) {
        readRecords(r, v, m.bones);
    } else if (tag == makeTag("LITE")) {
        readRecords(r, v, m.lights);
    } else if (tag == makeTag("HELP")) {
        readRecords(r, v, m.helpers);
    } else if (tag == makeTag("ATCH")) {
        readRecords(r, v, m.attachments);
    } else if (tag == makeTag("PIVT")) {
        if (r.left() % 12 != 0)
            r.fail("the chunk's size is not a multiple of 12");
        while (!r.atEnd()) {
            Vec3 p;
            readVec(r, p.data(), 3);
            m.pivots.push_back(p);
        }
    } else if (tag == makeTag("PREM")) {
        readRecords(r, v, m.particleEmitters);
    } else if (tag == makeTag("PRE2")) {
        readRecords(r, v, m.particleEmitters2);
    } else if (tag == makeTag("RIBB")) {
        readRecords(r, v, m.ribbonEmitters);
    } else if (tag == makeTag("EVTS")) {
        readRecords(r, v, m.eventObjects);
    } else if (tag == makeTag("CAMS")) {
        readRecords(r, v, m.cameras);
    } else if (tag == makeTag("CLID")) {
        readRecords(r, v, m.collisionShapes);
    } else if (tag == makeTag("CORN")) {
        readRecords(r, v, m.popcornEmitters);
    } else if (tag == makeTag("FAFX")) {
        readFixedRecords(r, v, m.faceEffects, 340);
    } else if (tag == makeTag("BPOS")) {
        const std::size_t n = r.count(48);
        m.bindPoses.resize(n);
        for (auto& pose : m.bindPoses)
            readVec(r, pose.data(), 12);
        if (!r.atEnd())
            r.fail("bytes follow the last bind pose");
    }
}

} // namespace

Model readMdx(std::string_view bytes, FacePlaces* places) {
    countModelRead();
    ByteReader file(bytes, 0, bytes.size(), "file");
    if (isCutMdxMagic(bytes))
        throw FormatError("file", bytes.size(),
                          "the file ends inside the MDLX header, after " +
                              std::to_string(bytes.size()) + " of its 4 bytes");
    if (!hasMdxMagic(bytes))
        throw FormatError("file", 0, "the file does not start with MDLX");
    file.bytes(4);
    if (file.atEnd())
        throw FormatError("VERS", 4,
                          "the file ends after the MDLX header, where its first "
                          "chunk should begin");
    if (places)
        places->clear();
    Model m;
    std::vector<Tag> seen;
    while (!file.atEnd()) {
        const auto at = file.offset();
        if (file.left() < 8)
            file.fail("the file ends inside a chunk header");
        const Tag tag = file.tag();
        const std::uint32_t size = file.u32();
        const std::string name = tagText(tag);
        if (size > file.left())
            file.failAt(at, "the " + name + " chunk's size " + std::to_string(size) +
                                " runs past the end of the file (" + std::to_string(file.left()) +
                                " bytes left)");
        ByteReader chunk = file.window(size, name);
        m.chunkOrder.push_back(tag);
        // A chunk seen before is kept as it is: the model holds one of each kind.
        if (!isKnownChunk(tag) || std::find(seen.begin(), seen.end(), tag) != seen.end()) {
            m.unknownChunks.push_back({tag, chunk.bytes(size)});
            continue;
        }
        seen.push_back(tag);
        readChunk(chunk, tag, m, places);
        if (!chunk.atEnd())
            chunk.fail(std::to_string(chunk.left()) + " bytes at the end of the chunk are not "
                                                      "part of any record");
    }
    return m;
}

} // namespace mdx
