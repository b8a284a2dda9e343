#pragma once

#include "formats/mdx/mdx_model.h"

#include <filesystem>

namespace bench {

struct CorpusModel {
    mdx::Model model;
    std::filesystem::path folder; // where its file is, for its textures
};

// The corpus model with the most vertices (about 14,000 vertices and 120 nodes); an empty
// model without a corpus beside the checkout.
const CorpusModel& largestCorpusModel();

std::size_t vertexCount(const mdx::Model& model);

} // namespace bench
