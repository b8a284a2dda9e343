#include "common/recording_canvas.h"
#include "editor/interaction/command_effects.h"
#include "editor/interaction/editor_state.h"
#include "editor/interaction/window_controls.h"
#include "editor/views/view_navigation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using common::RecordingCanvas;
using editor::EditorState;
using editor::PanDirection;
using editor::View;

struct LoadedViews {
    EditorState state;
    RecordingCanvas front{3135, 3015};
    RecordingCanvas top{3135, 3015};
    RecordingCanvas left{3135, 3015};

    LoadedViews() {
        state.pbxFront = &front;
        state.pbxTop = &top;
        state.pbxLeft = &left;
        state.modelLoaded = true;
        state.vertices.resize(1);
    }
    // Runs a view command's redraw as the window does after it.
    void apply(editor::Changes changes) {
        state.changed(changes);
        editor::finishCommand(state);
    }
};

TEST(ZoomIn, ElevenStepsFromTwentyThenNoMoreAndNoRedraw) {
    LoadedViews views;
    for (int i = 0; i < 11; ++i)
        views.apply(editor::zoomIn(views.state, View::Front));
    EXPECT_NEAR(views.state.zoomFront, 20 * std::pow(1.25, 11), 1e-9);
    EXPECT_NEAR(views.state.zoomFront, 232.83, 0.01);
    EXPECT_EQ(views.state.redrawCount, 11);
    // Every zoom redraws all three views, though only one view changed.
    EXPECT_EQ(views.left.clears, 11);

    const double reached = views.state.zoomFront;
    views.apply(editor::zoomIn(views.state, View::Front));
    EXPECT_EQ(views.state.zoomFront, reached);
    EXPECT_EQ(views.state.redrawCount, 11);
    EXPECT_EQ(views.front.clears, 11);
    EXPECT_EQ(views.state.zoomTop, 20.0);
}

TEST(ZoomIn, ScalesThePanOffsetsRoundingHalfToEven) {
    LoadedViews views;
    views.state.panTopX = 2;   // 2.5 -> 2
    views.state.panTopY = -10; // -12.5 -> -12
    views.apply(editor::zoomIn(views.state, View::Top));
    EXPECT_EQ(views.state.panTopX, 2);
    EXPECT_EQ(views.state.panTopY, -12);
    EXPECT_EQ(views.state.zoomTop, 25.0);
    EXPECT_EQ(views.state.panFrontX, 0);
}

TEST(ZoomOut, ZoomInThenOutRestoresOffsetsButOutThenInCanDrift) {
    LoadedViews views;
    views.state.panLeftX = 3;
    views.state.panLeftY = 301;
    views.apply(editor::zoomIn(views.state, View::Left));
    views.apply(editor::zoomOut(views.state, View::Left));
    EXPECT_EQ(views.state.panLeftX, 3);
    EXPECT_EQ(views.state.panLeftY, 301);
    EXPECT_DOUBLE_EQ(views.state.zoomLeft, 20.0);

    views.apply(editor::zoomOut(views.state, View::Left)); // 3 * 0.8 = 2.4 -> 2
    EXPECT_EQ(views.state.panLeftX, 2);
    views.apply(editor::zoomIn(views.state, View::Left)); // 2 * 1.25 = 2.5 -> 2
    EXPECT_EQ(views.state.panLeftX, 2);
}

TEST(ZoomOut, NeverReachesZero) {
    LoadedViews views;
    for (int i = 0; i < 5000; ++i)
        views.apply(editor::zoomOut(views.state, View::Front));
    EXPECT_GT(views.state.zoomFront, 0.0);
    EXPECT_LE(views.state.zoomFront, editor::minimumZoomToZoomOut);
    const long redraws = views.state.redrawCount;
    views.apply(editor::zoomOut(views.state, View::Front));
    EXPECT_EQ(views.state.redrawCount, redraws);
    // Zooming in works again from there.
    const double low = views.state.zoomFront;
    views.apply(editor::zoomIn(views.state, View::Front));
    EXPECT_DOUBLE_EQ(views.state.zoomFront, low * 1.25);
}

TEST(Pan, ArrowsMoveByThreeHundredAndRedrawTheirViewOnly) {
    LoadedViews views;
    views.apply(editor::panView(views.state, View::Front, PanDirection::Up));
    views.apply(editor::panView(views.state, View::Front, PanDirection::Left));
    EXPECT_EQ(views.state.panFrontY, 300);
    EXPECT_EQ(views.state.panFrontX, 300);
    EXPECT_EQ(views.front.clears, 2);
    EXPECT_EQ(views.top.clears, 0);
    EXPECT_EQ(views.left.clears, 0);

    views.apply(editor::panView(views.state, View::Left, PanDirection::Down));
    views.apply(editor::panView(views.state, View::Left, PanDirection::Right));
    EXPECT_EQ(views.state.panLeftY, -300);
    EXPECT_EQ(views.state.panLeftX, -300);
    EXPECT_EQ(views.left.clears, 2);
    EXPECT_EQ(views.front.clears, 2);
}

TEST(Pan, BeforeLoadingChangesTheOffsetWithoutDrawingAndTheFirstRedrawShowsIt) {
    LoadedViews views;
    views.state.modelLoaded = false;
    views.apply(editor::panView(views.state, View::Top, PanDirection::Up));
    EXPECT_EQ(views.state.panTopY, 300);
    EXPECT_EQ(views.top.clears, 0);

    views.state.modelLoaded = true;
    editor::refreshViews(views.state, views.state);
    // The axis cross starts at H / 2 + 300.
    EXPECT_DOUBLE_EQ(views.top.calls[1].y1, 1507.5 + 300);
}

TEST(Pan, OffsetsSaturateInsteadOfWrappingAround) {
    LoadedViews views;
    views.state.panFrontX = 2147483600;
    views.apply(editor::panView(views.state, View::Front, PanDirection::Left));
    EXPECT_EQ(views.state.panFrontX, 2147483647);
    views.state.panFrontY = -2147483600;
    views.apply(editor::panView(views.state, View::Front, PanDirection::Down));
    EXPECT_EQ(views.state.panFrontY, -2147483647 - 1);
}

TEST(ShowNormals, TogglesTheFlagTheCheckMarkAndRedraws) {
    LoadedViews views;
    views.apply(editor::toggleShowNormals(views.state));
    EXPECT_TRUE(views.state.showNormals);
    EXPECT_TRUE(editor::menuState(views.state).mnuShowNormalsChecked);
    EXPECT_EQ(views.state.redrawCount, 1);
    views.apply(editor::toggleShowNormals(views.state));
    EXPECT_FALSE(views.state.showNormals);
    EXPECT_FALSE(editor::menuState(views.state).mnuShowNormalsChecked);
}

} // namespace
