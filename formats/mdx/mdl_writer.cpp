#include "formats/mdx/float_text.h"
#include "formats/mdx/mdx_file.h"
#include "formats/mdx/mdx_layout.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <set>

namespace mdx {

namespace {

using layout::FlagTable;
using layout::sameBitsAs;
using layout::WordTable;

const char* interpolationName(std::uint32_t i) {
    static const char* const names[] = {"DontInterp", "Linear", "Hermite", "Bezier"};
    return i < 4 ? names[i] : nullptr;
}

// The lines of MDL text with tabs by depth, what could not be written, and the comment lines
// for the top of the text that keep what the blocks cannot say.
struct MdlSink {
    std::string text;
    std::set<std::string> dropped;
    std::vector<std::string> notes;

    void line(int depth, std::string_view content) {
        text.append(static_cast<std::size_t>(depth), '\t');
        text.append(content);
        text.push_back('\n');
    }
};

// The data lines of a large geoset, hundreds of thousands of them, are put together in a buffer
// and appended whole.
class DataLine {
  public:
    explicit DataLine(int depth) : end_(std::fill_n(buffer_, depth, '\t')), start_(end_) {}
    DataLine& text(std::string_view s) {
        end_ = std::copy(s.begin(), s.end(), end_);
        return *this;
    }
    DataLine& number(float x) {
        end_ = writeFloat(end_, x);
        return *this;
    }
    template <class T> DataLine& number(T x) {
        end_ = std::to_chars(end_, end_ + 24, x).ptr;
        return *this;
    }
    // "{ a, b, c }"
    DataLine& floats(const float* x, int n) {
        text("{ ");
        for (int i = 0; i < n; ++i) {
            if (i)
                text(", ");
            number(x[i]);
        }
        return text(" }");
    }
    void endLine(MdlSink& sink) {
        *end_++ = '\n';
        sink.text.append(buffer_, end_);
        end_ = start_;
    }

  private:
    // Room for the longest line built here: a tangent of four floats and its braces.
    char buffer_[8 + 4 * (floatTextRoom + 2) + 8];
    char* end_;
    char* start_;
};

std::string quote(const std::string& s, MdlSink& sink) {
    auto end = s.find('\0');
    if (end != std::string::npos)
        sink.dropped.insert("bytes after the end of a text field");
    std::string text = s.substr(0, end);
    if (text.find('"') != std::string::npos) {
        sink.dropped.insert("quote marks inside a text field");
        text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    }
    // A quoted text ends on its own line in MDL.
    if (text.find_first_of("\r\n") != std::string::npos) {
        sink.dropped.insert("line ends inside a text field");
        text.erase(
            std::remove_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }),
            text.end());
    }
    return "\"" + text + "\"";
}

std::string floats(const float* x, int n) {
    std::string s = "{ ";
    for (int i = 0; i < n; ++i) {
        if (i)
            s += ", ";
        appendFloat(s, x[i]);
    }
    return s + " }";
}

template <class T> std::string integers(const T* x, std::size_t n) {
    std::string s = "{ ";
    for (std::size_t i = 0; i < n; ++i) {
        if (i)
            s += ", ";
        s += std::to_string(x[i]);
    }
    return s + " }";
}

std::string trackValue(const Vec4& v, const TrackKind& kind) {
    if (kind.integer)
        return std::to_string(std::bit_cast<std::uint32_t>(v[0]));
    if (kind.components == 1)
        return floatText(v[0]);
    return floats(v.data(), kind.components);
}

struct MdlOut {
    static constexpr bool binary = false;
    MdlSink& sink;
    int depth;
    std::uint32_t version;
    std::string record;  // "Bone 3", "Material 0 Layer 1": the record named in top comments
    bool forced = false; // the next field is written even at its default

    void line(const std::string& s) { sink.line(depth, s); }
    static std::string prefix(bool animatable) { return animatable ? "static " : ""; }
    void always(bool when = true) { forced = when; }
    // Whether the field is to be written: not at its default, or forced.
    bool shows(bool atDefault) {
        const bool show = forced || !atDefault;
        forced = false;
        return show;
    }

