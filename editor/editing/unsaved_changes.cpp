#include "editor/editing/unsaved_changes.h"

#include "editor/editing/editing_state.h"
#include "editor/editing/file_save.h"

namespace editor {

UnsavedAnswer askAboutUnsavedChanges(EditingState& state) {
    if (!state.unsavedChanges || !state.modelLoaded || !state.dialogs)
        return UnsavedAnswer::NothingUnsaved;
    const auto slash = state.modelPath.find_last_of('/');
    const std::string name =
        slash == std::string::npos ? state.modelPath : state.modelPath.substr(slash + 1);
    const int answer = state.dialogs->askChoice("Save changes to " + name + "?", "MDL Moldrin",
                                                {"Save", "Discard", "Cancel"}, 0);
    return answer == 0   ? UnsavedAnswer::Save
           : answer == 1 ? UnsavedAnswer::Discard
                         : UnsavedAnswer::Cancel;
}

bool settleUnsavedChanges(EditingState& state) {
    switch (askAboutUnsavedChanges(state)) {
    case UnsavedAnswer::NothingUnsaved:
    case UnsavedAnswer::Discard:
        return true;
    case UnsavedAnswer::Save:
        return saveModel(state, false, false);
    case UnsavedAnswer::Cancel:
        break;
    }
    return false;
}

} // namespace editor
