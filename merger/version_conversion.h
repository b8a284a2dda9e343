#pragma once

#include "merger/mdl_lines.h"

#include <string>

namespace merger {

// What making the geosets fit the base model's version did.
struct GeosetConversion {
    Lines lines;
    bool droppedReforgedBlocks = false; // Tangents, SkinWeights, LevelOfDetail, Name left out
    bool addedReforgedBlocks = false;   // Tangents and SkinWeights made for classic geosets
};

// The geoset model's lines made fit for a base of the given FormatVersion (the geosets will be
// bound to one matrix group, 0, holding the chosen bone):
// - a classic base (below 900) gets no Reforged-only geoset data: the Tangents and SkinWeights
//   blocks and the LevelOfDetail and Name lines go;
// - a Reforged base gets geosets that all have both blocks: a geoset without them gets Tangents
//   across its normals (sign 1) and SkinWeights giving each vertex full weight (255) on matrix
//   group 0; a geoset with skin weights gets the same binding, as its old groups are replaced.
GeosetConversion convertGeosets(const Lines& geosetLines, int baseVersion);

// The sentence the "Done" message adds for the conversion; empty when nothing was converted.
std::string conversionNote(const GeosetConversion& conversion, int baseVersion);

} // namespace merger