    void u32(const char* key, std::uint32_t& x, std::uint32_t def = 0, bool animatable = false) {
        if (shows(x == def))
            line(prefix(animatable) + key + " " + std::to_string(x) + ",");
    }
    void i32(const char* key, std::int32_t& x, std::int32_t def = 0) {
        if (shows(x == def))
            line(std::string(key) + " " + std::to_string(x) + ",");
    }
    void f32(const char* key, float& x, float def = 0, bool animatable = false) {
        if (shows(sameBitsAs(&x, 1, {def})))
            line(prefix(animatable) + key + " " + floatText(x) + ",");
    }
    void vec(const char* key, float* x, int n, std::initializer_list<float> def,
             bool animatable = false) {
        if (shows(sameBitsAs(x, n, def)))
            line(prefix(animatable) + key + " " + floats(x, n) + ",");
    }
    void colour(const char* key, float* x, std::initializer_list<float> def, bool animatable) {
        if (shows(sameBitsAs(x, 3, def))) {
            const float turned[3] = {x[2], x[1], x[0]};
            line(prefix(animatable) + key + " " + floats(turned, 3) + ",");
        }
    }
    void u32s(const char* key, std::uint32_t* x, int n) {
        if (shows(std::all_of(x, x + n, [](std::uint32_t v) { return v == 0; })))
            line(std::string(key) + " " + integers(x, static_cast<std::size_t>(n)) + ",");
    }
    void u8s(const char* key, std::uint8_t* x, int n) {
        if (std::any_of(x, x + n, [](std::uint8_t v) { return v != 0; })) {
            std::vector<unsigned> wide(x, x + n);
            line(std::string(key) + " " + integers(wide.data(), wide.size()) + ",");
        }
    }
    void colourList(const char* key, const char* itemKey, float* x, int count) {
        if (sameBitsAs(x, count * 3, {}))
            return;
        line(std::string(key) + " {");
        for (int i = 0; i < count; ++i) {
            const float turned[3] = {x[3 * i + 2], x[3 * i + 1], x[3 * i]};
            sink.line(depth + 1, std::string(itemKey) + " " + floats(turned, 3) + ",");
        }
        line("}");
    }
    void id(const char* key, std::uint32_t& x, const char* noneWord) {
        if (x != noId)
            line(std::string(key) + " " + std::to_string(x) + ",");
        else if (noneWord)
            line(std::string(key) + " " + noneWord + ",");
    }
    void str(const char* key, std::string& s, std::size_t) {
        if (shows(s.empty()))
            line(std::string(key) + " " + quote(s, sink) + ",");
    }
    void name(std::string&, std::size_t) {}
    void raw(std::uint32_t&) {}
    void flags(std::uint32_t& x, FlagTable table, std::uint32_t implied, FlagTable own,
               layout::LineFlag shownBy = {}) {
        std::vector<std::string> group;
        for (FlagTable t : {table, own})
            for (const auto& f : t) {
                if (!(x & f.bit))
                    continue;
                const std::string word = f.word;
                const auto slash = word.find('/');
                if (slash == std::string::npos)
                    line(word + ",");
                else
                    group.push_back(word.substr(slash + 1));
            }
        if (!group.empty()) {
            std::string s = "DontInherit { ";
            for (std::size_t i = 0; i < group.size(); ++i)
                s += (i ? ", " : "") + group[i];
            line(s + " },");
        }
        // Bits no word or line tells, or a type bit the record lacks: the exact value goes into
        // a comment at the top that the MDL reader takes back.
        std::uint32_t told = implied | (shownBy.shown ? shownBy.bit : 0);
        for (FlagTable t : {table, own})
            for (const auto& f : t)
                told |= x & f.bit;
        if (x != told)
            sink.notes.push_back("// Flags: " + record + " = " + std::to_string(x));
    }
    void wordEnum(std::uint32_t& x, WordTable words) {
        if (x < words.size())
            line(std::string(words.begin()[x]) + ",");
        else
            sink.dropped.insert("type values outside the documented ones");
    }
    void keyEnum(const char* key, std::uint32_t& x, WordTable words) {
        if (!shows(x == 0))
            return;
        line(std::string(key) + " " + (x < words.size() ? words.begin()[x] : std::to_string(x)) +
             ",");
    }
    void boolWord(const char* key, std::uint32_t& x) {
        if (x == 1)
            line(std::string(key) + ",");
        else if (x != 0)
            line(std::string(key) + " " + std::to_string(x) + ",");
    }
    void tracks(Tracks& tracks, TagList tags) {
        for (const auto& t : tracks)
            if (std::find(tags.begin(), tags.end(), t.tag) != tags.end())
                writeTrack(t);
    }
    void writeTrack(const Track& t) {
        const TrackKind& kind = *trackKind(t.tag);
        line(std::string(kind.name) + " " + std::to_string(t.keys.size()) + " {");
        const char* interpolation = interpolationName(t.interpolation);
        if (interpolation) {
            sink.line(depth + 1, std::string(interpolation) + ",");
        } else {
            sink.dropped.insert("interpolation values outside the documented ones");
            sink.line(depth + 1, "Bezier,");
        }
        if (t.globalSequenceId != -1)
            sink.line(depth + 1, "GlobalSeqId " + std::to_string(t.globalSequenceId) + ",");
        for (const auto& key : t.keys) {
            sink.line(depth + 1,
                      std::to_string(key.frame) + ": " + trackValue(key.value, kind) + ",");
            if (t.hasTangents()) {
                sink.line(depth + 2, "InTan " + trackValue(key.inTan, kind) + ",");
                sink.line(depth + 2, "OutTan " + trackValue(key.outTan, kind) + ",");
            }
        }
        line("}");
    }
    void binaryTracks(Tracks&) {}
    void binaryOptionalTrack(Tracks&, Tag) {}
    void binaryTag(Tag) {}
    template <class F> void sub(const char* key, F&& body) {
        line(std::string(key) + " {");
        MdlOut inner{sink, depth + 1, version, record + " " + key};
        body(inner);
        line("}");
    }
    void extent(Extent& e) {
        vec("MinimumExtent", e.minimum.data(), 3, {});
        vec("MaximumExtent", e.maximum.data(), 3, {});
        f32("BoundsRadius", e.boundsRadius);
    }
    template <class T, class F> void list(const char* key, std::vector<T>& items, F&& body) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            line(std::string(key) + " {");
            MdlOut inner{sink, depth + 1, version, record + " " + key + " " + std::to_string(i)};
            body(inner, items[i]);
            line("}");
        }
    }
    void noteExtra(const std::string& extra) {
        if (!extra.empty())
            sink.dropped.insert("unknown bytes at the end of records");
    }
    void eventTrack(std::optional<EventTrack>& track) {
        if (!track)
            return;
        line("EventTrack " + std::to_string(track->frames.size()) + " {");
        if (track->globalSequenceId != -1)
            sink.line(depth + 1, "GlobalSeqId " + std::to_string(track->globalSequenceId) + ",");
        for (auto frame : track->frames)
            sink.line(depth + 1, std::to_string(frame) + ",");
        line("}");
    }
    void collision(CollisionShape& c) {
        wordEnum(c.type, {"Box", "Plane", "Sphere", "Cylinder"});
        line("Vertices " + std::to_string(c.vertices.size()) + " {");
        for (const auto& v : c.vertices)
            sink.line(depth + 1, floats(v.data(), 3) + ",");
        line("}");
        f32("BoundsRadius", c.boundsRadius);
    }
};

