#include "editor/editing/binary_model_file.h"

#include "editor/model/binary_geoset.h"
#include "editor/model/geoset_model.h"
#include "editor/model/model_document.h"
#include "formats/mdx/model_conversion.h"

namespace editor {

std::optional<mdx::Model> savedBinaryModel(const ModelDocument* document,
                                           const GeosetModel& model) {
    // A face group comment in the text could apply to the saved triangles when their count
    // comes to its total; only reading the text decides that.
    if (!document || document->faceGroupComments())
        return std::nullopt;
    const mdx::Model* known = document->model();
    const auto n = static_cast<std::size_t>(model.geosetNumber);
    if (!known || n < 1 || n > known->geosets.size())
        return std::nullopt;
    auto geoset = savedBinaryGeoset(model, known->geosets[n - 1]);
    if (!geoset)
        return std::nullopt;
    mdx::Model saved = *known;
    saved.geosets[n - 1] = std::move(*geoset);
    return saved;
}

namespace {

std::string problemOf(const mdx::MdxFileWrite& result) {
    if (!result.conversionError.empty())
        return "the model cannot be written as MDX (" + result.conversionError +
               "); nothing was written";
    if (!result.written)
        return result.refusal.empty() ? "the file cannot be written" : result.refusal;
    return {};
}

} // namespace

std::string writeBinaryModel(const std::string& path, std::string_view mdlText, mdx::Model* read) {
    return problemOf(mdx::writeMdxFile(path, mdlText, read));
}

std::string writeBinaryModel(const std::string& path, const mdx::Model& model) {
    return problemOf(mdx::writeMdxFile(path, model));
}

} // namespace editor
