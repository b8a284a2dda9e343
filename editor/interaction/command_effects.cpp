#include "editor/interaction/command_effects.h"

#include "editor/interaction/editor_state.h"
#include "editor/views/viewports.h"

namespace editor {

void finishCommand(EditorState& state) {
    const Changes changes = takeChanges(state);
    if (changes.has(Change::Opened)) {
        state.mouseArmed = false;
        if (state.startArmingTimer)
            state.startArmingTimer();
    }
    redrawChanged(state, state, changes);
}

} // namespace editor
