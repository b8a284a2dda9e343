#pragma once

#include "formats/mdx/mdx_model.h"

#include <cstdint>
#include <vector>

namespace mdx {

// Replaces the model's geosets with geosets, given for each old geoset the new ones made from it
// (empty: it was removed). What refers to geosets follows: a geoset animation is copied to each
// geoset made from its geoset and removed with it (one naming no geoset stays as it is), a
// bone's GeosetId names the first geoset made from its geoset (none when removed), and its
// GeosetAnimId the first copy of its animation.
void replaceGeosets(Model& model, std::vector<Geoset> geosets,
                    const std::vector<std::vector<std::uint32_t>>& madeFrom);

} // namespace mdx
