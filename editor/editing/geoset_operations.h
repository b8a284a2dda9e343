#pragma once

namespace editor {

struct EditingState;

// Operations on the model's geosets, each one step of the history (editWholeModel) that the
// title's "*" covers. Geosets are numbered from 1, materials from 0, as the file numbers them.
// A geoset or material that does not exist, or a result the format cannot hold, is one "Error"
// and changes nothing. True when the model changed.

// The selected vertices of the edited geoset, and its triangles whose corners are all selected,
// move to a new geoset after the last one, with the same material, matrix groups, Reforged data
// and geoset animation. Triangles that span both sets stay, keeping copies of their selected
// corners, so no hole opens. The edited geoset stays the edited one.
bool splitSelectionCommand(EditingState& state);
// A copy of geoset n after the last one, with a copy of its geoset animation.
bool duplicateGeosetCommand(EditingState& state, int n);
// Removes geoset n with its geoset animation; later geosets move down by one, and the bones'
// references follow. The model's only geoset is not removed.
bool deleteGeosetCommand(EditingState& state, int n);
// Moves every vertex and triangle of geoset b into geoset a, joining equal matrix groups, and
// removes b. Refused when one has Reforged data the other lacks, when a geoset holds other
// primitives than triangles, or when the joined geoset passes the format's limits.
bool mergeGeosetsCommand(EditingState& state, int a, int b);
bool setGeosetMaterialCommand(EditingState& state, int n, int material);
// Moves geoset n one place up (delta -1) or down (+1) in the file.
bool moveGeosetCommand(EditingState& state, int n, int delta);

} // namespace editor
