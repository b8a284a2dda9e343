#include "editor/editing/tool_modes.h"
#include "editor/interaction/window_controls.h"

#include "editor/editing/undo_history.h"
#include "support/editing_fixture.h"

#include <gtest/gtest.h>

using editor::ButtonColour;
using testing_support::EditingFixture;

namespace {

TEST(ToolModes, ModeButtonsShowTheCurrentModesInWhite) {
    EditingFixture fixture;
    auto& state = fixture.state;
    editor::setSelectionMode(state, "A");
    editor::setTransformMode(state, "S"); // Scale: the selection mode keeps its button
    const auto b = editor::toolButtonState(state);
    EXPECT_EQ(b.cmdAdd, ButtonColour::White);
    EXPECT_EQ(b.cmdSelect, ButtonColour::ButtonFace);
    EXPECT_EQ(b.cmdDeselect, ButtonColour::ButtonFace);
    EXPECT_EQ(b.cmdScale, ButtonColour::White);
    EXPECT_EQ(b.cmdMove, ButtonColour::ButtonFace);
    EXPECT_EQ(b.cmdRotate, ButtonColour::ButtonFace);
    EXPECT_EQ(b.cmdExtrude, ButtonColour::ButtonFace);
    EXPECT_EQ(state.selectionMode, "A");
    EXPECT_EQ(state.transformMode, "S");
}

TEST(ToolModes, CloneTogglesLightRedAndBackWithoutAStep) {
    EditingFixture fixture;
    editor::toggleCloneMode(fixture.state);
    EXPECT_TRUE(fixture.state.cloneMode);
    EXPECT_EQ(editor::toolButtonState(fixture.state).cmdClone, ButtonColour::LightRed);
    editor::toggleCloneMode(fixture.state);
    EXPECT_EQ(editor::toolButtonState(fixture.state).cmdClone, ButtonColour::ButtonFace);
    EXPECT_TRUE(fixture.state.undoHistory.empty());
}

TEST(ToolModes, AxisToggleGreysTheButtonAndClearsTheCheckMark) {
    EditingFixture fixture;
    editor::toggleAxis(fixture.state, 'y');
    EXPECT_FALSE(fixture.state.axisYEnabled);
    EXPECT_EQ(editor::toolButtonState(fixture.state).cmdActivateY, ButtonColour::Grey);
    EXPECT_FALSE(editor::toolButtonState(fixture.state).mnuYEnabledChecked);
    EXPECT_TRUE(editor::toolButtonState(fixture.state).mnuXEnabledChecked);
    editor::toggleAxis(fixture.state, 'y');
    EXPECT_TRUE(editor::toolButtonState(fixture.state).mnuYEnabledChecked);
}

TEST(ToolModes, AxisToggleWithoutAModelFlipsButRecordsNothing) {
    EditingFixture fixture;
    fixture.state.modelLoaded = false;
    editor::toggleAxis(fixture.state, 'x');
    EXPECT_FALSE(fixture.state.axisXEnabled);
    EXPECT_EQ(editor::toolButtonState(fixture.state).cmdActivateX, ButtonColour::Grey);
    EXPECT_TRUE(fixture.state.undoHistory.empty());
}

TEST(ToolModes, RecordAxisStateKeepsTheAxesBeforeTheFirstToggleOfARun) {
    EditingFixture fixture;
    fixture.state.axisZEnabled = false;
    editor::toggleAxis(fixture.state, 'x');
    editor::toggleAxis(fixture.state, 'y');
    editor::toggleAxis(fixture.state, 'x');
    ASSERT_EQ(fixture.state.undoHistory.size(), 1u);
    const auto& step = editor::undoEntry(fixture.state, 1);
    EXPECT_EQ(step.name(), "Set Active Axes");
    EXPECT_EQ(step.amount1, 1.0);
    EXPECT_EQ(step.amount2, 1.0);
    EXPECT_EQ(step.amount3, 0.0);
    EXPECT_TRUE(step.savedVertices.empty() && step.selectionFlags.empty());
}

} // namespace
