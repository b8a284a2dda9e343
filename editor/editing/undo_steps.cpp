#include "editor/editing/undo_steps.h"

#include <array>
#include <cstddef>

namespace editor {

namespace {

using R = UndoRestore;

// In the order of UndoKind.
constexpr std::array<UndoKindInfo, 22> kinds{{
    {"Selection", true, false, false, R::SelectionFlags},
    {"Invert Selection", true, false, false, R::SelectionFlags},
    {"Select All", true, false, false, R::SelectionFlags},
    {"Delete", false, false, false, R::Undelete},
    {"Move", false, false, false, R::ReverseMove},
    {"Rotate x", false, false, false, R::ReverseRotate},
    {"Rotate y", false, false, false, R::ReverseRotate},
    {"Rotate z", false, false, false, R::ReverseRotate},
    {"Scale", false, false, false, R::ReverseScale},
    {"Clone", false, true, true, R::VerticesAndFaces},
    {"Weld", false, true, true, R::VerticesAndFaces},
    {"Extrude", false, true, true, R::VerticesAndFaces},
    {"Merge", false, true, true, R::VerticesAndFaces},
    {"Align", false, true, false, R::Vertices},
    {"Set Coordinates", false, true, false, R::Vertices},
    {"Recalculate Normals", false, true, false, R::Vertices},
    {"Assign Vertex Group", false, true, false, R::Vertices},
    {"Snap", false, true, false, R::Vertices},
    {"Mirror", false, true, false, R::Vertices},
    {"Snap Normals", false, true, false, R::Vertices},
    {"Delete Face", false, false, true, R::Faces},
    {"Set Active Axes", false, false, false, R::AxisLocks},
}};

static_assert(kinds.size() == static_cast<std::size_t>(UndoKind::SetActiveAxes) + 1,
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
