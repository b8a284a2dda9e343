#include "gamedata/archive_extraction.h"
#include "gamedata/archive_replacement.h"
#include "gamedata/game_data.h"
#include "gamedata/mpq_archive.h"
#include "gamedata/test_archives.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using testing_support::makeArchive;
using testing_support::readFile;
using testing_support::TempFolder;

TEST(ExtractedFile, LiesInAPrivateFolderUnderItsOwnNameUntilTheLastHolderGoes) {
    TempFolder folder;
    const auto map = folder.file("map.w3x");
    ASSERT_TRUE(makeArchive(map, {{"war3mapImported\\Hero.mdx", "MDLX hero"}}));
    std::string error;
    auto file = gamedata::ExtractedFile::extract({map, "WAR3MAPIMPORTED/Hero.mdx"}, error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(fs::path(file->path()).filename(), "Hero.mdx");
    EXPECT_EQ(readFile(file->path()), "MDLX hero");
    EXPECT_EQ(file->origin().joined(), map + ":WAR3MAPIMPORTED\\Hero.mdx");
    struct stat status {};
    ASSERT_EQ(::stat(file->folder().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);

    // Put back, after an edit, stored as it was.
    testing_support::TempFolder scratch;
    const auto edited = scratch.write("edited.mdx", "MDLX hero, edited");
    EXPECT_EQ(file->writeBack(edited), "");
    auto archive = gamedata::MpqArchive::open(map, error);
    ASSERT_TRUE(archive);
    EXPECT_EQ(archive->read("war3mapImported\\hero.mdx", error), "MDLX hero, edited");

    const std::string folderPath = file->folder();
    auto second = file;
    file.reset();
    EXPECT_TRUE(fs::exists(folderPath));
    std::ofstream(folderPath + "/working copy") << "held beside it";
    second.reset();
    EXPECT_FALSE(fs::exists(folderPath));
}

TEST(ExtractedFile, WhatCannotBeExtractedIsOneReasonAndNoFolder) {
    TempFolder folder;
    TempFolder tmp;
    setenv("TMPDIR", tmp.path().c_str(), 1);
    const auto map = folder.file("map.w3x");
    ASSERT_TRUE(makeArchive(map, {{"a.mdx", "model"}}));
    const auto text = folder.write("text.w3x", "no archive");
    struct Case {
        gamedata::ArchivePath path;
        std::string error;
    };
    for (const auto& c : {Case{{map, "b.mdx"}, "it holds no file b.mdx"},
                          Case{{text, "a.mdx"}, "it is not an MPQ archive"},
                          Case{{folder.file("none.w3x"), "a.mdx"}, "it does not exist"}}) {
        std::string error;
        EXPECT_FALSE(gamedata::ExtractedFile::extract(c.path, error));
        EXPECT_EQ(error, c.error);
    }
    unsetenv("TMPDIR");
    EXPECT_TRUE(fs::is_empty(tmp.path()));
}

TEST(ArchiveWrites, RefusalsAreNamedBeforeAnythingIsWritten) {
    TempFolder folder;
    const auto plain = folder.file("plain.w3x");
    const auto signedMap = folder.file("signed.w3x");
    const auto readOnly = folder.file("readonly.w3x");
    ASSERT_TRUE(makeArchive(plain, {{"a.mdx", "model"}}));
    ASSERT_TRUE(makeArchive(signedMap, {{"a.mdx", "model"}}, true, true));
    ASSERT_TRUE(makeArchive(readOnly, {{"a.mdx", "model"}}));
    fs::permissions(readOnly, fs::perms::owner_read);
    const auto text = folder.write("text.w3x", "no archive");
    struct Case {
        std::string path, why;
    };
    for (const auto& c :
         {Case{plain, ""},
          Case{signedMap, "it is signed, and writing into it would break its "
                          "signature"},
          Case{readOnly, "it is read-only"}, Case{text, "it is not an MPQ archive"}}) {
        const auto bytes = readFile(c.path);
        EXPECT_EQ(gamedata::whyArchiveRefusesWrites(c.path), c.why) << c.path;
        EXPECT_EQ(gamedata::replaceInArchive(c.path, "a.mdx", "new") == "", c.why.empty());
        if (!c.why.empty()) {
            EXPECT_EQ(readFile(c.path), bytes) << c.path;
        }
    }
    // Only the four archives: no copy was left beside any of them.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 4);
    EXPECT_EQ(gamedata::archiveSaveError({plain, "a.mdx"}, "it is read-only"),
              "Cannot save " + plain + ":a.mdx: it is read-only.");
}

TEST(GameData, TheModelsArchiveIsSearchedFirst) {
    TempFolder folder;
    const auto map = folder.file("map.w3x");
    const auto game = folder.file("game.mpq");
    ASSERT_TRUE(makeArchive(map, {{"Textures\\Skin.blp", "the map's skin"}}));
    ASSERT_TRUE(makeArchive(game, {{"Textures\\Skin.blp", "the game's skin"},
                                   {"Textures\\Other.blp", "the game's other"}}));
    gamedata::GameData data;
    EXPECT_TRUE(data.empty());
    std::string error;
    data.setModelArchive(gamedata::MpqArchive::open(map, error));
    EXPECT_FALSE(data.empty());
    data.setSources({game});
    EXPECT_EQ(data.sources(), std::vector<std::string>{game});
    EXPECT_EQ(data.find("textures/skin.blp")->bytes, "the map's skin");
    EXPECT_EQ(data.sourceOf("Textures\\Skin.blp"), map);
    EXPECT_EQ(data.find("Textures\\Other.blp")->bytes, "the game's other");
    data.setModelArchive(nullptr);
    EXPECT_EQ(data.find("Textures\\Skin.blp")->bytes, "the game's skin");
}

} // namespace
