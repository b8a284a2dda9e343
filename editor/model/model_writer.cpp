#include "editor/model/model_writer.h"

#include "common/number_text.h"
#include "common/text_file.h"
#include "editor/model/geoset_output.h"
#include "editor/model/geoset_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <span>
#include <string_view>

namespace editor {

namespace {

// Appends "{ a, b, c }," style data to a line kept between calls, to spare allocations on
// blocks of tens of thousands of lines.
void appendTriple(std::string& line, double first, double second, double third) {
    line.assign("\t\t{ ");
    common::appendNumber(line, first);
    line += ", ";
    common::appendNumber(line, second);
    line += ", ";
    common::appendNumber(line, third);
    line += " },";
}

// The working copy's lines with a cursor, as the writer consumes them.
class Input {
  public:
    explicit Input(std::span<const std::string_view> lines) : lines_(lines) {}
    // The lines of the whole text, split as they are read.
    explicit Input(std::string_view text) { reader_.emplace(common::LineReader::OfText{}, text); }
    bool next(std::string_view& line) {
        if (reader_)
            return reader_->next(line);
        if (position_ >= lines_.size())
            return false;
        line = lines_[position_++];
        return true;
    }

  private:
    std::optional<common::LineReader> reader_;
    std::span<const std::string_view> lines_;
    std::size_t position_ = 0;
};

// Reads lines until one is exactly a tab followed by "}" and writes that line (the block's
// old contents are dropped). At the end of the input nothing more is written.
void copyBlockEnd(Input& input, common::LineSink& out) {
    std::string_view line;
    while (input.next(line)) {
        if (line == "\t}") {
            out.writeLine(line);
            return;
        }
    }
}

// Drops lines until one is exactly the given text; that line becomes the current one.
bool skipUntil(Input& input, std::string_view& line, std::string_view stop) {
    while (input.next(line))
        if (line == stop)
            return true;
    return false;
}

void writeGroups(const GeosetModel& state, common::LineSink& out) {
    const int groups = std::min(state.groupCount, state.matrices.columnCount());
    int total = 0;
    for (int g = 1; g <= groups; ++g)
        for (int slot = 1; slot <= matrixSlots; ++slot)
            if (state.matrices.at(slot, g) != -1)
                ++total;
    out.writeLine("\tGroups " + std::to_string(groups) + " " + std::to_string(total) + " {");
    for (const auto& ids : writtenMatrixGroups(state)) {
        std::string line = "\t\tMatrices { " + std::to_string(ids.front());
        for (std::size_t k = 1; k < ids.size(); ++k)
            line += ", " + std::to_string(ids[k]);
        out.writeLine(line + " },");
    }
}

void writeTangents(const GeosetModel& state, int keptVertices, common::LineSink& out) {
    out.writeLine("\tTangents " + std::to_string(keptVertices) + " {");
    std::string data;
    for (std::size_t i = 0; i < state.vertices.size(); ++i) {
        if (state.vertices[i].deleted)
            continue;
        const auto t = writtenTangent(state, i);
        data.assign("\t\t{ ");
        for (std::size_t k = 0; k < 3; ++k) {
            common::appendNumber(data, t[k]);
            data += ", ";
        }
        common::appendNumber(data, t[3]);
        data += " },";
        out.writeLine(data);
    }
}

// The one-geoset model binds every vertex to its one bone, in the weights too.
void writeSkinWeights(const GeosetModel& state, int keptVertices, bool geosetOnly,
                      common::LineSink& out) {
    out.writeLine("\tSkinWeights " + std::to_string(keptVertices) + " {");
    std::string data;
    for (const auto& v : state.vertices) {
        if (v.deleted)
            continue;
        if (geosetOnly) {
            out.writeLine("\t\t0, 0, 0, 0, 255, 0, 0, 0,");
            continue;
        }
        data.assign("\t\t");
        for (std::size_t k = 0; k < v.skinWeights.size(); ++k) {
            data += std::to_string(v.skinWeights[k]);
            data += k + 1 < v.skinWeights.size() ? ", " : ",";
        }
        out.writeLine(data);
    }
}

// The set-th texture coordinate set (0 for u and v, 1 and on for the further ones).
void writeTextureCoordinates(const GeosetModel& state, int keptVertices, int set,
                             common::LineSink& out) {
    out.writeLine("\tTVertices " + std::to_string(keptVertices) + " {");
    std::string data;
    for (std::size_t i = 0; i < state.vertices.size(); ++i) {
        if (state.vertices[i].deleted)
            continue;
        const auto uv = writtenTextureCoordinates(state, i, set);
        data.assign("\t\t{ ");
        common::appendNumber(data, uv[0]);
        data += ", ";
        common::appendNumber(data, uv[1]);
        data += " },";
        out.writeLine(data);
    }
}

void writeFaces(const GeosetModel& state, common::LineSink& out) {
    // Output index of every vertex, computed once rather than per corner.
    const std::vector<int> outputIndex = outputIndices(state);

    const int n = countWrittenFaces(state);
    out.writeLine("\tFaces 1 " + std::to_string(3 * n) + " {");
    out.writeLine("\t\tTriangles {");
    if (n > 0) {
        std::string line = "\t\t\t{ ";
        for (const auto& face : state.faces) {
            if (!isWrittenFace(state, face))
                continue;
            for (int corner : {face.a, face.b, face.c}) {
                char digits[16];
                const auto end = std::to_chars(digits, digits + sizeof digits,
                                               outputIndex[static_cast<std::size_t>(corner)])
                                     .ptr;
                line.append(digits, end);
                line += ", ";
            }
        }
        line.resize(line.size() - 2);
        line += " },";
        out.writeLine(line);
    }
    out.writeLine("\t\t}");
}

std::vector<std::string_view> viewsOf(const std::vector<std::string>& lines) {
    return {lines.begin(), lines.end()};
}

void writeModelFrom(Input& input, const GeosetModel& state, bool geosetOnly, common::LineSink& out);

} // namespace

void writeModel(const std::vector<std::string>& lines, const GeosetModel& model, bool geosetOnly,
                common::LineSink& out) {
    const auto views = viewsOf(lines);
    Input input(views);
    writeModelFrom(input, model, geosetOnly, out);
}

void writeModelFromText(std::string_view text, const GeosetModel& model, bool geosetOnly,
                        common::LineSink& out) {
    Input input(text);
    writeModelFrom(input, model, geosetOnly, out);
}

namespace {

void writeModelFrom(Input& input, const GeosetModel& state, bool geosetOnly,
                    common::LineSink& out) {
    const int keptVertices = keptVertexCount(state);
    int geosetCounter = 0;
    int uvSetsWritten = 0;
    bool inTarget = false, inOther = false, targetEnded = false;
    std::string_view line;
    while (input.next(line)) {
        bool writeLine = true;
        if (line == "Geoset {") {
            ++geosetCounter;
            if (geosetOnly) {
                while (geosetCounter < state.geosetNumber && input.next(line))
                    if (line == "Geoset {")
                        ++geosetCounter;
            }
            if (geosetCounter == state.geosetNumber)
                inTarget = true;
            else
                inOther = true;
        }
        if (geosetOnly && startsWith(line, "Sequences")) {
            skipUntil(input, line, "}");
            out.writeLine("Sequences 1 {");
            out.writeLine("\tAnim \"Stand\" {");
            out.writeLine("\t\tInterval { 0, 3333 },");
            out.writeLine("\t}");
        }
        if (startsWith(line, "\tGroups")) {
            if (geosetOnly) {
                skipUntil(input, line, "\t}");
                out.writeLine("\tGroups 1 1 {");
                out.writeLine("\t\tMatrices { 0 },");
            } else if (inTarget) {
                skipUntil(input, line, "\t}");
                writeGroups(state, out);
            }
        }
        if (line == "}" && inTarget) {
            targetEnded = true;
            inTarget = inOther = false;
        }
        if (inTarget && startsWith(line, "\tVertices")) {
            writeLine = false;
            out.writeLine("\tVertices " + std::to_string(keptVertices) + " {");
            std::string data;
            for (const auto& v : state.vertices)
                if (!v.deleted) {
                    const auto p = writtenPosition(v);
                    appendTriple(data, p[0], p[1], p[2]);
                    out.writeLine(data);
                }
            copyBlockEnd(input, out);
        }
        if (inTarget && startsWith(line, "\tNormals")) {
            writeLine = false;
            out.writeLine("\tNormals " + std::to_string(keptVertices) + " {");
            std::string data;
            for (std::size_t i = 0; i < state.vertices.size(); ++i)
                if (!state.vertices[i].deleted) {
                    const auto n = writtenNormal(state, i);
                    appendTriple(data, n[0], n[1], n[2]);
                    out.writeLine(data);
                }
            copyBlockEnd(input, out);
        }
        if (inTarget && startsWith(line, "\tTVertices")) {
            writeLine = false;
            writeTextureCoordinates(state, keptVertices, uvSetsWritten++, out);
            copyBlockEnd(input, out);
        }
        if (inTarget && startsWith(line, "\tTangents")) {
            writeLine = false;
            writeTangents(state, keptVertices, out);
            copyBlockEnd(input, out);
        }
        if (inTarget && startsWith(line, "\tSkinWeights")) {
            writeLine = false;
            writeSkinWeights(state, keptVertices, geosetOnly, out);
            copyBlockEnd(input, out);
        }
        if (inTarget && startsWith(line, "\tVertexGroup")) {
            writeLine = false;
            out.writeLine("\tVertexGroup {");
            for (const auto& v : state.vertices)
                if (!v.deleted)
                    out.writeLine("\t\t" + std::to_string(geosetOnly ? 0 : v.vertexGroup) + ",");
            copyBlockEnd(input, out);
        }
        if (inTarget && startsWith(line, "\tFaces")) {
            writeLine = false;
            writeFaces(state, out);
            copyBlockEnd(input, out);
        }
        if (geosetOnly) {
            if (inOther)
                writeLine = false;
            if (targetEnded) {
                out.writeLine(line);
                break;
            }
        }
        if (writeLine)
            out.writeLine(line);
    }
    if (geosetOnly) {
        out.writeLine("Bone \"Bone0\" {");
        out.writeLine("\tObjectId 0,");
        out.writeLine("\tGeosetAnimId None,");
        out.writeLine("}");
        out.writeLine("PivotPoints 1 {");
        out.writeLine("\t{ 0, 0, 0 },");
        out.writeLine("}");
    }
}

} // namespace

std::vector<std::string> modelLines(const std::vector<std::string>& lines, const GeosetModel& model,
                                    bool geosetOnly) {
    common::LineCollector out;
    writeModel(lines, model, geosetOnly, out);
    return std::move(out.lines);
}

namespace {

// The number after a prefix such as "\tGeosetId ", or nothing when it is not a number.
std::optional<int> referenceNumber(const std::string& line, std::size_t prefixLength) {
    std::string digits;
    for (auto i = prefixLength; i < line.size(); ++i) {
        const char c = line[i];
        if ((c >= '0' && c <= '9') || (c == '-' && digits.empty()))
            digits += c;
        else
            break;
    }
    return common::parseInteger32(digits);
}

// A note at the top of the text on one record ("// FaceGroups: Geoset 3 = ..."), once the
// record at the 0-based place removed is gone: nothing for that record's own note, the place one
// lower for the records after it, the line as it was for any other.
std::optional<std::string> renumberedNote(const std::string& line, const std::string& prefix,
                                          int removed) {
    if (removed < 0 || !startsWith(line, prefix))
        return line;
    const auto k = referenceNumber(line, prefix.size());
    const auto rest = line.find(' ', prefix.size());
    if (!k || rest == std::string::npos || *k < removed)
        return line;
    if (*k == removed)
        return std::nullopt;
    return prefix + std::to_string(*k - 1) + line.substr(rest);
}

// Lowers the count of a header line such as a tab, "NumGeosets 3," by one: the word, then
// blanks or a ";", then the number. Other lines stay; true when the line was this header.
bool adjustHeaderCount(std::string& line, std::string_view word, int removed) {
    if (!startsWith(line, word))
        return false;
    auto start = word.size();
    if (start < line.size() &&
        ((line[start] >= 'A' && line[start] <= 'Z') || (line[start] >= 'a' && line[start] <= 'z')))
        return false; // a longer word, such as NumGeosetAnims for NumGeosets
    while (start < line.size() && (line[start] == ' ' || line[start] == ';'))
        ++start;
    auto end = start;
    while (end < line.size() && line[end] >= '0' && line[end] <= '9')
        ++end;
    const auto count = common::parseInteger32(std::string_view(line).substr(start, end - start));
    if (!count || *count < removed)
        return true;
    line.replace(start, end - start, std::to_string(*count - removed));
    return true;
}

} // namespace

int newVertexIndex(const GeosetModel& state, int k) {
    int kept = 0;
    for (int i = 0; i < k && static_cast<std::size_t>(i) < state.vertices.size(); ++i)
        if (!state.vertices[static_cast<std::size_t>(i)].deleted)
            ++kept;
    return kept - 1;
}

int countWrittenFaces(const GeosetModel& state) {
    return static_cast<int>(
        std::count_if(state.faces.begin(), state.faces.end(),
                      [&](const FaceRecord& f) { return isWrittenFace(state, f); }));
}

std::optional<int> firstVertexNotFinite(const GeosetModel& model) {
    for (std::size_t i = 0; i < model.vertices.size(); ++i) {
        const auto& v = model.vertices[i];
        if (v.deleted)
            continue;
        for (double value : {v.x, v.y, v.z, v.normalX, v.normalY, v.normalZ, v.u, v.v})
            if (!std::isfinite(value))
                return static_cast<int>(i);
    }
    return std::nullopt;
}

bool savingRemovesGeoset(const GeosetModel& model) {
    // A geoset whose faces would all be left out is removed too: an empty triangle list is not
    // a geoset other programs read.
    return keptVertexCount(model) == 0 || countWrittenFaces(model) == 0;
}

std::vector<std::string> removeGeosetLines(const std::vector<std::string>& model, int n) {
    const auto* lines = &model;

    // Pass 1: drop the geoset block and find the geoset animation that refers to it.
    std::vector<std::string> pass1;
    pass1.reserve(lines->size());
    int geosetCount = 0, animCount = 0, removedAnim = -1;
    bool inGeosetAnim = false, skipped = false;
    for (std::size_t i = 0; i < lines->size(); ++i) {
        const std::string* line = &(*lines)[i];
        if (startsWith(*line, "Geoset {"))
            ++geosetCount;
        if (geosetCount == n && !skipped) {
            while (i < lines->size() && !startsWith((*lines)[i], "}"))
                ++i;
            ++i; // the block's closing line goes too
            skipped = true;
            if (i >= lines->size())
                break;
            line = &(*lines)[i];
        }
        if (startsWith(*line, "GeosetAnim {")) {
            inGeosetAnim = true;
            ++animCount;
        }
        if (*line == "}")
            inGeosetAnim = false;
        if (inGeosetAnim && startsWith(*line, "\tGeosetId ") &&
            line->find("Multiple") == std::string::npos) {
            const auto k = referenceNumber(*line, 10);
            if (k && *k + 1 == n)
                removedAnim = animCount;
        }
        pass1.push_back(*line);
    }

    // Pass 2: drop that geoset animation and renumber the references.
    std::vector<std::string> pass2;
    pass2.reserve(pass1.size());
    animCount = 0;
    bool skippedAnim = false;
    for (std::size_t i = 0; i < pass1.size(); ++i) {
        const std::string* line = &pass1[i];
        if (startsWith(*line, "// ")) {
            // The notes of the binary model name geosets and geoset animations by place.
            auto note = renumberedNote(*line, "// FaceGroups: Geoset ", skipped ? n - 1 : -1);
            if (note)
                note = renumberedNote(*note, "// Flags: GeosetAnim ", removedAnim - 1);
            if (note)
                pass2.push_back(std::move(*note));
            continue;
        }
        if (startsWith(*line, "GeosetAnim {")) {
            ++animCount;
            if (animCount == removedAnim && !skippedAnim) {
                while (i < pass1.size() && !startsWith(pass1[i], "}"))
                    ++i;
                ++i;
                skippedAnim = true;
                if (i >= pass1.size())
                    break;
                line = &pass1[i];
            }
        }
        if (startsWith(*line, "\tGeosetId") && line->find("Multiple") == std::string::npos) {
            const auto k = referenceNumber(*line, 10);
            if (k && *k > n - 1)
                pass2.push_back("\tGeosetId " + std::to_string(*k - 1) + ",");
            else if (k && *k == n - 1)
                pass2.push_back("\tGeosetId Multiple,");
            else
                pass2.push_back(*line);
            continue;
        }
        if (startsWith(*line, "\tGeosetAnimId") && line->find("None") == std::string::npos &&
            removedAnim != -1) {
            const auto k = referenceNumber(*line, 14);
            if (k && *k > removedAnim - 1)
                pass2.push_back("\tGeosetAnimId " + std::to_string(*k - 1) + ",");
            else if (k && *k == removedAnim - 1)
                pass2.push_back("\tGeosetAnimId None,");
            else
                pass2.push_back(*line);
            continue;
        }
        pass2.push_back(*line);
    }

    // The model's header counts follow: one geoset fewer, and one geoset animation fewer when
    // its animation went too.
    bool inModel = false;
    for (auto& line : pass2) {
        if (startsWith(line, "Model "))
            inModel = true;
        else if (line == "}")
            inModel = false;
        if (!inModel || !skipped)
            continue;
        if (!adjustHeaderCount(line, "\tNumGeosets", 1) && skippedAnim)
            adjustHeaderCount(line, "\tNumGeosetAnims", 1);
    }
    return pass2;
}

} // namespace editor
