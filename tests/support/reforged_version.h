#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

// A tab-layout model made a Reforged one (FormatVersion 1000) the way converters do: every
// geoset gets a second TVertices block (the first with u and v swapped), a Tangents block
// ({ 1, 0, 0, w } with w alternating -1 and 1) and a SkinWeights block (bone i % 4, weight 255)
// after its VertexGroup block. Line ends become LF.
std::string reforgedVersion(std::string_view tabText);

// What is wrong with the per-vertex blocks of the geosets of a tab-layout model: every
// Normals, TVertices and Tangents block and every SkinWeights block must count, and hold, as
// many entries as the geoset's Vertices block. Empty when all agree.
std::vector<std::string> perVertexBlockProblems(std::string_view tabText);

} // namespace testing_support
