#pragma once

#include "formats/mdx/mdx_model.h"

#include <optional>
#include <string>
#include <string_view>

namespace editor {

struct GeosetModel;
class ModelDocument;

// The binary model that reading the saved text gives, when saving the arrays over the
// document's text (the geoset neither removed nor saved alone), made from the document's model
// and the arrays without that text. Nothing when the document's model cannot be read, or when
// the geoset cannot be made so (binary_geoset.h); the saved text must be read then.
std::optional<mdx::Model> savedBinaryModel(const ModelDocument* document, const GeosetModel& model);

// Replaces the file at path with the binary model (MDX) of the MDL text, as AtomicFileWriter
// replaces a text file: links followed, special and hard-linked files refused, permissions kept,
// all or nothing. Empty when written; otherwise why nothing was written, to follow "Cannot save
// PATH: ". When written and asked for, read holds the model the text reads as.
std::string writeBinaryModel(const std::string& path, std::string_view mdlText,
                             mdx::Model* read = nullptr);
// The same for a model in memory.
std::string writeBinaryModel(const std::string& path, const mdx::Model& model);

} // namespace editor
