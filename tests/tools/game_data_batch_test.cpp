// moldrin-batch's --game-data option and MOLDRIN_GAME_DATA, on archives made at run time.
#include "gamedata/test_archives.h"
#include "support/run_program.h"
#include "support/temp_folder.h"
#include "textures/image_file.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using testing_support::makeArchive;
using testing_support::runProgram;
using testing_support::TempFolder;

// A folder with the example cube (its texture Textures\white.blp is not beside it) and two game
// archives that both hold the texture.
struct GameFolder {
    TempFolder folder;
    std::string model =
        folder.copyIn(std::filesystem::path(MOLDRIN_EXAMPLES_DIR) / "cube.mdl", "cube.mdl");
    std::string first = folder.file("first.mpq");
    std::string second = folder.file("second.mpq");

    GameFolder() {
        common::RgbaImage white(2, 2);
        std::fill(white.pixels.begin(), white.pixels.end(), 255);
        const auto blp = textures::encodeImage(white, textures::ImageFormat::Blp, 90);
        const std::string bytes(blp.begin(), blp.end());
        EXPECT_TRUE(makeArchive(first, {{"textures\\WHITE.BLP", bytes}}));
        EXPECT_TRUE(makeArchive(second, {{"Textures\\white.blp", bytes}}));
    }
};

// The texture editor's background after uv-open, as uv-dump prints it.
std::string background(const testing_support::ProgramRun& run) {
    const auto at = run.out.find("\"background\": ");
    return at == std::string::npos ? "(no dump)" : run.out.substr(at + 14);
}

// Sets the variable for the programs run in this scope.
struct Variable {
    explicit Variable(const std::string& value) { setenv("MOLDRIN_GAME_DATA", value.c_str(), 1); }
    ~Variable() { unsetenv("MOLDRIN_GAME_DATA"); }
};

TEST(GameDataBatch, TheOptionsSourcesComeBeforeTheVariablesAndEachBadOneIsOneWarning) {
    GameFolder g;
    struct Case {
        std::vector<std::string> options;
        std::string variable;
        std::string shownFrom; // the archive the background comes from; empty for none
    };
    const std::string none = g.folder.file("none.mpq");
    const Case cases[] = {
        {{}, "", ""},
        {{"--game-data", g.first}, "", g.first},
        {{"--game-data", g.second, "--game-data", g.first}, "", g.second},
        {{}, g.second + ":" + g.first, g.second},
        {{"--game-data", g.first}, g.second, g.first},
        {{"--game-data", none}, ":" + g.second, g.second},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{g.model};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        arguments.insert(arguments.end(), {"uv-open", "uv-dump"});
        const Variable variable(c.variable);
        const auto run = runProgram(MOLDRIN_BATCH_PATH, arguments);
        ASSERT_EQ(run.status, 0) << run.err;
        if (c.shownFrom.empty())
            EXPECT_EQ(background(run), "null}\n");
        else
            EXPECT_EQ(background(run).rfind("\"" + c.shownFrom + ": Textures", 0), 0u)
                << background(run);
        const bool bad = !c.options.empty() && c.options.back() == none;
        EXPECT_EQ(run.err.find("Warning: Cannot use " + none +
                               " as game data: it does not exist.\n") != std::string::npos,
                  bad)
            << run.err;
    }
    EXPECT_EQ(runProgram(MOLDRIN_BATCH_PATH, {g.model, "info", "--game-data"}).status, 2);
}

TEST(GameDataBatch, TheCheckFindsTexturesInTheGameData) {
    GameFolder g;
    auto run = runProgram(MOLDRIN_BATCH_PATH, {"--check", g.model});
    EXPECT_NE(run.out.find("texture-missing"), std::string::npos) << run.out;
    run = runProgram(MOLDRIN_BATCH_PATH, {"--check", g.model, "--game-data", g.second});
    EXPECT_EQ(run.out.find("texture-missing"), std::string::npos) << run.out;
    const Variable variable(g.first);
    run = runProgram(MOLDRIN_BATCH_PATH, {"--check", g.model});
    EXPECT_EQ(run.out.find("texture-missing"), std::string::npos) << run.out;
}

TEST(GameDataBatch, QuellonSaysWhenTheNewTextureIsFoundNowhere) {
    if (std::string(QUELLON_BATCH_PATH).empty())
        GTEST_SKIP() << "quellon-batch was not built";
    GameFolder g;
    const auto merge = [&](const std::string& texture, std::vector<std::string> extra) {
        std::vector<std::string> arguments{
            "--base",    testing_support::testDataPath("merger/base_three_bones.mdl"),
            "--geoset",  testing_support::testDataPath("merger/two_geosets.mdl"),
            "--output",  g.folder.file("merged.mdl"),
            "--texture", texture};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return runProgram(QUELLON_BATCH_PATH, arguments);
    };
    struct Case {
        std::string texture;
        std::vector<std::string> extra;
        std::string err;
    };
    const std::string nowhere = ": Done. The texture \"Textures\\Arm.blp\" is found neither "
                                "beside the output model nor in the game data.\n";
    const Case cases[] = {
        {"Textures\\white.blp", {"--game-data", g.first}, ": Done\n"},
        {"Textures\\Arm.blp", {"--game-data", g.first}, nowhere},
        {"Textures\\Arm.blp", {"--game-data", g.first, "--type", "additive"}, ": Done\n"},
        {"Textures\\Arm.blp", {}, ": Done\n"}, // without game data most paths are the game's
    };
    for (const auto& c : cases) {
        const auto run = merge(c.texture, c.extra);
        EXPECT_EQ(run.status, 0) << c.texture;
        EXPECT_EQ(run.err, c.err) << c.texture;
    }
}

} // namespace
