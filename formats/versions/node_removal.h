#pragma once

#include "formats/mdx/mdx_model.h"

namespace versions {

// Removes every popcorn emitter and numbers the remaining objects again without gaps: object
// ids, parents (a child of a removed emitter hangs from the emitter's parent), pivot points
// and matrix indices follow. Returns how many were removed.
std::size_t removePopcornEmitters(mdx::Model& model);

} // namespace versions
