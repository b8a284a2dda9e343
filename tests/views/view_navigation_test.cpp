#include "common/recording_canvas.h"
#include "editor/interaction/command_effects.h"
#include "editor/interaction/editor_state.h"
#include "editor/interaction/window_controls.h"
#include "editor/views/view_navigation.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <utility>

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

// ---- Fit, wheel zoom and drag pan ----

// Where a model point lands in a view, in twips.
std::pair<double, double> placed(const EditorState& state, View view, double h, double v) {
    const auto g = editor::viewGeometry(state, view);
    return {editor::projectH(h, g.zoom, g.panX, g.canvas->width()),
            editor::projectV(v, g.zoom, g.panY, g.canvas->height())};
}

TEST(FitAll, EveryLiveVertexLandsInsideEachViewWithItsMargin) {
    LoadedViews views;
    auto& state = views.state;
    state.vertices.clear();
    for (auto [x, y, z] : {std::array{-40.0, 10.0, 300.0}, std::array{60.0, 250.0, 280.0},
                           std::array{5.0, 120.0, 900.0}}) {
        editor::VertexRecord vertex;
        vertex.x = x, vertex.y = y, vertex.z = z;
        state.vertices.push_back(vertex);
    }
    editor::VertexRecord farAway;
    farAway.x = 1e6;
    farAway.deleted = true; // deleted vertices do not count
    state.vertices.push_back(farAway);

    const auto changes = editor::fitAllViews(state, state);
    EXPECT_TRUE(changes.has(editor::Change::FrontView) && changes.has(editor::Change::LeftView));
    for (auto view : {View::Front, View::Top, View::Left}) {
        const auto g = editor::viewGeometry(state, view);
        double lowH = 1e9, highH = -1e9, lowV = 1e9, highV = -1e9;
        for (std::size_t i = 0; i < 3; ++i) {
            const auto& v = state.vertices[i];
            const auto on = [&](char axis) { return axis == 'x' ? v.x : axis == 'y' ? v.y : v.z; };
            const auto [h, up] = placed(state, view, on(g.hAxis), on(g.vAxis));
            lowH = std::min(lowH, h), highH = std::max(highH, h);
            lowV = std::min(lowV, up), highV = std::max(highV, up);
        }
        const double marginH = 3135 * editor::fitMargin, marginV = 3015 * editor::fitMargin;
        EXPECT_GE(lowH, marginH - 1);
        EXPECT_LE(highH, 3135 - marginH + 1);
        EXPECT_GE(lowV, marginV - 1);
        EXPECT_LE(highV, 3015 - marginV + 1);
        // It fills the view along one of its axes.
        EXPECT_TRUE(std::abs(highH - lowH - 3135 * (1 - 2 * editor::fitMargin)) < 2 ||
                    std::abs(highV - lowV - 3015 * (1 - 2 * editor::fitMargin)) < 2);
    }
}

TEST(FitAll, AFlatOrSinglePointGeosetIsCentredAndAnEmptyOneChangesNothing) {
    LoadedViews views;
    auto& state = views.state;
    state.vertices[0].x = 7;
    state.vertices[0].y = -3;
    editor::fitAllViews(state, state);
    EXPECT_EQ(state.zoomFront, 20.0); // no extent: the zoom stays
    const auto [h, v] = placed(state, View::Front, 7, -3);
    EXPECT_NEAR(h, 3135 / 2.0, 1);
    EXPECT_NEAR(v, 3015 / 2.0, 1);

    state.vertices[0].deleted = true;
    state.zoomTop = 3;
    EXPECT_EQ(editor::fitAllViews(state, state), editor::Changes());
    EXPECT_EQ(state.zoomTop, 3);
}

TEST(FitAll, OpeningAGeosetFitsItThroughTheChangeFlags) {
    LoadedViews views;
    auto& state = views.state;
    state.vertices[0].x = 5000;
    state.vertices.resize(2);
    state.changed(editor::Change::GeosetRead);
    editor::finishCommand(state);
    const auto [h, v] = placed(state, View::Front, 5000, 0);
    EXPECT_LE(h, 3135);
    EXPECT_GE(h, 0);
    EXPECT_GT(views.front.clears, 0);
}

TEST(WheelZoom, ThePointUnderThePointerStaysPut) {
    LoadedViews views;
    auto& state = views.state;
    state.panFrontX = 120;
    const double x = 700, y = 2500;
    const auto before = std::pair{editor::unprojectH(x, state.zoomFront, state.panFrontX, 3135),
                                  editor::unprojectV(y, state.zoomFront, state.panFrontY, 3015)};
    const auto changes = editor::zoomAbout(state, View::Front, 1.25, x, y);
    EXPECT_EQ(changes, editor::Changes(editor::Change::FrontView));
    EXPECT_DOUBLE_EQ(state.zoomFront, 25);
    EXPECT_EQ(state.zoomTop, 20); // other views keep theirs
    EXPECT_NEAR(editor::unprojectH(x, state.zoomFront, state.panFrontX, 3135), before.first,
                1 / state.zoomFront);
    EXPECT_NEAR(editor::unprojectV(y, state.zoomFront, state.panFrontY, 3015), before.second,
                1 / state.zoomFront);

    for (int i = 0; i < 100; ++i)
        editor::zoomAbout(state, View::Top, 0.5, x, y);
    EXPECT_GE(state.zoomTop, editor::minimumZoomToZoomOut);
    EXPECT_EQ(editor::zoomAbout(state, View::Top, 0.5, x, y), editor::Changes());
}

TEST(DragPan, MovesTheContentsWithThePointerAndStopsAtTheOffsetRange) {
    LoadedViews views;
    auto& state = views.state;
    EXPECT_EQ(editor::panBy(state, View::Left, 300, -150),
              editor::Changes(editor::Change::LeftView));
    EXPECT_EQ(state.panLeftX, 300);
    EXPECT_EQ(state.panLeftY, -150);
    editor::panBy(state, View::Left, 1e12, 0);
    EXPECT_EQ(state.panLeftX, std::numeric_limits<std::int32_t>::max());
}

} // namespace
