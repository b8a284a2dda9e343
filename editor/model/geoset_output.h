#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace editor {

struct GeosetModel;
struct VertexRecord;
struct FaceRecord;

// What saving writes of the edited geoset, whatever the form it is written in: which vertices
// and faces, in which order, and each number as it is written (in the file's axes, rounded where
// the file holds six places). The text writer and the binary writer both follow these.

// Vertices that are not deleted.
int keptVertexCount(const GeosetModel& model);

// A face is written when it is not deleted and none of its corners is.
bool isWrittenFace(const GeosetModel& model, const FaceRecord& face);

// The output index of every vertex: its place among the kept vertices, -1 for a deleted one.
std::vector<int> outputIndices(const GeosetModel& model);

// The position, normal, set-th texture coordinates (0 for u and v, 1 and on for the further
// sets) and tangent of vertex i, in the file's order of axes. A normal, texture coordinate pair
// or tangent that is still what the geoset reader read (GeosetModel::valuesAsRead) is written
// as read; one a command changed is rounded to six places.
std::array<double, 3> writtenPosition(const VertexRecord& v);
std::array<double, 3> writtenNormal(const GeosetModel& model, std::size_t i);
std::array<double, 2> writtenTextureCoordinates(const GeosetModel& model, std::size_t i, int set);
std::array<double, 4> writtenTangent(const GeosetModel& model, std::size_t i);

// The bone ids of each matrix group written: the first slot always, the further ones up to the
// first empty slot.
std::vector<std::vector<int>> writtenMatrixGroups(const GeosetModel& model);

} // namespace editor
