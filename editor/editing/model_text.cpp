#include "editor/editing/model_text.h"

#include "common/text_file.h"
#include "formats/mdl_normaliser.h"

namespace editor {

std::optional<ModelText> readModelText(const std::string& path) {
    auto raw = common::readTextFile(path);
    if (!raw)
        return std::nullopt;
    auto normalised = formats::normaliseModelText(std::move(*raw));
    ModelText model;
    model.text = std::move(normalised.text);
    model.rewritten = normalised.rewritten;
    model.error = std::move(normalised.error);
    model.errorLine = normalised.errorLine;
    return model;
}

std::string modelTextError(const std::string& path, const ModelText& model) {
    return "Cannot read " + path + ", line " + std::to_string(model.errorLine) + ": " +
           model.error + ".";
}

bool writeWorkingCopy(const std::string& modelPath, const std::string& workingCopy) {
    const auto model = readModelText(modelPath);
    if (!model || !model->ok())
        return false;
    return common::writeTextOver(model->text, modelPath, workingCopy);
}

} // namespace editor
