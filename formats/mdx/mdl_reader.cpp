#include "formats/mdx/float_text.h"
#include "formats/mdx/format_error.h"
#include "formats/mdx/mdl_tree.h"
#include "formats/mdx/mdx_file.h"
#include "formats/mdx/mdx_layout.h"
#include "formats/mdx/read_count.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <limits>
#include <optional>

namespace mdx {

namespace {

using layout::FlagTable;
using layout::WordTable;

[[noreturn]] void fail(const MdlItem& item, const std::string& message) {
    const std::string where(item.words.empty() ? "MDL" : item.words.front().text);
    throw FormatError(where, item.line, message);
}

std::int64_t integer(const MdlItem& item, std::string_view text, std::int64_t low,
                     std::int64_t high) {
    std::int64_t value = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || value < low || value > high)
        fail(item, "\"" + std::string(text) + "\" is not a whole number from " +
                       std::to_string(low) + " to " + std::to_string(high));
    return value;
}

// A 32-bit field: 0 to 4294967295, or -1 to -2147483648 for the same bits.
std::uint32_t word32(const MdlItem& item, std::string_view text) {
    return static_cast<std::uint32_t>(integer(item, text, std::numeric_limits<std::int32_t>::min(),
                                              std::numeric_limits<std::uint32_t>::max()));
}

float number(const MdlItem& item, std::string_view text) {
    const auto value = parseFloat(text);
    if (!value)
        fail(item, "\"" + std::string(text) + "\" is not a number");
    return *value;
}

// The numbers in the children of item into out, which has room for exactly expected of them.
void readFloats(const MdlItem& item, float* out, std::size_t expected) {
    const std::size_t found = numberCount(item);
    if (found != expected)
        fail(item, "expected " + std::to_string(expected) + " numbers but found " +
                       std::to_string(found));
    for (const auto& child : item.children)
        forEachNumber(child, [&](std::string_view text) { *out++ = number(item, text); });
}

bool isTrackItem(const MdlItem& item) {
    return item.hasBlock && item.words.size() == 2 && item.words[0].text != "static";
}

// Whether item names key, with or without "static" before it.
bool names(const MdlItem& item, std::string_view key) {
    if (item.words.empty())
        return false;
    const std::size_t first = item.words[0].text == "static" ? 1 : 0;
    return item.words.size() > first && item.words[first].text == key;
}

struct MdlIn {
    static constexpr bool binary = false;
    const MdlItem& block;
    std::uint32_t version;

    // The static item for key: "Key value," or "Key { ... },", never a track block.
    const MdlItem* find(const char* key) const {
        for (const auto& child : block.children)
            if (names(child, key) && !isTrackItem(child))
                return &child;
        return nullptr;
    }
    static std::string_view valueWord(const MdlItem& item) {
        const std::size_t first = item.words[0].text == "static" ? 1 : 0;
        if (item.words.size() != first + 2)
            fail(item, "expected one value after " + std::string(item.words[first].text));
        return item.words[first + 1].text;
    }

