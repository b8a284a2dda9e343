#pragma once

#include "formats/mdx/mdx_model.h"

#include <cstddef>
#include <filesystem>

namespace bench {

// The model corpus beside the checkout.
std::filesystem::path corpusFolder();
// The corpus model with the most vertices, read once; an empty model without a corpus.
const mdx::Model& largestCorpusModel();
// The folder that model was read from, where its textures lie.
const std::filesystem::path& largestCorpusModelFolder();
std::size_t vertexCount(const mdx::Model& model);

} // namespace bench
