#include "editor/interaction/editor_state.h"
#include "editor/interaction/tips.h"
#include "editor/interaction/view_hover.h"

#include <gtest/gtest.h>

namespace {

using editor::EditorState;
using editor::View;

TEST(HoverView, TopViewReadOutInTheFilesAxisOrder) {
    EditorState state;
    state.modelControlsEnabled = true;
    editor::toggleTips(state);
    // Model x = 1.23456, z = -2 in a 3135 x 3015 top view at zoom 20.
    editor::hoverView(state, View::Top, 1567.5 + 20 * 1.23456, 1507.5 + 40);
    EXPECT_EQ(state.txtXText, "-2");
    EXPECT_EQ(state.txtYText, "1.235");
    EXPECT_EQ(state.txtZText, "0");
    EXPECT_EQ(state.txtTipsText, "Top viewport");
}

TEST(HoverView, FrontAndLeftViews) {
    EditorState state;
    state.modelControlsEnabled = true;
    editor::hoverView(state, View::Front, 1575, 1500);
    EXPECT_EQ(state.txtXText, "0");
    EXPECT_EQ(state.txtYText, "0.375");
    EXPECT_EQ(state.txtZText, "0.375");
    EXPECT_EQ(state.txtTipsText, "") << "tips are off";

    editor::hoverView(state, View::Left, 1775, 1300);
    EXPECT_EQ(state.txtXText, "10.375");
    EXPECT_EQ(state.txtYText, "0");
    EXPECT_EQ(state.txtZText, "10.375");
}

TEST(HoverView, NothingBeforeAGeosetIsRead) {
    EditorState state;
    editor::toggleTips(state);
    state.txtTipsText = "kept";
    editor::hoverView(state, View::Front, 100, 100);
    EXPECT_EQ(state.txtXText, "");
    EXPECT_EQ(state.txtTipsText, "kept");
}

} // namespace
