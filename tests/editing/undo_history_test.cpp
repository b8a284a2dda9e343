#include "editor/editing/undo_history.h"
#include "editor/interaction/window_controls.h"

#include "editor/editing/selection_commands.h"
#include "editor/editing/tool_modes.h"
#include "editor/editing/undo_command.h"
#include "support/editing_fixture.h"

#include <gtest/gtest.h>

#include <string>

using testing_support::EditingFixture;

namespace {

TEST(UndoHistory, StepsSaveOnlyWhatTheirKindNeedsAsDeepCopies) {
    EditingFixture fixture;
    fixture.addVertex(1, 2, 3, true);
    fixture.addFace(0, 0, 0);
    editor::takeUndoSnapshot(fixture.state, editor::UndoKind::Selection);
    editor::takeUndoSnapshot(fixture.state, editor::UndoKind::DeleteFace);
    fixture.state.vertices[0].selected = false;
    fixture.state.faces[0].a = 5;
    const auto& faces = editor::undoEntry(fixture.state, 1);
    EXPECT_TRUE(faces.used);
    EXPECT_TRUE(faces.selectionFlags.empty());
    EXPECT_TRUE(faces.savedVertices.empty());
    ASSERT_EQ(faces.savedFaces.size(), 1u);
    EXPECT_EQ(faces.savedFaces[0].a, 0);
    const auto& selection = editor::undoEntry(fixture.state, 2);
    EXPECT_EQ(selection.selectionFlags, std::vector<bool>{true});
    EXPECT_TRUE(selection.savedVertices.empty());
    EXPECT_TRUE(selection.savedFaces.empty());
}

TEST(UndoHistory, NothingIsRecordedWithoutAModel) {
    EditingFixture fixture;
    fixture.state.modelLoaded = false;
    editor::takeUndoSnapshot(fixture.state, editor::UndoKind::Move, 1, 2, 3);
    EXPECT_TRUE(fixture.state.undoHistory.empty());
    EXPECT_FALSE(editor::menuState(fixture.state).mnuUndoEnabled);
    EXPECT_EQ(editor::menuState(fixture.state).mnuUndoCaption, "Undo");
}

TEST(UndoHistory, AFortyFirstStepDropsTheOldestAndFortyUndosEmptyIt) {
    EditingFixture fixture;
    fixture.addVertex(0, 0, 0);
    for (int k = 1; k <= 41; ++k)
        editor::takeUndoSnapshot(fixture.state,
                                 k % 2 ? editor::UndoKind::Move : editor::UndoKind::Scale, k);
    EXPECT_EQ(fixture.state.undoHistory.size(), 40u);
    EXPECT_EQ(editor::undoEntry(fixture.state, 1).amount1, 41);
    EXPECT_EQ(editor::undoEntry(fixture.state, 40).amount1, 2);
    EXPECT_FALSE(editor::undoEntry(fixture.state, 41).used);
    EXPECT_EQ(editor::menuState(fixture.state).mnuUndoCaption, "Undo Move");

    for (int k = 0; k < 39; ++k)
        editor::undoLast(fixture.state);
    EXPECT_EQ(editor::undoEntry(fixture.state, 1).amount1, 2);
    EXPECT_EQ(editor::menuState(fixture.state).mnuUndoCaption, "Undo Scale");
    EXPECT_TRUE(editor::menuState(fixture.state).mnuUndoEnabled);
    editor::undoLast(fixture.state);
    EXPECT_TRUE(fixture.state.undoHistory.empty());
    EXPECT_FALSE(editor::menuState(fixture.state).mnuUndoEnabled);
    EXPECT_EQ(editor::menuState(fixture.state).mnuUndoCaption, "Undo");
}

TEST(UndoHistory, AxisTogglesSeparatedByAnotherStepAreTwoSteps) {
    EditingFixture fixture;
    fixture.addVertex(0, 0, 0);
    editor::toggleAxis(fixture.state, 'x');
    editor::selectAll(fixture.state);
    editor::toggleAxis(fixture.state, 'y');
    ASSERT_EQ(fixture.state.undoHistory.size(), 3u);
    const auto& newest = editor::undoEntry(fixture.state, 1);
    EXPECT_EQ(newest.name(), "Set Active Axes");
    EXPECT_EQ(newest.amount1, 0.0); // X was already off when Y was toggled
    EXPECT_EQ(newest.amount2, 1.0);
    EXPECT_EQ(newest.amount3, 1.0);
    EXPECT_EQ(editor::undoEntry(fixture.state, 3).amount1, 1.0);
}

} // namespace
