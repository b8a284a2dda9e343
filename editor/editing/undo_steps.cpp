#include "editor/editing/undo_steps.h"

#include <array>
#include <cstddef>

namespace editor {

namespace {

using R = UndoRestore;

// In the order of UndoKind.
constexpr std::array<UndoKindInfo, 31> kinds{{
    {"Selection", R::SelectionFlags, false},
    {"Invert Selection", R::SelectionFlags, false},
    {"Select All", R::SelectionFlags, false},
    {"Delete", R::DeletedFlags, true},
    {"Move", R::Placements, true},
    {"Rotate x", R::Placements, true},
    {"Rotate y", R::Placements, true},
    {"Rotate z", R::Placements, true},
    {"Scale", R::Placements, true},
    {"Clone", R::VerticesAndFaces, true},
    {"Weld", R::VerticesAndFaces, true},
    {"Extrude", R::VerticesAndFaces, true},
    {"Merge", R::VerticesAndFaces, true},
    {"Align", R::Vertices, true},
    {"Set Coordinates", R::Vertices, true},
    {"Recalculate Normals", R::Vertices, true},
    {"Assign Vertex Group", R::Vertices, true},
    {"Snap", R::Vertices, true},
    {"Mirror", R::Vertices, true},
    {"Snap Normals", R::Vertices, true},
    {"Delete Face", R::Faces, true},
    {"Set Active Axes", R::AxisLocks, false},
    {"Fix", R::Document, true},
    {"Import Mesh", R::Document, true},
    {"Split Selection", R::Document, true},
    {"Duplicate Geoset", R::Document, true},
    {"Delete Geoset", R::Document, true},
    {"Merge Geosets", R::Document, true},
    {"Set Material", R::Document, true},
    {"Move Geoset", R::Document, true},
    {"Convert Format Version", R::Document, true},
}};

static_assert(kinds.size() == static_cast<std::size_t>(UndoKind::ConvertVersion) + 1,
              "one entry for every kind of undo step");

} // namespace

const UndoKindInfo& undoKindInfo(UndoKind kind) {
    return kinds[static_cast<std::size_t>(kind)];
}

UndoKind rotateKind(char axis) {
    return axis == 'x' ? UndoKind::RotateX : axis == 'y' ? UndoKind::RotateY : UndoKind::RotateZ;
}

char rotationAxis(UndoKind kind) {
    return kind == UndoKind::RotateX ? 'x' : kind == UndoKind::RotateY ? 'y' : 'z';
}

} // namespace editor