    void u32(const char* key, std::uint32_t& x, std::uint32_t def = 0, bool = false) {
        const MdlItem* item = find(key);
        x = item ? word32(*item, valueWord(*item)) : def;
    }
    void i32(const char* key, std::int32_t& x, std::int32_t def = 0) {
        const MdlItem* item = find(key);
        x = item ? static_cast<std::int32_t>(word32(*item, valueWord(*item))) : def;
    }
    void f32(const char* key, float& x, float def = 0, bool = false) {
        const MdlItem* item = find(key);
        x = item ? number(*item, valueWord(*item)) : def;
    }
    void vec(const char* key, float* x, int n, std::initializer_list<float> def, bool = false) {
        const MdlItem* item = find(key);
        for (int i = 0; i < n; ++i)
            x[i] = i < static_cast<int>(def.size()) ? def.begin()[i] : 0.0f;
        if (!item)
            return;
        readFloats(*item, x, static_cast<std::size_t>(n));
    }
    template <class T> void integers(const char* key, T* x, int n, std::int64_t high) {
        const MdlItem* item = find(key);
        std::fill(x, x + n, T{});
        if (!item)
            return;
        if (numberCount(*item) != static_cast<std::size_t>(n))
            fail(*item, "expected " + std::to_string(n) + " numbers");
        const std::int64_t low = high == 255 ? 0 : std::numeric_limits<std::int32_t>::min();
        for (const auto& child : item->children)
            forEachNumber(child, [&](std::string_view text) {
                *x++ = static_cast<T>(integer(*item, text, low, high));
            });
    }
    void u32s(const char* key, std::uint32_t* x, int n) {
        integers(key, x, n, std::numeric_limits<std::uint32_t>::max());
    }
    void u8s(const char* key, std::uint8_t* x, int n) { integers(key, x, n, 255); }
    void always(bool = true) {}
    void colour(const char* key, float* x, std::initializer_list<float> def, bool animatable) {
        vec(key, x, 3, def, animatable);
        std::swap(x[0], x[2]);
    }
    void colourList(const char* key, const char* itemKey, float* x, int count) {
        std::fill(x, x + count * 3, 0.0f);
        const MdlItem* item = find(key);
        if (!item)
            return;
        int i = 0;
        for (const auto& child : item->children) {
            if (!names(child, itemKey))
                continue;
            if (i == count)
                fail(child, "more than " + std::to_string(count) + " " + itemKey + " items");
            readFloats(child, x + i * 3, 3);
            std::swap(x[i * 3], x[i * 3 + 2]);
            ++i;
        }
    }
    void id(const char* key, std::uint32_t& x, const char*) {
        const MdlItem* item = find(key);
        x = noId;
        if (!item)
            return;
        const std::string_view text = valueWord(*item);
        if (text != "None" && text != "Multiple")
            x = word32(*item, text);
    }
    void str(const char* key, std::string& s, std::size_t) {
        const MdlItem* item = find(key);
        s = item ? std::string(valueWord(*item)) : std::string();
    }
    void name(std::string&, std::size_t) {}
    void raw(std::uint32_t&) {}
    bool hasWord(const MdlItem& in, std::string_view word) const {
        for (const auto& child : in.children)
            if (child.words.size() == 1 && !child.hasBlock && child.words[0].text == word)
                return true;
        return false;
    }
    // The bits the words tell; a "// Flags:" comment at the top of the text may replace them
    // (applyFlagNotes).
    void flags(std::uint32_t& x, FlagTable table, std::uint32_t implied, FlagTable own,
               layout::LineFlag shownBy = {}) {
        x = implied;
        if (shownBy.key)
            for (const auto& child : block.children)
                if (names(child, shownBy.key))
                    x |= shownBy.bit;
        for (FlagTable t : {table, own})
            for (const auto& f : t) {
                const std::string_view word = f.word;
                const auto slash = word.find('/');
                if (slash == std::string_view::npos) {
                    if (hasWord(block, word))
                        x |= f.bit;
                    continue;
                }
                for (const auto& child : block.children)
                    if (child.hasBlock && names(child, word.substr(0, slash)) &&
                        hasWord(child, word.substr(slash + 1)))
                        x |= f.bit;
            }
    }
    void wordEnum(std::uint32_t& x, WordTable words) {
        x = 0;
        std::uint32_t i = 0;
        for (const char* w : words) {
            if (hasWord(block, w))
                x = i;
            ++i;
        }
    }
    void keyEnum(const char* key, std::uint32_t& x, WordTable words) {
        x = 0;
        const MdlItem* item = find(key);
        if (!item)
            return;
        const std::string_view text = valueWord(*item);
        const auto at =
            std::find_if(words.begin(), words.end(), [&](const char* w) { return text == w; });
        x = at != words.end() ? static_cast<std::uint32_t>(at - words.begin())
                              : word32(*item, text);
    }
    void boolWord(const char* key, std::uint32_t& x) {
        const MdlItem* item = find(key);
        x = !item ? 0 : item->words.size() == 1 ? 1 : word32(*item, valueWord(*item));
    }
    Track readTrack(const MdlItem& item, const TrackKind& kind) {
        Track t;
        t.tag = kind.tag;
        const auto count = static_cast<std::size_t>(
            integer(item, item.words[1].text, 0, std::numeric_limits<std::uint32_t>::max()));
        // The value of a key: the item's words after skip, then the numbers of its block.
        auto valueOf = [&](const MdlItem& at, std::size_t skip) {
            const auto n = static_cast<std::size_t>(kind.components);
            const std::size_t found = at.words.size() - skip + numberCount(at);
            if (found != n)
                fail(at, "a key of " + std::string(kind.name) + " needs " + std::to_string(n) +
                             " numbers");
            Vec4 v{};
            std::size_t i = 0;
            auto read = [&](std::string_view text) {
                v[i++] = kind.integer ? std::bit_cast<float>(word32(at, text)) : number(at, text);
            };
            for (std::size_t w = skip; w < at.words.size(); ++w)
                read(at.words[w].text);
            for (const auto& child : at.children)
                forEachNumber(child, read);
            return v;
        };
        for (const auto& child : item.children) {
            if (child.words.empty())
                fail(child, "expected a key of the " + std::string(kind.name) + " track");
            const std::string_view first = child.words[0].text;
            static const char* const modes[] = {"DontInterp", "Linear", "Hermite", "Bezier"};
            const auto mode = std::find(std::begin(modes), std::end(modes), first);
            if (mode != std::end(modes)) {
                t.interpolation = static_cast<std::uint32_t>(mode - std::begin(modes));
            } else if (first == "GlobalSeqId") {
                t.globalSequenceId = static_cast<std::int32_t>(word32(child, valueWord(child)));
            } else if (first == "InTan" || first == "OutTan") {
                if (t.keys.empty())
                    fail(child, std::string(first) + " comes before any key");
                (first == "InTan" ? t.keys.back().inTan : t.keys.back().outTan) = valueOf(child, 1);
            } else {
                if (child.words.size() < 2 || child.words[1].text != ":")
                    fail(child, "expected a key of the form \"frame: value\"");
                TrackKey key;
                key.frame = static_cast<std::int32_t>(word32(child, first));
                key.value = valueOf(child, 2);
                t.keys.push_back(key);
            }
        }
        if (t.keys.size() != count)
            fail(item, "the " + std::string(kind.name) + " track counts " + std::to_string(count) +
                           " keys but holds " + std::to_string(t.keys.size()));
        return t;
    }
    void tracks(Tracks& tracks, TagList tags) {
        for (const auto& child : block.children) {
            if (!isTrackItem(child))
                continue;
            for (Tag tag : tags) {
                const TrackKind* kind = trackKind(tag);
                if (child.words[0].text == kind->name) {
                    tracks.push_back(readTrack(child, *kind));
                    break;
                }
            }
        }
    }
    void binaryTracks(Tracks&) {}
    void binaryOptionalTrack(Tracks&, Tag) {}
    void binaryTag(Tag) {}
    template <class F> void sub(const char* key, F&& body) {
        static const MdlItem empty;
        const MdlItem* item = find(key);
        MdlIn inner{item ? *item : empty, version};
        body(inner);
    }
    void extent(Extent& e) {
        vec("MinimumExtent", e.minimum.data(), 3, {});
        vec("MaximumExtent", e.maximum.data(), 3, {});
        f32("BoundsRadius", e.boundsRadius);
    }
    template <class T, class F> void list(const char* key, std::vector<T>& items, F&& body) {
        items.clear();
        for (const auto& child : block.children)
            if (child.hasBlock && names(child, key)) {
                MdlIn inner{child, version};
                body(inner, items.emplace_back());
            }
    }
    void noteExtra(const std::string&) {}
    void eventTrack(std::optional<EventTrack>& track) {
        track.reset();
        for (const auto& child : block.children) {
            if (!child.hasBlock || !names(child, "EventTrack"))
                continue;
            track.emplace();
            for (const auto& key : child.children) {
                if (key.words.empty())
                    fail(key, "expected a frame");
                if (key.words[0].text == "GlobalSeqId")
                    track->globalSequenceId =
                        static_cast<std::int32_t>(word32(key, valueWord(key)));
                else
                    track->frames.push_back(word32(key, key.words[0].text));
            }
        }
    }
    void collision(CollisionShape& c) {
        wordEnum(c.type, {"Box", "Plane", "Sphere", "Cylinder"});
        c.vertices.clear();
        for (const auto& child : block.children)
            if (child.hasBlock && names(child, "Vertices"))
                for (const auto& v : child.children)
                    readFloats(v, c.vertices.emplace_back().data(), 3);
        f32("BoundsRadius", c.boundsRadius);
    }
};

template <class T> T readRecord(const MdlItem& item, std::uint32_t version) {
    T record{};
    MdlIn v{item, version};
    if constexpr (requires { layout::describe(v, record, version); })
        layout::describe(v, record, version);
    else
        layout::describe(v, record);
    return record;
}

std::string label(const MdlItem& item) {
    return item.words.size() > 1 ? std::string(item.words[1].text) : std::string();
}

template <class T> std::vector<T> vectorsOf(const MdlItem& item, std::size_t n) {
    std::vector<T> out(item.children.size());
    for (std::size_t i = 0; i < out.size(); ++i)
        readFloats(item.children[i], out[i].data(), n);
    return out;
}

template <class T> std::vector<T> integersOf(const MdlItem& item, std::int64_t high) {
    std::vector<T> out;
    out.reserve(numberCount(item));
    for (const auto& child : item.children)
        forEachNumber(child, [&](std::string_view text) {
            out.push_back(static_cast<T>(integer(item, text, 0, high)));
        });
    return out;
}

// The face groups kept in a "// FaceGroups: Geoset N = ..." comment, used only when they cover
// exactly the triangles the text holds (an edit in between may have changed them).
void applyFaceGroups(std::string_view runs, Geoset& g) {
    std::vector<std::uint32_t> types, sizes;
    std::uint64_t total = 0;
    while (!runs.empty()) {
        const auto start = runs.find_first_not_of(' ');
        if (start == std::string_view::npos)
            break;
        runs.remove_prefix(start);
        const auto end = std::min(runs.find(' '), runs.size());
        const std::string_view run = runs.substr(0, end);
        runs.remove_prefix(end);
        unsigned long long count = 0, type = 0, size = 0;
        const char* p = run.data();
        const char* last = run.data() + run.size();
        auto r = std::from_chars(p, last, count);
        if (r.ec != std::errc() || r.ptr == last || *r.ptr != 'x')
            return;
        r = std::from_chars(r.ptr + 1, last, type);
        if (r.ec != std::errc() || r.ptr == last || *r.ptr != ':')
            return;
        r = std::from_chars(r.ptr + 1, last, size);
        if (r.ec != std::errc() || r.ptr != last || type > 0xFFFFFFFFull || size > 0xFFFFFFFFull ||
            count > g.faces.size() + 1)
            return;
        total += count * size;
        if (total > g.faces.size())
            return;
        types.insert(types.end(), count, static_cast<std::uint32_t>(type));
        sizes.insert(sizes.end(), count, static_cast<std::uint32_t>(size));
    }
    if (total != g.faces.size())
        return;
    g.faceTypes = std::move(types);
    g.faceGroupSizes = std::move(sizes);
}

// The line where the corner numbers of a Faces block begin: its first group's first brace
// group, which the tab layout writes on a line of its own.
std::size_t facesLine(const MdlItem& faces) {
    for (const auto& group : faces.children)
        if (group.hasBlock)
            return group.children.empty() ? group.line : group.children.front().line;
    return faces.line;
}

Geoset readGeoset(const MdlItem& item, std::uint32_t version, FacePlaces* places) {
    Geoset g;
    if (places)
        places->push_back(item.line);
    MdlIn v{item, version};
    for (const auto& child : item.children) {
        if (child.words.empty())
            continue;
        const std::string_view key = child.words[0].text;
        if (!child.hasBlock) {
            if (key == "Unselectable")
                g.selectionFlags |= 4;
            continue;
        }
        if (key == "Vertices")
            g.vertices = vectorsOf<Vec3>(child, 3);
        else if (key == "Normals")
            g.normals = vectorsOf<Vec3>(child, 3);
        else if (key == "TVertices")
            g.uvSets.push_back(vectorsOf<Vec2>(child, 2));
        else if (key == "Tangents")
            g.tangents = vectorsOf<Vec4>(child, 4);
        else if (key == "VertexGroup")
            g.vertexGroups = integersOf<std::uint8_t>(child, 255);
        else if (key == "SkinWeights")
            g.skin = integersOf<std::uint8_t>(child, 255);
        else if (key == "Faces") {
            if (places)
                places->back() = facesLine(child);
            for (const auto& group : child.children) {
                if (!group.hasBlock)
                    continue;
                const auto indices = integersOf<std::uint16_t>(group, 65535);
                g.faceTypes.push_back(4);
                g.faceGroupSizes.push_back(static_cast<std::uint32_t>(indices.size()));
                g.faces.insert(g.faces.end(), indices.begin(), indices.end());
            }
            if (child.words.size() > 1 && child.words[1].text == "0" && g.faces.empty()) {
                g.faceTypes.clear();
                g.faceGroupSizes.clear();
            }
        } else if (key == "Groups") {
            for (const auto& group : child.children) {
                const auto ids = integersOf<std::uint32_t>(group, 0xFFFFFFFF);
                g.matrixGroupSizes.push_back(static_cast<std::uint32_t>(ids.size()));
                g.matrixIndices.insert(g.matrixIndices.end(), ids.begin(), ids.end());
            }
        } else if (key == "Anim") {
            MdlIn inner{child, version};
            inner.extent(g.sequenceExtents.emplace_back());
        }
    }
    v.extent(g.extent);
    v.u32("MaterialID", g.materialId);
    v.u32("SelectionGroup", g.selectionGroup);
    v.u32("LevelOfDetail", g.lod);
    v.str("Name", g.lodName, 80);
    return g;
}

// The chunk order kept in the "// Chunks:" comment of text this library wrote.
std::vector<Tag> chunkOrderComment(const MdlItem& root) {
    std::vector<Tag> order;
    const auto at = std::find_if(root.children.begin(), root.children.end(), [](const MdlItem& i) {
        return names(i, "Chunks:") && i.words.size() == 2;
    });
    if (at == root.children.end())
        return order;
    std::string_view line = at->words[1].text;
    while (!line.empty()) {
        const auto start = line.find_first_not_of(" \t\r");
        if (start == std::string_view::npos)
            break;
        line.remove_prefix(start);
        const auto end = std::min(line.find_first_of(" \t\r"), line.size());
        if (end == 4) {
            const char tag[5] = {line[0], line[1], line[2], line[3], 0};
            order.push_back(makeTag(tag));
        }
        line.remove_prefix(end);
    }
    return order;
}

// A note at the top of the text: "Kind 3 = value" or "Material 0 Layer 1 = value", the
// record (its kind and 0-based place among its kind) split into words, and the value.
struct RecordNote {
    std::vector<std::string_view> record;
    std::string_view value;
};

std::optional<RecordNote> recordNote(std::string_view text) {
    const auto equals = text.find(" = ");
    if (equals == std::string_view::npos)
        return std::nullopt;
    RecordNote note;
    note.value = text.substr(equals + 3);
    note.value = note.value.substr(0, note.value.find_last_not_of(" \r") + 1);
    std::string_view words = text.substr(0, equals);
    while (!words.empty()) {
        const auto start = words.find_first_not_of(' ');
        if (start == std::string_view::npos)
            break;
        words.remove_prefix(start);
        const auto end = std::min(words.find(' '), words.size());
        note.record.push_back(words.substr(0, end));
        words.remove_prefix(end);
    }
    return note;
}

// The place a record's note names: the index at words[at] into items, or nothing.
template <class T> T* recordAt(std::vector<T>& items, const RecordNote& note, std::size_t at) {
    if (note.record.size() <= at)
        return nullptr;
    std::size_t i = 0;
    const auto word = note.record[at];
    const auto r = std::from_chars(word.data(), word.data() + word.size(), i);
    if (r.ec != std::errc() || r.ptr != word.data() + word.size() || i >= items.size())
        return nullptr;
    return &items[i];
}

// The flag word of the record a note names, or nothing when the model has no such record.
std::uint32_t* flagsNamed(Model& m, const RecordNote& note) {
    const auto& r = note.record;
    if (r.empty())
        return nullptr;
    const std::string_view kind = r[0];
    auto nodeFlags = [&](auto& items) -> std::uint32_t* {
        auto* item = r.size() == 2 ? recordAt(items, note, 1) : nullptr;
        return item ? &item->node.flags : nullptr;
    };
    auto own = [&](auto& items) -> std::uint32_t* {
        auto* item = r.size() == 2 ? recordAt(items, note, 1) : nullptr;
        return item ? &item->flags : nullptr;
    };
    if (kind == "Material") {
        Material* material = recordAt(m.materials, note, 1);
        if (material && r.size() == 2)
            return &material->flags;
        Layer* layer = material && r.size() == 4 && r[2] == "Layer"
                           ? recordAt(material->layers, note, 3)
                           : nullptr;
        return layer ? &layer->shadingFlags : nullptr;
    }
    if (kind == "Anim")
        return own(m.sequences);
    if (kind == "Bitmap")
        return own(m.textures);
    if (kind == "GeosetAnim")
        return own(m.geosetAnimations);
    if (kind == "Bone")
        return nodeFlags(m.bones);
    if (kind == "Light")
        return nodeFlags(m.lights);
    if (kind == "Helper")
        return nodeFlags(m.helpers);
    if (kind == "Attachment")
        return nodeFlags(m.attachments);
    if (kind == "ParticleEmitter")
        return nodeFlags(m.particleEmitters);
    if (kind == "ParticleEmitter2")
        return nodeFlags(m.particleEmitters2);
    if (kind == "RibbonEmitter")
        return nodeFlags(m.ribbonEmitters);
    if (kind == "EventObject")
        return nodeFlags(m.eventObjects);
    if (kind == "CollisionShape")
        return nodeFlags(m.collisionShapes);
    if (kind == "ParticleEmitterPopcorn")
        return nodeFlags(m.popcornEmitters);
    return nullptr;
}

// The comments at the top of text this library wrote: the exact flag words of records whose
// bits the words cannot tell, and the face groups of geosets. A note that names no record of
// the model, or does not read, is passed over.
void applyNotes(const MdlItem& root, Model& m) {
    for (const auto& item : root.children) {
        if (item.words.size() != 2)
            continue;
        const auto note = recordNote(item.words[1].text);
        if (!note)
            continue;
        if (names(item, "Flags:")) {
            std::uint32_t value = 0;
            const auto& text = note->value;
            const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
            std::uint32_t* flags = flagsNamed(m, *note);
            if (flags && r.ec == std::errc() && r.ptr == text.data() + text.size())
                *flags = value;
        } else if (names(item, "FaceGroups:") && note->record.size() == 2 &&
                   note->record[0] == "Geoset") {
            if (Geoset* g = recordAt(m.geosets, *note, 1))
                applyFaceGroups(note->value, *g);
        }
    }
}

template <class T>
void readGroup(const MdlItem& group, const char* kind, std::uint32_t version, std::vector<T>& out) {
    for (const auto& child : group.children)
        if (child.hasBlock && names(child, kind)) {
            out.push_back(readRecord<T>(child, version));
            if constexpr (requires { out.back().name; })
                out.back().name = label(child);
        }
}

} // namespace

