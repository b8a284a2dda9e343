// moldrin-batch's tool, marker, normal, group and geoset steps run as a program on copies of
// the sample model (geoset 1: a cube of 24 vertices whose vertex 0 is the file's
// { 10, -10, 0 } and vertex 1 { 10, 10, 0 }) and of the test models.

#include "support/run_program.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// The JSON list named key in a line of the dump step, as printed.
std::string dumpList(const std::string& dump, const std::string& key) {
    const auto start = dump.find("\"" + key + "\": [");
    if (start == std::string::npos)
        return "";
    const auto open = dump.find('[', start);
    int depth = 0;
    for (auto i = open; i < dump.size(); ++i) {
        depth += dump[i] == '[' ? 1 : dump[i] == ']' ? -1 : 0;
        if (depth == 0)
            return dump.substr(open, i - open + 1);
    }
    return "";
}

class MoldrinBatchTools : public ::testing::Test {
  protected:
    void SetUp() override {
        cube_ =
            scratch_.copyIn(std::filesystem::path(MOLDRIN_EXAMPLES_DIR) / "cube.mdl", "cube.mdl");
    }

    testing_support::ProgramRun run(const std::string& model,
                                    const std::vector<std::string>& arguments) const {
        std::vector<std::string> all{model};
        all.insert(all.end(), arguments.begin(), arguments.end());
        return testing_support::runProgram(MOLDRIN_BATCH_PATH, all);
    }
    testing_support::ProgramRun runCube(std::vector<std::string> steps) const {
        steps.insert(steps.begin(), {"--geoset", "1"});
        return run(cube_, steps);
    }

    testing_support::TempFolder scratch_;
    std::string cube_;
};

