#include "editor/model/whole_model.h"

#include "common/text_file.h"
#include "editor/model/binary_geoset.h"
#include "editor/model/geoset_model.h"
#include "editor/model/model_document.h"

namespace editor {

WholeModel readWholeModel(const GeosetModel& edited) {
    WholeModel result;
    // A state set up without an open reads its working copy each time; one made by an open
    // holds the model already.
    SharedDocument document = edited.document;
    if (!document) {
        const std::string& path = edited.tempPath.empty() ? edited.modelPath : edited.tempPath;
        if (auto text = common::readTextFile(path))
            document = makeDocument(std::move(*text));
    }
    if (!document)
        result.error = "the file cannot be read";
    else if (const mdx::Model* model = document->model())
        result.model = *model;
    else
        result.error = document->modelError();
    return result;
}

bool putEditedGeoset(mdx::Model& model, const GeosetModel& edited) {
    if (edited.geosetNumber < 1)
        return false;
    const auto index = static_cast<std::size_t>(edited.geosetNumber - 1);
    mdx::Geoset base = index < model.geosets.size() ? model.geosets[index] : mdx::Geoset();
    // The arrays' triangles are written as one group, whatever groups the file had.
    base.faceTypes = {4};
    base.faceGroupSizes = {static_cast<std::uint32_t>(base.faces.size())};
    auto geoset = savedBinaryGeoset(edited, base);
    if (!geoset)
        return false;
    if (index < model.geosets.size())
        model.geosets[index] = std::move(*geoset);
    else
        model.geosets.push_back(std::move(*geoset));
    return true;
}

} // namespace editor
