#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace common {
class LineSink;
}

namespace editor {

struct GeosetModel;

// Writes the model: the lines of the working copy, with the blocks of the edited geoset
// (model.geosetNumber) regenerated from the arrays. geosetOnly writes a one-geoset, one-bone
// model of the edited geoset alone.
void writeModel(const std::vector<std::string>& lines, const GeosetModel& model, bool geosetOnly,
                common::LineSink& out);
// The same from the working copy's whole text.
void writeModelFromText(std::string_view text, const GeosetModel& model, bool geosetOnly,
                        common::LineSink& out);
std::vector<std::string> modelLines(const std::vector<std::string>& lines, const GeosetModel& model,
                                    bool geosetOnly);

// 0-based output index of vertices(k) (k 1-based): kept vertices up to k, minus 1.
int newVertexIndex(const GeosetModel& model, int k);

// Triangles the face line will hold: not deleted, no deleted corner.
int countWrittenFaces(const GeosetModel& model);

// The 0-based index of the first vertex that would be written with a position, normal or texture
// coordinate that is not a finite number (no reader takes "inf" or "nan"); nothing when all are.
std::optional<int> firstVertexNotFinite(const GeosetModel& model);

// True when saving removes the edited geoset instead: no vertex or no triangle is left.
bool savingRemovesGeoset(const GeosetModel& model);

// The lines of a model without its n-th geoset (1-based), with the geoset animation references
// fixed: references to later geosets move down by one, the last geoset animation that named the
// removed geoset goes, and references to it become "None".
std::vector<std::string> removeGeosetLines(const std::vector<std::string>& lines, int n);

} // namespace editor
