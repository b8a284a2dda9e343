#include "editor/editing/model_text.h"

#include "common/text_file.h"
#include "formats/mdl_normaliser.h"
#include "formats/mdx/mdx_file.h"
#include "formats/tab_layout.h"

#include <algorithm>
#include <fstream>

namespace editor {

std::size_t ModelText::fileLine(std::size_t line) const {
    if (!rewritten || line == 0 || sourceLines.empty())
        return line;
    return sourceLines[std::min(line, sourceLines.size()) - 1];
}

namespace {

ModelText binaryModelText(std::string_view bytes) {
    auto converted = mdx::convertMdxToMdl(bytes);
    ModelText model;
    model.binary = true;
    model.text = std::move(converted.text);
    model.error = std::move(converted.error);
    model.dropped = std::move(converted.dropped);
    model.faceProblems = std::move(converted.faceProblems);
    if (model.ok() && model.dropped.empty())
        model.binaryModel = std::move(converted.model);
    return model;
}

} // namespace

std::optional<ModelText> readModelText(const std::string& path) {
    auto raw = common::readTextFile(path);
    if (!raw)
        return std::nullopt;
    ModelText model;
    if (auto problem = mdx::notAModelProblem(*raw); !problem.empty()) {
        model.notAModel = true;
        model.error = std::move(problem);
        return model;
    }
    if (mdx::contentFormat(*raw) == mdx::FileFormat::Mdx)
        return binaryModelText(*raw);
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
    if (model.binary || model.notAModel)
        return "Cannot read " + path + ": " + model.error + ".";
    return "Cannot read " + path + ", line " + std::to_string(model.errorLine) + ": " +
           model.error + ".";
}

mdx::FileFormat modelFileFormat(const std::string& path) {
    // Only a regular file is opened: a FIFO could block the read.
    if (!common::canOpenForReading(path))
        return mdx::FileFormat::Mdl;
    std::ifstream in(path, std::ios::binary);
    char magic[4] = {};
    in.read(magic, sizeof magic);
    return in && mdx::hasMdxMagic(std::string_view(magic, sizeof magic)) ? mdx::FileFormat::Mdx
                                                                         : mdx::FileFormat::Mdl;
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
