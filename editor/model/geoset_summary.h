#pragma once

#include "formats/mdx/mdx_model.h"

#include <string>
#include <vector>

namespace editor {

// What the geoset picker shows of one geoset: its size and its material's textures.
struct GeosetSummary {
    int vertices = 0;
    int triangles = 0;
    int material = -1; // the geoset's material id; -1 when unknown
    // The texture of each layer of the material, in order: the image path, "Team colour",
    // "Team glow" or "Replaceable N" for a replaceable texture, empty when the layer names no
    // texture of the model.
    std::vector<std::string> textures;
};

// The model's geosets in order, with their sizes from their arrays.
std::vector<GeosetSummary> summarizeGeosets(const mdx::Model& model);

// One line of the picker: "2: 120 vertices, 96 triangles, Textures\Arm.blp", with the first
// layer's texture.
std::string geosetSummaryText(int number, const GeosetSummary& summary);

} // namespace editor
