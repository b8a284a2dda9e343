#pragma once

#include "merger/merge_writer.h"

#include <string>

namespace merger {

// The checks that keep a merge from writing a model that is not sound. Each gives the one
// message to show, or an empty text when the merge may go on.

// The texture path is written between double quotes on a line of its own, so a double quote or
// a control character in it would end the text early or start new lines of the model. Types
// that write no path accept any.
std::string textureProblem(const TextureChoice& texture);

// The geoset model must hold at least one geoset block, every geoset block must end and have
// its vertices: otherwise the merge would add a texture and a material and nothing to use them.
std::string geosetProblem(const Lines& geosetLines, const std::string& geosetPath);

// The geosets go before the base model's first bone, geoset animation, light, helper or pivot
// point block; a base without one has nowhere to put them.
std::string placeProblem(const Lines& baseLines, const std::string& basePath);

// The base model with a "Textures" and a "Materials" block added where it has none, so that the
// new texture and material have a block to go to and the geosets' material id names one. The
// new blocks go before the first block that follows them in a model file, with the number of
// entries the merge puts in them.
Lines withTextureAndMaterialBlocks(const Lines& baseLines, const TextureChoice& texture);

} // namespace merger
