#pragma once

#include "formats/mdx/mdx_model.h"

#include <string>

namespace mdx_test {

// The first part in which two models differ ("geosets[2]", "info", ...), or "" when equal.
std::string modelDifference(const mdx::Model& a, const mdx::Model& b);

} // namespace mdx_test
