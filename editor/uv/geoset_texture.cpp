#include "editor/uv/geoset_texture.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace editor {

namespace {

// A word, a quoted text (without its quotes) or one of { } , ; :
struct Token {
    std::string text;
    bool quoted = false;
};

std::vector<Token> tokensOf(const std::vector<std::string>& lines) {
    std::vector<Token> tokens;
    for (const auto& line : lines) {
        std::size_t i = 0;
        while (i < line.size()) {
            const char c = line[i];
            if (std::isspace(static_cast<unsigned char>(c))) {
                ++i;
            } else if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') {
                break; // a comment to the line's end
            } else if (c == '"') {
                const auto end = line.find('"', i + 1);
                const auto stop = end == std::string::npos ? line.size() : end;
                tokens.push_back({line.substr(i + 1, stop - i - 1), true});
                i = stop + 1;
            } else if (c == '{' || c == '}' || c == ',' || c == ';' || c == ':') {
                tokens.push_back({std::string(1, c), false});
                ++i;
            } else {
                std::size_t end = i;
                while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end])) &&
                       std::string_view("{},;:\"").find(line[end]) == std::string_view::npos)
                    ++end;
                tokens.push_back({line.substr(i, end - i), false});
                i = end;
            }
        }
    }
    return tokens;
}

bool is(const Token& token, const char* word) {
    return !token.quoted && token.text == word;
}

std::optional<long> numberOf(const Token& token) {
    long value = 0;
    const char* first = token.text.data();
    const char* last = first + token.text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (token.quoted || error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

// The index just past the block that opens at tokens[open] ("{"), or the end.
std::size_t pastBlock(const std::vector<Token>& tokens, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < tokens.size(); ++i) {
        if (is(tokens[i], "{"))
            ++depth;
        else if (is(tokens[i], "}") && --depth == 0)
            return i + 1;
    }
    return tokens.size();
}

// The next "{" at or after i, before any "}" (a block's header may hold a count or quoted name).
std::optional<std::size_t> openingAfter(const std::vector<Token>& tokens, std::size_t i) {
    for (; i < tokens.size(); ++i) {
        if (is(tokens[i], "{"))
            return i;
        if (is(tokens[i], "}") || is(tokens[i], ","))
            return std::nullopt;
    }
    return std::nullopt;
}

// The child blocks named word directly inside [begin, end): the index of each one's "{".
std::vector<std::size_t> childBlocks(const std::vector<Token>& tokens, std::size_t begin,
                                     std::size_t end, const char* word) {
    std::vector<std::size_t> found;
    std::size_t i = begin;
    while (i < end) {
        if (is(tokens[i], "{")) {
            i = pastBlock(tokens, i);
            continue;
        }
        if (is(tokens[i], word)) {
            if (const auto open = openingAfter(tokens, i + 1); open && *open < end) {
                found.push_back(*open);
                i = pastBlock(tokens, *open);
                continue;
            }
        }
        ++i;
    }
    return found;
}

// The value after a key directly inside [begin, end) ("static" before it is allowed). An
// animated value ("TextureID 2 { ... 0: 3, }") gives its first key's value.
std::optional<Token> valueOf(const std::vector<Token>& tokens, std::size_t begin, std::size_t end,
                             const char* key) {
    std::size_t i = begin;
    while (i < end) {
        if (is(tokens[i], "{")) {
            i = pastBlock(tokens, i);
            continue;
        }
        if (is(tokens[i], key) && i + 1 < end) {
            if (i + 2 < end && is(tokens[i + 2], "{")) {
                const auto stop = pastBlock(tokens, i + 2);
                for (std::size_t k = i + 3; k + 1 < stop; ++k)
                    if (is(tokens[k], ":"))
                        return tokens[k + 1];
                return std::nullopt;
            }
            return tokens[i + 1];
        }
        ++i;
    }
    return std::nullopt;
}

struct Block {
    std::size_t open;
    std::size_t end;
};

Block blockAt(const std::vector<Token>& tokens, std::size_t open) {
    return {open, pastBlock(tokens, open)};
}

} // namespace

GeosetTexture findGeosetTexture(const std::vector<std::string>& lines, int geosetNumber) {
    const auto tokens = tokensOf(lines);
    const std::size_t all = tokens.size();
    GeosetTexture result;

    const auto geosets = childBlocks(tokens, 0, all, "Geoset");
    if (geosetNumber < 1 || static_cast<std::size_t>(geosetNumber) > geosets.size()) {
        result.whyNone = "the model has no geoset " + std::to_string(geosetNumber);
        return result;
    }
    const auto geoset = blockAt(tokens, geosets[static_cast<std::size_t>(geosetNumber - 1)]);
    const auto materialToken = valueOf(tokens, geoset.open + 1, geoset.end, "MaterialID");
    const auto materialId = materialToken ? numberOf(*materialToken) : std::nullopt;
    if (!materialId) {
        result.whyNone = "the geoset names no material";
        return result;
    }

    const auto materialsBlocks = childBlocks(tokens, 0, all, "Materials");
    std::vector<std::size_t> materials;
    for (auto open : materialsBlocks) {
        const auto block = blockAt(tokens, open);
        const auto found = childBlocks(tokens, block.open + 1, block.end, "Material");
        materials.insert(materials.end(), found.begin(), found.end());
    }
    if (*materialId < 0 || static_cast<std::size_t>(*materialId) >= materials.size()) {
        result.whyNone = "the model has no material " + std::to_string(*materialId);
        return result;
    }
    const auto material = blockAt(tokens, materials[static_cast<std::size_t>(*materialId)]);
    const auto layers = childBlocks(tokens, material.open + 1, material.end, "Layer");
    if (layers.empty()) {
        result.whyNone = "material " + std::to_string(*materialId) + " has no layer";
        return result;
    }
    const auto layer = blockAt(tokens, layers.front());
    // A layer without a TextureID line shows texture 0, as the binary form stores it.
    const auto textureToken = valueOf(tokens, layer.open + 1, layer.end, "TextureID");
    const auto textureId = textureToken ? numberOf(*textureToken) : std::optional<long>(0);
    if (!textureId) {
        result.whyNone = "the material's first layer names no texture";
        return result;
    }

    std::vector<std::size_t> bitmaps;
    for (auto open : childBlocks(tokens, 0, all, "Textures")) {
        const auto block = blockAt(tokens, open);
        const auto found = childBlocks(tokens, block.open + 1, block.end, "Bitmap");
        bitmaps.insert(bitmaps.end(), found.begin(), found.end());
    }
    if (*textureId < 0 || static_cast<std::size_t>(*textureId) >= bitmaps.size()) {
        result.whyNone = "the model has no texture " + std::to_string(*textureId);
        return result;
    }
    const auto bitmap = blockAt(tokens, bitmaps[static_cast<std::size_t>(*textureId)]);
    const auto replaceable = valueOf(tokens, bitmap.open + 1, bitmap.end, "ReplaceableId");
    if (const auto id = replaceable ? numberOf(*replaceable) : std::nullopt; id && *id != 0) {
        result.kind = GeosetTexture::Kind::Replaceable;
        result.replaceableId = static_cast<int>(*id);
        return result;
    }
    const auto image = valueOf(tokens, bitmap.open + 1, bitmap.end, "Image");
    if (!image || image->text.empty()) {
        result.whyNone = "texture " + std::to_string(*textureId) + " names no image";
        return result;
    }
    result.kind = GeosetTexture::Kind::Image;
    result.imagePath = image->text;
    return result;
}

} // namespace editor
