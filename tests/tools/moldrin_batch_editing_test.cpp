// moldrin-batch's editing steps run as a program on the sample model's pyramid (geoset 2):
// vertex 0 is the apex at file (0, 0, 30), vertices 1..4 the base at file Z = 20.

#include "support/run_program.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

class MoldrinBatchEditing : public ::testing::Test {
  protected:
    void SetUp() override {
        model_ =
            scratch_.copyIn(std::filesystem::path(MOLDRIN_EXAMPLES_DIR) / "cube.mdl", "cube.mdl");
    }

    // Runs the tool on geoset 2 of the copied sample with the given steps.
    testing_support::ProgramRun run(const std::vector<std::string>& steps) const {
        std::vector<std::string> all{model_, "--geoset", "2"};
        all.insert(all.end(), steps.begin(), steps.end());
        return testing_support::runProgram(MOLDRIN_BATCH_PATH, all);
    }

    testing_support::TempFolder scratch_;
    std::string model_;
};

TEST_F(MoldrinBatchEditing, ExtrudeOfOneFaceAddsItsWallsAndUndoRestoresTheGeoset) {
    const auto result =
        run({"select=0,1,2", "dump", "extrude=0,0,5", "count-faces", "dump", "undo", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto out = testing_support::outputLines(result.out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_NE(out[1].find("\"positions\": [[0,0,30],[5,-5,20],[5,5,20],[-5,5,20],[-5,-5,20],"
                          "[5,0,30],[10,-5,20],[10,5,20]]"),
              std::string::npos)
        << out[1];
    EXPECT_NE(out[1].find("\"faces\": [[5,6,7],[0,2,3],[0,3,4],[0,4,1],[1,4,3],[3,2,1],"
                          "[0,1,5],[6,5,1],[1,2,6],[7,6,2],[2,0,7],[5,7,0]]"),
              std::string::npos)
        << out[1];
    EXPECT_NE(out[1].find("\"selected\": [5,6,7]"), std::string::npos);
    EXPECT_NE(result.err.find("Selected face counter: 1 faces selected."), std::string::npos);
    EXPECT_EQ(out[2], out[0]); // the saved vertices bring back their selection too
}

TEST_F(MoldrinBatchEditing, BoxSelectionFollowsTheSelectionModeAndTheCountersReportIt) {
    const auto result = run({"box-select=front,6,21,-6,19", "count-vertices", "count-faces",
                             "mode=A", "box-select=top,-1,-1,1,1", "count-vertices", "mode=D",
                             "box-select=left,-1,29,1,31", "count-vertices", "undo-names"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "Selected vertex counter: 4 vertices selected.\n"
                          "Selected face counter: 2 faces selected.\n"
                          "Selected vertex counter: 5 vertices selected.\n"
                          "Selected vertex counter: 4 vertices selected.\n");
    EXPECT_EQ(result.out, "[\"Selection\", \"Selection\", \"Selection\"]\n");
}

TEST_F(MoldrinBatchEditing, RightDragsUseTheTransformModeAndTheViewsAxes) {
    const auto result =
        run({"select=0", "drag=top,0,0,2,3", "dump", "transform=S", "drag=front,0,0,1,1",
             "transform=R", "drag=left,0,0,9,90", "undo-names"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto out = testing_support::outputLines(result.out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_NE(out[0].find("\"positions\": [[3,2,30],"), std::string::npos) << out[0];
    EXPECT_EQ(out[1], "[\"Rotate x\", \"Scale\", \"Move\", \"Selection\"]");
}

TEST_F(MoldrinBatchEditing, AxisTogglesFormOneStepAndLockTheMove) {
    const auto result = run({"dump", "select-all", "axis=x", "axis=y", "axis=x", "undo-names",
                             "move=1,1,1", "dump", "undo", "undo", "undo", "dump", "undo-names"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto out = testing_support::outputLines(result.out);
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out[1], "[\"Set Active Axes\", \"Select All\"]");
    EXPECT_NE(out[2].find("\"positions\": [[1,1,30],[6,-4,20],"), std::string::npos) << out[2];
    EXPECT_EQ(out[3], out[0]);
    EXPECT_EQ(out[4], "[]");
}

TEST_F(MoldrinBatchEditing, CloneModeCopiesBeforeTheMoveAndUndoRemovesTheCopies) {
    const auto result = run({"dump", "select=0,1,2", "clone", "move=0,10,0", "dump", "undo-names",
                             "undo", "undo", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto out = testing_support::outputLines(result.out);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_NE(out[1].find("[0,0,30],[5,-5,20],[5,5,20],[-5,5,20],[-5,-5,20],[0,0,40],[5,-5,30],"
                          "[5,5,30]]"),
              std::string::npos)
        << out[1];
    EXPECT_NE(out[1].find("[3,2,1],[5,6,7]]"), std::string::npos) << out[1];
    EXPECT_EQ(out[2], "[\"Clone\", \"Selection\"]");
    EXPECT_EQ(out[3], out[0]);
}

TEST_F(MoldrinBatchEditing, ExpandAndInvertSelection) {
    const auto result = run({"select=3", "expand-selection", "count-vertices", "invert-selection",
                             "count-vertices", "undo", "count-vertices"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "Selected vertex counter: 5 vertices selected.\n"
                          "Selected vertex counter: 0 vertices selected.\n"
                          "Selected vertex counter: 5 vertices selected.\n");
}

TEST_F(MoldrinBatchEditing, BadArgumentsStopTheRunWithStatusOne) {
    for (const std::string step :
         {"mode=Q", "transform=X", "select=abc", "select=5", "rotate=90,w",
          "box-select=side,0,0,1,1", "move=1,2", "axis=q", "drag=front,0,0,1"}) {
        const auto result = run({step, "undo-names"});
        EXPECT_EQ(result.status, 1) << step;
        EXPECT_EQ(result.out, "") << step; // the run stopped before the next step
        EXPECT_NE(result.err.find("moldrin-batch: "), std::string::npos) << step;
    }
}

} // namespace
