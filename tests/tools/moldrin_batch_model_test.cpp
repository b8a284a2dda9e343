// moldrin-batch's model steps run as a program: info, dump, the three saves, exit statuses,
// messages on standard error and the working copy's lifetime.

#include "support/run_program.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using testing_support::fileExists;
using testing_support::ProgramRun;
using testing_support::readFile;

const std::string cubeInfo =
    "{\"formatVersion\": 800, \"geosets\": 2, \"geoset\": [{\"vertices\": 24, \"triangles\": 12, "
    "\"groups\": 2}, {\"vertices\": 5, \"triangles\": 6, \"groups\": 1}]}\n";

class MoldrinBatchModel : public ::testing::Test {
  protected:
    void SetUp() override {
        cube_ =
            folder_.copyIn(std::filesystem::path(MOLDRIN_EXAMPLES_DIR) / "cube.mdl", "cube.mdl");
    }

    ProgramRun run(const std::vector<std::string>& arguments) const {
        return testing_support::runProgram(MOLDRIN_BATCH_PATH, arguments);
    }

    // Only the files named are left in the folder: no working copy, no temporary file.
    void expectOnlyFiles(std::vector<std::string> names) const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder_.path()))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(found, names);
    }

    testing_support::TempFolder folder_;
    std::string cube_;
};

