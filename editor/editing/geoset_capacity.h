#pragma once

#include <cstddef>

namespace editor {

struct EditingState;

// True when the geoset can take the added vertices and triangles within its 16-bit limits
// (32767 of each). Otherwise shows one "Error" message naming the counts it would reach and
// returns false; the caller then changes nothing.
bool geosetHasRoom(EditingState& state, std::size_t addedVertices, std::size_t addedFaces);

} // namespace editor
