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
    // Whole-model steps: the document and the edited geoset's arrays, saved whole.
    ModelFix,
    ImportMesh,
    SplitSelection,
    DuplicateGeoset,
    DeleteGeoset,
    MergeGeosets,
    SetMaterial,
    MoveGeoset,
    ConvertVersion,
};

// What a step saves when it is recorded. Undo and Redo both exchange the saved records with
// the current ones, so a step reversed once holds what it takes to re-apply it.
enum class UndoRestore {
    SelectionFlags,   // the selection flags of every vertex
    DeletedFlags,     // the deleted flags of every vertex
    Placements,       // positions and normals of the selected vertices
    VerticesAndFaces, // both arrays
    Vertices,         // the vertex array
    Faces,            // the face array
    AxisLocks,        // the three axis flags
    Document,         // the whole model and the edited geoset's arrays
};

struct UndoKindInfo {
    const char* caption;
    UndoRestore restore;
    // The step changes what is saved in the model file (not only the selection or the tools).
    bool changesDocument;
};

const UndoKindInfo& undoKindInfo(UndoKind kind);

// The rotation step about an axis ('x', 'y' or 'z'), and the axis of a rotation step.
UndoKind rotateKind(char axis);
char rotationAxis(UndoKind kind);

} // namespace editor