TEST_F(MoldrinBatchModel, InfoCountsEveryGeosetFromItsHeaders) {
    const auto result = run({cube_, "--geoset", "2", "info"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, cubeInfo);
    EXPECT_EQ(result.err, "");
    expectOnlyFiles({"cube.mdl"});
}

TEST_F(MoldrinBatchModel, DumpShowsTheGeosetInFileOrder) {
    const auto result = run({cube_, "--geoset", "2", "dump"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "{\"positions\": [[0,0,30],[5,-5,20],[5,5,20],[-5,5,20],[-5,-5,20]], "
                          "\"normals\": [[0,0,1],[0.707107,-0.707107,0],[0.707107,0.707107,0],"
                          "[-0.707107,0.707107,0],[-0.707107,-0.707107,0]], "
                          "\"uvs\": [[0.5,0],[0,1],[1,1],[0,1],[1,1]], \"groups\": [0,0,0,0,0], "
                          "\"faces\": [[0,1,2],[0,2,3],[0,3,4],[0,4,1],[1,4,3],[3,2,1]], "
                          "\"matrices\": [[1]], \"deletedVertices\": [], \"deletedFaces\": [], "
                          "\"selected\": []}\n");
}

TEST_F(MoldrinBatchModel, FirstGeosetIsTheDefault) {
    const auto result = run({cube_, "dump"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out.rfind("{\"positions\": [[10,-10,0],[10,10,0],[10,10,20],", 0), 0u);
    EXPECT_NE(result.out.find("\"groups\": [0,0,1,1,"), std::string::npos);
    EXPECT_NE(result.out.find("\"faces\": [[0,1,2],[2,3,0],[4,5,6],"), std::string::npos);
    EXPECT_NE(result.out.find("\"matrices\": [[0],[0,1]]"), std::string::npos);
}

TEST_F(MoldrinBatchModel, SaveAsThenInfoCountsTheNewFile) {
    const auto target = folder_.file("copy.mdl");
    const auto result = run({cube_, "save-as=" + target, "info", "save", "info"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, cubeInfo + cubeInfo);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(readFile(target), readFile(cube_)); // an unedited cube saves byte for byte
    expectOnlyFiles({"cube.mdl", "copy.mdl"});
}

TEST_F(MoldrinBatchModel, SaveGeosetWritesTheOneGeosetModel) {
    const auto target = folder_.file("pyramid.mdl");
    const auto result = run({cube_, "--geoset", "2", "save-geoset=" + target, "info", "dump"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out.substr(0, result.out.find('\n') + 1),
              "{\"formatVersion\": 800, \"geosets\": 1, \"geoset\": [{\"vertices\": 5, "
              "\"triangles\": 6, \"groups\": "
              "1}]}\n");
    EXPECT_NE(result.out.find("\"matrices\": [[0]]"), std::string::npos);
    const auto text = readFile(target);
    EXPECT_NE(text.find("Bone \"Bone0\" {\r\n\tObjectId 0,\r\n\tGeosetAnimId None,\r\n}\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("Bone \"Base\""), std::string::npos);
    expectOnlyFiles({"cube.mdl", "pyramid.mdl"});
}

TEST_F(MoldrinBatchModel, MissingModelIsABadFileName) {
    const auto result = run({folder_.file("missing.mdl"), "info"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Error: Bad file name\n");
    EXPECT_EQ(result.out, "");
}

TEST_F(MoldrinBatchModel, ModelTheReaderRefusesEndsTheRunWithItsMessage) {
    const auto bad = folder_.write("bad.mdl", "Geoset {\n\tVertices 1 {\n\t\t{ 1, two, 3 },\n"
                                              "\t}\n}\n");
    const auto result = run({bad, "info"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.rfind("Error: Cannot read " + bad + ", line 3: ", 0), 0u) << result.err;
    EXPECT_EQ(result.out, "");
    expectOnlyFiles({"cube.mdl", "bad.mdl"});
}

TEST_F(MoldrinBatchModel, GeosetOutsideTheModelFailsClearly) {
    const auto result = run({cube_, "--geoset", "3", "info"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("geoset 3"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("cube.mdl has 2 geosets"), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
    expectOnlyFiles({"cube.mdl"});
}

TEST_F(MoldrinBatchModel, FirstErrorStopsTheRun) {
    const auto result = run({cube_, "save-as=" + folder_.file("missing/x.mdl"), "info"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Error: Cannot save " + folder_.file("missing/x.mdl")),
              std::string::npos)
        << result.err;
    EXPECT_EQ(result.out, "");
    expectOnlyFiles({"cube.mdl"});
}

TEST_F(MoldrinBatchModel, BadArgumentsPrintTheUsage) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {}, {cube_, "nonsense"}, {cube_, "--geoset"}, {cube_, "--geoset", "x", "info"}}) {
        const auto result = run(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find(
                      "usage: moldrin-batch MODEL [--geoset N] [--game-data PATH]... STEP..."),
                  std::string::npos)
            << result.err;
        EXPECT_EQ(result.out, "");
    }
    expectOnlyFiles({"cube.mdl"});
}

TEST_F(MoldrinBatchModel, SaveAfterRemovingNothingKeepsTheFile) {
    const auto before = readFile(cube_);
    const auto result = run({cube_, "save"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readFile(cube_), before);
    expectOnlyFiles({"cube.mdl"});
}

TEST_F(MoldrinBatchModel, EverySampleModelOpensAndSavesUnchanged) {
    int samples = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(MOLDRIN_EXAMPLES_DIR))) {
        if (entry.path().extension() != ".mdl")
            continue;
        ++samples;
        const auto name = entry.path().filename().string();
        const auto copy = folder_.copyIn(entry.path(), "sample-" + name);
        const auto saved = folder_.file("saved-" + name);
        const auto result = run({copy, "info", "dump", "save-as=" + saved});
        EXPECT_EQ(result.status, 0) << name << ": " << result.err;
        EXPECT_EQ(result.err, "") << name;
        EXPECT_NE(result.out.find("\"positions\": [["), std::string::npos) << name;
        EXPECT_EQ(readFile(saved), readFile(entry.path())) << name;
    }
    EXPECT_GE(samples, 3);
}

} // namespace

namespace {

TEST_F(MoldrinBatchModel, AnEmptySavePathIsAnErrorNotACancel) {
    const auto before = readFile(cube_);
    for (const char* step : {"save-as=", "save-as", "save-geoset="}) {
        const auto result = run({cube_, step});
        EXPECT_EQ(result.status, 1) << step;
        EXPECT_NE(result.err.find("needs a PATH"), std::string::npos) << result.err;
    }
    EXPECT_EQ(readFile(cube_), before);
    expectOnlyFiles({"cube.mdl"});
}

TEST_F(MoldrinBatchModel, ASaveThatRemovesTheGeosetGoesOnWithTheFirst) {
    const auto result = run({cube_, "--geoset", "2", "select-all", "delete", "save", "info"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find(": Removing geoset"), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "{\"formatVersion\": 800, \"geosets\": 1, \"geoset\": [{\"vertices\": "
                          "24, \"triangles\": 12, \"groups\": 2}]}\n");
    expectOnlyFiles({"cube.mdl"});
}

} // namespace