Model readMdl(std::string_view text, FacePlaces* places) {
    countModelRead();
    if (places)
        places->clear();
    const MdlTree tree = parseMdl(text);
    const MdlItem& root = tree.root;
    Model m;
    m.version = 800;
    for (const auto& item : root.children)
        if (names(item, "Version") && item.hasBlock) {
            MdlIn v{item, 0};
            v.u32("FormatVersion", m.version, 800);
        }
    const std::uint32_t version = m.version;
    // Without the comment (or with one that does not start with the version and the model)
    // the writers use their usual order.
    std::vector<Tag> order = chunkOrderComment(root);
    if (order.size() < 2 || order[0] != makeTag("VERS") || order[1] != makeTag("MODL"))
        order.clear();
    auto seen = [](const char(&)[5]) {};
    for (const auto& item : root.children) {
        if (item.words.empty() || !item.hasBlock)
            continue;
        const std::string_view key = item.words[0].text;
        if (key == "Version") {
            seen("VERS");
        } else if (key == "Model") {
            seen("MODL");
            m.info = readRecord<ModelInfo>(item, version);
            m.info.name = label(item);
        } else if (key == "Sequences") {
            seen("SEQS");
            readGroup(item, "Anim", version, m.sequences);
        } else if (key == "GlobalSequences") {
            seen("GLBS");
            for (const auto& child : item.children)
                if (names(child, "Duration"))
                    m.globalSequences.push_back(word32(child, MdlIn::valueWord(child)));
        } else if (key == "Textures") {
            seen("TEXS");
            readGroup(item, "Bitmap", version, m.textures);
        } else if (key == "Materials") {
            seen("MTLS");
            readGroup(item, "Material", version, m.materials);
        } else if (key == "TextureAnims") {
            seen("TXAN");
            readGroup(item, "TVertexAnim", version, m.textureAnimations);
        } else if (key == "Geoset") {
            seen("GEOS");
            m.geosets.push_back(readGeoset(item, version, places));
        } else if (key == "GeosetAnim") {
            seen("GEOA");
            m.geosetAnimations.push_back(readRecord<GeosetAnimation>(item, version));
        } else if (key == "PivotPoints") {
            seen("PIVT");
            m.pivots = vectorsOf<Vec3>(item, 3);
        } else if (key == "Camera") {
            seen("CAMS");
            m.cameras.push_back(readRecord<Camera>(item, version));
            m.cameras.back().name = label(item);
        } else if (key == "FaceFX") {
            seen("FAFX");
            m.faceEffects.push_back(readRecord<FaceEffect>(item, version));
            m.faceEffects.back().target = label(item);
        } else if (key == "BindPose") {
            seen("BPOS");
            for (const auto& child : item.children)
                if (names(child, "Matrices"))
                    m.bindPoses = vectorsOf<BindPose>(child, 12);
        } else {
            auto node = [&](const char(&tag)[5], auto& out) {
                seen(tag);
                using T = typename std::decay_t<decltype(out)>::value_type;
                out.push_back(readRecord<T>(item, version));
                out.back().node.name = label(item);
            };
            if (key == "Bone")
                node("BONE", m.bones);
            else if (key == "Light")
                node("LITE", m.lights);
            else if (key == "Helper")
                node("HELP", m.helpers);
            else if (key == "Attachment")
                node("ATCH", m.attachments);
            else if (key == "ParticleEmitter")
                node("PREM", m.particleEmitters);
            else if (key == "ParticleEmitter2")
                node("PRE2", m.particleEmitters2);
            else if (key == "RibbonEmitter")
                node("RIBB", m.ribbonEmitters);
            else if (key == "EventObject")
                node("EVTS", m.eventObjects);
            else if (key == "CollisionShape")
                node("CLID", m.collisionShapes);
            else if (key == "ParticleEmitterPopcorn")
                node("CORN", m.popcornEmitters);
        }
    }
    applyNotes(root, m);
    m.chunkOrder = std::move(order);
    return m;
}

} // namespace mdx
