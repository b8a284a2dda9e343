#include "editor/editing/undo_history.h"

#include "editor/editing/undo_command.h"
#include "editor/interaction/selection_commands.h"
#include "editor/interaction/tool_modes.h"
#include "support/editing_fixture.h"

#include <gtest/gtest.h>

#include <string>

using testing_support::EditingFixture;

namespace {

TEST(UndoHistory, StepsSaveOnlyWhatTheyAskForAsDeepCopies) {
    EditingFixture fixture;
    fixture.addVertex(1, 2, 3, true);
    fixture.addFace(0, 0, 0);
    editor::takeUndoSnapshot(fixture.state, true, false, true, 0, 0, 0, "Weld");
    fixture.state.vertices[0].selected = false;
    fixture.state.faces[0].a = 5;
    const auto& step = editor::undoEntry(fixture.state, 1);
    EXPECT_TRUE(step.used);
    EXPECT_EQ(step.selectionFlags, std::vector<bool>{true});
    EXPECT_TRUE(step.savedVertices.empty());
    ASSERT_EQ(step.savedFaces.size(), 1u);
    EXPECT_EQ(step.savedFaces[0].a, 0);
}

TEST(UndoHistory, NothingIsRecordedWithoutAModel) {
    EditingFixture fixture;
    fixture.state.modelLoaded = false;
    editor::takeUndoSnapshot(fixture.state, false, false, false, 1, 2, 3, "Move");
    EXPECT_TRUE(fixture.state.undoHistory.empty());
    EXPECT_FALSE(fixture.state.menus.mnuUndoEnabled);
    EXPECT_EQ(fixture.state.menus.mnuUndoCaption, "Undo");
}

TEST(UndoHistory, AFortyFirstStepDropsTheOldestAndFortyUndosEmptyIt) {
    EditingFixture fixture;
    fixture.addVertex(0, 0, 0);
    for (int k = 1; k <= 41; ++k)
        editor::takeUndoSnapshot(fixture.state, false, false, false, k, 0, 0,
                                 "Step " + std::to_string(k));
    EXPECT_EQ(fixture.state.undoHistory.size(), 40u);
    EXPECT_EQ(editor::undoEntry(fixture.state, 1).name, "Step 41");
    EXPECT_EQ(editor::undoEntry(fixture.state, 40).name, "Step 2");
    EXPECT_FALSE(editor::undoEntry(fixture.state, 41).used);
    EXPECT_EQ(fixture.state.menus.mnuUndoCaption, "Undo Step 41");

    for (int k = 0; k < 39; ++k)
        editor::undoLast(fixture.state);
    EXPECT_EQ(fixture.state.menus.mnuUndoCaption, "Undo Step 2");
    EXPECT_TRUE(fixture.state.menus.mnuUndoEnabled);
    editor::undoLast(fixture.state);
    EXPECT_TRUE(fixture.state.undoHistory.empty());
    EXPECT_FALSE(fixture.state.menus.mnuUndoEnabled);
    EXPECT_EQ(fixture.state.menus.mnuUndoCaption, "Undo");
}

TEST(UndoHistory, AxisTogglesSeparatedByAnotherStepAreTwoSteps) {
    EditingFixture fixture;
    fixture.addVertex(0, 0, 0);
    editor::toggleAxis(fixture.state, 'x');
    editor::selectAll(fixture.state);
    editor::toggleAxis(fixture.state, 'y');
    ASSERT_EQ(fixture.state.undoHistory.size(), 3u);
    const auto& newest = editor::undoEntry(fixture.state, 1);
    EXPECT_EQ(newest.name, "Set Active Axes");
    EXPECT_EQ(newest.amount1, 0.0); // X was already off when Y was toggled
    EXPECT_EQ(newest.amount2, 1.0);
    EXPECT_EQ(newest.amount3, 1.0);
    EXPECT_EQ(editor::undoEntry(fixture.state, 3).amount1, 1.0);
}

} // namespace
