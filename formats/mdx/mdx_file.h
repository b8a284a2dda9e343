#pragma once

#include "formats/mdx/mdx_model.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mdx {

// The two forms a model file comes in.
enum class FileFormat { Mdl, Mdx };

// True when the bytes start with the binary model's magic "MDLX".
bool hasMdxMagic(std::string_view bytes);
// True when the bytes are the first one to three bytes of "MDLX": a binary model cut short.
bool isCutMdxMagic(std::string_view bytes);

// Where each geoset's corner numbers (its faces) are in the file a model was read from, one
// entry a geoset: for MDX the byte offset of the first corner number, for MDL the line of the
// first group of corners.
using FacePlaces = std::vector<std::size_t>;

// The model of an MDX file. Throws FormatError naming the chunk and byte offset when the bytes
// are cut short (inside the header included, or with no chunk after it), a size runs past the
// file or its parent, or a record is not what its chunk holds. Never reads outside the bytes.
// When asked for, places says where each geoset's faces are.
Model readMdx(std::string_view bytes, FacePlaces* places = nullptr);

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
// line. When asked for, places says where each geoset's faces are.
Model readMdl(std::string_view text, FacePlaces* places = nullptr);

// The chunks the writers put first, in the usual order of the game's files; anything the
// model's chunk order does not name follows in this order.
const std::vector<Tag>& usualChunkOrder();

} // namespace mdx
