#include "editor/uv/uv_view.h"
#include "editor/uv/uv_window.h"
#include "uv_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

using common::RecordingCanvas;
using namespace editor;

namespace {

struct UvView : ::testing::Test, testing_support::UvFixture {};

TEST_F(UvView, TextureSquareFillsTheViewAtZoomOne) {
    EXPECT_DOUBLE_EQ(uvToViewX(uv, 0.5), 200);
    EXPECT_DOUBLE_EQ(uvToViewY(uv, 0.5), 200);
    EXPECT_DOUBLE_EQ(uvToViewX(uv, 0), 0);
    EXPECT_DOUBLE_EQ(uvToViewY(uv, 0), 0);
    EXPECT_DOUBLE_EQ(uvToViewX(uv, 1), 400);
    EXPECT_DOUBLE_EQ(uvToViewY(uv, 1), 400);

    view.resize(300, 100); // the size is read afresh at every use
    EXPECT_DOUBLE_EQ(uvToViewX(uv, 1), 300);
    EXPECT_DOUBLE_EQ(uvToViewY(uv, 0.25), 25);
}

TEST_F(UvView, InverseMappingsUndoTheMappingsUnderZoomAndPan) {
    uv.uvZoom = 1.5625;
    uv.uvPanX = -35;
    uv.uvPanY = 60;
    for (double t : {-0.75, 0.0, 0.3, 1.0, 2.5}) {
        EXPECT_NEAR(viewXToU(uv, uvToViewX(uv, t)), t, 1e-12);
        EXPECT_NEAR(viewYToV(uv, uvToViewY(uv, t)), t, 1e-12);
    }
}

TEST_F(UvView, WithoutASurfaceTheLaidOutSizeIsUsed) {
    uv.pbxUVView = nullptr;
    EXPECT_DOUBLE_EQ(uvToViewX(uv, 1), 401);
    EXPECT_DOUBLE_EQ(uvToViewY(uv, 1), 377);
}

TEST_F(UvView, AnEmptySurfaceNeverGivesInfiniteTextureCoordinates) {
    view.resize(0, 0);
    EXPECT_TRUE(std::isfinite(viewXToU(uv, 10)));
    EXPECT_TRUE(std::isfinite(viewYToV(uv, 10)));
}

TEST_F(UvView, ZoomStopsAtItsLimits) {
    for (int i = 0; i < 11; ++i)
        zoomUVIn(uv);
    EXPECT_NEAR(uv.uvZoom, std::pow(1.25, 11), 1e-12);
    EXPECT_NEAR(uv.uvZoom, 11.64, 0.01);
    zoomUVIn(uv);
    EXPECT_NEAR(uv.uvZoom, std::pow(1.25, 11), 1e-12);

    uv.uvZoom = 1.0;
    for (int i = 0; i < 10; ++i)
        zoomUVOut(uv);
    EXPECT_NEAR(uv.uvZoom, 0.4096, 1e-12);
}

TEST_F(UvView, FarVertexComesIntoViewAfterFourZoomOuts) {
    addUV(1.5, 0.5);
    open();
    EXPECT_GT(uvToViewX(uv, 1.5), 400);
    for (int i = 0; i < 4; ++i)
        zoomUVOut(uv);
    EXPECT_NEAR(uv.uvZoom, 0.4096, 1e-12);
    const double x = uvToViewX(uv, 1.5);
    EXPECT_NEAR(x, 0.9096 * 400, 1e-9);
    const auto squares = callsOf(RecordingCanvas::Kind::Rectangle);
    ASSERT_EQ(squares.size(), 1u);
    EXPECT_NEAR(squares[0].x1, x - 2, 1e-9);
}

TEST_F(UvView, ZoomScalesThePanAndKeepsTheCentrePoint) {
    uv.uvPanX = 40;
    uv.uvPanY = -30;
    const double centreU = viewXToU(uv, 200);
    const double centreV = viewYToV(uv, 200);
    zoomUVIn(uv);
    EXPECT_EQ(uv.uvPanX, 50);
    EXPECT_EQ(uv.uvPanY, -38); // -37.5 rounds to the even neighbour
    EXPECT_DOUBLE_EQ(viewXToU(uv, 200), centreU);
    EXPECT_NEAR(viewYToV(uv, 200), centreV, 1.0 / 400); // within the rounding of the pan
    zoomUVOut(uv);
    EXPECT_EQ(uv.uvPanX, 40);
    EXPECT_EQ(uv.uvPanY, -30); // -30.4 rounds to -30
}

TEST_F(UvView, PanButtonsMoveThePictureByTwentyPixels) {
    panUV(uv, PanDirection::Up);
    panUV(uv, PanDirection::Left);
    panUV(uv, PanDirection::Left);
    EXPECT_EQ(uv.uvPanY, 20);
    EXPECT_EQ(uv.uvPanX, 40);
    panUV(uv, PanDirection::Down);
    panUV(uv, PanDirection::Right);
    EXPECT_EQ(uv.uvPanY, 0);
    EXPECT_EQ(uv.uvPanX, 20);
}

TEST_F(UvView, PanNeverOverflows) {
    uv.uvPanX = static_cast<std::int32_t>(uvPanLimit);
    panUV(uv, PanDirection::Left);
    EXPECT_EQ(uv.uvPanX, static_cast<std::int32_t>(uvPanLimit));
    uv.uvZoom = 1.0;
    zoomUVIn(uv);
    EXPECT_EQ(uv.uvPanX, static_cast<std::int32_t>(uvPanLimit));
}

TEST_F(UvView, NothingIsDrawnBeforeTheHandOver) {
    addUV(0.5, 0.5);
    zoomUVIn(uv);
    EXPECT_EQ(view.clears, 0);
    EXPECT_EQ(uv.uvRedrawCount, 0);
    open();
    EXPECT_EQ(view.clears, 1);
}

TEST_F(UvView, EdgesThenSquaresInTheirColours) {
    addUV(0, 0, true);
    addUV(1, 0);
    addUV(0.5, 1);
    addFace(0, 1, 2);
    open();
    ASSERT_EQ(view.calls.size(), 1u + 3 + 3);
    EXPECT_EQ(view.calls[0].kind, RecordingCanvas::Kind::Clear);
    const auto& first = view.calls[1];
    EXPECT_EQ(first.kind, RecordingCanvas::Kind::Line);
    EXPECT_EQ(first.colour, (common::Colour{192, 192, 192}));
    EXPECT_EQ((std::vector<double>{first.x1, first.y1, first.x2, first.y2}),
              (std::vector<double>{0, 0, 400, 0}));
    EXPECT_EQ((std::vector<double>{view.calls[3].x1, view.calls[3].y1, view.calls[3].x2,
                                   view.calls[3].y2}),
              (std::vector<double>{200, 400, 0, 0}));
    for (std::size_t k = 4; k < 7; ++k)
        EXPECT_EQ(view.calls[k].kind, RecordingCanvas::Kind::Rectangle);
    EXPECT_EQ(view.calls[4].colour, (common::Colour{255, 0, 0}));
    EXPECT_EQ(view.calls[5].colour, (common::Colour{0, 0, 0}));
    EXPECT_EQ((std::vector<double>{view.calls[5].x1, view.calls[5].y1, view.calls[5].x2,
                                   view.calls[5].y2}),
              (std::vector<double>{398, -2, 402, 2}));
}

TEST_F(UvView, EdgeEndsAreRoundedSquaresAreNot) {
    view.resize(256, 256);
    addUV(0.5 / 256, 1.5 / 256); // 0.5 and 1.5 pixels
    addUV(1, 1);
    addUV(0, 1);
    addFace(0, 1, 2);
    open();
    const auto edges = callsOf(RecordingCanvas::Kind::Line);
    EXPECT_EQ(edges[0].x1, 0);
    EXPECT_EQ(edges[0].y1, 2);
    const auto squares = callsOf(RecordingCanvas::Kind::Rectangle);
    EXPECT_DOUBLE_EQ(squares[0].x1, 0.5 - 2);
    EXPECT_DOUBLE_EQ(squares[0].y1, 1.5 - 2);
}

TEST_F(UvView, DeletedVertexAndItsTrianglesAreNotDrawn) {
    addUV(0, 0);
    addUV(1, 0);
    addUV(1, 1).deleted = true;
    addUV(0, 1);
    addFace(0, 1, 2);       // uses the deleted vertex
    addFace(0, 2, 3);       // and this one too
    addFace(0, 1, 3, true); // deleted in the main window only: still drawn
    open();
    EXPECT_EQ(callsOf(RecordingCanvas::Kind::Line).size(), 3u);
    const auto squares = callsOf(RecordingCanvas::Kind::Rectangle);
    ASSERT_EQ(squares.size(), 3u);
    for (const auto& square : squares)
        EXPECT_FALSE(square.x1 == 398 && square.y1 == 398);
}

TEST_F(UvView, TriangleNamingNoVertexIsSkipped) {
    addUV(0, 0);
    addUV(1, 0);
    addFace(0, 1, 7);
    addFace(0, -1, 1);
    open();
    EXPECT_TRUE(callsOf(RecordingCanvas::Kind::Line).empty());
    EXPECT_EQ(callsOf(RecordingCanvas::Kind::Rectangle).size(), 2u);
}

TEST_F(UvView, BackgroundCoversTheTextureSquareUnderZoomAndPan) {
    addUV(0.5, 0.5);
    uv.imageLoaded = true;
    uv.imagePath = "/pictures/skin.bmp";
    uv.background = std::make_shared<const common::RgbaImage>(8, 8);
    uv.uvPanX = 20;
    uv.uvPanY = -10;
    open();
    zoomUVIn(uv);
    const auto pictures = callsOf(RecordingCanvas::Kind::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(view.calls[1].kind, RecordingCanvas::Kind::Picture); // under everything else
    EXPECT_EQ(pictures[0].picture, uv.background);
    EXPECT_DOUBLE_EQ(pictures[0].x1, uvToViewX(uv, 0));
    EXPECT_DOUBLE_EQ(pictures[0].y1, uvToViewY(uv, 0));
    EXPECT_DOUBLE_EQ(pictures[0].x2, uvToViewX(uv, 1) - uvToViewX(uv, 0));
    EXPECT_DOUBLE_EQ(pictures[0].y2, uvToViewY(uv, 1) - uvToViewY(uv, 0));
}

class FailingCanvas : public RecordingCanvas {
  public:
    using RecordingCanvas::RecordingCanvas;
    void stretchedPicture(const std::shared_ptr<const common::RgbaImage>&, double, double, double,
                          double) override {
        throw std::runtime_error("unreadable picture");
    }
};

TEST_F(UvView, FailingBackgroundLeavesTheRestOfTheRedraw) {
    FailingCanvas failing(400, 400);
    uv.pbxUVView = &failing;
    addUV(0.5, 0.5);
    uv.imageLoaded = true;
    uv.imagePath = "broken.jpg";
    uv.background = std::make_shared<const common::RgbaImage>(8, 8);
    EXPECT_NO_THROW(open());
    ASSERT_EQ(failing.calls.size(), 2u);
    EXPECT_EQ(failing.calls[1].kind, RecordingCanvas::Kind::Rectangle);
}

} // namespace
