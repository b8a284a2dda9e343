// moldrin-batch sequences and pose=, on a corpus model.

#include "support/run_program.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using testing_support::runProgram;

const fs::path villager = fs::path(MOLDRIN_CORPUS_DIR) / "villager_zombie.mdl";

std::string fileText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::size_t occurrences(const std::string& text, const std::string& word) {
    std::size_t count = 0;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++count;
    return count;
}

class BatchAnimation : public testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(villager))
            GTEST_SKIP() << "no corpus model " << villager;
    }
    testing_support::TempFolder folder;
};

TEST_F(BatchAnimation, SequencesListsNameIntervalLoopingAndSpeed) {
    const auto run = runProgram(MOLDRIN_BATCH_PATH, {villager.string(), "sequences"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("{\"name\": \"Walk\", \"interval\": [29100, 29900], \"nonLooping\": "
                           "false, \"moveSpeed\": 150}"),
              std::string::npos)
        << run.out;
    EXPECT_NE(
        run.out.find("\"name\": \"Death\", \"interval\": [34333, 37667], \"nonLooping\": true"),
        std::string::npos);
    EXPECT_EQ(occurrences(run.out, "\"name\""), 13u);
}

TEST_F(BatchAnimation, PoseWritesEveryGeosetAndFollowsTheEditedArrays) {
    const auto still = folder.path() / "still.json", moved = folder.path() / "moved.json";
    const auto run = runProgram(MOLDRIN_BATCH_PATH,
                                {villager.string(), "pose=" + still.string() + ",Walk,250",
                                 "select-all", "move=1,0,0", "pose=" + moved.string() + ",7,250"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto text = fileText(still);
    EXPECT_EQ(text.rfind("{\"sequence\": \"Walk\", \"time\": 250, \"frame\": 29350, "
                         "\"unskinned\": 0, \"billboardsIgnored\": 0,",
                         0),
              0u)
        << text.substr(0, 200);
    const auto info = runProgram(MOLDRIN_BATCH_PATH, {villager.string(), "info"});
    EXPECT_EQ(occurrences(text, "{\"vertices\": "), occurrences(info.out, "{\"vertices\": "));
    EXPECT_EQ(occurrences(text, "\"world\": "), occurrences(text, "\"objectId\": "));
    const auto after = fileText(moved);
    EXPECT_NE(text, after) << "the moved geoset is posed from the editor's arrays";
    // Only the first geoset, the edited one, changed.
    EXPECT_EQ(text.substr(text.find("},\n{\"vertices\"")),
              after.substr(after.find("},\n{\"vertices\"")));
}

TEST_F(BatchAnimation, BadArgumentsAreOneErrorAndWriteNothing) {
    const auto out = folder.path() / "pose.json";
    struct Case {
        std::string argument;
        std::string message;
    };
    const Case cases[] = {
        {",Run,10", "no sequence \"Run\""},  {",0,10", "no sequence \"0\""},
        {",14,10", "no sequence \"14\""},    {",Walk,-1", "the time \"-1\""},
        {",Walk,soon", "the time \"soon\""},
    };
    for (const auto& c : cases) {
        const auto run = runProgram(MOLDRIN_BATCH_PATH,
                                    {villager.string(), "pose=" + out.string() + c.argument});
        EXPECT_EQ(run.status, 1) << c.argument;
        EXPECT_EQ(occurrences(run.err, "Error: "), 1u) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(out)) << c.argument;
    }
}

} // namespace
