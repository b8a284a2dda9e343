#include "editor/model/model_document.h"

#include "common/text_file.h"
#include "editor/model/geoset_model.h"
#include "formats/mdx/format_error.h"
#include "formats/mdx/mdx_file.h"

namespace editor {

ModelDocument::ModelDocument(std::string text)
    : text_(std::move(text)),
      faceGroupComments_(text_.find("// FaceGroups:") != std::string::npos) {}

ModelDocument::ModelDocument(std::string text, mdx::Model model) : ModelDocument(std::move(text)) {
    std::call_once(read_, [&] {
        model_ = std::move(model);
        known_ = true;
    });
}

void ModelDocument::readModel() const {
    std::call_once(read_, [this] {
        try {
            model_ = mdx::readMdl(text_);
        } catch (const mdx::FormatError& error) {
            error_ = error.what();
        }
        known_ = true;
    });
}

const mdx::Model* ModelDocument::model() const {
    readModel();
    return model_ ? &*model_ : nullptr;
}

const std::string& ModelDocument::modelError() const {
    readModel();
    return error_;
}

bool ModelDocument::modelKnown() const {
    return known_;
}

SharedDocument makeDocument(std::string text) {
    return std::make_shared<const ModelDocument>(std::move(text));
}

SharedDocument makeDocument(std::string text, mdx::Model model) {
    return std::make_shared<const ModelDocument>(std::move(text), std::move(model));
}

std::string textAfterEdit(const ModelDocument& /*before*/, const std::string& writtenAfter) {
    return writtenAfter;
}

SharedDocument heldDocument(GeosetModel& state) {
    if (!state.document) {
        const std::string& path = state.tempPath.empty() ? state.modelPath : state.tempPath;
        if (auto text = common::readTextFile(path))
            state.document = makeDocument(std::move(*text));
    }
    return state.document;
}

} // namespace editor
