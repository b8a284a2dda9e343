#pragma once

#include "formats/mdx/mdx_model.h"

#include <cstdint>
#include <vector>

namespace versions {

// Where a vertex of a converted geoset came from.
struct VertexSource {
    std::uint32_t geoset = 0;
    std::vector<std::uint32_t> vertex; // the source vertex of each of its vertices
};

// The times (ms from the sequence's start) of the sequence's start, its end and every key of
// the model's tracks inside its interval, each once, in order.
std::vector<double> sequenceKeyTimes(const mdx::Model& model, std::size_t sequence);

// The largest distance between a vertex of the converted model and its source vertex of the
// original, posed at every key time of every sequence; sources[g] tells where geoset g of the
// converted model came from.
double largestDisplacement(const mdx::Model& original, const mdx::Model& converted,
                           const std::vector<VertexSource>& sources);

} // namespace versions
