#pragma once

#include "formats/mdx/mdx_model.h"

#include <optional>

namespace editor {

struct GeosetModel;

// The float that the saved text of value reads as: the number common::appendNumber writes,
// rounded once to the nearest float as the binary format's MDL reader rounds it. Nothing when
// that reader refuses the text.
std::optional<float> savedFloat(double value);

// The edited geoset as the binary model holds it once saved, without writing and reading its
// text: the geoset base (the working copy's text read as a binary model) with the blocks the
// model writer regenerates (vertices, normals, texture coordinates, tangents, skin weights,
// vertex groups, faces, matrix groups) made from the arrays, each number as its saved text reads
// (geoset_output.h). Equal to the geoset that reading the saved text gives. Nothing when that
// text would not read (a number or an index out of range) or when base keeps face groups of its
// own, so that the caller reads the text instead.
std::optional<mdx::Geoset> savedBinaryGeoset(const GeosetModel& model, const mdx::Geoset& base);

} // namespace editor