TEST_F(MoldrinBatchTools, GeometryStepsChangeTheGeoset) {
    auto result = runCube({"select=0,3", "snap", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(dumpList(result.out, "positions").starts_with("[[10,-10,10],[10,10,0],"));
    EXPECT_NE(dumpList(result.out, "positions").find("[10,10,20],[10,-10,10],[-10,10,0]"),
              std::string::npos);

    result = runCube({"select=0,1,2", "weld", "delete-face", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(dumpList(result.out, "deletedVertices"), "[1,2]");
    EXPECT_TRUE(dumpList(result.out, "faces").starts_with("[[0,0,0],[0,3,0],[4,5,6]"));
    EXPECT_EQ(dumpList(result.out, "deletedFaces"), "[0]");

    result = runCube({"select=0,1", "mirror=x", "select=0,4", "align=z", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    // Editor x is the file's second value, editor z the first: x -10 and 10 swap, then the
    // z of vertices 0 and 4 (10 and -10) meet at 0.
    EXPECT_TRUE(dumpList(result.out, "positions").starts_with("[[0,10,0],[10,-10,0],[10,10,20],"));
    EXPECT_TRUE(dumpList(result.out, "positions").find("[10,-10,20],[0,10,0],[-10,-10,0]") !=
                std::string::npos);
    EXPECT_TRUE(dumpList(result.out, "normals").starts_with("[[1,-0,0],[1,-0,0],[1,0,0],"));

    result = runCube({"select=5", "delete", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(dumpList(result.out, "deletedVertices"), "[5]");
}

TEST_F(MoldrinBatchTools, AxisStepsTakeOnlyAnAxisLetter) {
    const auto result = runCube({"select=0", "mirror=w"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("mirror: expects one axis, x, y or z"), std::string::npos);
}

TEST_F(MoldrinBatchTools, PromptsAskAgainAndCancelWhenAnswersRunOut) {
    auto result = runCube({"select=0,1", "set-coordinates=abc,1.5,2,-3", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    // Editor (1.5, 2, -3) is the file's { -3, 1.5, 2 }.
    EXPECT_TRUE(dumpList(result.out, "positions").starts_with("[[-3,1.5,2],[-3,1.5,2],[10,"));

    // An answer left out is Cancel, which leaves everything as it was.
    const auto untouched = runCube({"dump"});
    result = runCube({"select=0,1", "set-coordinates=abc,1", "undo-names", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(dumpList(result.out, "positions"), dumpList(untouched.out, "positions"));
    EXPECT_NE(result.out.find("[\"Selection\"]"), std::string::npos) << result.out;

    result = runCube({"add-marker=1,x", "markers"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "[]\n");
}

TEST_F(MoldrinBatchTools, MarkersAndTheCentreOfMass) {
    auto result = runCube({"add-marker=1,2,3", "select=0,1", "add-marker-at-selection", "markers",
                           "remove-last-marker", "markers", "remove-all-markers", "markers",
                           "view-com", "copy-com"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "[{\"slot\": 1, \"x\": 2, \"y\": 3, \"z\": 1}, "
                          "{\"slot\": 2, \"x\": 0, \"y\": 0, \"z\": 10}]\n"
                          "[{\"slot\": 1, \"x\": 2, \"y\": 3, \"z\": 1}]\n"
                          "[]\n"
                          "{ 10, 0, 0 }\n");
    EXPECT_NE(result.err.find("Center of mass: { 10, 0, 0 }"), std::string::npos);

    result = runCube({"copy-com"}); // nothing selected: nothing on the clipboard
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");

    result = runCube({"view-com"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Error: No vertices selected,"), std::string::npos);
}

TEST_F(MoldrinBatchTools, NormalSteps) {
    auto result = runCube({"select=0,4", "snap-normals", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    // (1, 0, 0) and (-1, 0, 0) cancel: the normals stay.
    EXPECT_TRUE(
        dumpList(result.out, "normals").starts_with("[[1,0,0],[1,0,0],[1,0,0],[1,0,0],[-1,"));

    result = runCube({"select=0", "recalc-normals", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_FALSE(dumpList(result.out, "normals").starts_with("[[1,0,0],"));
}

TEST_F(MoldrinBatchTools, GroupAndMatrixSteps) {
    auto result = runCube({"add-matrix=1,0", "select=0,1", "assign-group=2", "select=0,2",
                           "group-of-selection", "select-group=1", "dump", "view-matrices"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find(": Vertex group(s) 1, and 2 were selected."), std::string::npos);
    EXPECT_EQ(dumpList(result.out, "selected"), "[2,3,6,7,10,11,14,15,16,17,18,19]");
    EXPECT_NE(result.err.find("Matrices: 0: 0\r\n1: 0, 1\r\n2: 1, 0\r\n"), std::string::npos);

    result = runCube({"select-group=abc"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Vertex group to select"), std::string::npos);
}

TEST_F(MoldrinBatchTools, GeosetSteps) {
    const auto starter = scratch_.file("new.mdl");
    auto result = runCube({"new=" + starter});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto text = testing_support::readFile(starter);
    EXPECT_TRUE(text.starts_with("Version {\r\n\tFormatVersion 800,\r\n}\r\n"));
    EXPECT_TRUE(text.ends_with("\t}\r\n\r\n\r\n\r\n\r\n\r\n\r\n"));

    result = runCube({"switch-geoset=2", "info", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(dumpList(result.out, "faces"), "[[0,1,2],[0,2,3],[0,3,4],[0,4,1],[1,4,3],[3,2,1]]");

    const auto quad = scratch_.copyIn(testing_support::testDataPath("tools/quad.mdl"), "quad.mdl");
    result = run(quad, {"merge-geoset=" + cube_ + ",2", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(dumpList(result.out, "selected"), "[4,5,6,7,8]");
    EXPECT_TRUE(dumpList(result.out, "faces")
                    .ends_with(",[4,5,6],[4,6,7],[4,7,8],[4,8,5],[5,8,7],[7,6,5]]"));

    // Two geosets and no answer for the picker: Cancel, nothing merged.
    result = run(quad, {"merge-geoset=" + cube_, "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(dumpList(result.out, "selected"), "[]");
}

} // namespace

namespace {

// Arguments that would write a file no reader takes are refused with one error, and the model
// stays as it was.
TEST_F(MoldrinBatchTools, GroupAndMatrixArgumentsAreCheckedAgainstTheModel) {
    const auto before = testing_support::readFile(cube_);
    for (const char* step : {"assign-group=2", "assign-group=-3", "assign-group=300"}) {
        const auto result = runCube({"select-all", step, "save"});
        EXPECT_EQ(result.status, 1) << step;
        EXPECT_NE(result.err.find("Error: There is no vertex group"), std::string::npos)
            << result.err;
        EXPECT_EQ(testing_support::readFile(cube_), before) << step;
    }
    auto result = runCube({"add-matrix=999", "save"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Error: The model has no node with ObjectId 999."), std::string::npos)
        << result.err;
    EXPECT_EQ(testing_support::readFile(cube_), before);

    result = runCube({"select-all", "assign-group=1", "add-matrix=1,0", "view-matrices"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("2: 1, 0"), std::string::npos) << result.err;
}

} // namespace

namespace {

// A step whose result is past the largest number stops the run before anything is saved.
TEST_F(MoldrinBatchTools, OverflowingTransformsAreRefusedAndNothingIsSaved) {
    const auto out = scratch_.file("o.mdl");
    for (const auto& steps : std::vector<std::vector<std::string>>{
             {"select-all", "move=1e308,0,0", "move=1e308,0,0", "recalc-normals", "save-as=" + out},
             {"select-all", "scale=1e200,1e200", "save-as=" + out}}) {
        const auto result = runCube(steps);
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.err.find("Error: This would take vertices past the largest number"),
                  std::string::npos)
            << result.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

} // namespace
