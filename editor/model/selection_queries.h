#pragma once

namespace editor {

struct GeosetModel;

// Number of selected vertices (deleted ones included); -1 when no model is loaded.
int numSelVerts(const GeosetModel& model);

// Faces whose three corners are selected vertices; no deleted flag is consulted.
int countSelectedFaces(const GeosetModel& model);

// Mean of one coordinate ('x', 'y' or 'z') over the selected vertices that are not deleted;
// 0 when nothing is selected, and 0 too when every selected vertex is deleted (there is no
// vertex to average).
double selectionCentre(const GeosetModel& model, char axis);

} // namespace editor
