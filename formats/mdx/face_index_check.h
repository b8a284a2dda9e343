#pragma once

// Corners of a geoset's faces that name a vertex the geoset does not have: the game and other
// tools refuse such a model, so every program checks for them where a model comes in.

#include "formats/mdx/mdx_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mdx {

// One geoset's corners past its vertices: the first of them, and how many there are.
struct FaceIndexProblem {
    std::size_t geoset = 0;   // 0-based
    std::size_t corner = 0;   // the first bad corner's position among the geoset's corner numbers
    std::uint16_t vertex = 0; // the vertex number it holds
    std::size_t vertexCount = 0;
    std::size_t badCorners = 0;
};

// One entry for each geoset that has such corners, in geoset order.
std::vector<FaceIndexProblem> faceIndexProblems(const Model& model);

// "geoset 2, triangle 17: corner 8194 is past the 12 vertices", geosets and triangles counted
// from 1, with how many more corners of the geoset are wrong.
std::string faceIndexText(const FaceIndexProblem& problem);

// The same, led by where the file holds that corner, as errorText names places: "chunk GEOS,
// byte 1234: ..." for MDX, "Geoset, line 177: ..." for MDL. places is what the reader gave.
struct FaceIndexMessage {
    std::size_t geoset = 0; // 0-based
    std::string text;
};
std::vector<FaceIndexMessage> faceIndexMessages(const Model& model, const FacePlaces& places,
                                                FileFormat format);

} // namespace mdx
