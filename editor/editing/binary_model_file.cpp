#include "editor/editing/binary_model_file.h"

#include "formats/mdx/model_conversion.h"

namespace editor {

std::string writeBinaryModel(const std::string& path, std::string_view mdlText) {
    const auto result = mdx::writeMdxFile(path, mdlText);
    if (!result.conversionError.empty())
        return "the model cannot be written as MDX (" + result.conversionError +
               "); nothing was written";
    if (!result.written)
        return result.refusal.empty() ? "the file cannot be written" : result.refusal;
    return {};
}

} // namespace editor