template <class T> void describeAny(MdlOut& v, T& item) {
    if constexpr (requires { layout::describe(v, item, v.version); })
        layout::describe(v, item, v.version);
    else
        layout::describe(v, item);
}

// "Kind "name" {" ... "}" for each record.
template <class T, class Name>
void writeBlocks(MdlSink& sink, std::uint32_t version, const char* kind,
                 const std::vector<T>& items, Name&& nameOf, int depth = 0) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        T item = items[i];
        std::string header = kind;
        if (const std::string* name = nameOf(item))
            header += " " + quote(*name, sink);
        sink.line(depth, header + " {");
        MdlOut v{sink, depth + 1, version, std::string(kind) + " " + std::to_string(i)};
        describeAny(v, item);
        sink.line(depth, "}");
    }
}

template <class T>
void writeCounted(MdlSink& sink, std::uint32_t version, const char* group, const char* kind,
                  const std::vector<T>& items, bool named) {
    if (items.empty())
        return;
    sink.line(0, std::string(group) + " " + std::to_string(items.size()) + " {");
    writeBlocks(
        sink, version, kind, items,
        [named](T& item) -> const std::string* {
            if constexpr (requires { item.name; })
                return named ? &item.name : nullptr;
            return nullptr;
        },
        1);
    sink.line(0, "}");
}

