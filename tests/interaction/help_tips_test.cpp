#include "common/scripted_dialogs.h"
#include "editor/interaction/editor_state.h"
#include "editor/interaction/help_texts.h"
#include "editor/interaction/tips.h"
#include "editor/interaction/window_controls.h"

#include <gtest/gtest.h>

namespace {

using editor::EditorState;
using editor::HelpTopic;

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(HelpTexts, SelectionEndsWithALineBreakAndMarkersDoesNot) {
    const auto selection = editor::helpText(HelpTopic::Selection);
    EXPECT_EQ(selection.title, "Selection");
    EXPECT_TRUE(endsWith(selection.text, "are selected.\r\n"));
    EXPECT_FALSE(endsWith(selection.text, "\r\n\r\n"));

    const auto markers = editor::helpText(HelpTopic::Markers);
    EXPECT_EQ(markers.title, "Markers");
    EXPECT_TRUE(endsWith(markers.text, "at the center of the selected vertices."));
}

TEST(HelpTexts, PiecesAreJoinedWithSingleAndDoubleLineBreaks) {
    const auto selection = editor::helpText(HelpTopic::Selection).text;
    EXPECT_NE(selection.find("your selection.\r\n\r\n'Select' clears"), std::string::npos);
    EXPECT_NE(selection.find("help with selection.\r\n - Edit->Select All: Selects everything."
                             "\r\n - Edit->Invert Selection:"),
              std::string::npos);

    const auto transformations = editor::helpText(HelpTopic::Transformations).text;
    EXPECT_NE(transformations.find("use any of them.\r\n\r\n'Move' just moves"), std::string::npos);
    EXPECT_TRUE(endsWith(transformations, "clicking the X, Y, or Z buttons."));

    const auto markers = editor::helpText(HelpTopic::Markers).text;
    EXPECT_NE(markers.find("head up.\r\n\r\nThere are three ways"), std::string::npos);
    EXPECT_NE(markers.find("View menu.\r\n - Coordinate input:"), std::string::npos);

    for (auto topic : {HelpTopic::Summary, HelpTopic::Navigation, HelpTopic::Cloning})
        EXPECT_EQ(editor::helpText(topic).text.find('\r'), std::string::npos);
}

TEST(HelpTexts, ShownInOneMessageBoxWithTheirTitle) {
    EditorState state;
    common::ScriptedDialogs dialogs;
    state.dialogs = &dialogs;
    editor::showHelp(state, HelpTopic::Navigation);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Navigation");
    EXPECT_TRUE(dialogs.shown[0].text.starts_with("The three viewports here are front, top, and "
                                                  "left."));
}

TEST(About, ShowsTheVersionText) {
    EditorState state;
    common::ScriptedDialogs dialogs;
    state.dialogs = &dialogs;
    state.versionText = "2.5";
    editor::showAbout(state);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "About");
    EXPECT_NE(dialogs.shown[0].text.find("2.5"), std::string::npos);
}

TEST(Tips, ShownOnlyWhileEnabledAndKeptWhileHidden) {
    EditorState state;
    EXPECT_TRUE(state.txtTipsVisible);
    editor::showControlTip(state, "cmdClone");
    EXPECT_EQ(state.txtTipsText, "") << "tips are off at start";

    editor::toggleTips(state);
    EXPECT_TRUE(editor::menuState(state).mnuEnableTipsChecked);
    editor::showControlTip(state, "cmdClone");
    EXPECT_EQ(state.txtTipsText,
              "Activates clone mode, where a duplicate is left behind after a transformation.");
    // A control without a tip leaves the last tip; the bare window empties the box.
    editor::showControlTip(state, "cmdZoomInFront");
    EXPECT_EQ(state.txtTipsText.substr(0, 10), "Activates ");
    editor::showControlTip(state, "cmdSnap");
    editor::showControlTip(state, "frmMoldrin");
    EXPECT_EQ(state.txtTipsText, "");

    editor::showControlTip(state, "txtY");
    editor::toggleTips(state);
    EXPECT_FALSE(state.txtTipsVisible);
    editor::showControlTip(state, "cmdMove");
    editor::showTip(state, "Front viewport");
    editor::toggleTips(state);
    EXPECT_TRUE(state.txtTipsVisible);
    EXPECT_EQ(state.txtTipsText,
              "Shows the Y coordinate the mouse is hovering over in a viewport.");
}

} // namespace
