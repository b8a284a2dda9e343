#include "editor/uv/uv_editing.h"
#include "editor/uv/uv_remap.h"
#include "editor/uv/uv_view.h"
#include "editor/uv/uv_window.h"
#include "support/temp_folder.h"
#include "textures/image_file.h"
#include "uv_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace editor;

namespace {

struct UvHandOver : ::testing::Test, testing_support::UvFixture {};

TEST_F(UvHandOver, CopiesCoordinatesFlagsAndCorners) {
    addUV(0.1, 0.2, true);
    addUV(0.3, 0.4).deleted = true;
    addUV(0.5, 0.6);
    addFace(0, 1, 2, true);
    open();
    EXPECT_TRUE(uv.arraysLoaded);
    EXPECT_TRUE(uv.windowOpen);
    EXPECT_EQ(uv.texU, (std::vector<double>{0.1, 0.3, 0.5}));
    EXPECT_EQ(uv.texV, (std::vector<double>{0.2, 0.4, 0.6}));
    EXPECT_EQ(uv.uvDeleted, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(uv.uvSelected, (std::vector<bool>{true, false, false}));
    ASSERT_EQ(uv.uvFaces.size(), 1u);
    EXPECT_EQ(uv.uvFaces[0], (std::array<int, 3>{0, 1, 2}));
    EXPECT_EQ(view.clears, 1);
}

TEST_F(UvHandOver, FrontRemapStretchesTheSelection) {
    addVertex(-10, 0, 5, true);
    addVertex(10, 20, 5, true);
    auto& untouched = addVertex(3, 3, 3);
    untouched.u = 0.25;
    untouched.v = 0.75;
    open();
    remapUV(uv, state, "Front");
    EXPECT_EQ(uv.texU, (std::vector<double>{0, 1, 0.25}));
    EXPECT_EQ(uv.texV, (std::vector<double>{1, 0, 0.75}));
    EXPECT_EQ(state.vertices[0].u, 0); // the main window changes only on Save Changes
    EXPECT_EQ(view.clears, 2);
}

TEST_F(UvHandOver, TopAndLeftRemapUseTheirAxes) {
    addVertex(0, 7, -4, true);
    addVertex(2, 9, 4, true);
    addVertex(1, 8, 0, true);
    open();
    remapUV(uv, state, "Top");
    EXPECT_EQ(uv.texU, (std::vector<double>{0, 1, 0.5}));
    EXPECT_EQ(uv.texV, (std::vector<double>{1, 0, 0.5})); // the largest z at the top
    remapUV(uv, state, "Left");
    EXPECT_EQ(uv.texU, (std::vector<double>{0, 1, 0.5}));
    EXPECT_EQ(uv.texV, (std::vector<double>{1, 0, 0.5}));
}

TEST_F(UvHandOver, RemapStartsFromPlusMinus6400) {
    addVertex(7000, 0, 0, true);
    addVertex(8000, 1, 0, true);
    const auto result = remap(state, {true, true}, "X");
    ASSERT_TRUE(result);
    EXPECT_DOUBLE_EQ((*result)[0], 600.0 / 1600);
    EXPECT_DOUBLE_EQ((*result)[1], 1);
}

TEST_F(UvHandOver, RemapKeepsAnAxisTheSelectionSpansNoExtentOn) {
    addVertex(-10, 5, 0, true).v = 0.3;
    addVertex(10, 5, 0, true).v = 0.6;
    open();
    EXPECT_FALSE(remap(state, uv.uvSelected, "Y"));
    remapUV(uv, state, "Front");
    EXPECT_EQ(uv.texU, (std::vector<double>{0, 1}));
    EXPECT_EQ(uv.texV, (std::vector<double>{0.3, 0.6}));

    uv.uvSelected = {false, true}; // a single vertex: no extent at all
    uv.texU = {0.1, 0.2};
    remapUV(uv, state, "Front");
    EXPECT_EQ(uv.texU, (std::vector<double>{0.1, 0.2}));
    for (double t : uv.texV)
        EXPECT_FALSE(std::isnan(t));
}

TEST_F(UvHandOver, RemapOfHugeCoordinatesStaysFinite) {
    addVertex(-1e308, 0, 0, true);
    addVertex(1e308, 0, 0, true);
    addVertex(0, 0, 0, true);
    const auto result = remap(state, {true, true, true}, "X");
    ASSERT_TRUE(result);
    EXPECT_EQ(*result, (std::vector<double>{0, 1, 0.5}));
}

TEST_F(UvHandOver, RemapWithAnUnknownViewChangesNothing) {
    addVertex(-10, 0, 0, true).u = 0.4;
    addVertex(10, 20, 0, true).u = 0.6;
    open();
    const auto redraws = uv.uvRedrawCount;
    remapUV(uv, state, "Bottom");
    remapUV(uv, state, "top");
    EXPECT_EQ(uv.texU, (std::vector<double>{0.4, 0.6}));
    EXPECT_EQ(uv.uvRedrawCount, redraws);
}

TEST_F(UvHandOver, SaveChangesThenCloseKeepsTheCoordinates) {
    addUV(0.1, 0.1, true);
    addUV(0.9, 0.9);
    open();
    moveSelUV(uv, 0.25, 0.5, true, true);
    saveUVChanges(state, uv.texU, uv.texV);
    closeUVEditor(uv);
    EXPECT_DOUBLE_EQ(state.vertices[0].u, 0.35);
    EXPECT_DOUBLE_EQ(state.vertices[0].v, 0.6);
    EXPECT_DOUBLE_EQ(state.vertices[1].u, 0.9);
    EXPECT_TRUE(state.undoHistory.empty());
    open();
    EXPECT_DOUBLE_EQ(uv.texU[0], 0.35);
}

TEST_F(UvHandOver, CloseWithoutSavingDiscardsTheEdits) {
    addUV(0.1, 0.1, true);
    open();
    moveSelUV(uv, 0.25, 0.5, true, true);
    closeUVEditor(uv);
    EXPECT_DOUBLE_EQ(state.vertices[0].u, 0.1);
    open();
    EXPECT_DOUBLE_EQ(uv.texU[0], 0.1);
    EXPECT_DOUBLE_EQ(uv.texV[0], 0.1);
}

TEST_F(UvHandOver, SaveIntoAGrownGeosetCopiesOnlyWhatWasHandedOver) {
    addUV(0.1, 0.1);
    open();
    uv.texU[0] = 0.7;
    addUV(0.4, 0.4);
    saveUVChanges(state, uv.texU, uv.texV);
    EXPECT_DOUBLE_EQ(state.vertices[0].u, 0.7);
    EXPECT_DOUBLE_EQ(state.vertices[1].u, 0.4);
}

TEST_F(UvHandOver, ReopeningResetsModesAndZoomButKeepsPanAndImage) {
    addUV(0.5, 0.5);
    open();
    setUVSelectionMode(uv, "A");
    setUVTransformMode(uv, "S");
    toggleUVAxis(uv, 'x');
    zoomUVIn(uv);
    panUV(uv, PanDirection::Up);
    uv.imageLoaded = true;
    uv.imagePath = "skin.jpg";
    const auto picture = std::make_shared<const common::RgbaImage>(2, 2);
    uv.background = picture;

    open(); // still open: the hand-over alone, nothing reset
    EXPECT_EQ(uv.uvSelectionMode, "A");
    EXPECT_EQ(uv.uvZoom, 1.25);

    closeUVEditor(uv);
    open();
    EXPECT_EQ(uv.uvSelectionMode, "S");
    EXPECT_EQ(uv.uvTransformMode, "M");
    EXPECT_TRUE(uv.xEnabled);
    EXPECT_TRUE(uv.yEnabled);
    EXPECT_EQ(editor::uvModeButtons(uv).cmdAdd, ButtonColour::ButtonFace);
    EXPECT_EQ(editor::uvModeButtons(uv).cmdSelect, ButtonColour::White);
    EXPECT_EQ(editor::uvModeButtons(uv).cmdUVX, ButtonColour::ButtonFace);
    EXPECT_EQ(uv.uvZoom, 1.0);
    EXPECT_EQ(uv.uvPanY, 20); // kept through the reopening
    EXPECT_TRUE(uv.imageLoaded);
    EXPECT_EQ(uv.imagePath, "skin.jpg");
    // The same picture in memory, not read again.
    EXPECT_EQ(uv.background, picture);
    ASSERT_EQ(callsOf(common::RecordingCanvas::Kind::Picture).size(), 1u);
    EXPECT_EQ(callsOf(common::RecordingCanvas::Kind::Picture)[0].picture, picture);
}

struct UvLoadImage : ::testing::Test, testing_support::UvFixture {
    testing_support::TempFolder folder;
    std::string skin = folder.file("skin.tga");
    std::string broken = folder.write("broken.jpg", "no picture at all");
    UvLoadImage() {
        common::RgbaImage picture(4, 2);
        picture.pixels.assign(picture.pixels.size(), 200);
        textures::writeImageFile(skin, picture, 90);
        addUV(0.5, 0.5);
        open();
    }
};

TEST_F(UvLoadImage, ChosenPictureIsDecodedOnceAndShownBehindTheCoordinates) {
    dialogs.setAnswers({skin});
    loadUVImage(uv);
    EXPECT_EQ(dialogs.prompts.back(), std::string(uvImageFilter));
    for (const char* pattern : {"*.blp", "*.tga", "*.png", "*.jpg", "*.gif", "*.bmp"})
        EXPECT_NE(dialogs.prompts.back().find(pattern), std::string::npos) << pattern;
    EXPECT_TRUE(uv.imageLoaded);
    EXPECT_EQ(uv.imagePath, skin);
    ASSERT_TRUE(uv.background);
    EXPECT_EQ(uv.background->width, 4);
    ASSERT_EQ(callsOf(common::RecordingCanvas::Kind::Picture).size(), 1u);
    EXPECT_TRUE(dialogs.shown.empty());
    // The file may go: the picture is held in memory.
    std::filesystem::remove(skin);
    panUV(uv, PanDirection::Up);
    ASSERT_EQ(callsOf(common::RecordingCanvas::Kind::Picture).size(), 1u);
    EXPECT_EQ(callsOf(common::RecordingCanvas::Kind::Picture)[0].picture, uv.background);
}

TEST_F(UvLoadImage, CancelKeepsTheImage) {
    dialogs.setAnswers({skin});
    loadUVImage(uv);
    const auto held = uv.background;
    dialogs.setAnswers({""});
    loadUVImage(uv);
    EXPECT_TRUE(uv.imageLoaded);
    EXPECT_EQ(uv.imagePath, skin);
    EXPECT_EQ(uv.background, held);
}

TEST_F(UvLoadImage, UnreadablePictureIsReportedAndThePreviousImageStays) {
    dialogs.setAnswers({skin});
    loadUVImage(uv);
    dialogs.setAnswers({broken});
    loadUVImage(uv);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Load Image");
    EXPECT_NE(dialogs.shown[0].text.find(broken), std::string::npos);
    EXPECT_EQ(uv.imagePath, skin);
    EXPECT_EQ(callsOf(common::RecordingCanvas::Kind::Picture)[0].picture, uv.background);
}

TEST_F(UvLoadImage, UnreadableFirstPictureLeavesNoImage) {
    dialogs.setAnswers({broken});
    loadUVImage(uv);
    EXPECT_FALSE(uv.imageLoaded);
    EXPECT_TRUE(uv.imagePath.empty());
}

} // namespace