template <class T> const std::string* nodeName(T& item) {
    return &item.node.name;
}

// The geoset's extents: both corners always, as the classic files have them.
void writeGeosetExtent(MdlSink& sink, int depth, std::uint32_t version, Extent e) {
    MdlOut v{sink, depth, version, "Geoset"};
    v.always();
    v.vec("MinimumExtent", e.minimum.data(), 3, {});
    v.always();
    v.vec("MaximumExtent", e.maximum.data(), 3, {});
    v.f32("BoundsRadius", e.boundsRadius);
}

void writeGeoset(MdlSink& sink, const Geoset& g, std::size_t index, std::uint32_t version) {
    sink.line(0, "Geoset {");
    auto vectors = [&](const char* key, const auto& items, int n) {
        sink.line(1, std::string(key) + " " + std::to_string(items.size()) + " {");
        DataLine line(2);
        for (const auto& v : items) {
            line.floats(v.data(), n).text(",");
            line.endLine(sink);
        }
        sink.line(1, "}");
    };
    vectors("Vertices", g.vertices, 3);
    vectors("Normals", g.normals, 3);
    for (const auto& set : g.uvSets)
        vectors("TVertices", set, 2);
    if (g.tangents)
        vectors("Tangents", *g.tangents, 4);
    sink.line(1, "VertexGroup {");
    DataLine group(2);
    for (unsigned value : g.vertexGroups) {
        group.number(value).text(",");
        group.endLine(sink);
    }
    sink.line(1, "}");
    if (g.skin) {
        sink.line(1, "SkinWeights " + std::to_string(g.skin->size() / 8) + " {");
        const auto& s = *g.skin;
        if (s.size() % 8 != 0)
            sink.dropped.insert("skin weights that are not whole groups of eight");
        DataLine row(2);
        for (std::size_t i = 0; i + 8 <= s.size(); i += 8) {
            for (std::size_t k = 0; k < 8; ++k)
                row.number(static_cast<unsigned>(s[i + k])).text(",");
            row.endLine(sink);
        }
        sink.line(1, "}");
    }
    // The text holds one list of triangles; the face groups of the binary file go into a
    // comment at the top of the text, as runs of "count x type : size".
    const bool oneGroup = g.faceTypes.size() == 1 && g.faceGroupSizes.size() == 1 &&
                          g.faceTypes[0] == 4 && g.faceGroupSizes[0] == g.faces.size();
    std::string runs;
    if (g.faceTypes.size() != g.faceGroupSizes.size())
        sink.dropped.insert("face group types and sizes of different counts");
    else if (!oneGroup)
        for (std::size_t i = 0; i < g.faceTypes.size();) {
            std::size_t k = i;
            while (k < g.faceTypes.size() && g.faceTypes[k] == g.faceTypes[i] &&
                   g.faceGroupSizes[k] == g.faceGroupSizes[i])
                ++k;
            runs += " " + std::to_string(k - i) + "x" + std::to_string(g.faceTypes[i]) + ":" +
                    std::to_string(g.faceGroupSizes[i]);
            i = k;
        }
    std::uint64_t covered = 0;
    for (auto size : g.faceGroupSizes)
        covered += size;
    if ((g.faceTypes.empty() && !g.faces.empty()) || (!oneGroup && covered != g.faces.size()))
        sink.dropped.insert("face groups that do not cover the triangles exactly");
    const std::size_t groups = g.faceTypes.empty() && g.faces.empty() ? 0 : 1;
    sink.line(1, "Faces " + std::to_string(groups) + " " + std::to_string(g.faces.size()) + " {");
    sink.line(2, "Triangles {");
    if (!g.faces.empty()) {
        // One line of every index: written straight into the text.
        sink.text.append("\t\t\t{ ");
        char digits[8];
        for (std::size_t i = 0; i < g.faces.size(); ++i) {
            if (i)
                sink.text.append(", ");
            sink.text.append(digits, std::to_chars(digits, digits + sizeof digits, g.faces[i]).ptr);
        }
        sink.text.append(" },\n");
    }
    sink.line(2, "}");
    sink.line(1, "}");
    if (!runs.empty())
        sink.notes.push_back("// FaceGroups: Geoset " + std::to_string(index) + " =" + runs);
    sink.line(1, "Groups " + std::to_string(g.matrixGroupSizes.size()) + " " +
                     std::to_string(g.matrixIndices.size()) + " {");
    std::size_t next = 0;
    for (auto size : g.matrixGroupSizes) {
        const std::size_t n = std::min<std::size_t>(size, g.matrixIndices.size() - next);
        if (n != size)
            sink.dropped.insert("matrix group sizes that run past the matrix indices");
        sink.line(2, "Matrices " + integers(g.matrixIndices.data() + next, n) + ",");
        next += n;
    }
    if (next != g.matrixIndices.size())
        sink.dropped.insert("matrix indices beyond the matrix groups' sizes");
    sink.line(1, "}");
    writeGeosetExtent(sink, 1, version, g.extent);
    for (const Extent& e : g.sequenceExtents) {
        sink.line(1, "Anim {");
        writeGeosetExtent(sink, 2, version, e);
        sink.line(1, "}");
    }
    sink.line(1, "MaterialID " + std::to_string(g.materialId) + ",");
    sink.line(1, "SelectionGroup " + std::to_string(g.selectionGroup) + ",");
    if (g.selectionFlags & 4)
        sink.line(1, "Unselectable,");
    if (g.selectionFlags & ~4u)
        sink.dropped.insert("geoset selection flags other than Unselectable");
    if (version > 800) {
        sink.line(1, "LevelOfDetail " + std::to_string(static_cast<std::int32_t>(g.lod)) + ",");
        if (!g.lodName.empty())
            sink.line(1, "Name " + quote(g.lodName, sink) + ",");
    }
    if (!g.extra.empty())
        sink.dropped.insert("unknown bytes at the end of records");
    sink.line(0, "}");
}

