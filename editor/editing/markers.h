#pragma once

#include <string>

namespace editor {

struct EditingState;

// View > Add Marker: asks Z, X and Y (the file's triple order) until each answer is a number
// and puts a marker there, in the slot nextMarkerSlot gives.
void addMarkerCommand(EditingState& state);

// View > Add Marker Graphically: the next left-button release in a view places a marker.
void addMarkerGraphicallyCommand(EditingState& state);

// View > Add Marker at Selection: a marker at the centre of the selection (the origin when
// nothing is selected).
void addMarkerAtSelectionCommand(EditingState& state);

// View > Remove Last Marker and Remove All Markers.
void removeLastMarkerCommand(EditingState& state);
void removeAllMarkersCommand(EditingState& state);

// The centre of the selection as a model-file triple "{ z, x, y }", each value rounded to 6
// decimal places.
std::string centreOfMassText(const EditingState& state);

// Tools > Center of Mass > View: shows the centre in a box the user can copy from, or says why
// there is none.
void viewCentreOfMassCommand(EditingState& state);

// Tools > Center of Mass > Copy to Clipboard: puts the centre on the clipboard; silent when
// nothing is selected.
void copyCentreOfMassCommand(EditingState& state);

} // namespace editor
