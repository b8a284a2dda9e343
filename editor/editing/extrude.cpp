#include "editor/editing/extrude.h"

#include "editor/editing/geoset_capacity.h"
#include "editor/editing/transforms.h"
#include "editor/editing/undo_history.h"
#include "editor/model/editor_state.h"
#include "editor/views/viewports.h"

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <unordered_map>
#include <vector>

namespace editor {

namespace {

using Position = std::array<double, 3>;

// An edge as the unordered pair of its end positions, the smaller first, so that two edges
// are the same edge exactly when their keys are equal.
struct EdgeKey {
    Position first;
    Position second;
    bool operator==(const EdgeKey&) const = default;
};

struct EdgeKeyHash {
    std::size_t operator()(const EdgeKey& key) const {
        std::size_t hash = 0;
        for (const auto* position : {&key.first, &key.second})
            for (double value : *position) {
                std::uint64_t bits = 0;
                std::memcpy(&bits, &value, sizeof bits);
                hash ^= std::hash<std::uint64_t>{}(bits) + 0x9e3779b97f4a7c15ULL + (hash << 6) +
                        (hash >> 2);
            }
        return hash;
    }
};

// The position of a vertex with -0 turned into +0, since the two compare equal.
Position positionOf(const GeosetModel& model, int index) {
    const auto& vertex = model.vertices[static_cast<std::size_t>(index)];
    return {vertex.x + 0.0, vertex.y + 0.0, vertex.z + 0.0};
}

bool hasNaN(const Position& position) {
    return std::isnan(position[0]) || std::isnan(position[1]) || std::isnan(position[2]);
}

// Marks every edge that joins the same two positions as another edge. Equal to comparing every
// edge with every other through sameEdge, in linear time: a position holding NaN equals no
// position, so such an edge is never shared.
void markSharedEdges(const GeosetModel& model, std::vector<ExtrudeEdge>& edges) {
    std::vector<EdgeKey> keys(edges.size());
    std::vector<bool> comparable(edges.size());
    std::unordered_map<EdgeKey, int, EdgeKeyHash> counts;
    counts.reserve(edges.size());
    for (std::size_t e = 0; e < edges.size(); ++e) {
        auto first = positionOf(model, edges[e].oldA);
        auto second = positionOf(model, edges[e].oldB);
        comparable[e] = !hasNaN(first) && !hasNaN(second);
        if (!comparable[e])
            continue;
        if (second < first)
            std::swap(first, second);
        keys[e] = {first, second};
        ++counts[keys[e]];
    }
    for (std::size_t e = 0; e < edges.size(); ++e)
        if (comparable[e] && counts[keys[e]] > 1)
            edges[e].shared = true;
}

} // namespace

bool sameEdge(const GeosetModel& model, const ExtrudeEdge& first, const ExtrudeEdge& second) {
    return (samePosition(model, first.oldA, second.oldA) &&
            samePosition(model, first.oldB, second.oldB)) ||
           (samePosition(model, first.oldA, second.oldB) &&
            samePosition(model, first.oldB, second.oldA));
}

void addSideFaces(GeosetModel& model, const ExtrudeEdge& edge) {
    model.faces.push_back({edge.oldA, edge.oldB, edge.newA, false});
    model.faces.push_back({edge.newB, edge.newA, edge.oldB, false});
}

void extrudeSelection(EditorState& state, double dx, double dy, double dz, bool /*record*/) {
    const std::size_t vertexCount = state.vertices.size();

    // sourceOf[k]: the vertex whose copy is vertex vertexCount + k; copyOf is its inverse.
    std::vector<int> sourceOf;
    std::vector<int> copyOf(vertexCount, -1);
    for (std::size_t i = 0; i < vertexCount; ++i)
        if (state.vertices[i].selected) {
            copyOf[i] = static_cast<int>(vertexCount + sourceOf.size());
            sourceOf.push_back(static_cast<int>(i));
        }
    const auto selected = [&](int corner) {
        return corner >= 0 && static_cast<std::size_t>(corner) < vertexCount &&
               copyOf[static_cast<std::size_t>(corner)] >= 0;
    };
    const auto copy = [&](int corner) { return copyOf[static_cast<std::size_t>(corner)]; };

    // The cap faces and their edges (a-b, b-c, c-a), worked out before anything changes so
    // that the room can be checked first.
    std::vector<std::size_t> capFaces;
    std::vector<ExtrudeEdge> edges;
    for (std::size_t f = 0; f < state.faces.size(); ++f) {
        const auto& face = state.faces[f];
        if (!selected(face.a) || !selected(face.b) || !selected(face.c))
            continue;
        capFaces.push_back(f);
        edges.push_back({face.a, face.b, copy(face.a), copy(face.b), false});
        edges.push_back({face.b, face.c, copy(face.b), copy(face.c), false});
        edges.push_back({face.c, face.a, copy(face.c), copy(face.a), false});
    }
    markSharedEdges(state, edges);
    std::size_t walls = 0;
    for (const auto& edge : edges)
        if (!edge.shared)
            ++walls;

    // The final move clones the cap when the toggle is on: its copies and cap faces again.
    const bool capIsCloned = state.cloneMode && !capFaces.empty();
    const std::size_t addedVertices = sourceOf.size() * (capIsCloned ? 2 : 1);
    const std::size_t addedFaces = 2 * walls + (capIsCloned ? capFaces.size() : 0);
    if (!geosetHasRoom(state, addedVertices, addedFaces))
        return;

    takeUndoSnapshot(state, true, true, false, 0, 0, 0, "Extrude");

    state.vertices.reserve(vertexCount + sourceOf.size());
    for (int source : sourceOf)
        state.vertices.push_back(state.vertices[static_cast<std::size_t>(source)]);
    for (std::size_t f : capFaces) {
        auto& face = state.faces[f];
        face.a = copy(face.a);
        face.b = copy(face.b);
        face.c = copy(face.c);
    }
    if (capFaces.empty())
        return;

    state.faces.reserve(state.faces.size() + 2 * walls);
    for (const auto& edge : edges)
        if (!edge.shared)
            addSideFaces(state, edge);
    for (std::size_t i = 0; i < state.vertices.size(); ++i)
        state.vertices[i].selected = i >= vertexCount;
    moveSelection(state, dx, dy, dz, false);
    refreshViews(state);
}

} // namespace editor
