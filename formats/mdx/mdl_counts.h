#pragma once

// The counts MDL text declares beside what its blocks hold. The MDL reader takes the entries
// of a block as they come and passes over the declared counts, as many files miscount them;
// stricter readers refuse such a file, so a program that writes MDL checks its text here.

#include <string>
#include <string_view>
#include <vector>

namespace mdx {

// Every declared count that differs from what it counts, one sentence each, in the order of
// the text: "line 55: Materials declares 1 Material but holds 2". Checked are the counts of
// the Sequences, GlobalSequences, Textures, Materials, TextureAnims and PivotPoints headers,
// the Model block's NumGeosets to NumRibbonEmitters against the model's blocks, a geoset's
// Vertices, Normals, TVertices, Tangents, SkinWeights, Faces and Groups headers, and an event
// object's EventTrack. A count left out declares nothing. Animation tracks are the reader's
// to check. Empty when every count is right; throws FormatError where the text does not parse.
std::vector<std::string> declaredCountMismatches(std::string_view text);

} // namespace mdx
