#include "editor/editing/undo_command.h"
#include "editor/interaction/window_controls.h"

#include "editor/editing/tool_modes.h"
#include "editor/editing/transforms.h"
#include "editor/editing/undo_history.h"
#include "support/editing_fixture.h"

#include <gtest/gtest.h>

using editor::UndoKind;
using testing_support::EditingFixture;

namespace {

struct UndoTest : ::testing::Test, EditingFixture {
    UndoTest() {
        addVertex(0, 0, 0, true).normalX = 1;
        addVertex(2, 0, 0, true);
        addVertex(5, 5, 5);
        addFace(0, 1, 2);
    }
};

TEST_F(UndoTest, SelectionKindsRestoreEveryFlag) {
    for (auto kind : {UndoKind::Selection, UndoKind::InvertSelection, UndoKind::SelectAll}) {
        const auto name = editor::undoKindInfo(kind).caption;
        select({0, 1});
        editor::takeUndoSnapshot(state, kind);
        select({2});
        editor::undoLast(state);
        EXPECT_TRUE(state.vertices[0].selected) << name;
        EXPECT_TRUE(state.vertices[1].selected) << name;
        EXPECT_FALSE(state.vertices[2].selected) << name;
    }
}

TEST_F(UndoTest, SelectionFlagsOfAnotherLengthRestoreWhatBothHold) {
    editor::takeUndoSnapshot(state, UndoKind::Selection); // 3 flags
    addVertex(9, 9, 9, true);
    addVertex(9, 9, 9, true);
    state.vertices[0].selected = false;
    editor::undoLast(state);
    EXPECT_TRUE(state.vertices[0].selected);
    EXPECT_FALSE(state.vertices[3].selected);
    EXPECT_FALSE(state.vertices[4].selected);

    select({0, 1, 2, 3, 4});
    editor::takeUndoSnapshot(state, UndoKind::Selection); // 5 flags
    state.vertices.resize(2);
    editor::undoLast(state);
    EXPECT_EQ(state.vertices.size(), 2u);
    EXPECT_TRUE(state.vertices[1].selected);
}

TEST_F(UndoTest, DeleteBringsBackWhatItDeletedOnly) {
    state.vertices[1].deleted = true; // deleted before, and selected
    editor::takeUndoSnapshot(state, UndoKind::Delete);
    state.vertices[0].deleted = state.vertices[1].deleted = true;
    editor::undoLast(state);
    EXPECT_FALSE(state.vertices[0].deleted);
    EXPECT_TRUE(state.vertices[0].selected);
    EXPECT_TRUE(state.vertices[1].deleted);
    EXPECT_FALSE(state.vertices[2].deleted);
}

TEST_F(UndoTest, MoveRotateAndScaleRunBackwards) {
    const auto vertices = state.vertices;
    editor::moveSelection(state, 2, 0, -1, true);
    EXPECT_EQ(editor::menuState(state).mnuUndoCaption, "Undo Move");
    editor::undoLast(state);
    EXPECT_EQ(state.vertices, vertices);

    editor::scaleSelection(state, 64, 0, true);
    editor::undoLast(state);
    EXPECT_DOUBLE_EQ(state.vertices[1].x, 2);

    editor::rotateSelection(state, 90, 'z', true);
    EXPECT_EQ(editor::menuState(state).mnuUndoCaption, "Undo Rotate z");
    editor::undoLast(state);
    EXPECT_NEAR(state.vertices[1].x, 2, 1e-9);
    EXPECT_NEAR(state.vertices[1].y, 0, 1e-9);
    EXPECT_NEAR(state.vertices[0].normalX, 1, 1e-9);
    EXPECT_TRUE(state.undoHistory.empty());
}

TEST_F(UndoTest, RotateThenUndoGivesBackTheExactNumbers) {
    state.vertices[0].x = 93.8621;
    state.vertices[1].y = -17.25;
    state.vertices[1].normalZ = 0.3;
    const auto vertices = state.vertices;
    for (char axis : {'x', 'y', 'z'}) {
        editor::rotateSelection(state, 37, axis, true);
        EXPECT_NE(state.vertices, vertices);
        editor::undoLast(state);
        EXPECT_EQ(state.vertices, vertices) << axis;
    }
}

TEST_F(UndoTest, UndoRestoresOnlyTheTransformedRecordsWhileTheCloneToggleIsOn) {
    editor::moveSelection(state, 4, 0, 0, true);
    state.cloneMode = true;
    state.vertices[2].u = 0.75; // a change no step recorded
    editor::undoLast(state);
    ASSERT_EQ(state.vertices.size(), 3u);
    EXPECT_EQ(state.vertices[0].x, 0);
    EXPECT_EQ(state.vertices[1].x, 2);
    EXPECT_EQ(state.vertices[2].u, 0.75);
    EXPECT_TRUE(state.cloneMode); // undo no longer runs a transformation
}

TEST_F(UndoTest, RedoReappliesAndANewStepClearsIt) {
    const auto before = state.vertices;
    editor::moveSelection(state, 1, 2, 3, true);
    const auto moved = state.vertices;
    editor::scaleSelection(state, 30, 4, true);
    const auto scaled = state.vertices;
    EXPECT_FALSE(editor::menuState(state).mnuRedoEnabled);

    editor::undoLast(state);
    editor::undoLast(state);
    EXPECT_EQ(state.vertices, before);
    EXPECT_EQ(editor::menuState(state).mnuRedoCaption, "Redo Move");
    editor::redoLast(state);
    EXPECT_EQ(state.vertices, moved);
    EXPECT_EQ(editor::menuState(state).mnuRedoCaption, "Redo Scale");
    EXPECT_EQ(editor::menuState(state).mnuUndoCaption, "Undo Move");
    editor::redoLast(state);
    EXPECT_EQ(state.vertices, scaled);
    EXPECT_FALSE(editor::menuState(state).mnuRedoEnabled);
    editor::redoLast(state); // nothing left to redo
    EXPECT_EQ(state.vertices, scaled);

    editor::undoLast(state);
    EXPECT_TRUE(editor::menuState(state).mnuRedoEnabled);
    editor::takeUndoSnapshot(state, UndoKind::Selection);
    EXPECT_FALSE(editor::menuState(state).mnuRedoEnabled);
    EXPECT_EQ(editor::menuState(state).mnuRedoCaption, "Redo");
}

TEST_F(UndoTest, RedoOfEveryKindGivesBackTheStateAfterTheStep) {
    for (int k = 0; k <= static_cast<int>(UndoKind::SetActiveAxes); ++k) {
        const auto kind = static_cast<UndoKind>(k);
        const auto name = editor::undoKindInfo(kind).caption;
        editor::takeUndoSnapshot(state, kind);
        state.vertices[0].x += 1.5;
        state.vertices[0].normalY -= 0.25;
        state.vertices[1].selected = !state.vertices[1].selected;
        state.vertices[2].deleted = !state.vertices[2].deleted;
        state.faces[0].c = 0;
        state.axisYEnabled = !state.axisYEnabled;
        const auto after = state;
        editor::undoLast(state);
        editor::redoLast(state);
        EXPECT_EQ(state.vertices, after.vertices) << name;
        EXPECT_EQ(state.faces, after.faces) << name;
        EXPECT_EQ(state.axisYEnabled, after.axisYEnabled) << name;
    }
}

TEST_F(UndoTest, TheRedoListSurvivesTheHistoryCap) {
    for (int i = 0; i < editor::undoHistorySize; ++i)
        editor::moveSelection(state, 1, 0, 0, true);
    editor::undoLast(state);
    editor::undoLast(state);
    editor::redoLast(state);
    EXPECT_EQ(state.undoHistory.size(), 39u);
    EXPECT_EQ(state.redoHistory.size(), 1u);
    editor::redoLast(state);
    EXPECT_EQ(state.undoHistory.size(), 40u);
    EXPECT_EQ(state.vertices[0].x, 40);
}

TEST_F(UndoTest, StepsThatChangeTheFileMarkItUnsaved) {
    editor::takeUndoSnapshot(state, UndoKind::Selection);
    editor::toggleAxis(state, 'x');
    EXPECT_FALSE(state.unsavedChanges);
    editor::moveSelection(state, 1, 0, 0, true);
    EXPECT_TRUE(state.unsavedChanges);
}

TEST_F(UndoTest, ArrayKindsRestoreTheirArrays) {
    const auto vertices = state.vertices;
    const auto faces = state.faces;
    for (auto kind : {UndoKind::Clone, UndoKind::Weld, UndoKind::Extrude, UndoKind::Merge}) {
        const auto name = editor::undoKindInfo(kind).caption;
        editor::takeUndoSnapshot(state, kind);
        addVertex(7, 7, 7);
        state.vertices[0].x = 3;
        addFace(3, 3, 3);
        editor::undoLast(state);
        EXPECT_EQ(state.vertices, vertices) << name;
        EXPECT_EQ(state.faces, faces) << name;
    }
    for (auto kind :
         {UndoKind::Align, UndoKind::SetCoordinates, UndoKind::RecalculateNormals,
          UndoKind::AssignVertexGroup, UndoKind::Snap, UndoKind::Mirror, UndoKind::SnapNormals}) {
        const auto name = editor::undoKindInfo(kind).caption;
        editor::takeUndoSnapshot(state, kind);
        state.vertices[0].normalY = 0.5;
        state.vertices[1].vertexGroup = 2;
        state.faces[0].deleted = true;
        editor::undoLast(state);
        EXPECT_EQ(state.vertices, vertices) << name;
        EXPECT_TRUE(state.faces[0].deleted) << name; // faces are not part of these steps
        state.faces[0].deleted = false;
    }
}

TEST_F(UndoTest, DeleteFaceRestoresFacesOnly) {
    editor::takeUndoSnapshot(state, UndoKind::DeleteFace);
    state.faces[0].deleted = true;
    state.vertices[0].x = 8;
    state.vertices[2].selected = true;
    editor::undoLast(state);
    EXPECT_FALSE(state.faces[0].deleted);
    EXPECT_EQ(state.vertices[0].x, 8);
    EXPECT_TRUE(state.vertices[2].selected);
}

TEST_F(UndoTest, ARunOfAxisTogglesUndoesAsOneStep) {
    editor::toggleAxis(state, 'x');
    editor::toggleAxis(state, 'y');
    editor::toggleAxis(state, 'x');
    editor::toggleAxis(state, 'z');
    ASSERT_EQ(state.undoHistory.size(), 1u);
    EXPECT_EQ(editor::menuState(state).mnuUndoCaption, "Undo Set Active Axes");
    editor::undoLast(state);
    EXPECT_TRUE(state.axisXEnabled);
    EXPECT_TRUE(state.axisYEnabled);
    EXPECT_TRUE(state.axisZEnabled);
    EXPECT_EQ(editor::toolButtonState(state).cmdActivateY, editor::ButtonColour::ButtonFace);
    EXPECT_TRUE(editor::toolButtonState(state).mnuZEnabledChecked);
}

TEST_F(UndoTest, AnEmptyHistoryRestoresNothing) {
    state.vertices[0].x = 4;
    editor::undoLast(state);
    EXPECT_EQ(state.vertices[0].x, 4);
    EXPECT_EQ(editor::menuState(state).mnuUndoCaption, "Undo");
}

} // namespace
