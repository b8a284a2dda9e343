#include "editor/editing/markers.h"

#include "common/number_text.h"
#include "editor/editing/markers_slots.h"
#include "editor/interaction/selection_queries.h"
#include "editor/model/editor_state.h"
#include "editor/views/viewports.h"

namespace editor {

namespace {

MarkerRecord& marker(EditorState& state, int slot) {
    return state.markers[static_cast<std::size_t>(slot)];
}

// Asks until the answer is a number; Cancel (an empty answer) asks again too.
double askMarkerCoordinate(EditorState& state, const std::string& prompt) {
    for (;;) {
        if (const auto value =
                common::parseNumber(state.dialogs->inputBox(prompt, "Add marker", "0")))
            return *value;
    }
}

std::string centreNumber(const EditorState& state, char axis) {
    return common::formatNumber(common::roundHalfEven(selectionCentre(state, axis), 6));
}

} // namespace

void addMarkerCommand(EditorState& state) {
    if (!state.dialogs)
        return;
    const int slot = nextMarkerSlot(state);
    const double z = askMarkerCoordinate(state, "Z (front/back)");
    const double x = askMarkerCoordinate(state, "X (left/right)");
    const double y = askMarkerCoordinate(state, "Y (up/down)");
    marker(state, slot) = {x, y, z, true};
    refreshViews(state);
}

void addMarkerGraphicallyCommand(EditorState& state) {
    state.placingMarker = true;
    state.menus.mnuAddMarkerGraphicallyChecked = true;
}

void addMarkerAtSelectionCommand(EditorState& state) {
    const int slot = nextMarkerSlot(state);
    marker(state, slot) = {selectionCentre(state, 'x'), selectionCentre(state, 'y'),
                           selectionCentre(state, 'z'), true};
    refreshViews(state);
}

void removeLastMarkerCommand(EditorState& state) {
    for (int slot = markerSlots; slot >= 1; --slot) {
        if (marker(state, slot).used) {
            marker(state, slot).used = false;
            break;
        }
    }
    refreshViews(state);
}

void removeAllMarkersCommand(EditorState& state) {
    for (int slot = 1; slot <= markerSlots; ++slot)
        marker(state, slot).used = false;
    refreshViews(state);
}

std::string centreOfMassText(const EditorState& state) {
    return "{ " + centreNumber(state, 'z') + ", " + centreNumber(state, 'x') + ", " +
           centreNumber(state, 'y') + " }";
}

void viewCentreOfMassCommand(EditorState& state) {
    if (!state.dialogs)
        return;
    if (!state.modelLoaded) {
        state.dialogs->messageBox("No model loaded.", "Center of mass");
        return;
    }
    if (numSelVerts(state) <= 0) {
        state.dialogs->messageBox("No vertices selected,", "Error");
        return;
    }
    state.dialogs->showTextToCopy("Center of mass:", "Center of mass", centreOfMassText(state));
}

void copyCentreOfMassCommand(EditorState& state) {
    // No model counts as nothing selected.
    if (numSelVerts(state) <= 0 || !state.dialogs)
        return;
    state.dialogs->setClipboardText(centreOfMassText(state));
}

} // namespace editor
