#include "editor/interaction/window_lifecycle.h"

#include "common/program_options.h"
#include "common/text_file.h"
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

void closeMainWindow(EditorState& state) {
    if (!state.tempPath.empty())
        common::deleteFile(state.tempPath);
}

} // namespace editor
