// The 3D view's scene textured from a game archive made at run time.
#include "editor/preview/scene_building.h"
#include "gamedata/game_data.h"
#include "gamedata/test_archives.h"
#include "scene_fixture.h"
#include "support/temp_folder.h"
#include "textures/image_file.h"

#include <gtest/gtest.h>

namespace {

using testing_support::makeArchive;
using testing_support::TempFolder;

std::string picture(textures::ImageFormat format, int width, std::uint8_t red) {
    common::RgbaImage image(width, width);
    for (int y = 0; y < width; ++y)
        for (int x = 0; x < width; ++x) {
            auto* p = image.at(x, y);
            p[0] = red, p[1] = 40, p[2] = 50, p[3] = 255;
        }
    const auto bytes = textures::encodeImage(image, format, 100);
    return {bytes.begin(), bytes.end()};
}

TEST(GameDataScene, TexturesAndTeamColourComeFromTheArchiveWhenNotBesideTheModel) {
    TempFolder folder;
    const auto archive = folder.path() / "war3.mpq";
    // The fixture's model names Textures\skin.png, team colour and team glow.
    ASSERT_TRUE(
        makeArchive(archive, {{"TEXTURES\\Skin.png", picture(textures::ImageFormat::Png, 2, 90)},
                              {"ReplaceableTextures\\TeamColor\\TeamColor00.blp",
                               picture(textures::ImageFormat::Blp, 8, 250)}}));
    gamedata::GameData game;
    game.setSources({archive.string()});
    const textures::TextureSource source(&game);

    const auto scene = editor::preview::buildScene(testing_support::threeGeosetModel(),
                                                   testing_support::editedGeoset(),
                                                   folder.path() / "model", source);
    ASSERT_EQ(scene.textures.size(), 3u);
    ASSERT_TRUE(scene.textures[0].image);
    EXPECT_EQ(scene.textures[0].image->width, 2);
    EXPECT_EQ(scene.textures[0].image->pixels[0], 90);
    ASSERT_TRUE(scene.textures[1].image); // the game's team colour, not the flat stand-in
    EXPECT_EQ(scene.textures[1].image->width, 8);
    EXPECT_NEAR(scene.textures[1].image->pixels[0], 250, 3); // through JPEG
    ASSERT_TRUE(scene.textures[2].image); // no team glow in the archive: the flat colour
    EXPECT_EQ(scene.textures[2].image->width, 1);
    EXPECT_TRUE(scene.textures[2].flatStandIn); // so a translucent layer of it is not drawn
    EXPECT_FALSE(scene.textures[1].flatStandIn);
    EXPECT_EQ(scene.note, "");

    // Without the game data the texture is missing and said so.
    const auto alone =
        editor::preview::buildScene(testing_support::threeGeosetModel(),
                                    testing_support::editedGeoset(), folder.path() / "model");
    EXPECT_FALSE(alone.textures[0].image);
    EXPECT_EQ(alone.textures[1].image->width, 1);
    EXPECT_NE(alone.note.find("was not found beside the model"), std::string::npos);
}

} // namespace
