#pragma once

#include "common/text_file.h"

#include <string>
#include <string_view>

namespace editor {

// Replaces the file at path with the binary model (MDX) of the MDL text, as AtomicFileWriter
// replaces a text file: links followed, special and hard-linked files refused, permissions kept,
// all or nothing. Empty when written; otherwise why nothing was written, to follow "Cannot save
// PATH: ".
std::string writeBinaryModel(const std::string& path, std::string_view mdlText);

} // namespace editor
