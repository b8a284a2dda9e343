#include "editor/uv/geoset_texture.h"
#include "editor/uv/uv_background.h"
#include "editor/uv/uv_window.h"
#include "formats/mdx/mdx_file.h"
#include "support/temp_folder.h"
#include "textures/image_file.h"
#include "textures/replaceable_colour.h"
#include "uv_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace editor;
namespace fs = std::filesystem;

namespace {

// Two geosets on materials 1 and 0; material 0's first layer shows texture 1 (an image),
// material 1's first layer texture 0 (team colour), laid out with spaces, odd line breaks and
// comments as any writer might.
const std::vector<std::string> model = {
    "// a model",
    "Version { FormatVersion 800, }",
    "Textures 2 {",
    "  Bitmap { Image \"\", ReplaceableId 1, }",
    "  Bitmap {",
    "      Image \"Textures\\\\HuangJung.blp\",",
    "  }",
    "}",
    "Materials 2 {",
    "  Material { Layer { FilterMode None, static TextureID 1, } Layer { static TextureID 0, } }",
    "  Material {",
    "    Layer {",
    "      FilterMode Blend,",
    "      TextureID 2 {",
    "        Linear,",
    "        0: 0,",
    "        100: 1,",
    "      }",
    "    }",
    "  }",
    "}",
    "Geoset { Vertices 1 { { 0, 0, 0 }, } MaterialID 1, }",
    "Geoset {",
    "    Vertices 1 {",
    "        { 0, 0, 0 },",
    "    }",
    "    MaterialID 0,",
    "}",
    "GeosetAnim { GeosetId 0, }",
};

GeosetTexture findIn(const std::vector<std::string>& lines, int geoset) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\n";
    return findGeosetTexture(mdx::readMdl(text), geoset);
}

TEST(GeosetTexture, FollowsMaterialLayerAndTextureWhateverTheLayout) {
    const auto second = findIn(model, 2);
    EXPECT_EQ(second.kind, GeosetTexture::Kind::Image);
    EXPECT_EQ(second.imagePath, "Textures\\\\HuangJung.blp");
    const auto first = findIn(model, 1); // an animated TextureID: its first key
    EXPECT_EQ(first.kind, GeosetTexture::Kind::Replaceable);
    EXPECT_EQ(first.replaceableId, 1);
    EXPECT_EQ(findIn(model, 3).kind, GeosetTexture::Kind::None);
    EXPECT_FALSE(findIn(model, 3).whyNone.empty());

    auto firstKeyOne = model;
    firstKeyOne[15] = "        0: 1,";
    EXPECT_EQ(findIn(firstKeyOne, 1).kind, GeosetTexture::Kind::Image);

    // A layer without a TextureID line shows texture 0, as binary models store it.
    auto untextured = model;
    untextured[9] = "  Material { Layer { FilterMode None, } }";
    EXPECT_EQ(findIn(untextured, 2).kind, GeosetTexture::Kind::Replaceable);

    auto broken = model;
    broken[26] = "    MaterialID 7,";
    EXPECT_EQ(findIn(broken, 2).kind, GeosetTexture::Kind::None);
    EXPECT_NE(findIn(broken, 2).whyNone.find("material 7"), std::string::npos);
}

TEST(GeosetTexture, PathsMatchCaseInsensitivelyFromTheModelFolderUpToThreeLevels) {
    testing_support::TempFolder folder;
    const auto root = folder.path();
    fs::create_directories(root / "a" / "b" / "c" / "d");
    fs::create_directories(root / "textures");
    folder.write("textures/huangjung.BLP", "x");
    const auto deep = root / "a" / "b" / "c";
    // From c: c, b, a, then the root (three levels up) holds textures/.
    const auto found = locateTextureFile("Textures\\\\HuangJung.blp", deep);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->filename(), "huangjung.BLP");
    EXPECT_FALSE(locateTextureFile("Textures\\\\HuangJung.blp", deep / "d")); // four levels up
    EXPECT_TRUE(locateTextureFile("TEXTURES/HUANGJUNG.BLP", root));
    EXPECT_FALSE(locateTextureFile("Textures\\\\Other.blp", root));
    EXPECT_FALSE(locateTextureFile("", root));
    EXPECT_FALSE(locateTextureFile("Textures", root)); // a folder is not a texture
}

struct GeosetTextureShown : ::testing::Test, testing_support::UvFixture {
    testing_support::TempFolder folder;
    GeosetTextureShown() {
        addUV(0.5, 0.5);
        fs::create_directories(folder.path() / "models");
        state.modelPath = folder.file("models/hero.mdl");
        std::string text;
        for (const auto& line : model)
            text += line + "\r\n";
        folder.write("models/hero.mdl", text);
        state.geosetNumber = 2;
    }
};

// The model says HuangJung.blp; the file beside it is huangjung.blp (a copy of the corpus
// texture), found case-insensitively and shown on opening.
TEST_F(GeosetTextureShown, OpeningShowsTheGeosetsOwnTexture) {
    const fs::path corpus = fs::path(MOLDRIN_CORPUS_DIR) / "mdx" / "huangjung.blp";
    if (!fs::exists(corpus))
        GTEST_SKIP() << "the texture corpus is missing: " << corpus;
    fs::create_directories(folder.path() / "models" / "textures");
    folder.copyIn(corpus, "models/textures/huangjung.blp");
    open();
    ASSERT_TRUE(uv.imageLoaded);
    EXPECT_EQ(fs::path(uv.imagePath).filename(), "huangjung.blp");
    ASSERT_TRUE(uv.background);
    EXPECT_EQ(uv.background->width, 256);
    EXPECT_EQ(uv.background->pixels, textures::readImageFile(corpus).pixels);
    EXPECT_TRUE(uv.textureNote.empty());
    ASSERT_EQ(callsOf(common::RecordingCanvas::Kind::Picture).size(), 1u);
}

TEST_F(GeosetTextureShown, MissingTextureIsSaidOnceAndLoadImageStillReplacesIt) {
    open();
    EXPECT_FALSE(uv.imageLoaded);
    EXPECT_NE(uv.textureNote.find("HuangJung.blp"), std::string::npos);
    EXPECT_TRUE(dialogs.shown.empty()); // no message box
    uv.textureNote.clear();
    closeUVEditor(uv);
    open();
    EXPECT_TRUE(uv.textureNote.empty()); // once per geoset

    const auto picture = folder.file("paint.png");
    textures::writeImageFile(picture, common::RgbaImage(2, 2), 90);
    dialogs.setAnswers({picture});
    loadUVImage(uv);
    EXPECT_EQ(uv.imagePath, picture);
    closeUVEditor(uv);
    open(); // the same geoset: the loaded picture stays
    EXPECT_EQ(uv.imagePath, picture);
}

TEST_F(GeosetTextureShown, ReplaceableTextureIsAFlatColour) {
    state.geosetNumber = 1;
    open();
    ASSERT_TRUE(uv.imageLoaded);
    EXPECT_TRUE(uv.imagePath.empty());
    ASSERT_TRUE(uv.background);
    ASSERT_EQ(uv.background->pixels.size(), 4u);
    const auto red = textures::replaceableColour(1);
    EXPECT_EQ(uv.background->pixels,
              (std::vector<std::uint8_t>{red.red, red.green, red.blue, 255}));
}

} // namespace
