#include "gamedata/game_data.h"
#include "gamedata/test_archives.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using testing_support::makeArchive;
using testing_support::TempFolder;

TEST(GameData, SourcesAreSearchedInOrderThePatchFirst) {
    TempFolder folder;
    const auto game = folder.path() / "Warcraft III";
    std::filesystem::create_directories(game);
    ASSERT_TRUE(makeArchive(game / "war3.mpq", {{"Textures\\a.blp", "base a"},
                                                {"Textures\\b.blp", "base b"},
                                                {"Textures\\c.blp", "base c"}}));
    ASSERT_TRUE(makeArchive(game / "War3x.mpq", {{"Textures\\b.blp", "expansion b"}}));
    ASSERT_TRUE(makeArchive(game / "WAR3PATCH.MPQ", {{"Textures\\c.blp", "patch c"}}));
    const auto extracted = folder.path() / "extracted" / "Textures";
    std::filesystem::create_directories(extracted);
    folder.write("extracted/Textures/A.BLP", "extracted a");
    folder.write("extracted/Textures/d.blp", "extracted d");

    gamedata::GameData data;
    data.setSources(
        {(folder.path() / "extracted").string(), game.string(), folder.file("missing.mpq")});
    ASSERT_EQ(data.problems().size(), 1u);
    EXPECT_EQ(data.problems()[0],
              "Cannot use " + folder.file("missing.mpq") + " as game data: it does not exist.");
    struct Case {
        const char* name;
        const char* bytes;
    };
    for (const auto& c :
         {Case{"textures\\a.blp", "extracted a"}, Case{"Textures/B.blp", "expansion b"},
          Case{"TEXTURES\\C.BLP", "patch c"}, Case{"Textures\\d.blp", "extracted d"}}) {
        const auto found = data.find(c.name);
        ASSERT_TRUE(found) << c.name;
        EXPECT_EQ(found->bytes, c.bytes) << c.name;
    }
    EXPECT_FALSE(data.find("Textures\\e.blp"));
    EXPECT_FALSE(data.find("..\\extracted\\Textures\\d.blp"));
}

TEST(GameData, TheListsAndNamesItIsGiven) {
    EXPECT_EQ(gamedata::splitSourceList("/a/war3.mpq::/b folder:"),
              (std::vector<std::string>{"/a/war3.mpq", "/b folder"}));
    EXPECT_TRUE(gamedata::splitSourceList("").empty());
    EXPECT_EQ(gamedata::teamColourTexture(0), "ReplaceableTextures\\TeamColor\\TeamColor00.blp");
    EXPECT_EQ(gamedata::teamGlowTexture(11), "ReplaceableTextures\\TeamGlow\\TeamGlow11.blp");
}
