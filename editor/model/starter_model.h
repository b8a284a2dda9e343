#pragma once

#include <string>
#include <vector>

namespace editor {

// The lines of the starter model that File > New writes: a model with one geoset of 8 vertices
// (a 10 x 10 x 10 box) and nothing else in it.
std::vector<std::string> starterModelLines();

} // namespace editor
