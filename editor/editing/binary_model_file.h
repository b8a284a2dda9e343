#pragma once

#include "formats/mdx/mdx_model.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace editor {

struct GeosetModel;

// The binary model that a working copy's text reads as, kept from the last open or save of a
// binary model: saving one then makes only the edited geoset anew (savedBinaryModel) instead of
// reading the whole saved text.
struct KnownBinaryModel {
    std::string text;               // the working copy's text
    mdx::Model model;               // what that text reads as
    bool faceGroupComments = false; // the text keeps face groups in comments
};
std::shared_ptr<const KnownBinaryModel> knowBinaryModel(std::string text, mdx::Model model);

// The binary model that reading the saved text gives, when saving the arrays over the working
// copy's text copy (the geoset neither removed nor saved alone), made from known and the arrays
// without that text. Nothing when known is not the model of copy, or when the geoset cannot be
// made so (binary_geoset.h); the saved text must be read then.
std::optional<mdx::Model> savedBinaryModel(const KnownBinaryModel* known, std::string_view copy,
                                           const GeosetModel& model);

// Replaces the file at path with the binary model (MDX) of the MDL text, as AtomicFileWriter
// replaces a text file: links followed, special and hard-linked files refused, permissions kept,
// all or nothing. Empty when written; otherwise why nothing was written, to follow "Cannot save
// PATH: ". When written and asked for, read holds the model the text reads as.
std::string writeBinaryModel(const std::string& path, std::string_view mdlText,
                             mdx::Model* read = nullptr);
// The same for a model in memory.
std::string writeBinaryModel(const std::string& path, const mdx::Model& model);

} // namespace editor
