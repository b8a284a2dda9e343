#include "editor/model/geoset_reader.h"

#include "common/memory_tuning.h"
#include "common/number_text.h"
#include "common/text_file.h"

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>

namespace editor {

namespace {

// A line the reader cannot follow; carries what is wrong, the caller adds file and line. A
// non-zero line number names the line at fault when it is not the last one read.
class ParseFault : public std::runtime_error {
  public:
    explicit ParseFault(const std::string& what, std::size_t lineNumber = 0)
        : std::runtime_error(what), line(lineNumber) {}
    std::size_t line;
};

std::string quoted(std::string_view text) {
    constexpr std::size_t shown = 60;
    std::string out(text.substr(0, shown));
    if (text.size() > shown)
        out += "...";
    return "\"" + out + "\"";
}

double number(std::string_view text) {
    const auto value = common::parseNumber(text);
    if (!value)
        throw ParseFault(quoted(text) + " is not a number");
    return *value;
}

int integer16(std::string_view text) {
    const auto value = common::parseInteger16(text);
    if (!value)
        throw ParseFault(quoted(text) + " is not a whole number from -32768 to 32767");
    return *value;
}

int count(std::string_view text, const char* what) {
    const auto value = common::parseInteger32(text);
    if (!value || *value < 0)
        throw ParseFault(quoted(text) + " is not a valid " + what + " count");
    return *value;
}

std::string_view from(std::string_view text, std::size_t position) {
    return position <= text.size() ? text.substr(position) : std::string_view();
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The values of a data line: the line starts with prefix (which ends in "{"), the values are
// separated by "," and end at "}", and nothing but "," follows. Blanks around the values are
// allowed, so "{ 1, 2, 3 }," and "{1, 2, 3}," read alike; anything else is refused rather than
// read as something it is not.
template <typename Each>
void forEachValue(std::string_view line, std::string_view prefix, const char* form, Each each) {
    const auto fail = [form] {
        throw ParseFault(std::string("expected a line of the form ") + form);
    };
    if (!startsWith(line, prefix))
        fail();
    const auto close = line.find('}', prefix.size());
    if (close == std::string_view::npos)
        fail();
    const auto after = trimmed(line.substr(close + 1));
    if (!after.empty() && after != ",")
        fail();
    auto values = line.substr(prefix.size(), close - prefix.size());
    for (;;) {
        const auto comma = values.find(',');
        each(values.substr(0, comma));
        if (comma == std::string_view::npos)
            return;
        values.remove_prefix(comma + 1);
    }
}

// The numbers of a position, normal or texture coordinate line: two tabs, "{ ", the values
// separated by ", ", " },".
template <std::size_t N> std::array<double, N> dataValues(std::string_view line, const char* form) {
    std::array<double, N> values{};
    std::size_t n = 0;
    forEachValue(line, "\t\t{", form, [&](std::string_view text) {
        if (n == N)
            throw ParseFault(std::string("expected a line of the form ") + form);
        values[n++] = number(text);
    });
    if (n != N)
        throw ParseFault(std::string("expected a line of the form ") + form);
    return values;
}

// Indices of one triangle line: three tabs, "{ ", i1, ", ", ..., in, " },". Every three
// indices make one triangle, in order.
void parseIndexLine(std::string_view line, std::vector<FaceRecord>& faces, int& faceIndex,
                    std::vector<int>& indices) {
    indices.clear();
    forEachValue(line, "\t\t\t{", "{ a, b, c, ... },",
                 [&](std::string_view text) { indices.push_back(integer16(text)); });
    if (indices.size() % 3 != 0)
        throw ParseFault("the number of indices on a triangle line is not a multiple of 3");
    for (std::size_t i = 0; i < indices.size(); i += 3) {
        ++faceIndex;
        if (static_cast<std::size_t>(faceIndex) > faces.size())
            throw ParseFault("more triangles than the Faces header counts");
        faces[static_cast<std::size_t>(faceIndex - 1)] = {indices[i], indices[i + 1],
                                                          indices[i + 2], false};
    }
}

// One "Matrices { id1, ..., idk }," line into a fresh column.
MatrixTable::Column parseMatrices(std::string_view line) {
    auto column = MatrixTable::emptyColumn();
    std::size_t slot = 0;
    forEachValue(line, "\t\tMatrices {", "Matrices { id, ... },", [&](std::string_view text) {
        if (slot >= column.size())
            throw ParseFault("a matrix group holds more than 7 bone ids");
        column[slot++] = integer16(text);
    });
    return column;
}

// The numbers of one SkinWeights line: "n, n, ...," with the last comma optional. Each is a
// whole number from 0 to 255 and goes to the next free place of the vertices' weights.
void parseSkinWeightLine(std::string_view line, std::vector<VertexRecord>& vertices, int& filled) {
    if (!startsWith(line, "\t\t") || line.size() < 3)
        throw ParseFault("expected a line of skin weights of the form 0, 0, 0, 0, 255, 0, 0, 0,");
    auto values = line.substr(2);
    if (values.back() == ',')
        values.remove_suffix(1);
    for (;;) {
        const auto comma = values.find(',');
        const auto value = integer16(values.substr(0, comma));
        if (value < 0 || value > 255)
            throw ParseFault("a skin weight must be a whole number from 0 to 255");
        const auto vertex = static_cast<std::size_t>(filled / skinWeightValues);
        if (vertex >= vertices.size())
            throw ParseFault("more skin weights than the geoset has vertices");
        vertices[vertex].skinWeights[static_cast<std::size_t>(filled % skinWeightValues)] =
            static_cast<std::uint8_t>(value);
        ++filled;
        if (comma == std::string_view::npos)
            return;
        values.remove_prefix(comma + 1);
    }
}

// The count of a block header such as a tab, "Normals 5 {": the text between the word and "{".
int headerCount(std::string_view line, std::size_t wordLength, const char* form, const char* what) {
    const auto brace = line.find('{');
    if (brace == std::string_view::npos || brace < wordLength)
        throw ParseFault(std::string("expected a header of the form ") + form);
    return count(line.substr(wordLength, brace - wordLength), what);
}

struct GeosetArrays {
    std::vector<VertexRecord> vertices;
    VertexExtras extras;
    int outsideGroups = 0;
    std::vector<FaceRecord> faces;
    MatrixTable matrices;
    int groups = 0;
    bool geosetFound = false;
    int geosetsSeen = 0; // "Geoset {" lines up to where reading stopped
    bool groupsRead = false;
    bool facesRead = false;
    bool verticesRead = false;
    int vertexIndex = 0;
    std::size_t facesLine = 0;
};

// A data block whose header gives a count (Vertices, Normals, TVertices): the lines it holds
// must match that count.
struct CountedBlock {
    const char* name = nullptr;
    int expected = -1;
    std::size_t headerLine = 0;
    const int* filled = nullptr;

    void check() const {
        if (name && expected >= 0 && *filled != expected)
            throw ParseFault(std::string("the ") + name + " header counts " +
                                 std::to_string(expected) + " but the block holds " +
                                 std::to_string(*filled) + " lines",
                             headerLine);
    }
};

// Reads the next line of a block that must go on; a file that ends there is truncated.
void nextLine(common::LineReader& reader, std::string_view& line, const char* block) {
    if (!reader.next(line))
        throw ParseFault(std::string("the file ends inside the ") + block + " block");
}

void readGeosetLines(common::LineReader& reader, int geosetNumber, GeosetArrays& arrays) {
    std::string_view line;
    int geosetCounter = 0;
    bool inGeoset = false;
    bool finished = false;
    bool inVertices = false, inNormals = false, inTVertices = false, inVertexGroup = false;
    bool inTangents = false, inSkinWeights = false;
    int uvIndex = 0, blockIndex = 0, faceIndex = 0;
    int uvSet = 0; // 1 for the first TVertices block of the geoset, 2 for the next...
    int weightsFilled = 0, weightsCounted = 0;
    std::size_t weightsLine = 0;
    int vertexLines = 0;
    CountedBlock counted;
    std::vector<int> indices;
    auto& vertices = arrays.vertices;

    auto vertexAt = [&vertices](int index, const char* what) -> VertexRecord& {
        if (index < 1 || static_cast<std::size_t>(index) > vertices.size())
            throw ParseFault(std::string("more ") + what + " than the geoset has vertices");
        return vertices[static_cast<std::size_t>(index - 1)];
    };
    auto openCounted = [&](const char* name, int expected, const int* filled) {
        counted = {name, expected, reader.lineNumber(), filled};
    };

    std::string_view lastLineInGeoset; // the last line of the geoset that is not blank
    while (!finished && reader.next(line)) {
        if (inGeoset && !line.empty())
            lastLineInGeoset = line;
        if (line == "Geoset {") {
            ++geosetCounter;
            if (geosetCounter == geosetNumber) {
                inGeoset = true;
                arrays.geosetFound = true;
            }
        }
        if (line == "}" && inGeoset) {
            inGeoset = false;
            finished = true;
        }
        if (line == "\t}") {
            counted.check();
            counted = {};
            if (inSkinWeights && weightsFilled != skinWeightValues * weightsCounted)
                throw ParseFault("the SkinWeights header counts " + std::to_string(weightsCounted) +
                                     " vertices but the block holds " +
                                     std::to_string(weightsFilled) + " numbers, not " +
                                     std::to_string(skinWeightValues) + " for each",
                                 weightsLine);
            inVertices = inTVertices = inVertexGroup = inNormals = false;
            inTangents = inSkinWeights = false;
        }

        if (inVertices) {
            const auto p = dataValues<3>(line, "{ z, x, y },");
            ++arrays.vertexIndex;
            ++vertexLines;
            auto& vertex = vertexAt(arrays.vertexIndex, "vertex lines");
            vertex.selected = vertex.deleted = false;
            vertex.x = p[1];
            vertex.y = p[2];
            vertex.z = p[0];
        }
        if (inTVertices) {
            const auto t = dataValues<2>(line, "{ u, v },");
            ++uvIndex;
            auto& vertex = vertexAt(uvIndex, "texture coordinates");
            if (uvSet <= 1) {
                vertex.u = t[0];
                vertex.v = t[1];
            } else {
                auto& extra = vertex.extraUvs[static_cast<std::size_t>(uvSet - 2)];
                extra = {static_cast<float>(t[0]), static_cast<float>(t[1])};
            }
        }
        if (inTangents) {
            const auto t = dataValues<4>(line, "{ x, y, z, w },");
            ++blockIndex;
            auto& vertex = vertexAt(blockIndex, "tangents");
            vertex.tangent = {static_cast<float>(t[1]), static_cast<float>(t[2]),
                              static_cast<float>(t[0]), static_cast<float>(t[3])};
        }
        if (inSkinWeights)
            parseSkinWeightLine(line, vertices, weightsFilled);
        if (inVertexGroup) {
            ++blockIndex;
            if (!startsWith(line, "\t\t") || line.size() < 4 || line.back() != ',')
                throw ParseFault("expected a vertex group line of the form 0,");
            const int group = integer16(std::string_view(line).substr(2, line.size() - 3));
            if (group < 0)
                throw ParseFault("a vertex group cannot be negative");
            vertexAt(blockIndex, "vertex group lines").vertexGroup = group;
        }
        if (inNormals) {
            const auto n = dataValues<3>(line, "{ z, x, y },");
            ++blockIndex;
            auto& vertex = vertexAt(blockIndex, "normals");
            vertex.normalZ = n[0];
            vertex.normalX = n[1];
            vertex.normalY = n[2];
        }

        // Headers have one tab; the data lines, most of the file, have two.
        if (!inGeoset || line.size() < 2 || line[1] == '\t')
            continue;
        if (startsWith(line, "\tVertices")) {
            inVertices = true;
            const int n = headerCount(line, 9, "Vertices 8 {", "vertex");
            if (n > maxGeosetRecords)
                throw ParseFault("a geoset holds at most 32767 vertices");
            // The records of the largest geoset take megabytes: made resident at once.
            vertices.clear();
            vertices.reserve(static_cast<std::size_t>(n));
            common::prefault(vertices.data(), vertices.capacity() * sizeof(VertexRecord));
            vertices.assign(static_cast<std::size_t>(n), VertexRecord{});
            arrays.verticesRead = true;
            vertexLines = 0;
            openCounted("Vertices", n, &vertexLines);
        } else if (startsWith(line, "\tTVertices")) {
            uvIndex = 0;
            inTVertices = true;
            if (++uvSet > 1 + maxExtraUvSets)
                throw ParseFault("a geoset holds at most " + std::to_string(1 + maxExtraUvSets) +
                                 " sets of texture coordinates");
            arrays.extras.extraUvSets = uvSet - 1;
            openCounted("TVertices", headerCount(line, 10, "TVertices 8 {", "texture coordinate"),
                        &uvIndex);
        } else if (startsWith(line, "\tTangents")) {
            blockIndex = 0;
            inTangents = true;
            arrays.extras.tangents = true;
            openCounted("Tangents", headerCount(line, 9, "Tangents 8 {", "tangent"), &blockIndex);
        } else if (startsWith(line, "\tSkinWeights")) {
            inSkinWeights = true;
            arrays.extras.skinWeights = true;
            weightsFilled = 0;
            weightsCounted = headerCount(line, 12, "SkinWeights 8 {", "skin weight");
            weightsLine = reader.lineNumber();
        } else if (startsWith(line, "\tVertexGroup")) {
            blockIndex = 0;
            inVertexGroup = true;
        } else if (startsWith(line, "\tNormals")) {
            blockIndex = 0;
            inNormals = true;
            openCounted("Normals", headerCount(line, 8, "Normals 8 {", "normal"), &blockIndex);
        } else if (startsWith(line, "\tFaces")) {
            // The index count is read wide: 32,767 triangles need 98,301 indices.
            auto text = from(line, 7);
            const auto blank = text.find(' ');
            if (blank == std::string_view::npos || text.size() < blank + 3)
                throw ParseFault("expected a header of the form Faces 1 36 {");
            text = text.substr(blank + 1);
            const int indexCount = count(text.substr(0, text.size() - 2), "index");
            if (indexCount % 3 != 0)
                throw ParseFault("the index count of the Faces header is not a multiple of 3");
            if (indexCount / 3 > maxGeosetRecords)
                throw ParseFault("a geoset holds at most 32767 triangles");
            arrays.faces.assign(static_cast<std::size_t>(indexCount / 3), FaceRecord{});
            arrays.facesRead = true;
            arrays.facesLine = reader.lineNumber();
            faceIndex = 0;
            nextLine(reader, line, "Faces"); // "Triangles {"
            for (;;) {
                nextLine(reader, line, "Faces");
                if (line == "\t\t}")
                    break;
                parseIndexLine(line, arrays.faces, faceIndex, indices);
            }
            if (static_cast<std::size_t>(faceIndex) != arrays.faces.size())
                throw ParseFault("the Faces header counts " + std::to_string(indexCount) +
                                     " indices but the block holds " +
                                     std::to_string(3 * faceIndex),
                                 arrays.facesLine);
        } else if (startsWith(line, "\tGroups")) {
            arrays.matrices.clear();
            arrays.matrices.resize(1);
            arrays.groups = 0;
            arrays.groupsRead = true;
            for (;;) {
                nextLine(reader, line, "Groups");
                if (line == "\t}") {
                    lastLineInGeoset = line;
                    break;
                }
                const auto column = parseMatrices(line);
                ++arrays.groups;
                if (arrays.groups > maxGeosetRecords)
                    throw ParseFault("a geoset holds at most 32767 matrix groups");
                arrays.matrices.resize(arrays.groups);
                for (int slot = 1; slot <= matrixSlots; ++slot)
                    arrays.matrices.at(slot, arrays.groups) =
                        column[static_cast<std::size_t>(slot - 1)];
            }
        }
    }
    arrays.geosetsSeen = geosetCounter;
    // A geoset may run to the end of the file without its closing line (the starter model of
    // File -> New does), but not a data block: its lines would silently fall short.
    if (inGeoset && !finished && counted.name)
        throw ParseFault(std::string("the file ends inside the ") + counted.name + " block");
    if (inGeoset && !finished && inVertexGroup)
        throw ParseFault("the file ends inside the VertexGroup block");
    if (inGeoset && !finished && inSkinWeights)
        throw ParseFault("the file ends inside the SkinWeights block");
    // Nor may it end in the middle of a line or inside any other block: a cut-off file would
    // lose the geoset's later blocks without a word.
    // So the geoset's last line must close a block or be a whole item of the geoset itself.
    const auto& last = lastLineInGeoset;
    const bool wholeItem = last.size() > 2 && last[0] == '\t' && last[1] != '\t' &&
                           last.back() == ',' && countChar(last, '{') == countChar(last, '}');
    if (inGeoset && !finished && last != "\t}" && !wholeItem)
        throw ParseFault("the file ends inside the geoset, after " +
                         editor::quoted(lastLineInGeoset));
}

void checkCorners(const GeosetArrays& arrays) {
    const auto limit = static_cast<int>(arrays.vertices.size());
    for (std::size_t f = 0; f < arrays.faces.size(); ++f) {
        const auto& face = arrays.faces[f];
        for (int corner : {face.a, face.b, face.c})
            if (corner < 0 || corner >= limit)
                throw ParseFault("triangle " + std::to_string(f + 1) + " names vertex " +
                                     std::to_string(corner) + ", but the geoset has " +
                                     std::to_string(limit) + " vertices",
                                 arrays.facesLine);
    }
}

// Vertices whose group lies past the matrix groups the geoset gives. Models the game loads
// have them, so they are kept as they are and only counted.
int countVerticesOutsideGroups(const GeosetArrays& arrays) {
    if (!arrays.groupsRead || arrays.groups == 0)
        return 0;
    return static_cast<int>(std::count_if(
        arrays.vertices.begin(), arrays.vertices.end(),
        [&](const VertexRecord& vertex) { return vertex.vertexGroup >= arrays.groups; }));
}

} // namespace

bool startsWith(std::string_view checkIn, std::string_view checkFor) {
    return checkIn.substr(0, checkFor.size()) == checkFor;
}

int countChar(std::string_view text, char ch) {
    int n = 0;
    for (char c : text)
        if (c == ch)
            ++n;
    return n;
}

int countGeosets(std::string_view text) {
    // Searched for rather than split into lines: a model has a hundred thousand lines.
    constexpr std::string_view header = "Geoset {";
    int geosets = 0;
    for (auto at = text.find(header); at != std::string_view::npos;
         at = text.find(header, at + 1)) {
        if (at > 0 && text[at - 1] != '\n')
            continue;
        auto rest = text.substr(at + header.size());
        if (!rest.empty() && rest.front() == '\r')
            rest.remove_prefix(1);
        if (rest.empty() || rest.front() == '\n')
            ++geosets;
    }
    return geosets;
}

GeosetReadResult readGeoset(common::LineReader& reader, int geosetNumber) {
    GeosetArrays arrays;
    try {
        readGeosetLines(reader, geosetNumber, arrays);
        if (!arrays.geosetFound && arrays.geosetsSeen == 0) {
            GeosetReadResult result;
            result.noGeoset = true;
            result.error = "the model has no geoset";
            return result;
        }
        if (!arrays.geosetFound)
            throw ParseFault("the file has no geoset " + std::to_string(geosetNumber));
        if (!arrays.verticesRead || arrays.vertexIndex == 0)
            throw ParseFault("geoset " + std::to_string(geosetNumber) + " has no vertices");
        // A geoset without triangles gets none: keeping the previous geoset's triangles would
        // join vertices of another geoset.
        if (!arrays.facesRead)
            arrays.faces.clear();
        checkCorners(arrays);
        arrays.outsideGroups = countVerticesOutsideGroups(arrays);
    } catch (const ParseFault& fault) {
        GeosetReadResult result;
        result.errorLine = fault.line ? fault.line : reader.lineNumber();
        result.error = fault.what();
        return result;
    }
    GeosetReadResult result;
    result.geoset.emplace();
    result.geoset->vertices = std::move(arrays.vertices);
    result.geoset->faces = std::move(arrays.faces);
    result.geoset->groupsRead = arrays.groupsRead;
    result.geoset->extras = arrays.extras;
    result.geoset->verticesOutsideGroups = arrays.outsideGroups;
    if (arrays.groupsRead) {
        result.geoset->matrices = std::move(arrays.matrices);
        result.geoset->groupCount = arrays.groups;
    }
    return result;
}

GeosetReadResult readGeosetText(std::string text, int geosetNumber) {
    common::LineReader reader(common::LineReader::FromText{}, std::move(text));
    return readGeoset(reader, geosetNumber);
}

} // namespace editor
