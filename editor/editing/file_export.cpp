#include "editor/editing/file_export.h"

#include "editor/editing/editing_state.h"
#include "editor/model/whole_model.h"
#include "formats/interchange/gltf_export.h"

#include <filesystem>

namespace editor {

void exportModelCommand(EditingState& state) {
    if (!state.modelLoaded || !state.dialogs)
        return;
    auto chosen = state.dialogs->saveFileDialog(exportFileFilter);
    if (!chosen)
        return;
    if (!interchange::isGltfPath(*chosen))
        *chosen += ".glb";
    auto whole = readWholeModel(state);
    std::string failure;
    if (!whole.ok())
        failure = "the model cannot be read: " + whole.error;
    else if (!putEditedGeoset(whole.model, state))
        failure = "the edited geoset has no triangle or a number out of range";
    if (failure.empty()) {
        const auto folder = std::filesystem::path(state.modelPath).parent_path();
        const auto result = interchange::writeGltfFile(whole.model, folder, *chosen);
        if (result.error) {
            failure = *result.error;
        } else if (!result.warnings.empty()) {
            std::string text = "Exported " + *chosen + ", but:";
            for (const auto& warning : result.warnings)
                text += "\n- " + warning;
            state.dialogs->messageBox(text, "Warning");
        }
    }
    if (!failure.empty())
        state.dialogs->messageBox("Cannot export " + *chosen + ": " + failure, "Error");
}

} // namespace editor
