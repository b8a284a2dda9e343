#include "merger/version_conversion.h"

#include "common/number_text.h"
#include "formats/format_version.h"
#include "formats/vertex_tangent.h"

#include <array>
#include <optional>

namespace merger {

namespace {

constexpr const char* boundWeights = "\t\t0, 0, 0, 0, 255, 0, 0, 0,";

bool isReforgedOnlyLine(const std::string& line) {
    return startsWith(line, "\tLevelOfDetail ") || startsWith(line, "\tName ");
}

bool isReforgedOnlyBlock(const std::string& line) {
    return startsWith(line, "\tTangents ") || startsWith(line, "\tSkinWeights ");
}

// The three numbers of a "\t\t{ a, b, c }," line; nothing when it is not one.
std::optional<std::array<double, 3>> tripleOf(const std::string& line) {
    const auto open = line.find('{');
    const auto close = line.find('}');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return std::nullopt;
    std::array<double, 3> values{};
    std::size_t start = open + 1;
    for (std::size_t k = 0; k < 3; ++k) {
        const auto end = k < 2 ? line.find(',', start) : close;
        if (end == std::string::npos || end > close)
            return std::nullopt;
        const auto value = common::parseNumber(std::string_view(line).substr(start, end - start));
        if (!value)
            return std::nullopt;
        values[k] = *value;
        start = end + 1;
    }
    return values;
}

std::string tangentLine(const std::array<double, 3>& normal) {
    const auto t = formats::tangentAcross(normal, {0, 0, 0, 1});
    std::string line = "\t\t{ ";
    for (std::size_t k = 0; k < 4; ++k) {
        common::appendNumber(line, common::roundHalfEven(t[k], 6));
        line += k < 3 ? ", " : " },";
    }
    return line;
}

// One geoset block (from "Geoset {" to its "}"), its vertices counted and normals collected.
struct GeosetBlock {
    Lines lines;
    std::vector<std::array<double, 3>> normals;
    int vertices = 0;
    bool hasTangents = false;
    bool hasSkinWeights = false;
};

GeosetBlock scanGeoset(const Lines& lines, std::size_t& i) {
    GeosetBlock block;
    std::string inBlock;
    for (; i < lines.size(); ++i) {
        const auto& line = lines[i];
        block.lines.push_back(line);
        if (line == "}")
            break;
        if (line == "\t}") {
            inBlock.clear();
        } else if (startsWith(line, "\tVertices ")) {
            inBlock = "Vertices";
        } else if (startsWith(line, "\tNormals ")) {
            inBlock = "Normals";
        } else if (startsWith(line, "\tTangents ")) {
            block.hasTangents = true;
        } else if (startsWith(line, "\tSkinWeights ")) {
            block.hasSkinWeights = true;
        } else if (inBlock == "Vertices") {
            ++block.vertices;
        } else if (inBlock == "Normals") {
            block.normals.push_back(tripleOf(line).value_or(std::array<double, 3>{0, 0, 1}));
        }
    }
    return block;
}

void appendTangents(Lines& out, const GeosetBlock& block) {
    out.push_back("\tTangents " + std::to_string(block.vertices) + " {");
    for (int v = 0; v < block.vertices; ++v)
        out.push_back(tangentLine(static_cast<std::size_t>(v) < block.normals.size()
                                      ? block.normals[static_cast<std::size_t>(v)]
                                      : std::array<double, 3>{0, 0, 1}));
    out.push_back("\t}");
}

void appendSkinWeights(Lines& out, int vertices) {
    out.push_back("\tSkinWeights " + std::to_string(vertices) + " {");
    for (int v = 0; v < vertices; ++v)
        out.push_back(boundWeights);
    out.push_back("\t}");
}

// The block without its Reforged-only data.
void writeClassic(Lines& out, const GeosetBlock& block, GeosetConversion& conversion) {
    const auto& lines = block.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (isReforgedOnlyLine(lines[i])) {
            conversion.droppedReforgedBlocks = true;
        } else if (isReforgedOnlyBlock(lines[i])) {
            conversion.droppedReforgedBlocks = true;
            while (i < lines.size() && lines[i] != "\t}")
                ++i;
        } else {
            out.push_back(lines[i]);
        }
    }
}

// The block with Tangents before its VertexGroup block and SkinWeights after it (or both
// before the geoset's end when it has none); skin weights it has are bound to group 0.
void writeReforged(Lines& out, const GeosetBlock& block, GeosetConversion& conversion) {
    const auto& lines = block.lines;
    const bool adding = !block.hasTangents || !block.hasSkinWeights;
    conversion.addedReforgedBlocks = conversion.addedReforgedBlocks || adding;
    bool tangentsDone = block.hasTangents, weightsDone = block.hasSkinWeights;
    bool inVertexGroup = false, inSkinWeights = false;
    for (const auto& line : lines) {
        if (!tangentsDone && (startsWith(line, "\tVertexGroup") || line == "}")) {
            appendTangents(out, block);
            tangentsDone = true;
        }
        if (!weightsDone && line == "}") {
            appendSkinWeights(out, block.vertices);
            weightsDone = true;
        }
        if (inSkinWeights && line != "\t}") {
            out.push_back(boundWeights);
            continue;
        }
        out.push_back(line);
        if (line == "\t}") {
            if (inVertexGroup && !weightsDone) {
                appendSkinWeights(out, block.vertices);
                weightsDone = true;
            }
            inVertexGroup = inSkinWeights = false;
        }
        if (startsWith(line, "\tVertexGroup"))
            inVertexGroup = true;
        if (startsWith(line, "\tSkinWeights "))
            inSkinWeights = true;
    }
}

} // namespace

GeosetConversion convertGeosets(const Lines& geosetLines, int baseVersion) {
    GeosetConversion conversion;
    const bool reforgedBase = formats::isReforgedVersion(baseVersion);
    for (std::size_t i = 0; i < geosetLines.size(); ++i) {
        if (geosetLines[i] != "Geoset {") {
            conversion.lines.push_back(geosetLines[i]);
            continue;
        }
        const auto block = scanGeoset(geosetLines, i);
        if (reforgedBase)
            writeReforged(conversion.lines, block, conversion);
        else
            writeClassic(conversion.lines, block, conversion);
    }
    return conversion;
}

std::string conversionNote(const GeosetConversion& conversion, int baseVersion) {
    const auto version = std::to_string(baseVersion);
    if (conversion.droppedReforgedBlocks)
        return "The base model is version " + version +
               ", so the geosets were written without their Tangents and SkinWeights blocks "
               "(and LevelOfDetail and Name lines).";
    if (conversion.addedReforgedBlocks)
        return "The base model is version " + version +
               ", so the geosets got SkinWeights binding every vertex to the chosen bone (weight "
               "255) and Tangents made from their normals.";
    return {};
}

} // namespace merger
