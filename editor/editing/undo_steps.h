#pragma once

namespace editor {

// The kinds of undo step. Each kind has one caption ("Undo " + caption in the Edit menu), saves
// a fixed part of the state when it is recorded, and is reversed in one way.
enum class UndoKind {
    Selection,
    InvertSelection,
    SelectAll,
    Delete,
    Move,
    RotateX,
    RotateY,
    RotateZ,
    Scale,
    Clone,
    Weld,
    Extrude,
    Merge,
    Align,
    SetCoordinates,
    RecalculateNormals,
    AssignVertexGroup,
    Snap,
    Mirror,
    SnapNormals,
    DeleteFace,
    SetActiveAxes,
};

// How a step is reversed.
enum class UndoRestore {
    SelectionFlags,   // the saved selection flags come back
    Undelete,         // the selected vertices are no longer deleted
    ReverseMove,      // the move runs again with negated amounts on the current selection
    ReverseRotate,    // likewise the rotation about the step's axis
    ReverseScale,     // likewise the scaling
    VerticesAndFaces, // both saved arrays come back
    Vertices,         // the saved vertex array comes back
    Faces,            // the saved face array comes back
    AxisLocks,        // the three saved axis flags come back
};

struct UndoKindInfo {
    const char* caption;
    bool savesSelection;
    bool savesVertices;
    bool savesFaces;
    UndoRestore restore;
};

const UndoKindInfo& undoKindInfo(UndoKind kind);

// The rotation step about an axis ('x', 'y' or 'z'), and the axis of a rotation step.
UndoKind rotateKind(char axis);
char rotationAxis(UndoKind kind);

} // namespace editor
