#include "editor/editing/markers.h"

#include "common/number_text.h"
#include "editor/editing/editing_state.h"
#include "editor/model/marker_slots.h"
#include "editor/model/selection_queries.h"

namespace editor {

namespace {

MarkerRecord& marker(EditingState& state, int slot) {
    return state.markers[static_cast<std::size_t>(slot)];
}

// Asks until the answer is a number; Cancel (an empty answer) asks again too.
double askMarkerCoordinate(EditingState& state, const std::string& prompt) {
    for (;;) {
        if (const auto value =
                common::parseNumber(state.dialogs->inputBox(prompt, "Add marker", "0")))
            return *value;
    }
}

std::string centreNumber(const EditingState& state, char axis) {
    return common::formatNumber(common::roundHalfEven(selectionCentre(state, axis), 6));
}

} // namespace

void addMarkerCommand(EditingState& state) {
    if (!state.dialogs)
        return;
    const int slot = nextMarkerSlot(state);
    const double z = askMarkerCoordinate(state, "Z (front/back)");
    const double x = askMarkerCoordinate(state, "X (left/right)");
    const double y = askMarkerCoordinate(state, "Y (up/down)");
    marker(state, slot) = {x, y, z, true};
    state.changed(Change::Markers);
}

void addMarkerGraphicallyCommand(EditingState& state) {
    state.placingMarker = true;
}

void addMarkerAtSelectionCommand(EditingState& state) {
    const int slot = nextMarkerSlot(state);
    marker(state, slot) = {selectionCentre(state, 'x'), selectionCentre(state, 'y'),
                           selectionCentre(state, 'z'), true};
    state.changed(Change::Markers);
}

void removeLastMarkerCommand(EditingState& state) {
    for (int slot = markerSlots; slot >= 1; --slot) {
        if (marker(state, slot).used) {
            marker(state, slot).used = false;
            break;
        }
    }
    state.changed(Change::Markers);
}

void removeAllMarkersCommand(EditingState& state) {
    for (int slot = 1; slot <= markerSlots; ++slot)
        marker(state, slot).used = false;
    state.changed(Change::Markers);
}

std::string centreOfMassText(const EditingState& state) {
    return "{ " + centreNumber(state, 'z') + ", " + centreNumber(state, 'x') + ", " +
           centreNumber(state, 'y') + " }";
}

void viewCentreOfMassCommand(EditingState& state) {
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

void copyCentreOfMassCommand(EditingState& state) {
    // No model counts as nothing selected.
    if (numSelVerts(state) <= 0 || !state.dialogs)
        return;
    state.dialogs->setClipboardText(centreOfMassText(state));
}

} // namespace editor
