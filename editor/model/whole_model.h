#pragma once

#include "formats/mdx/mdx_model.h"

#include <string>

namespace editor {

struct GeosetModel;

// The whole model the editor holds, read through formats/mdx: the working copy (the model
// itself when there is none). error says why it could not be read (empty when it was).
struct WholeModel {
    mdx::Model model;
    std::string error;
    bool ok() const { return error.empty(); }
};
WholeModel readWholeModel(const GeosetModel& edited);

// The model with geoset edited.geosetNumber made from the editor's arrays, as saving would
// make it (appended when the file has fewer geosets). False, leaving model as it was, when
// the arrays have no binary form (no triangle left, a number out of range).
bool putEditedGeoset(mdx::Model& model, const GeosetModel& edited);

} // namespace editor
