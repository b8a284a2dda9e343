#pragma once

#include <string>
#include <vector>

namespace editor {

// What the geoset picker shows of one geoset: its size and its material's texture.
struct GeosetSummary {
    int vertices = 0;
    int triangles = 0;
    std::string texture; // the image path of the material's first layer; empty when unknown
};

// The geosets of a model's lines, in file order (the geosets countGeosets counts). Sizes are
// the counts the blocks announce; a geoset without them shows 0.
std::vector<GeosetSummary> summarizeGeosets(const std::vector<std::string>& lines);

// One line of the picker: "2: 120 vertices, 96 triangles, Textures\Arm.blp".
std::string geosetSummaryText(int number, const GeosetSummary& summary);

} // namespace editor
