// moldrin-batch's --list and --extract on archives made at run time.
#include "gamedata/test_archives.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using testing_support::makeArchive;
using testing_support::readFile;
using testing_support::runProgram;
using testing_support::TempFolder;

TEST(ArchiveBatch, ListsModelsAndTexturesAndExtractsOne) {
    TempFolder folder;
    const auto map = folder.file("map.w3x");
    ASSERT_TRUE(makeArchive(map, {{"war3map.j", "function main takes nothing returns nothing"},
                                  {"war3mapImported\\hero.mdx", "MDLX model"},
                                  {"Textures\\Skin.blp", "picture"}}));

    auto run = runProgram(MOLDRIN_BATCH_PATH, {"--list", map});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Textures\\Skin.blp\t7\nwar3mapImported\\hero.mdx\t10\n");
    run = runProgram(MOLDRIN_BATCH_PATH, {"--list", map, "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"name\": \"war3mapImported\\\\hero.mdx\""), std::string::npos)
        << run.out;

    run = runProgram(MOLDRIN_BATCH_PATH,
                     {"--extract", map + ":WAR3MAPIMPORTED/Hero.mdx", folder.file("out.mdx")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(folder.file("out.mdx")), "MDLX model");
}

TEST(ArchiveBatch, BadArchivesAndNamesAreOneErrorAndWriteNothing) {
    TempFolder folder;
    const auto map = folder.file("map.w3x");
    ASSERT_TRUE(makeArchive(map, {{"a.mdx", "model"}}));
    const auto text = folder.write("text.w3x", "hello world");
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {{"--list", text},
         1,
         "Error: Cannot open the archive " + text + ": it is not an MPQ archive.\n"},
        {{"--list", folder.file("none.w3x")},
         1,
         "Error: Cannot open the archive " + folder.file("none.w3x") + ": it does not exist.\n"},
        {{"--extract", map + ":b.mdx", folder.file("out.mdx")},
         1,
         "Error: Cannot read from the archive " + map + ": it holds no file b.mdx.\n"},
        {{"--extract", text + ":a.mdx", folder.file("out.mdx")},
         1,
         "Error: Cannot open the archive " + text + ": it is not an MPQ archive.\n"},
        {{"--extract", folder.file("none.w3x") + ":a.mdx", folder.file("out.mdx")},
         1,
         "Error: " + folder.file("none.w3x") +
             ":a.mdx names no file inside an archive (ARCHIVE:INNER\\PATH, the archive a file)\n"},
        {{"--list"}, 2, "   or: moldrin-batch --list ARCHIVE [--json]\n"},
        {{"--extract", map + ":a.mdx"}, 2, "   or: moldrin-batch --extract ARCHIVE:INNER OUT\n"},
    };
    for (const auto& c : cases) {
        const auto run = runProgram(MOLDRIN_BATCH_PATH, c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments[0];
        EXPECT_EQ(run.err, c.err);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("out.mdx")));
}

} // namespace
