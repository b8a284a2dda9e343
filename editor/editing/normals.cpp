#include "editor/editing/normals.h"

#include "editor/editing/editing_state.h"
#include "editor/editing/undo_history.h"
#include "editor/model/selection_queries.h"
#include "formats/vertex_tangent.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <functional>
#include <unordered_map>
#include <vector>

namespace editor {

namespace {

const VertexRecord& vertexAt(const EditingState& state, int index1) {
    return state.vertices.at(static_cast<std::size_t>(index1 - 1));
}

bool validCorner(const EditingState& state, int corner) {
    return corner >= 0 && static_cast<std::size_t>(corner) < state.vertices.size();
}

std::array<int, 3> cornersOf(const FaceRecord& face) {
    return {face.a, face.b, face.c};
}

// The two unit vectors at corner (1, 2 or 3) of a face, from its neighbours toward it, added
// to the sum in the order the normal's definition gives.
void addCornerContribution(const EditingState& state, const FaceRecord& face, int corner,
                           Vector3& sum) {
    const int a = face.a + 1, b = face.b + 1, c = face.c + 1;
    Vector3 e1, e2;
    if (corner == 1) {
        e1 = unitDirection(state, a, b);
        e2 = unitDirection(state, a, c);
    } else if (corner == 2) {
        e1 = unitDirection(state, b, a);
        e2 = unitDirection(state, b, c);
    } else {
        e1 = unitDirection(state, c, b);
        e2 = unitDirection(state, c, a);
    }
    sum.x = sum.x + e1.x + e2.x;
    sum.y = sum.y + e1.y + e2.y;
    sum.z = sum.z + e1.z + e2.z;
}

void storeNormal(VertexRecord& vertex, const Vector3& sum) {
    const auto n = unitVector(sum.x, sum.y, sum.z);
    vertex.normalX = n.x;
    vertex.normalY = n.y;
    vertex.normalZ = n.z;
}

// A position as a hash key. Positions compare with exact equality, so 0 and -0 are one key; a
// position holding NaN equals nothing, not even itself, and is never made a key.
struct PositionKey {
    double x, y, z;
    bool operator==(const PositionKey&) const = default;
};
struct PositionHash {
    std::size_t operator()(const PositionKey& key) const {
        const std::hash<double> h;
        std::size_t seed = h(key.x);
        seed ^= h(key.y) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
        seed ^= h(key.z) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
        return seed;
    }
};
bool hasNaN(const VertexRecord& v) {
    return std::isnan(v.x) || std::isnan(v.y) || std::isnan(v.z);
}
PositionKey keyOf(const VertexRecord& v) {
    return {v.x + 0.0, v.y + 0.0, v.z + 0.0};
}

// Numbers the distinct positions of the selected vertices and tells, for every vertex, which of
// them it lies at (-1 for none).
std::vector<int> selectedPositionGroups(const EditingState& state, int& groupCount) {
    std::unordered_map<PositionKey, int, PositionHash> groups;
    groups.reserve(state.vertices.size());
    for (const auto& vertex : state.vertices)
        if (vertex.selected && !hasNaN(vertex))
            groups.try_emplace(keyOf(vertex), static_cast<int>(groups.size()));
    std::vector<int> groupOf(state.vertices.size(), -1);
    for (std::size_t i = 0; i < state.vertices.size(); ++i) {
        const auto& vertex = state.vertices[i];
        if (hasNaN(vertex))
            continue;
        if (const auto found = groups.find(keyOf(vertex)); found != groups.end())
            groupOf[i] = found->second;
    }
    groupCount = static_cast<int>(groups.size());
    return groupOf;
}

} // namespace

void fitTangentToNormal(VertexRecord& vertex) {
    const auto& t = vertex.tangent;
    const auto fitted = formats::tangentAcross({vertex.normalX, vertex.normalY, vertex.normalZ},
                                               {t[0], t[1], t[2], t[3]});
    for (std::size_t k = 0; k < 4; ++k)
        vertex.tangent[k] = static_cast<float>(fitted[k]);
}

Vector3 unitVector(double x, double y, double z) {
    double length = std::sqrt(x * x + y * y + z * z);
    if (!std::isfinite(length)) {
        // The squares overflow for very large components: scale down first, so the direction
        // stays a finite unit vector.
        const double largest = std::max({std::abs(x), std::abs(y), std::abs(z)});
        if (std::isnan(x) || std::isnan(y) || std::isnan(z) || !std::isfinite(largest))
            return {1, 0, 0};
        x /= largest;
        y /= largest;
        z /= largest;
        length = std::sqrt(x * x + y * y + z * z);
    }
    if (length == 0)
        return {1, 0, 0};
    return {x / length, y / length, z / length};
}

Vector3 unitDirection(const EditingState& state, int a, int b) {
    const auto& to = vertexAt(state, a);
    const auto& from = vertexAt(state, b);
    const double dx = to.x - from.x, dy = to.y - from.y, dz = to.z - from.z;
    if (dx == 0 && dy == 0 && dz == 0)
        return {0, 0, 0};
    return unitVector(dx, dy, dz);
}

int cornerInFace(const EditingState& state, int v, int f) {
    const auto& face = state.faces.at(static_cast<std::size_t>(f - 1));
    const auto corners = cornersOf(face);
    int result = -1;
    int highestVertex = -1;
    for (int m = 1; m <= 3; ++m) {
        const int corner = corners[static_cast<std::size_t>(m - 1)];
        if (validCorner(state, corner) && corner >= highestVertex &&
            samePosition(state, v - 1, corner)) {
            highestVertex = corner;
            result = m;
        }
    }
    return result;
}

void calcVertexNormal(EditingState& state, int v) {
    Vector3 sum;
    for (std::size_t f = 0; f < state.faces.size(); ++f) {
        const int corner = cornerInFace(state, v, static_cast<int>(f + 1));
        if (corner != -1)
            addCornerContribution(state, state.faces[f], corner, sum);
    }
    storeNormal(state.vertices.at(static_cast<std::size_t>(v - 1)), sum);
}

void recalcNormals(EditingState& state) {
    if (!state.modelLoaded)
        return;
    takeUndoSnapshot(state, UndoKind::RecalculateNormals);

    // Every selected vertex at one position collects the same faces, so each face is visited
    // once and adds its contribution to the sum of each selected position it touches. Faces
    // are visited in index order, so every sum is built in the same order as vertex by vertex.
    int groupCount = 0;
    const auto groupOf = selectedPositionGroups(state, groupCount);
    std::vector<Vector3> sums(static_cast<std::size_t>(groupCount));
    for (const auto& face : state.faces) {
        const auto corners = cornersOf(face);
        std::array<int, 3> groups{};
        for (std::size_t m = 0; m < 3; ++m)
            groups[m] =
                validCorner(state, corners[m]) ? groupOf[static_cast<std::size_t>(corners[m])] : -1;
        for (std::size_t m = 0; m < 3; ++m) {
            if (groups[m] < 0)
                continue;
            // Of the corners at one position, the one naming the highest vertex counts, and of
            // two naming the same vertex the later one.
            bool counts = true;
            for (std::size_t other = 0; other < 3; ++other)
                if (other != m && groups[other] == groups[m] &&
                    (corners[other] > corners[m] || (corners[other] == corners[m] && other > m)))
                    counts = false;
            if (counts)
                addCornerContribution(state, face, static_cast<int>(m + 1),
                                      sums[static_cast<std::size_t>(groups[m])]);
        }
    }
    for (std::size_t i = 0; i < state.vertices.size(); ++i) {
        auto& vertex = state.vertices[i];
        if (!vertex.selected)
            continue;
        storeNormal(vertex,
                    groupOf[i] < 0 ? Vector3{} : sums[static_cast<std::size_t>(groupOf[i])]);
        if (state.extras.tangents)
            fitTangentToNormal(vertex);
    }
    state.changed(Change::Geometry);
}

void snapNormalsCommand(EditingState& state) {
    if (numSelVerts(state) <= 0)
        return;
    takeUndoSnapshot(state, UndoKind::SnapNormals);
    double sx = 0, sy = 0, sz = 0;
    for (const auto& vertex : state.vertices) {
        if (!vertex.selected)
            continue;
        sx += vertex.normalX;
        sy += vertex.normalY;
        sz += vertex.normalZ;
    }
    const double length = std::sqrt(sx * sx + sy * sy + sz * sz);
    // Normals that cancel out (or overflow) have no common direction: they stay as they were.
    if (length > 0 && std::isfinite(length)) {
        for (auto& vertex : state.vertices) {
            if (!vertex.selected)
                continue;
            vertex.normalX = sx / length;
            vertex.normalY = sy / length;
            vertex.normalZ = sz / length;
            if (state.extras.tangents)
                fitTangentToNormal(vertex);
        }
    }
    state.changed(Change::Geometry);
}

} // namespace editor
