#pragma once

#include <filesystem>
#include <string>

namespace bench {

// The largest geoset the format allows, 32,767 vertices and 32,767 triangles in one connected
// band, inside a model with three small geosets before it, bones, geoset animations and
// sequences. The large geoset is geoset number 4. The band has as many triangles as vertices.
inline constexpr int largeGeosetNumber = 4;
inline constexpr int largeVertexCount = 32767;
inline constexpr int largeTriangleCount = 32767;

// Clone doubles the selection, so with everything selected it only fits in a geoset of at most
// half the limit: 16,383 vertices and triangles become 32,766 of each.
inline constexpr int halfVertexCount = 16383;

// Extrude of every face of an n-vertex band adds n copies and a wall of two triangles for each
// of its n - 2 boundary edges, 3n - 4 triangles in all: at most n = 10,923 fits.
inline constexpr int thirdVertexCount = 10923;

std::string largeModelText(int vertexCount = largeVertexCount);

// Writes the model into the folder (created when missing) and returns the model's path.
std::filesystem::path writeLargeModel(const std::filesystem::path& folder,
                                      int vertexCount = largeVertexCount);

} // namespace bench
