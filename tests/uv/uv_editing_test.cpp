#include "editor/uv/uv_editing.h"
#include "editor/uv/uv_mouse.h"
#include "editor/uv/uv_view.h"
#include "editor/uv/uv_window.h"
#include "uv_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace editor;

namespace {

// Pixels of the 400 x 400 view for a texture coordinate at zoom 1 without pan.
double px(double t) {
    return t * 400;
}

struct UvEditing : ::testing::Test, testing_support::UvFixture {
    UvEditing() {
        addUV(0.2, 0.2);
        addUV(0.5, 0.5);
        addUV(0.8, 0.8);
        addUV(0.3, 0.7);
        open();
    }
    void drag(MouseButton button, double u1, double v1, double u2, double v2) {
        uvMouseDown(uv, px(u1), px(v1));
        uvMouseUp(uv, button, px(u2), px(v2));
    }
    std::vector<bool> selection() const { return uv.uvSelected; }
};

TEST_F(UvEditing, BoxSelectsStrictlyInsideInEitherDragDirection) {
    drag(MouseButton::Left, 0.1, 0.1, 0.6, 0.6);
    EXPECT_EQ(selection(), (std::vector<bool>{true, true, false, false}));
    const auto redraws = uv.uvRedrawCount;

    drag(MouseButton::Left, 0.6, 0.6, 0.1, 0.1);
    EXPECT_EQ(selection(), (std::vector<bool>{true, true, false, false}));
    EXPECT_DOUBLE_EQ(uv.downU, 0.1); // the stored corners stay in order
    EXPECT_DOUBLE_EQ(uv.upU, 0.6);
    EXPECT_GT(uv.uvRedrawCount, redraws);

    drag(MouseButton::Left, 0.9, 0.1, 0.1, 0.9); // top-right to bottom-left
    EXPECT_EQ(selection(), (std::vector<bool>{true, true, true, true}));

    drag(MouseButton::Left, 0.2, 0.1, 0.6, 0.6); // vertex 0 lies on the border
    EXPECT_EQ(selection(), (std::vector<bool>{false, true, false, false}));

    drag(MouseButton::Left, 0.5, 0.5, 0.5, 0.5); // a click clears the selection
    EXPECT_EQ(selection(), (std::vector<bool>{false, false, false, false}));
}

TEST_F(UvEditing, AddAndDeselectModes) {
    drag(MouseButton::Left, 0.1, 0.1, 0.3, 0.3);
    setUVSelectionMode(uv, "A");
    drag(MouseButton::Left, 0.7, 0.7, 0.9, 0.9);
    EXPECT_EQ(selection(), (std::vector<bool>{true, false, true, false}));
    setUVSelectionMode(uv, "D");
    drag(MouseButton::Left, 0.1, 0.1, 0.6, 0.6);
    EXPECT_EQ(selection(), (std::vector<bool>{false, false, true, false}));
}

TEST_F(UvEditing, BoxCanSelectDeletedVertices) {
    state.vertices[1].deleted = true;
    open();
    drag(MouseButton::Left, 0.4, 0.4, 0.6, 0.6);
    EXPECT_TRUE(uv.uvSelected[1]);
}

TEST_F(UvEditing, MouseRoundsToWholePixels) {
    uvMouseDown(uv, 80.5, 81.5);
    EXPECT_DOUBLE_EQ(uv.downU, 0.2);   // 80.5 goes to 80
    EXPECT_DOUBLE_EQ(uv.downV, 0.205); // 81.5 goes to 82
}

TEST_F(UvEditing, ReadOutsShowSixDecimals) {
    uvMouseMove(uv, 1, 200);
    EXPECT_EQ(uv.txtUVX, "0.0025");
    EXPECT_EQ(uv.txtUVY, "0.5");
    view.resize(300, 300);
    uvMouseMove(uv, 1, 0);
    EXPECT_EQ(uv.txtUVX, "0.003333");
    EXPECT_EQ(uv.txtUVY, "0");
}

TEST_F(UvEditing, MoveHonoursTheAxisToggles) {
    uv.uvSelected = {false, true, false, false};
    drag(MouseButton::Right, 0.1, 0.1, 0.2, 0.3);
    EXPECT_DOUBLE_EQ(uv.texU[1], 0.6);
    EXPECT_DOUBLE_EQ(uv.texV[1], 0.7);
    toggleUVAxis(uv, 'x');
    drag(MouseButton::Middle, 0.1, 0.1, 0.2, 0.3);
    EXPECT_DOUBLE_EQ(uv.texU[1], 0.6);
    EXPECT_DOUBLE_EQ(uv.texV[1], 0.9);
    EXPECT_DOUBLE_EQ(uv.texU[0], 0.2); // unselected vertices stay
    EXPECT_DOUBLE_EQ(uv.texV[0], 0.2);
}

TEST_F(UvEditing, ScaleGrowsAndShrinksAboutTheMean) {
    uv.uvSelected = {true, false, true, false}; // mean (0.5, 0.5)
    setUVTransformMode(uv, "S");
    drag(MouseButton::Right, 0.5, 0.5, 0.75, 0.75); // du + dv = 0.5
    EXPECT_NEAR(uv.texU[0], 0.05, 1e-12);
    EXPECT_NEAR(uv.texV[2], 0.95, 1e-12);
    drag(MouseButton::Right, 0.5, 0.5, 0.25, 0.25); // -0.5: back by 1 / 1.5
    EXPECT_NEAR(uv.texU[0], 0.2, 1e-12);
    EXPECT_NEAR(uv.texV[2], 0.8, 1e-12);
    drag(MouseButton::Right, 0.5, 0.5, 0.75, 0.25); // 0: nothing changes
    EXPECT_NEAR(uv.texU[0], 0.2, 1e-12);
    EXPECT_NEAR(uv.texV[2], 0.8, 1e-12);
    EXPECT_DOUBLE_EQ(uv.texU[1], 0.5);
    EXPECT_DOUBLE_EQ(uv.texU[3], 0.3);
}

TEST_F(UvEditing, ScaleHonoursTheAxisToggles) {
    uv.uvSelected = {true, false, true, false};
    setUVTransformMode(uv, "S");
    toggleUVAxis(uv, 'y');
    drag(MouseButton::Right, 0.5, 0.5, 0.75, 0.75);
    EXPECT_NEAR(uv.texU[0], 0.05, 1e-12);
    EXPECT_DOUBLE_EQ(uv.texV[0], 0.2);
}

TEST_F(UvEditing, RotateTurnsByOnePointFiveRadiansPerUnitDraggedDown) {
    uv.uvSelected = {false, true, false, true}; // (0.5, 0.5) and (0.3, 0.7): mean (0.4, 0.6)
    setUVTransformMode(uv, "R");
    toggleUVAxis(uv, 'x');
    toggleUVAxis(uv, 'y');                        // the toggles do not apply to Rotate
    drag(MouseButton::Right, 0.3, 0.1, 0.9, 0.3); // dv = 0.2: 0.3 radians
    const double a = 0.3;
    auto turned = [&](double p, double q) {
        return std::pair{p * std::cos(a) - q * std::sin(a) + 0.4,
                         p * std::sin(a) + q * std::cos(a) + 0.6};
    };
    const auto [u1, v1] = turned(0.1, -0.1);
    const auto [u3, v3] = turned(-0.1, 0.1);
    EXPECT_NEAR(uv.texU[1], u1, 1e-7);
    EXPECT_NEAR(uv.texV[1], v1, 1e-7);
    EXPECT_NEAR(uv.texU[3], u3, 1e-7);
    EXPECT_NEAR(uv.texV[3], v3, 1e-7);
    EXPECT_DOUBLE_EQ(uv.texU[0], 0.2);
}

TEST_F(UvEditing, RotateTurnsVerticesStraightAboveAndBelowTheCentre) {
    uv.texU = {0.5, 0.5, 0.8, 0.3};
    uv.texV = {0.3, 0.7, 0.8, 0.7};
    uv.uvSelected = {true, true, false, false}; // centre (0.5, 0.5); p = 0 for both
    rotateSelUV(uv, uvPi / 2);
    EXPECT_NEAR(uv.texU[0], 0.7, 1e-12); // (0, -0.2) turns to (0.2, 0)
    EXPECT_NEAR(uv.texV[0], 0.5, 1e-12);
    EXPECT_NEAR(uv.texU[1], 0.3, 1e-7); // the rotation's pi is short by about 5E-08
    EXPECT_NEAR(uv.texV[1], 0.5, 1e-7);
}

TEST_F(UvEditing, MeansOfTheSelection) {
    EXPECT_EQ(meanSelU(uv), 0.0);
    EXPECT_EQ(meanSelV(uv), 0.0);
    uv.uvSelected = {true, false, false, true};
    EXPECT_DOUBLE_EQ(meanSelU(uv), 0.25);
    EXPECT_DOUBLE_EQ(meanSelV(uv), 0.45);
}

TEST_F(UvEditing, TransformWithNothingSelectedChangesNothing) {
    const auto u = uv.texU;
    for (const char* mode : {"M", "R", "S"}) {
        setUVTransformMode(uv, mode);
        drag(MouseButton::Right, 0.1, 0.1, 0.6, 0.9);
    }
    EXPECT_EQ(uv.texU, u);
}

TEST_F(UvEditing, ModeButtonsFollowTheModes) {
    EXPECT_EQ(editor::uvModeButtons(uv).cmdSelect, ButtonColour::White);
    EXPECT_EQ(editor::uvModeButtons(uv).cmdMove, ButtonColour::White);
    setUVSelectionMode(uv, "D");
    setUVTransformMode(uv, "R");
    toggleUVAxis(uv, 'y');
    const auto& b = editor::uvModeButtons(uv);
    EXPECT_EQ(b.cmdSelect, ButtonColour::ButtonFace);
    EXPECT_EQ(b.cmdAdd, ButtonColour::ButtonFace);
    EXPECT_EQ(b.cmdDeselect, ButtonColour::White);
    EXPECT_EQ(b.cmdMove, ButtonColour::ButtonFace);
    EXPECT_EQ(b.cmdRotate, ButtonColour::White);
    EXPECT_EQ(b.cmdScale, ButtonColour::ButtonFace);
    EXPECT_EQ(b.cmdUVX, ButtonColour::ButtonFace);
    EXPECT_EQ(b.cmdUVY, ButtonColour::Grey);
}

TEST_F(UvEditing, SelectAllAndInvertTouchOnlyTheEditorsSelection) {
    state.vertices[2].deleted = true;
    state.vertices[3].selected = true;
    open();
    invertUVSelection(uv);
    EXPECT_EQ(selection(), (std::vector<bool>{true, true, true, false}));
    selectAllUV(uv);
    EXPECT_EQ(selection(), (std::vector<bool>{true, true, true, true}));
    EXPECT_FALSE(state.vertices[0].selected);
    EXPECT_EQ(callsOf(common::RecordingCanvas::Kind::Rectangle).size(), 3u);
}

} // namespace
