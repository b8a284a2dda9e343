#pragma once

#include "gamedata/mpq_archive.h"

#include <string>
#include <string_view>
#include <vector>

namespace gamedata {

// .mdx, .mdl, .blp, .tga and .dds, in any case.
bool isModelOrTextureName(std::string_view name);

// The models and textures an archive holds: the names its (listfile) gives, and those its map
// files mention (the import list, the script, object data), so that a map without a listfile
// still shows its imported models. Sorted without regard to case, each once.
std::vector<std::string> modelsAndTextures(const MpqArchive& archive);

// The names of models and textures in bytes: each run of name characters that ends in one of the
// extensions above.
std::vector<std::string> mentionedNames(std::string_view bytes);

} // namespace gamedata
