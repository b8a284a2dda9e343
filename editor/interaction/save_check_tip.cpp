#include "editor/interaction/save_check_tip.h"

#include "editor/editing/file_save.h"
#include "editor/interaction/editor_state.h"
#include "editor/interaction/model_check_panel.h"
#include "editor/interaction/tips.h"

namespace editor {

namespace {

// After a save the working copy is the saved text, so the check reads what was written.
void tipSavedModelErrors(EditorState& state) {
    if (!state.tipsEnabled)
        return;
    const auto result = checkEditedModel(state);
    if (result.errors > 0)
        showTip(state, savedModelErrorsTip(result.errors));
}

} // namespace

std::string savedModelErrorsTip(int errors) {
    if (errors == 1)
        return "The saved model has 1 error the game may fail on; Tools > Check Model… lists it.";
    return "The saved model has " + std::to_string(errors) +
           " errors the game may fail on; Tools > Check Model… lists them.";
}

void saveWithCheckTip(EditorState& state) {
    if (saveCommand(state))
        tipSavedModelErrors(state);
}

void saveAsWithCheckTip(EditorState& state) {
    if (saveAsCommand(state))
        tipSavedModelErrors(state);
}

} // namespace editor
