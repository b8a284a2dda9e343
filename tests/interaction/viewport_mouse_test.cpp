#include "editor/interaction/viewport_mouse.h"
#include "editor/interaction/window_controls.h"

#include "common/recording_canvas.h"
#include "editor/editing/undo_history.h"
#include "editor/model/selection_queries.h"
#include "support/editing_fixture.h"

#include <gtest/gtest.h>

using editor::MouseButton;
using editor::View;
using testing_support::EditingFixture;

namespace {

struct ViewportMouse : ::testing::Test, EditingFixture {
    ViewportMouse() { addVertex(0, 0, 0, true); }

    // A drag in 3135 x 3015 twips from model (0.375, 0.375) to (10.375, 10.375) at zoom 20.
    void drag(View view, MouseButton button) {
        editor::viewMouseDown(state, view, 1575, 1500);
        editor::viewMouseUp(state, view, button, 1775, 1300);
    }
    void expectAt(double x, double y, double z) {
        EXPECT_DOUBLE_EQ(state.vertices[0].x, x);
        EXPECT_DOUBLE_EQ(state.vertices[0].y, y);
        EXPECT_DOUBLE_EQ(state.vertices[0].z, z);
    }
};

TEST_F(ViewportMouse, PressAndReleaseAreConvertedToModelUnits) {
    drag(View::Front, MouseButton::Right);
    EXPECT_EQ(state.dragStartH, 0.375);
    EXPECT_EQ(state.dragStartV, 0.375);
    EXPECT_EQ(state.dragEndH, 10.375);
    EXPECT_EQ(state.dragEndV, 10.375);
    expectAt(10, 10, 0);
    EXPECT_EQ(editor::undoEntry(state, 1).name(), "Move");
}

TEST_F(ViewportMouse, EachViewMovesAlongItsOwnAxes) {
    drag(View::Top, MouseButton::Right);
    expectAt(10, 0, 10);
    state.vertices[0] = {};
    state.vertices[0].selected = true;
    drag(View::Left, MouseButton::Middle);
    expectAt(0, 10, 10);
}

TEST_F(ViewportMouse, ViewSizeComesFromTheCanvas) {
    common::RecordingCanvas canvas(300, 200);
    state.pbxFront = &canvas;
    state.zoomFront = 10;
    state.panFrontX = 20;
    editor::viewMouseDown(state, View::Front, 170, 80);
    EXPECT_EQ(state.dragStartH, 0); // (170 - 20 - 150) / 10
    EXPECT_EQ(state.dragStartV, 2); // (100 + 0 - 80) / 10
}

TEST_F(ViewportMouse, RotateTurnsByTheVerticalDragAboutThePerpendicularAxis) {
    addVertex(2, 0, 0, true); // pivot (1, 0, 0)
    state.transformMode = "R";
    editor::viewMouseDown(state, View::Front, 1000, 1500);
    editor::viewMouseUp(state, View::Front, MouseButton::Right, 2000, 1500); // across only
    EXPECT_EQ(editor::undoEntry(state, 1).name(), "Rotate z");
    EXPECT_EQ(editor::undoEntry(state, 1).amount1, 0);
    EXPECT_NEAR(state.vertices[0].x, 0, 1e-12);

    state.dragStartH = state.dragStartV = 0;
    state.dragEndH = 5;
    state.dragEndV = 360;
    editor::releaseDrag(state, View::Top, MouseButton::Right);
    EXPECT_EQ(editor::undoEntry(state, 1).name(), "Rotate y");
    EXPECT_NEAR(state.vertices[0].x, 2, 1e-9); // half a turn about y through the pivot
    editor::releaseDrag(state, View::Left, MouseButton::Right);
    EXPECT_EQ(editor::undoEntry(state, 1).name(), "Rotate x");
}

TEST_F(ViewportMouse, ScaleGetsTheAcrossAndUpDragInEveryView) {
    state.transformMode = "S";
    state.dragStartH = state.dragStartV = 0;
    state.dragEndH = 3;
    state.dragEndV = -4;
    editor::releaseDrag(state, View::Left, MouseButton::Right);
    EXPECT_EQ(editor::undoEntry(state, 1).name(), "Scale");
    EXPECT_EQ(editor::undoEntry(state, 1).amount1, 3);
    EXPECT_EQ(editor::undoEntry(state, 1).amount2, -4);
}

TEST_F(ViewportMouse, ExtrudeModeExtrudesAlongTheViewAxes) {
    addVertex(1, 0, 0, true);
    addVertex(0, 1, 0, true);
    addFace(0, 1, 2);
    state.transformMode = "E";
    drag(View::Left, MouseButton::Right);
    EXPECT_EQ(state.vertices.size(), 6u);
    EXPECT_EQ(state.faces.size(), 7u);
    EXPECT_DOUBLE_EQ(state.vertices[3].z, 10);
    EXPECT_DOUBLE_EQ(state.vertices[3].y, 10);
    EXPECT_EQ(state.vertices[3].x, 0);
}

struct BoxSelect : ::testing::Test, EditingFixture {
    BoxSelect() {
        addVertex(1, 1, 50);      // inside (x, y) = (0..2, 0..2) at any depth
        addVertex(2, 1, 0);       // on the border
        addVertex(5, 5, 0, true); // outside
        addVertex(1.5, 0.5, 0).deleted = true;
    }
    void boxFrom(double h1, double v1, double h2, double v2) {
        state.dragStartH = h1;
        state.dragStartV = v1;
        state.dragEndH = h2;
        state.dragEndV = v2;
        editor::releaseDrag(state, View::Front, MouseButton::Left);
    }
    std::vector<bool> flags() const {
        std::vector<bool> result;
        for (const auto& vertex : state.vertices)
            result.push_back(vertex.selected);
        return result;
    }
};

TEST_F(BoxSelect, SelectModeReplacesTheSelectionWithTheStrictInside) {
    state.vertices[1].selected = true;
    boxFrom(2, 0, 0, 2); // bottom-right to top-left
    EXPECT_EQ(flags(), (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(state.dragStartH, 0); // the corners stay ordered
    EXPECT_EQ(state.dragEndH, 2);
    EXPECT_EQ(editor::undoEntry(state, 1).name(), "Selection");
    EXPECT_EQ(editor::undoEntry(state, 1).selectionFlags,
              (std::vector<bool>{false, true, true, false}));
}

TEST_F(BoxSelect, AddAndDeselectModes) {
    state.selectionMode = "A";
    boxFrom(0, 0, 2, 2);
    EXPECT_EQ(flags(), (std::vector<bool>{true, false, true, true}));
    state.selectionMode = "D";
    boxFrom(0, 0, 2, 2);
    EXPECT_EQ(flags(), (std::vector<bool>{false, false, true, false}));
}

TEST_F(BoxSelect, AddOverEmptySpaceRecordsAStepAndChangesNothing) {
    state.selectionMode = "A";
    boxFrom(20, 20, 30, 30);
    EXPECT_EQ(flags(), (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(state.undoHistory.size(), 1u);
}

TEST_F(BoxSelect, DoesNothingBeforeBoxSelectionIsArmed) {
    state.mouseArmed = false;
    boxFrom(0, 0, 2, 2);
    EXPECT_EQ(flags(), (std::vector<bool>{false, false, true, false}));
    EXPECT_TRUE(state.undoHistory.empty());
}

TEST_F(BoxSelect, PendingMarkerGoesToTheReleasePointInstead) {
    state.placingMarker = true;
    state.markers[1].used = true;
    state.dragStartH = 100;
    editor::viewMouseUp(state, View::Top, MouseButton::Left, 1587.5, 1467.5);
    const auto& marker = state.markers[2];
    EXPECT_TRUE(marker.used);
    EXPECT_EQ(marker.x, 1);
    EXPECT_EQ(marker.y, 0);
    EXPECT_EQ(marker.z, 2);
    EXPECT_FALSE(state.placingMarker);
    EXPECT_FALSE(editor::menuState(state).mnuAddMarkerGraphicallyChecked);
    EXPECT_TRUE(state.undoHistory.empty());
    EXPECT_EQ(flags(), (std::vector<bool>{false, false, true, false}));
}

TEST(ViewportReadOut, ShowsTheFileAxesRoundedToThreeDecimals) {
    EditingFixture fixture;
    // Model x = 1.23456, z = -2 in the top view.
    const auto top =
        editor::viewMouseMove(fixture.state, View::Top, 1567.5 + 20 * 1.23456, 1507.5 + 40);
    ASSERT_TRUE(top);
    EXPECT_EQ(top->txtX, "-2");
    EXPECT_EQ(top->txtY, "1.235");
    EXPECT_EQ(top->txtZ, "0");
    EXPECT_EQ(top->tip, "Top viewport");

    const auto front = editor::viewMouseMove(fixture.state, View::Front, 1567.5 - 10, 1507.5);
    ASSERT_TRUE(front);
    EXPECT_EQ(front->txtX, "0");
    EXPECT_EQ(front->txtY, "-0.5");
    EXPECT_EQ(front->txtZ, "0");
    EXPECT_EQ(front->tip, "Front viewport");

    const auto left = editor::viewMouseMove(fixture.state, View::Left, 1567.5 + 60, 1507.5 - 1.25);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->txtX, "3");
    EXPECT_EQ(left->txtY, "0");
    EXPECT_EQ(left->txtZ, "0.062"); // 0.0625 rounds half to even
    EXPECT_EQ(left->tip, "Left viewport");
}

TEST(ViewportMouseBeforeAGeoset, EventsAreIgnored) {
    EditingFixture fixture;
    fixture.state.modelControlsEnabled = false;
    fixture.addVertex(0, 0, 0, true);
    EXPECT_FALSE(editor::viewMouseMove(fixture.state, View::Front, 0, 0));
    editor::viewMouseDown(fixture.state, View::Front, 0, 0);
    editor::viewMouseUp(fixture.state, View::Front, MouseButton::Right, 100, 100);
    EXPECT_EQ(fixture.state.dragStartH, 0);
    EXPECT_EQ(fixture.state.vertices[0].x, 0);
    EXPECT_TRUE(fixture.state.undoHistory.empty());
}

} // namespace
