#include "editor/model/geoset_summary.h"

#include <cstdlib>
#include <sstream>

namespace editor {

namespace {

std::string trimmed(const std::string& line) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = line.find_last_not_of(" \t\r,");
    return line.substr(first, last - first + 1);
}

// The braces a line opens minus those it closes, quoted text left out.
int braceBalance(const std::string& line) {
    int balance = 0;
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == '{')
            ++balance;
        else if (!quoted && c == '}')
            --balance;
    }
    return balance;
}

// The words of a line, "static" left out.
std::vector<std::string> wordsOf(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        if (word != "static")
            words.push_back(word);
    return words;
}

int numberAt(const std::vector<std::string>& words, std::size_t index) {
    return index < words.size() ? std::atoi(words[index].c_str()) : 0;
}

std::string quotedText(const std::string& line) {
    const auto open = line.find('"');
    const auto close = line.rfind('"');
    return open != std::string::npos && close > open ? line.substr(open + 1, close - open - 1)
                                                     : std::string();
}

} // namespace

std::vector<GeosetSummary> summarizeGeosets(const std::vector<std::string>& lines) {
    std::vector<GeosetSummary> geosets;
    std::vector<int> materialOfGeoset;
    std::vector<std::string> textures;
    std::vector<int> textureOfMaterial;
    enum class Block { Other, Textures, Materials, Geoset } block = Block::Other;
    int depth = 0;
    for (const auto& raw : lines) {
        const std::string line = trimmed(raw);
        const auto words = wordsOf(line);
        if (depth == 0 && !words.empty()) {
            block = words[0] == "Textures"    ? Block::Textures
                    : words[0] == "Materials" ? Block::Materials
                    : line == "Geoset {"      ? Block::Geoset
                                              : Block::Other;
            if (block == Block::Geoset) {
                geosets.emplace_back();
                materialOfGeoset.push_back(-1);
            }
        } else if (block == Block::Textures && !words.empty() && words[0] == "Image") {
            textures.push_back(quotedText(line));
        } else if (block == Block::Materials && depth == 1 && line == "Material {") {
            textureOfMaterial.push_back(-1);
        } else if (block == Block::Materials && !words.empty() && words[0] == "TextureID" &&
                   !textureOfMaterial.empty() && textureOfMaterial.back() < 0) {
            textureOfMaterial.back() = numberAt(words, 1);
        } else if (block == Block::Geoset && depth == 1 && !words.empty()) {
            if (words[0] == "Vertices")
                geosets.back().vertices = numberAt(words, 1);
            else if (words[0] == "Faces")
                geosets.back().triangles = numberAt(words, 2) / 3;
            else if (words[0] == "MaterialID")
                materialOfGeoset.back() = numberAt(words, 1);
        }
        depth += braceBalance(line);
        if (depth < 0)
            depth = 0;
    }
    for (std::size_t g = 0; g < geosets.size(); ++g) {
        const int material = materialOfGeoset[g];
        if (material < 0 || material >= static_cast<int>(textureOfMaterial.size()))
            continue;
        const int texture = textureOfMaterial[static_cast<std::size_t>(material)];
        if (texture >= 0 && texture < static_cast<int>(textures.size()))
            geosets[g].texture = textures[static_cast<std::size_t>(texture)];
    }
    return geosets;
}

std::string geosetSummaryText(int number, const GeosetSummary& summary) {
    std::string text = std::to_string(number) + ": " + std::to_string(summary.vertices) +
                       " vertices, " + std::to_string(summary.triangles) + " triangles";
    if (!summary.texture.empty())
        text += ", " + summary.texture;
    return text;
}

} // namespace editor
