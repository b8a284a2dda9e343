#include "editor/uv/uv_export.h"
#include "editor/uv/uv_window.h"
#include "support/temp_folder.h"
#include "textures/image_file.h"
#include "uv_fixture.h"

#include <gtest/gtest.h>

using namespace editor;

namespace {

struct UvExport : ::testing::Test, testing_support::UvFixture {
    bool isEdge(const common::RgbaImage& image, int x, int y) const {
        const auto* p = image.at(x, y);
        return p[0] == uvExportEdge[0] && p[1] == uvExportEdge[1] && p[2] == uvExportEdge[2] &&
               p[3] == 255;
    }
};

// A right triangle with corners at (0.25, 0.25), (0.75, 0.25) and (0.25, 0.75): at 101 pixels,
// u and v land on pixel (u * 100 + 0.5) rounded down.
TEST_F(UvExport, EdgesLieWhereTheTextureCoordinatesPutThem) {
    addUV(0.25, 0.25);
    addUV(0.75, 0.25);
    addUV(0.25, 0.75);
    addUV(0.9, 0.9).deleted = true;
    addFace(0, 1, 2);
    addFace(0, 1, 3); // a deleted corner: not drawn
    open();
    const auto image = renderUvLayout(uv, {101, 101}, false);
    for (int i = 25; i <= 75; ++i) {
        EXPECT_TRUE(isEdge(image, i, 25)) << i;      // top edge
        EXPECT_TRUE(isEdge(image, 25, i)) << i;      // left edge
        EXPECT_TRUE(isEdge(image, 100 - i, i)) << i; // the diagonal
    }
    int edgePixels = 0;
    for (int y = 0; y < 101; ++y)
        for (int x = 0; x < 101; ++x) {
            if (isEdge(image, x, y))
                ++edgePixels;
            else
                EXPECT_EQ(image.at(x, y)[3], 0) << x << "," << y; // transparent elsewhere
        }
    EXPECT_EQ(edgePixels, 3 * 51 - 3); // three edges of 51 pixels sharing three corners
    EXPECT_FALSE(isEdge(image, 90, 90));
}

TEST_F(UvExport, SizeFollowsTheTextureAndDrawsOverIt) {
    addUV(0, 0);
    addUV(1, 0);
    addUV(0, 1);
    addFace(0, 1, 2);
    open();
    EXPECT_EQ(uvExportSize(uv, std::nullopt).width, uvExportDefaultSide);
    EXPECT_EQ(uvExportSize(uv, 300).height, 300);

    testing_support::TempFolder folder;
    common::RgbaImage texture(64, 32);
    for (std::size_t i = 0; i < texture.pixels.size(); i += 4)
        texture.pixels[i + 2] = texture.pixels[i + 3] = 255; // opaque blue
    textures::writeImageFile(folder.file("skin.png"), texture, 90);
    dialogs.setAnswers({folder.file("skin.png")});
    loadUVImage(uv);
    EXPECT_EQ(uvExportSize(uv, std::nullopt).width, 64);
    EXPECT_EQ(uvExportSize(uv, std::nullopt).height, 32);
    EXPECT_EQ(uvExportSize(uv, 256).width, 256);
    EXPECT_EQ(uvExportSize(uv, 256).height, 128);

    exportUvLayout(uv, folder.file("layout.png"), std::nullopt, true);
    const auto written = textures::readImageFile(folder.file("layout.png"));
    ASSERT_EQ(written.width, 64);
    ASSERT_EQ(written.height, 32);
    EXPECT_TRUE(isEdge(written, 0, 0));
    EXPECT_TRUE(isEdge(written, 63, 0));
    EXPECT_TRUE(isEdge(written, 0, 31));
    EXPECT_EQ(written.at(40, 25)[2], 255); // the texture below the diagonal's far side
    EXPECT_EQ(written.at(40, 25)[3], 255);
    EXPECT_THROW(exportUvLayout(uv, folder.file("layout.png"), 0, true), std::exception);
}

TEST_F(UvExport, TheCommandAsksFileSizeAndBackground) {
    addUV(0, 0);
    addUV(1, 1);
    addUV(0, 1);
    addFace(0, 1, 2);
    open();
    testing_support::TempFolder folder;
    dialogs.setAnswers({folder.file("layout"), "64"});
    exportUVLayoutCommand(uv);
    EXPECT_EQ(dialogs.prompts.back(), "Size of the layout in pixels (its longer side):");
    const auto written = textures::readImageFile(folder.file("layout.png"));
    EXPECT_EQ(written.width, 64);
    EXPECT_TRUE(dialogs.shown.empty());

    dialogs.setAnswers({folder.file("bad.png"), "lots"});
    exportUVLayoutCommand(uv);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Export UV Layout");
    EXPECT_FALSE(testing_support::fileExists(folder.file("bad.png")));

    dialogs.setAnswers({""}); // cancelled at the file dialog
    exportUVLayoutCommand(uv);
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

} // namespace
