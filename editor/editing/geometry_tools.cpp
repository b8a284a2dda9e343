#include "editor/editing/geometry_tools.h"

#include "common/number_text.h"
#include "editor/editing/editing_state.h"
#include "editor/editing/undo_history.h"
#include "editor/model/selection_queries.h"
#include "editor/model/vertex_axes.h"

#include <algorithm>
#include <optional>
#include <string>

namespace editor {

namespace {

// True when some selected vertex is not deleted, so the selection has a centre to work about.
bool hasLiveSelection(const EditingState& state) {
    return std::any_of(state.vertices.begin(), state.vertices.end(),
                       [](const VertexRecord& v) { return v.selected && !v.deleted; });
}

// Puts every selected vertex, deleted or not, at one point; axis locks do not apply.
void moveSelectedTo(EditingState& state, double x, double y, double z) {
    for (auto& vertex : state.vertices) {
        if (!vertex.selected)
            continue;
        vertex.x = x;
        vertex.y = y;
        vertex.z = z;
    }
}

bool isSelected(const EditingState& state, int corner) {
    return corner >= 0 && static_cast<std::size_t>(corner) < state.vertices.size() &&
           state.vertices[static_cast<std::size_t>(corner)].selected;
}

// Asks one coordinate until the answer is a number; nothing on Cancel (an empty answer).
std::optional<double> askCoordinate(EditingState& state, const std::string& prompt) {
    for (;;) {
        const std::string answer = state.dialogs->inputBox(prompt, "", "0");
        if (answer.empty())
            return std::nullopt;
        if (const auto value = common::parseNumber(answer))
            return *value;
    }
}

} // namespace

void snapCommand(EditingState& state) {
    if (!state.modelLoaded)
        return;
    takeUndoSnapshot(state, UndoKind::Snap);
    if (hasLiveSelection(state)) {
        moveSelectedTo(state, selectionCentre(state, 'x'), selectionCentre(state, 'y'),
                       selectionCentre(state, 'z'));
    }
    state.changed(Change::Geometry);
}

void weldCommand(EditingState& state) {
    if (numSelVerts(state) <= 0)
        return;
    takeUndoSnapshot(state, UndoKind::Weld);
    // The kept vertex is the lowest selected one that is not deleted: welding into a deleted
    // vertex would drop every face of the weld on save.
    const auto kept = std::find_if(state.vertices.begin(), state.vertices.end(),
                                   [](const VertexRecord& v) { return v.selected && !v.deleted; });
    if (kept == state.vertices.end()) {
        state.changed(Change::Geometry);
        return;
    }
    const int keptIndex = static_cast<int>(kept - state.vertices.begin());
    const double x = selectionCentre(state, 'x');
    const double y = selectionCentre(state, 'y');
    const double z = selectionCentre(state, 'z');
    kept->x = x;
    kept->y = y;
    kept->z = z;

    // Only live vertices are welded: a corner on a deleted vertex keeps its face out of the
    // model, and pointing it at the kept vertex would bring the face back.
    const auto welded = [&](int corner) {
        return isSelected(state, corner) &&
               !state.vertices[static_cast<std::size_t>(corner)].deleted;
    };
    for (auto& face : state.faces) {
        if (face.deleted)
            continue;
        for (int* corner : {&face.a, &face.b, &face.c})
            if (welded(*corner))
                *corner = keptIndex;
    }
    for (std::size_t i = 0; i < state.vertices.size(); ++i) {
        auto& vertex = state.vertices[i];
        if (static_cast<int>(i) != keptIndex && vertex.selected && !vertex.deleted) {
            vertex.selected = false;
            vertex.deleted = true;
        }
    }
    state.changed(Change::Geometry);
}

void deleteCommand(EditingState& state) {
    if (!state.modelLoaded)
        return;
    takeUndoSnapshot(state, UndoKind::Delete);
    for (auto& vertex : state.vertices)
        if (vertex.selected)
            vertex.deleted = true;
    state.changed(Change::Geometry);
}

void deleteFaceCommand(EditingState& state) {
    if (!state.modelLoaded)
        return;
    takeUndoSnapshot(state, UndoKind::DeleteFace);
    for (auto& face : state.faces)
        if (!face.deleted && isSelected(state, face.a) && isSelected(state, face.b) &&
            isSelected(state, face.c))
            face.deleted = true;
    state.changed(Change::Geometry);
}

void mirrorCommand(EditingState& state, char axis) {
    if (!state.modelLoaded)
        return;
    takeUndoSnapshot(state, UndoKind::Mirror);
    if (hasLiveSelection(state)) {
        const double centre = selectionCentre(state, axis);
        for (auto& vertex : state.vertices) {
            if (!vertex.selected)
                continue;
            auto& coordinate = coordinateOn(vertex, axis);
            coordinate = 2 * centre - coordinate;
            auto& normal = normalOn(vertex, axis);
            normal = -normal;
            // A mirrored tangent frame turns the other way round: its sign flips too.
            auto& tangent = tangentOn(vertex, axis);
            tangent = -tangent;
            vertex.tangent[3] = -vertex.tangent[3];
        }
    }
    state.changed(Change::Geometry);
}

void alignCommand(EditingState& state, char axis) {
    if (numSelVerts(state) <= 0)
        return;
    takeUndoSnapshot(state, UndoKind::Align);
    if (hasLiveSelection(state)) {
        const double centre = selectionCentre(state, axis);
        for (auto& vertex : state.vertices)
            if (vertex.selected)
                coordinateOn(vertex, axis) = centre;
    }
    state.changed(Change::Geometry);
}

void setCoordinatesCommand(EditingState& state) {
    if (!state.modelLoaded || !state.dialogs)
        return;
    // Cancel at any of the three questions leaves everything as it was.
    const auto x = askCoordinate(state, "X");
    const auto y = x ? askCoordinate(state, "Y") : std::nullopt;
    const auto z = y ? askCoordinate(state, "Z") : std::nullopt;
    if (!z)
        return;
    takeUndoSnapshot(state, UndoKind::SetCoordinates);
    moveSelectedTo(state, *x, *y, *z);
    state.changed(Change::Geometry);
}

} // namespace editor