void writeChunk(MdlSink& sink, Tag tag, const Model& m) {
    const auto v = m.version;
    auto none = [](auto&) -> const std::string* { return nullptr; };
    if (tag == makeTag("VERS")) {
        sink.line(0, "Version {");
        sink.line(1, "FormatVersion " + std::to_string(m.version) + ",");
        sink.line(0, "}");
    } else if (tag == makeTag("MODL")) {
        sink.line(0, "Model " + quote(m.info.name, sink) + " {");
        auto count = [&](const char* key, std::size_t n) {
            if (n)
                sink.line(1, std::string(key) + " " + std::to_string(n) + ",");
        };
        count("NumGeosets", m.geosets.size());
        count("NumGeosetAnims", m.geosetAnimations.size());
        count("NumHelpers", m.helpers.size());
        count("NumBones", m.bones.size());
        count("NumLights", m.lights.size());
        count("NumAttachments", m.attachments.size());
        count("NumEvents", m.eventObjects.size());
        count("NumParticleEmitters", m.particleEmitters.size());
        count("NumParticleEmitters2", m.particleEmitters2.size());
        count("NumRibbonEmitters", m.ribbonEmitters.size());
        MdlOut out{sink, 1, v, "Model"};
        ModelInfo info = m.info;
        layout::describe(out, info);
        sink.line(0, "}");
    } else if (tag == makeTag("SEQS")) {
        writeCounted(sink, v, "Sequences", "Anim", m.sequences, true);
    } else if (tag == makeTag("GLBS")) {
        if (m.globalSequences.empty())
            return;
        sink.line(0, "GlobalSequences " + std::to_string(m.globalSequences.size()) + " {");
        for (auto d : m.globalSequences)
            sink.line(1, "Duration " + std::to_string(d) + ",");
        sink.line(0, "}");
    } else if (tag == makeTag("TEXS")) {
        writeCounted(sink, v, "Textures", "Bitmap", m.textures, false);
    } else if (tag == makeTag("MTLS")) {
        writeCounted(sink, v, "Materials", "Material", m.materials, false);
    } else if (tag == makeTag("TXAN")) {
        writeCounted(sink, v, "TextureAnims", "TVertexAnim", m.textureAnimations, false);
    } else if (tag == makeTag("GEOS")) {
        for (std::size_t i = 0; i < m.geosets.size(); ++i)
            writeGeoset(sink, m.geosets[i], i, v);
    } else if (tag == makeTag("GEOA")) {
        writeBlocks(sink, v, "GeosetAnim", m.geosetAnimations, none);
    } else if (tag == makeTag("BONE")) {
        writeBlocks(sink, v, "Bone", m.bones, nodeName<Bone>);
    } else if (tag == makeTag("LITE")) {
        writeBlocks(sink, v, "Light", m.lights, nodeName<Light>);
    } else if (tag == makeTag("HELP")) {
        writeBlocks(sink, v, "Helper", m.helpers, nodeName<Helper>);
    } else if (tag == makeTag("ATCH")) {
        writeBlocks(sink, v, "Attachment", m.attachments, nodeName<Attachment>);
    } else if (tag == makeTag("PIVT")) {
        if (m.pivots.empty())
            return;
        sink.line(0, "PivotPoints " + std::to_string(m.pivots.size()) + " {");
        for (const auto& p : m.pivots)
            sink.line(1, floats(p.data(), 3) + ",");
        sink.line(0, "}");
    } else if (tag == makeTag("PREM")) {
        writeBlocks(sink, v, "ParticleEmitter", m.particleEmitters, nodeName<ParticleEmitter>);
    } else if (tag == makeTag("PRE2")) {
        writeBlocks(sink, v, "ParticleEmitter2", m.particleEmitters2, nodeName<ParticleEmitter2>);
    } else if (tag == makeTag("RIBB")) {
        writeBlocks(sink, v, "RibbonEmitter", m.ribbonEmitters, nodeName<RibbonEmitter>);
    } else if (tag == makeTag("EVTS")) {
        writeBlocks(sink, v, "EventObject", m.eventObjects, nodeName<EventObject>);
    } else if (tag == makeTag("CAMS")) {
        writeBlocks(sink, v, "Camera", m.cameras, [](Camera& c) { return &c.name; });
    } else if (tag == makeTag("CLID")) {
        writeBlocks(sink, v, "CollisionShape", m.collisionShapes, nodeName<CollisionShape>);
    } else if (tag == makeTag("CORN")) {
        writeBlocks(sink, v, "ParticleEmitterPopcorn", m.popcornEmitters, nodeName<PopcornEmitter>);
    } else if (tag == makeTag("FAFX")) {
        writeBlocks(sink, v, "FaceFX", m.faceEffects, [](FaceEffect& f) { return &f.target; });
    } else if (tag == makeTag("BPOS")) {
        if (m.bindPoses.empty())
            return;
        sink.line(0, "BindPose {");
        sink.line(1, "Matrices " + std::to_string(m.bindPoses.size()) + " {");
        for (const auto& pose : m.bindPoses)
            sink.line(2, floats(pose.data(), 12) + ",");
        sink.line(1, "}");
        sink.line(0, "}");
    }
}

} // namespace

