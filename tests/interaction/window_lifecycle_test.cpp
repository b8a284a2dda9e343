#include "common/scripted_dialogs.h"
#include "editor/interaction/editor_state.h"
#include "editor/interaction/window_controls.h"
#include "editor/interaction/window_lifecycle.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using editor::ButtonColour;
using editor::EditorState;

TEST(LoadMainWindow, SetsTheDefaultsAndShowsTheToolButtons) {
    EditorState state;
    state.zoomTop = 3;
    state.selectionMode = "D";
    state.transformMode = "E";
    state.axisYEnabled = false;
    state.mouseArmed = false;
    state.versionText.clear();
    editor::loadMainWindow(state, "1.23");
    EXPECT_EQ(state.zoomTop, 20.0);
    EXPECT_EQ(state.selectionMode, "S");
    EXPECT_EQ(state.transformMode, "M");
    EXPECT_TRUE(state.axisYEnabled);
    EXPECT_TRUE(state.mouseArmed);
    EXPECT_EQ(state.versionText, "1.14");
    EXPECT_EQ(editor::toolButtonState(state).cmdSelect, ButtonColour::White);
    EXPECT_EQ(editor::toolButtonState(state).cmdMove, ButtonColour::White);
    EXPECT_EQ(editor::toolButtonState(state).cmdExtrude, ButtonColour::ButtonFace);
    EXPECT_TRUE(editor::toolButtonState(state).mnuYEnabledChecked);
}

TEST(LoadMainWindow, WarnsOnceAboutADecimalComma) {
    EditorState state;
    common::ScriptedDialogs dialogs;
    state.dialogs = &dialogs;
    editor::loadMainWindow(state, "1.23");
    EXPECT_TRUE(dialogs.shown.empty());

    editor::loadMainWindow(state, "1,23");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Warning");
    EXPECT_TRUE(dialogs.shown[0].text.starts_with(
        "Warning: You are using commas as a decimal instead of periods. The program will not "
        "work with that setting. Go to "));
    EXPECT_TRUE(dialogs.shown[0].text.ends_with(" for instructions on changing that."));
    EXPECT_EQ(state.versionText, "1.14") << "the program goes on as usual";
}

TEST(ArmingTimer, AllowsBoxSelectionAgain) {
    EditorState state;
    state.mouseArmed = false;
    editor::armingTimerFired(state);
    EXPECT_TRUE(state.mouseArmed);
}

TEST(CloseMainWindow, DeletesTheWorkingCopyOnly) {
    testing_support::TempFolder folder;
    EditorState state;
    state.modelPath = folder.write("orc.mdl", "Version {\r\n}\r\n");
    state.tempPath = folder.write("orc_TMP.tdl", "Version {\r\n}\r\n");
    editor::closeMainWindow(state);
    EXPECT_FALSE(testing_support::fileExists(state.tempPath));
    EXPECT_TRUE(testing_support::fileExists(state.modelPath));
    // A working copy that is already gone is no failure.
    editor::closeMainWindow(state);
}

TEST(CloseMainWindow, BeforeAnyOpenDeletesNothing) {
    testing_support::TempFolder folder;
    const auto other = folder.write("keep.tdl", "x");
    EditorState state;
    editor::closeMainWindow(state);
    EXPECT_TRUE(testing_support::fileExists(other));
}

} // namespace
