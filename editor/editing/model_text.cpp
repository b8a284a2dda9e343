#include "editor/editing/model_text.h"

#include "common/text_file.h"
#include "formats/mdl_normaliser.h"
#include "formats/tab_layout.h"

#include <algorithm>

namespace editor {

std::size_t ModelText::fileLine(std::size_t line) const {
    if (!rewritten || line == 0 || sourceLines.empty())
        return line;
    return sourceLines[std::min(line, sourceLines.size()) - 1];
}

std::optional<ModelText> readModelText(const std::string& path) {
    auto raw = common::readTextFile(path);
    if (!raw)
        return std::nullopt;
    ModelText model;
    if (formats::isTabLayout(*raw)) {
        model.text = std::move(*raw);
        return model;
    }
    auto normalised = formats::rewriteModelText(*raw);
    model.rewritten = true;
    if (normalised.ok()) {
        model.text = std::move(normalised.text);
        model.sourceLines = std::move(normalised.sourceLines);
    } else {
        model.text = std::move(*raw);
        model.error = std::move(normalised.error);
        model.errorLine = normalised.errorLine;
    }
    return model;
}

std::string modelTextError(const std::string& path, const ModelText& model) {
    return "Cannot read " + path + ", line " + std::to_string(model.errorLine) + ": " +
           model.error + ".";
}

bool writeWorkingCopy(const std::string& modelPath, const std::string& workingCopy) {
    const auto model = readModelText(modelPath);
    return model && writeWorkingCopy(*model, modelPath, workingCopy);
}

// The model file is the lasting one; its working copy is not waited for on the disk.
bool writeWorkingCopy(const ModelText& model, const std::string& modelPath,
                      const std::string& workingCopy) {
    return model.ok() &&
           common::writeTextOver(model.text, modelPath, workingCopy, common::Durability::Scratch);
}

} // namespace editor
