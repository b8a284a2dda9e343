// moldrin-batch's texture coordinate steps run as a program on the sample model's cube
// (geoset 1): 24 vertices whose texture coordinates cycle through (0, 1), (1, 1), (1, 0), (0, 0).

#include "support/run_program.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// The texture coordinates of the cube as read: the four corners repeated six times, with the
// vertices named in changed set to a new value.
std::string cubeUVs(const std::vector<std::pair<int, std::string>>& changed = {}) {
    const char* corners[] = {"[0,1]", "[1,1]", "[1,0]", "[0,0]"};
    std::string text = "[";
    for (int i = 0; i < 24; ++i) {
        std::string entry = corners[i % 4];
        for (const auto& [index, value] : changed)
            if (index == i)
                entry = value;
        text += (i ? "," : "") + entry;
    }
    return text + "]";
}

class MoldrinBatchUv : public ::testing::Test {
  protected:
    void SetUp() override {
        model_ =
            scratch_.copyIn(std::filesystem::path(MOLDRIN_EXAMPLES_DIR) / "cube.mdl", "cube.mdl");
    }

    testing_support::ProgramRun run(const std::vector<std::string>& steps) const {
        std::vector<std::string> all{model_};
        all.insert(all.end(), steps.begin(), steps.end());
        return testing_support::runProgram(MOLDRIN_BATCH_PATH, all);
    }

    static bool has(const std::string& line, const std::string& part) {
        return line.find(part) != std::string::npos;
    }

    testing_support::TempFolder scratch_;
    std::string model_;
};

TEST_F(MoldrinBatchUv, StepsBeforeTheEditorIsOpenFail) {
    for (const char* step : {"uv-box=0,0,1,1", "uv-save", "uv-select-all", "uv-remap=Top"}) {
        const auto result = run({step});
        EXPECT_EQ(result.status, 1) << step;
        EXPECT_TRUE(has(result.err, "uv-open")) << result.err;
    }
    EXPECT_EQ(run({"uv-open", "uv-mode=X"}).status, 1);
    EXPECT_EQ(run({"uv-open", "uv-transform=E"}).status, 1);
    EXPECT_EQ(run({"uv-open", "uv-axis=z"}).status, 1);
    EXPECT_EQ(run({"uv-open", "uv-box=0,0,1"}).status, 1);
}

TEST_F(MoldrinBatchUv, BoxAndMoveThenSaveChangesTheGeoset) {
    const auto result = run(
        {"uv-open", "uv-box=0.6,0.6,-0.1,-0.1", "uv-drag=0,0,1,1", "uv-dump", "uv-save", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto out = testing_support::outputLines(result.out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_TRUE(has(out[0], "\"selected\": [3,7,11,15,19,23]")) << out[0];
    std::vector<std::pair<int, std::string>> moved;
    for (int i = 3; i < 24; i += 4)
        moved.emplace_back(i, "[1,1]");
    EXPECT_TRUE(has(out[1], "\"uvs\": " + cubeUVs(moved))) << out[1];
}

TEST_F(MoldrinBatchUv, ReopeningWithoutSavingDiscardsTheEdits) {
    const auto result = run({"uv-open", "uv-select-all", "uv-transform=S", "uv-axis=y",
                             "uv-drag=0,0,1,0", "uv-dump", "uv-open", "uv-dump", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto out = testing_support::outputLines(result.out);
    ASSERT_EQ(out.size(), 3u);
    // Scale by 2 about (0.5, 0.5) across only.
    EXPECT_TRUE(has(out[0], "\"uvs\": [[-0.5,1],[1.5,1],[1.5,0],[-0.5,0],")) << out[0];
    EXPECT_TRUE(has(out[0], "\"transformMode\": \"S\", \"xEnabled\": true, \"yEnabled\": false"));
    EXPECT_TRUE(has(out[1], "\"uvs\": " + cubeUVs())) << out[1];
    EXPECT_TRUE(has(out[1], "\"transformMode\": \"M\", \"xEnabled\": true, \"yEnabled\": true"));
    EXPECT_TRUE(has(out[2], "\"uvs\": " + cubeUVs())) << out[2];
}

TEST_F(MoldrinBatchUv, TopRemapOfTheWholeCube) {
    const auto result = run({"uv-open", "uv-select-all", "uv-remap=Top", "uv-save", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    // File (10, -10, 0) is editor x = -10, z = 10: u 0, and the largest z at v = 0.
    EXPECT_TRUE(has(result.out, "\"uvs\": [[0,0],[1,0],[1,0],[0,0],[1,1],")) << result.out;
}

TEST_F(MoldrinBatchUv, SelectionModesInvertAndUnknownRemapView) {
    const auto result =
        run({"uv-open", "uv-box=-0.1,-0.1,0.5,0.5", "uv-mode=A", "uv-box=0.5,-0.1,1.1,0.5",
             "uv-dump", "uv-mode=D", "uv-box=-0.1,-0.1,0.5,1.1", "uv-dump", "uv-invert", "uv-dump",
             "uv-remap=Bottom", "uv-save", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto out = testing_support::outputLines(result.out);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_TRUE(has(out[0], "\"selected\": [2,3,6,7,10,11,14,15,18,19,22,23]")) << out[0];
    EXPECT_TRUE(has(out[1], "\"selected\": [2,6,10,14,18,22]")) << out[1];
    EXPECT_TRUE(has(out[2], "\"selected\": [0,1,3,4,5,7,8,9,11,12,13,15,16,17,19,20,21,23]"))
        << out[2];
    EXPECT_TRUE(has(out[3], "\"uvs\": " + cubeUVs())) << out[3];
}

} // namespace
