#pragma once

#include "formats/mdx/mdx_model.h"

#include <string>
#include <string_view>
#include <vector>

namespace mdx {

// True when the bytes start with the binary model's magic "MDLX".
bool hasMdxMagic(std::string_view bytes);

// The model of an MDX file. Throws FormatError naming the chunk and byte offset when the bytes
// are cut short, a size runs past the file or its parent, or a record is not what its chunk
// holds. Never reads outside the bytes.
Model readMdx(std::string_view bytes);

// The MDX bytes of a model.
std::string writeMdx(const Model& model);

// MDL text in the tab layout, and what the text could not say (each a sentence; empty when
// nothing was dropped).
struct MdlText {
    std::string text;
    std::vector<std::string> dropped;
};
MdlText writeMdl(const Model& model);

// The model of MDL text in any whitespace layout. Throws FormatError naming the block and the
// line.
Model readMdl(std::string_view text);

// The chunks the writers put first, in the usual order of the game's files; anything the
// model's chunk order does not name follows in this order.
const std::vector<Tag>& usualChunkOrder();

} // namespace mdx
