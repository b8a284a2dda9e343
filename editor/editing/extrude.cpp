#include "editor/editing/extrude.h"

#include "editor/editing/editing_state.h"
#include "editor/editing/geoset_capacity.h"
#include "editor/editing/transforms.h"
#include "editor/editing/undo_history.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <utility>
#include <vector>

namespace editor {

namespace {

using Position = std::array<double, 3>;

// A well-mixed hash of a position's bits (small whole coordinates differ only in their high
// bits, which a plain hash of the bits would leave in few buckets).
struct PositionHash {
    static std::uint64_t mix(std::uint64_t x) {
        x += 0x9e3779b97f4a7c15ULL;
        x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
        x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
        return x ^ (x >> 31);
    }
    std::size_t operator()(const Position& position) const {
        std::uint64_t hash = 0;
        for (double value : position) {
            std::uint64_t bits = 0;
            std::memcpy(&bits, &value, sizeof bits);
            hash = mix(hash ^ bits);
        }
        return static_cast<std::size_t>(hash);
    }
};

// Numbers the distinct positions of the given vertices: equal positions (exactly, -0 equal to
// +0) get the same number. A position holding NaN equals no position, not even itself: -1.
class PositionNumbers {
  public:
    int of(const GeosetModel& model, int index) {
        const auto& vertex = model.vertices[static_cast<std::size_t>(index)];
        if (std::isnan(vertex.x) || std::isnan(vertex.y) || std::isnan(vertex.z))
            return -1;
        const Position position{vertex.x + 0.0, vertex.y + 0.0, vertex.z + 0.0};
        return numbers_.try_emplace(position, static_cast<int>(numbers_.size())).first->second;
    }

  private:
    std::unordered_map<Position, int, PositionHash> numbers_;
};

// Marks every edge that joins the same two positions as another edge: the result of comparing
// every edge with every other through sameEdge, found by sorting the edges by their pair of
// position numbers instead.
void markSharedEdges(const GeosetModel& model, std::vector<ExtrudeEdge>& edges) {
    PositionNumbers numbers;
    std::vector<std::pair<std::uint64_t, std::size_t>> keyed; // (position pair, edge)
    keyed.reserve(edges.size());
    for (std::size_t e = 0; e < edges.size(); ++e) {
        const int first = numbers.of(model, edges[e].oldA);
        const int second = numbers.of(model, edges[e].oldB);
        if (first < 0 || second < 0)
            continue;
        const auto low = static_cast<std::uint64_t>(std::min(first, second));
        const auto high = static_cast<std::uint64_t>(std::max(first, second));
        keyed.emplace_back(low << 32 | high, e);
    }
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t run = 0; run < keyed.size();) {
        std::size_t end = run + 1;
        while (end < keyed.size() && keyed[end].first == keyed[run].first)
            ++end;
        if (end - run > 1)
            for (std::size_t k = run; k < end; ++k)
                edges[keyed[k].second].shared = true;
        run = end;
    }
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

void extrudeSelection(EditingState& state, double dx, double dy, double dz, bool /*record*/) {
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
    // The copies end up moved; a move past the largest number is refused before anything
    // changes.
    if (!capFaces.empty() && !moveKeepsNumbersFinite(state, dx, dy, dz))
        return;
    if (!geosetHasRoom(state, addedVertices, addedFaces))
        return;

    takeUndoSnapshot(state, UndoKind::Extrude);

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
    state.changed(Change::Geometry | Change::Selection);
}

} // namespace editor