MdlText writeMdl(const Model& m) {
    MdlSink sink;
    // About the text's size, so that it is not copied again and again as it grows: a few dozen
    // characters for each number of the geosets.
    std::size_t numbers = 0;
    for (const auto& g : m.geosets)
        numbers += g.vertices.size() * (8 + 2 * g.uvSets.size()) + g.faces.size();
    sink.text.reserve(numbers * 14 + 65536);
    const auto& known = usualChunkOrder();
    std::vector<Tag> written;
    auto write = [&](Tag tag) {
        if (std::find(known.begin(), known.end(), tag) == known.end() ||
            std::find(written.begin(), written.end(), tag) != written.end())
            return;
        written.push_back(tag);
        writeChunk(sink, tag, m);
    };
    for (Tag tag : m.chunkOrder)
        write(tag);
    for (Tag tag : known)
        write(tag);
    if (!m.unknownChunks.empty())
        sink.dropped.insert("chunks unknown to the reader");
    // What the blocks cannot say goes into comments before the first block, which the MDL
    // reader takes back and other readers pass over: the chunk order of the binary file, so that
    // converting back gives the same bytes, then the notes on single records.
    std::string top;
    if (!m.chunkOrder.empty()) {
        top = "// Chunks:";
        for (Tag tag : m.chunkOrder)
            top += " " + tagText(tag);
        top += "\n";
    }
    for (const auto& note : sink.notes)
        top += note + "\n";
    sink.text.insert(0, top);
    MdlText result;
    result.text = std::move(sink.text);
    result.dropped.assign(sink.dropped.begin(), sink.dropped.end());
    return result;
}

} // namespace mdx
