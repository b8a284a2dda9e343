#pragma once

#include <string>
#include <string_view>

namespace mdx {

// The text of a model after a whole-model edit, made of original's own bytes wherever the edit
// changed nothing. before and after are the MDL writer's texts (writeMdl(...).text) of the model
// before and after the edit; original is the text the model before the edit was read from.
//
// Each text is taken as top-level blocks (topLevelBlocks), each known by its first word and its
// place among the blocks of that word ("Geoset" 0, 1, ...). Original's blocks keep their order
// and bytes, and what stands between them stays with the block after it, except that a block
// the edit changed is after's, and one it removed is left out. A block after adds follows the
// last kept block of its word, or stands before the first block whose word after writes later,
// or at the end. The comments before the first block are original's unless the edit changed
// them. Bytes taken from after get original's line ends. Throws FormatError when a text is not
// made of whole blocks.
std::string spliceModelText(std::string_view original, std::string_view before,
                            std::string_view after);

} // namespace mdx
