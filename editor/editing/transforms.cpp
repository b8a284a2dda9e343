#include "editor/editing/transforms.h"

#include "editor/editing/editing_state.h"
#include "editor/editing/geoset_capacity.h"
#include "editor/editing/tool_modes.h"
#include "editor/editing/undo_history.h"
#include "editor/model/selection_queries.h"

#include <cmath>
#include <string>
#include <vector>

namespace editor {

namespace {

// Records the step of a transformation and clones the selection when the toggle is on.
// False when the clone does not fit; then nothing has changed.
bool prepareTransform(EditingState& state, bool record, UndoKind kind, double amount1,
                      double amount2, double amount3) {
    if (state.cloneMode && !cloneHasRoom(state))
        return false;
    if (record) {
        if (state.cloneMode)
            takeUndoSnapshot(state, UndoKind::Clone);
        else
            takeUndoSnapshot(state, kind, amount1, amount2, amount3);
    }
    if (state.cloneMode)
        cloneSelection(state);
    return true;
}

void finishTransform(EditingState& state) {
    state.cloneMode = false;
    state.changed(Change::Geometry | Change::Selection);
}

// Turns the pair (u, v) counterclockwise by theta radians, through its polar angle.
void rotatePair(double& u, double& v, double theta) {
    const double r = std::sqrt(u * u + v * v);
    double phi;
    if (u > 0)
        phi = std::atan(v / u);
    else if (u < 0)
        phi = std::atan(v / u) + rotationPi;
    else if (v >= 0)
        phi = rotationPi / 2;
    else
        phi = -rotationPi / 2;
    u = r * std::cos(phi + theta);
    v = r * std::sin(phi + theta);
}

// True when a number that was finite no longer is.
bool lostFiniteness(const VertexRecord& before, const VertexRecord& after) {
    const double was[] = {before.x,       before.y,       before.z,
                          before.normalX, before.normalY, before.normalZ};
    const double is[] = {after.x, after.y, after.z, after.normalX, after.normalY, after.normalZ};
    for (std::size_t i = 0; i < std::size(was); ++i)
        if (std::isfinite(was[i]) && !std::isfinite(is[i]))
            return true;
    return false;
}

// The same turn for a pair of single-precision tangent components.
void rotateTangentPair(float& u, float& v, double theta) {
    double first = u, second = v;
    rotatePair(first, second, theta);
    u = static_cast<float>(first);
    v = static_cast<float>(second);
}

// True when the change keeps the finite numbers of every selected vertex finite; otherwise shows
// one "Error" message and returns false, before anything has changed. A position past the largest
// number would be saved as text no reader takes.
template <typename Change> bool keepsNumbersFinite(EditingState& state, const Change& change) {
    for (const auto& vertex : state.vertices) {
        if (!vertex.selected)
            continue;
        VertexRecord changed = vertex;
        change(changed);
        if (lostFiniteness(vertex, changed)) {
            if (state.dialogs)
                state.dialogs->messageBox("This would take vertices past the largest number a "
                                          "model can hold; nothing was changed.",
                                          "Error");
            return false;
        }
    }
    return true;
}

// Adds the move to the coordinates of the enabled axes.
auto moveBy(const EditingState& state, double dx, double dy, double dz) {
    return [&state, dx, dy, dz](VertexRecord& vertex) {
        if (state.axisXEnabled)
            vertex.x += dx;
        if (state.axisYEnabled)
            vertex.y += dy;
        if (state.axisZEnabled)
            vertex.z += dz;
    };
}

} // namespace

bool moveKeepsNumbersFinite(EditingState& state, double dx, double dy, double dz) {
    return keepsNumbersFinite(state, moveBy(state, dx, dy, dz));
}

void moveSelection(EditingState& state, double dx, double dy, double dz, bool record) {
    const auto move = moveBy(state, dx, dy, dz);
    if (!keepsNumbersFinite(state, move) ||
        !prepareTransform(state, record, UndoKind::Move, dx, dy, dz))
        return;
    for (auto& vertex : state.vertices)
        if (vertex.selected)
            move(vertex);
    finishTransform(state);
}

void scaleSelection(EditingState& state, double a, double b, bool record) {
    const double length = std::sqrt(a * a + b * b);
    double factor = 1 + std::sqrt(length / 4) / 12;
    if (a - b < 0)
        factor = 1 / factor;
    // The centre is that of the selection before a clone, which is the same: the copies lie
    // on their sources.
    const double cx = selectionCentre(state, 'x');
    const double cy = selectionCentre(state, 'y');
    const double cz = selectionCentre(state, 'z');
    const auto scale = [&](VertexRecord& vertex) {
        if (state.axisXEnabled)
            vertex.x = cx + (vertex.x - cx) * factor;
        if (state.axisYEnabled)
            vertex.y = cy + (vertex.y - cy) * factor;
        if (state.axisZEnabled)
            vertex.z = cz + (vertex.z - cz) * factor;
    };
    if (!keepsNumbersFinite(state, scale) ||
        !prepareTransform(state, record, UndoKind::Scale, a, b, 0))
        return;
    for (auto& vertex : state.vertices)
        if (vertex.selected)
            scale(vertex);
    finishTransform(state);
}

void rotateSelection(EditingState& state, double amount, char axis, bool record) {
    if (axis != 'x' && axis != 'y' && axis != 'z')
        return;
    const double theta = (amount / 2) / 180 * rotationPi;
    const double cx = selectionCentre(state, 'x');
    const double cy = selectionCentre(state, 'y');
    const double cz = selectionCentre(state, 'z');
    const auto rotate = [&](VertexRecord& vertex) {
        vertex.x -= cx;
        vertex.y -= cy;
        vertex.z -= cz;
        if (axis == 'x') {
            rotatePair(vertex.z, vertex.y, theta);
            rotatePair(vertex.normalZ, vertex.normalY, theta);
        } else if (axis == 'y') {
            rotatePair(vertex.x, vertex.z, theta);
            rotatePair(vertex.normalX, vertex.normalZ, theta);
        } else {
            rotatePair(vertex.x, vertex.y, theta);
            rotatePair(vertex.normalX, vertex.normalY, theta);
        }
        // The tangent turns with the normal; components 0, 1, 2 are x, y, z.
        if (state.extras.tangents) {
            auto& t = vertex.tangent;
            if (axis == 'x')
                rotateTangentPair(t[2], t[1], theta);
            else if (axis == 'y')
                rotateTangentPair(t[0], t[2], theta);
            else
                rotateTangentPair(t[0], t[1], theta);
        }
        vertex.x += cx;
        vertex.y += cy;
        vertex.z += cz;
    };
    if (!keepsNumbersFinite(state, rotate) ||
        !prepareTransform(state, record, rotateKind(axis), amount, 0, 0))
        return;
    for (auto& vertex : state.vertices)
        if (vertex.selected)
            rotate(vertex);
    finishTransform(state);
}

bool cloneHasRoom(EditingState& state) {
    const int vertices = numSelVerts(state);
    const int faces = countSelectedFaces(state);
    return geosetHasRoom(state, static_cast<std::size_t>(vertices > 0 ? vertices : 0),
                         static_cast<std::size_t>(faces));
}

void cloneSelection(EditingState& state) {
    if (!state.modelLoaded)
        return;
    const std::size_t vertexCount = state.vertices.size();
    const std::size_t faceCount = state.faces.size();

    // copyOf[i]: the 0-based index of vertex i's copy, or -1 when it is not selected.
    std::vector<int> copyOf(vertexCount, -1);
    state.vertices.reserve(vertexCount + static_cast<std::size_t>(numSelVerts(state)));
    state.faces.reserve(faceCount + static_cast<std::size_t>(countSelectedFaces(state)));
    for (std::size_t i = 0; i < vertexCount; ++i) {
        if (!state.vertices[i].selected)
            continue;
        copyOf[i] = static_cast<int>(state.vertices.size());
        state.vertices.push_back(state.vertices[i]);
    }
    const auto copied = [&](int corner) {
        return corner >= 0 && static_cast<std::size_t>(corner) < vertexCount &&
               copyOf[static_cast<std::size_t>(corner)] >= 0;
    };
    for (std::size_t f = 0; f < faceCount; ++f) {
        FaceRecord face = state.faces[f];
        if (!copied(face.a) || !copied(face.b) || !copied(face.c))
            continue;
        face.a = copyOf[static_cast<std::size_t>(face.a)];
        face.b = copyOf[static_cast<std::size_t>(face.b)];
        face.c = copyOf[static_cast<std::size_t>(face.c)];
        state.faces.push_back(face);
    }
    for (std::size_t i = 0; i < state.vertices.size(); ++i)
        state.vertices[i].selected = i >= vertexCount;
    state.changed(Change::Geometry | Change::Selection);
}

} // namespace editor
