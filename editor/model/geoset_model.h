#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace editor {

class ModelDocument;

// The most vertices, triangles or matrix groups one geoset can hold (16-bit counters).
inline constexpr int maxGeosetRecords = 32767;
// The most matrix groups a command may create: a vertex names its group in one byte.
inline constexpr int maxMatrixGroups = 256;
// The most bone ids one matrix group can hold.
inline constexpr int matrixSlots = 7;
// Texture coordinate sets a vertex carries besides its first (u, v).
inline constexpr int maxExtraUvSets = 3;
// A SkinWeights entry: four bone indices, then their four weights (0..255).
inline constexpr int skinWeightValues = 8;

// One vertex of the edited geoset, in editor axes: a file triple { p1, p2, p3 } is held as
// x = p2, y = p3, z = p1 (normals likewise).
struct VertexRecord {
    double x = 0;
    double y = 0;
    double z = 0;
    double normalX = 0;
    double normalY = 0;
    double normalZ = 0;
    bool selected = false;
    bool deleted = false;
    int vertexGroup = 0; // 0-based matrix group, as in the file
    double u = 0;
    double v = 0;
    // The data of Reforged geosets, in fixed-size members so that a record stays trivially
    // copyable and travels whole with its vertex: the tangent in editor axes (x, y, z) and its
    // sign w, the skin weights as the file gives them, further texture coordinate sets. Single
    // precision, as the binary models hold them. Which of them the geoset has is in
    // GeosetModel::extras.
    std::array<float, 4> tangent{};
    std::array<std::uint8_t, skinWeightValues> skinWeights{};
    std::array<std::array<float, 2>, maxExtraUvSets> extraUvs{};
    bool operator==(const VertexRecord&) const = default;
};

static_assert(std::is_trivially_copyable_v<VertexRecord>,
              "undo steps copy vertex records as plain memory");

// Which per-vertex blocks of Reforged geosets the edited geoset has.
struct VertexExtras {
    bool tangents = false;
    bool skinWeights = false;
    int extraUvSets = 0;
    bool operator==(const VertexExtras&) const = default;
};

// One triangle; corners are 0-based vertex indices as in the file.
struct FaceRecord {
    int a = 0;
    int b = 0;
    int c = 0;
    bool deleted = false;
    bool operator==(const FaceRecord&) const = default;
};

// matrices(slot, group): the bone ids of each matrix group, slots 1..7, -1 after the last id.
class MatrixTable {
  public:
    using Column = std::array<int, matrixSlots>;

    // 1-based slot and group, as the commands word it.
    int& at(int slot, int group) { return columns_.at(group - 1).at(slot - 1); }
    int at(int slot, int group) const { return columns_.at(group - 1).at(slot - 1); }

    int columnCount() const { return static_cast<int>(columns_.size()); }
    // Grows (or shrinks) to count columns keeping the earlier ones; new columns hold -1.
    void resize(int count) { columns_.resize(static_cast<std::size_t>(count), emptyColumn()); }
    void clear() { columns_.clear(); }
    const std::vector<Column>& columns() const { return columns_; }

    static Column emptyColumn() {
        Column column;
        column.fill(-1);
        return column;
    }
    bool operator==(const MatrixTable&) const = default;

  private:
    std::vector<Column> columns_;
};

struct MarkerRecord {
    double x = 0;
    double y = 0;
    double z = 0;
    bool used = false;
};

// Slot 0 is never used; markers live in slots 1..20.
inline constexpr int markerSlots = 20;

// What the geoset reader read of a vertex's normal, texture coordinates and tangent. A value no
// command has changed since is saved as it was read; only values a command computed are
// rounded to the six places the file format holds.
struct ValuesAsRead {
    double normalX = 0, normalY = 0, normalZ = 0, u = 0, v = 0;
    std::array<float, 4> tangent{};
    std::array<std::array<float, 2>, maxExtraUvSets> extraUvs{};
};
ValuesAsRead valuesOf(const VertexRecord& vertex);

// The in-memory document: the one geoset being edited, the markers and the paths.
// Arrays are 0-based vectors here; vertices(k) of the 1-based wording is vertices[k - 1].
struct GeosetModel {
    std::vector<VertexRecord> vertices;
    std::vector<FaceRecord> faces;
    MatrixTable matrices;
    int groupCount = 0;
    VertexExtras extras;
    std::array<MarkerRecord, markerSlots + 1> markers{};
    std::string modelPath;
    std::string tempPath;
    std::string savePath;
    int geosetNumber = 0;
    bool modelLoaded = false;
    // Vertex i's values as read, for the vertices read with the geoset (commands keep every
    // vertex in its place and add new ones after them).
    std::vector<ValuesAsRead> valuesAsRead;
    // The whole model as last opened, committed or saved (model_document.h): what the working
    // copy holds. Nothing before a model was opened.
    std::shared_ptr<const ModelDocument> document;
};

// True when the vertex's group is one of the geoset's matrix groups. A group index past them
// (which some converted models have) is kept and written back, but belongs to no group.
bool inMatrixGroup(const GeosetModel& model, const VertexRecord& vertex);

// True when the vertices with the 0-based indices i and j have exactly equal positions.
bool samePosition(const GeosetModel& model, int i, int j);

// The working copy's path for a model path, in the model's folder: the file name less its
// extension (the text from its last ".", when that is not the name's first character),
// followed by "_TMP.tdl"; "name.mdl" gives "name_TMP.tdl". A second editor's copy of the same
// model is number 2, "name_TMP2.tdl", and so on.
std::string workingCopyPath(const std::string& modelPath, int number = 1);

} // namespace editor
