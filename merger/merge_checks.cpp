#include "merger/merge_checks.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace merger {

namespace {

bool isControlCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7f;
}

bool hasBlock(const Lines& lines, std::string_view header) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return startsWith(line, header); });
}

// A line that opens a block of the model itself, as "Bone \"Root\" {" or "Geoset {".
bool isTopLevelHeader(const std::string& line) {
    return !line.empty() && line.back() == '{' && line[0] != '\t' && line[0] != ' ' &&
           !startsWith(line, "//");
}

// The blocks that come before the materials in a model file.
bool comesBeforeMaterials(const std::string& line) {
    constexpr std::array<std::string_view, 6> headers = {
        "Version", "Model", "Sequences", "GlobalSequences", "Textures", "Materials"};
    return std::any_of(headers.begin(), headers.end(),
                       [&](std::string_view header) { return startsWith(line, header); });
}

int textureEntries(const TextureChoice& texture) {
    Lines entries;
    writeTextures(entries, texture);
    return static_cast<int>(std::count(entries.begin(), entries.end(), "\tBitmap {"));
}

} // namespace

std::string textureProblem(const TextureChoice& texture) {
    if (texture.type == TextureType::Additive)
        return {};
    const auto& path = texture.texturePath;
    if (std::none_of(path.begin(), path.end(),
                     [](char c) { return c == '"' || isControlCharacter(c); }))
        return {};
    return "The texture path cannot hold a double quote, a line break or another control "
           "character. Nothing was written.";
}

std::string geosetProblem(const Lines& geosetLines, const std::string& geosetPath) {
    const std::string model = "The geoset model \"" + geosetPath + "\"";
    int geosets = 0;
    bool inGeoset = false;
    bool hasVertices = false;
    for (const auto& line : geosetLines) {
        if (line == "Geoset {") {
            inGeoset = true;
            hasVertices = false;
            ++geosets;
        } else if (inGeoset && startsWith(line, "\tVertices ")) {
            hasVertices = true;
        } else if (inGeoset && line == "}") {
            inGeoset = false;
            if (!hasVertices)
                return "Geoset " + std::to_string(geosets) + " of the geoset model \"" +
                       geosetPath + "\" has no vertices. Nothing was written.";
        }
    }
    if (geosets == 0)
        return model + " has no geoset block to merge. Nothing was written.";
    if (inGeoset)
        return model + " ends inside geoset " + std::to_string(geosets) + ". Nothing was written.";
    return {};
}

std::string placeProblem(const Lines& baseLines, const std::string& basePath) {
    if (std::any_of(baseLines.begin(), baseLines.end(), isGeosetPlace))
        return {};
    return "The base model \"" + basePath +
           "\" has no Bone, GeosetAnim, Light, Helper or PivotPoints block for the geosets to "
           "go before. Nothing was written.";
}

Lines withTextureAndMaterialBlocks(const Lines& baseLines, const TextureChoice& texture) {
    Lines blocks;
    if (!hasBlock(baseLines, "Textures")) {
        blocks.push_back("Textures " + std::to_string(textureEntries(texture)) + " {");
        blocks.push_back("}");
    }
    if (!hasBlock(baseLines, "Materials")) {
        blocks.push_back("Materials 1 {");
        blocks.push_back("}");
    }
    if (blocks.empty())
        return baseLines;
    const auto place = std::find_if(baseLines.begin(), baseLines.end(), [](const auto& line) {
        return isTopLevelHeader(line) && !comesBeforeMaterials(line);
    });
    Lines result(baseLines.begin(), place);
    result.insert(result.end(), blocks.begin(), blocks.end());
    result.insert(result.end(), place, baseLines.end());
    return result;
}

} // namespace merger
