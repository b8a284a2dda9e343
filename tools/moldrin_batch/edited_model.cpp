#include "edited_model.h"

#include "editor/model/whole_model.h"

namespace batch {

std::optional<mdx::Model> editedModel(BatchContext& context, const std::string& step) {
    auto whole = editor::readWholeModel(context.state);
    if (!whole.ok()) {
        showError(context, step + ": the model cannot be read: " + whole.error);
        return std::nullopt;
    }
    if (!editor::putEditedGeoset(whole.model, context.state)) {
        showError(context, step + ": the edited geoset has no triangle or a number out of "
                                  "range, so the whole model cannot be made");
        return std::nullopt;
    }
    return std::move(whole.model);
}

} // namespace batch
