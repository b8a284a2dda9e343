#include "editor/interaction/window_lifecycle.h"

#include "common/program_options.h"
#include "editor/editing/unsaved_changes.h"
#include "editor/editing/working_copy.h"
#include "editor/interaction/editor_state.h"

namespace editor {

void loadMainWindow(EditorState& state, const std::string& systemTextOf123) {
    state.zoomFront = state.zoomTop = state.zoomLeft = 20.0;
    state.selectionMode = "S";
    state.transformMode = "M";
    state.mouseArmed = true;
    state.axisXEnabled = state.axisYEnabled = state.axisZEnabled = true;
    state.versionText = common::programVersion();
    if (systemTextOf123 == "1,23" && state.dialogs)
        state.dialogs->messageBox(
            "Warning: You are using commas as a decimal instead of periods. The program will not "
            "work with that setting. Go to "
            "https://support.microsoft.com/windows/change-the-decimal-separator "
            "for instructions on changing that.",
            "Warning");
}

void armingTimerFired(EditorState& state) {
    state.mouseArmed = true;
}

bool mayCloseMainWindow(EditorState& state) {
    return settleUnsavedChanges(state);
}

void closeMainWindow(EditorState& state) {
    releaseWorkingCopy(state);
    // The extracted file of a model taken from an archive goes with its folder.
    state.archivedModel.reset();
}

} // namespace editor
