#include "editor/interaction/command_effects.h"

#include "editor/interaction/editor_state.h"
#include "editor/interaction/game_data_fields.h"
#include "editor/views/view_navigation.h"
#include "editor/views/viewports.h"

namespace editor {

void finishCommand(EditorState& state) {
    Changes changes = takeChanges(state);
    if (changes.has(Change::GeosetRead) && state.modelLoaded)
        changes |= fitAllViews(state, state);
    if (changes.has(Change::GeosetRead) || changes.has(Change::Structure))
        state.checkPanel.outdated = true;
    if (changes.has(Change::Opened)) {
        state.mouseArmed = false;
        if (state.startArmingTimer)
            state.startArmingTimer();
    }
    followModelArchive(state);
    redrawChanged(state, state, changes);
    updatePreview(state, state, changes, *state.textureSource);
}

} // namespace editor
