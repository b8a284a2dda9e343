#include "editor/editing/markers.h"

#include "common/number_text.h"
#include "editor/editing/editing_state.h"
#include "editor/model/marker_slots.h"
#include "editor/model/selection_queries.h"

#include <optional>

namespace editor {

namespace {

MarkerRecord& marker(EditingState& state, int slot) {
    return state.markers[static_cast<std::size_t>(slot)];
}

// Asks until the answer is a number; nothing on Cancel (an empty answer).
std::optional<double> askMarkerCoordinate(EditingState& state, const std::string& prompt) {
    for (;;) {
        const std::string answer = state.dialogs->inputBox(prompt, "Add marker", "0");
        if (answer.empty())
            return std::nullopt;
        if (const auto value = common::parseNumber(answer))
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
    // Cancel at any of the three questions adds no marker.
    const auto z = askMarkerCoordinate(state, "Z (front/back)");
    const auto x = z ? askMarkerCoordinate(state, "X (left/right)") : std::nullopt;
    const auto y = x ? askMarkerCoordinate(state, "Y (up/down)") : std::nullopt;
    if (!y)
        return;
    marker(state, slot) = {*x, *y, *z, true};
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
