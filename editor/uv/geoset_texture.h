#pragma once

#include "textures/texture_location.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mdx {
struct Model;
}

namespace editor {

// What a geoset's material shows: its first layer's texture.
struct GeosetTexture {
    enum class Kind { None, Image, Replaceable };
    Kind kind = Kind::None;
    std::string imagePath; // as written in the model, backslashes and all
    int replaceableId = 0; // team colour 1, team glow 2, ...
    std::string whyNone;   // for Kind::None: what is missing, for the user
};

// Follows geoset N's (1-based) material to its first layer, that layer's texture (an animated
// one: its first key's) to the model's textures, and gives its image path or replaceable id.
GeosetTexture findGeosetTexture(const mdx::Model& model, int geosetNumber);

using textures::locateTextureFile;

} // namespace editor
