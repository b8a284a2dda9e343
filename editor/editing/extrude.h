#pragma once

namespace editor {

struct EditingState;
struct GeosetModel;

// One edge of a selected face during an extrusion: its ends before re-pointing (old, the base)
// and after (new, the copies of the selected vertices). 0-based vertex indices.
struct ExtrudeEdge {
    int oldA = 0;
    int oldB = 0;
    int newA = 0;
    int newB = 0;
    bool shared = false;
};

// Pulls the selected faces out along (dx, dy, dz): the selected vertices are copied, the faces
// whose three corners are selected are re-pointed to the copies, every boundary edge of that
// region gets a wall of two faces, and the copies (selected alone) are moved with an ordinary
// move, so axis locks and the clone toggle apply. Always records an "Extrude" step (the record
// flag changes nothing). When the result would not fit in the geoset it shows one "Error"
// message and changes nothing.
void extrudeSelection(EditingState& state, double dx, double dy, double dz, bool record);

// True when the two edges join the same two positions, in either direction (exact compare).
bool sameEdge(const GeosetModel& model, const ExtrudeEdge& first, const ExtrudeEdge& second);

// Appends the wall of one boundary edge: (oldA, oldB, newA) and (newB, newA, oldB).
void addSideFaces(GeosetModel& model, const ExtrudeEdge& edge);

} // namespace editor
