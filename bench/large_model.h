#pragma once

#include <filesystem>
#include <string>

namespace bench {

// The largest geoset the format allows, 32,767 vertices and 32,767 triangles in one connected
// band, inside a model with three small geosets before it, bones, geoset animations and
// sequences. The large geoset is geoset number 4.
inline constexpr int largeGeosetNumber = 4;
inline constexpr int largeVertexCount = 32767;
inline constexpr int largeTriangleCount = 32767;

std::string largeModelText();

// Writes the model into a fresh folder and returns the model's path.
std::filesystem::path writeLargeModel(const std::filesystem::path& folder);

} // namespace bench
