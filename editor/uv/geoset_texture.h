#pragma once

#include "textures/texture_location.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace editor {

// What a geoset's material shows: its first layer's texture, read from the model's text.
struct GeosetTexture {
    enum class Kind { None, Image, Replaceable };
    Kind kind = Kind::None;
    std::string imagePath; // as written in the model, backslashes and all
    int replaceableId = 0; // team colour 1, team glow 2, ...
    std::string whyNone;   // for Kind::None: what is missing, for the user
};

// Follows geoset N's (1-based) MaterialID to that material's first Layer, its TextureID to the
// Textures block's Bitmap, and gives its Image path or ReplaceableId. The text is read as
// tokens, so any indentation or line layout reads the same; comments are skipped.
GeosetTexture findGeosetTexture(const std::vector<std::string>& lines, int geosetNumber);

using textures::locateTextureFile;

} // namespace editor
