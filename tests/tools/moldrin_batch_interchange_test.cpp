// moldrin-batch export-gltf=, export-obj= and --convert to glTF.

#include "support/run_program.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::runProgram;

const fs::path villager = fs::path(MOLDRIN_CORPUS_DIR) / "villager_zombie.mdl";
const fs::path cube = fs::path(MOLDRIN_EXAMPLES_DIR) / "cube.mdl";

// The first "v" line of an OBJ text, as its three numbers.
std::array<double, 3> firstVertex(const std::string& obj) {
    std::istringstream in(obj.substr(obj.find("\nv ") + 3));
    std::array<double, 3> v{};
    in >> v[0] >> v[1] >> v[2];
    return v;
}

TEST(BatchInterchange, ExportGltfWritesBinaryOrTextForm) {
    testing_support::TempFolder folder;
    const auto glb = folder.file("cube.glb"), gltf = folder.file("cube.gltf");
    const auto run = runProgram(MOLDRIN_BATCH_PATH,
                                {cube.string(), "export-gltf=" + glb, "export-gltf=" + gltf});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(glb).substr(0, 4), "glTF");
    EXPECT_NE(readFile(gltf).find("\"uri\": \"cube.bin\""), std::string::npos);
    EXPECT_FALSE(readFile(folder.file("cube.bin")).empty());
}

TEST(BatchInterchange, ExportObjFollowsTheEditedArrays) {
    testing_support::TempFolder folder;
    const auto before = folder.file("before.obj"), after = folder.file("after.obj");
    const auto run =
        runProgram(MOLDRIN_BATCH_PATH, {cube.string(), "export-obj=" + before, "select-all",
                                        "move=10,0,0", "export-obj=" + after});
    ASSERT_EQ(run.status, 0) << run.err;
    // The move's first amount is along the editor's first axis, the file's y.
    EXPECT_NEAR(firstVertex(readFile(after))[1] - firstVertex(readFile(before))[1], 10, 1e-5);
    EXPECT_NE(readFile(after).find("mtllib after.mtl"), std::string::npos);
    EXPECT_NE(readFile(folder.file("after.mtl")).find("newmtl "), std::string::npos);
}

TEST(BatchInterchange, BadOutputNamesAreRefused) {
    testing_support::TempFolder folder;
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* says;
    } cases[] = {
        {{cube.string(), "export-gltf=" + folder.file("cube.fbx")}, 1, "expects OUT.glb"},
        {{cube.string(), "export-obj=" + folder.file("cube.txt")}, 1, "expects OUT.obj"},
        {{cube.string(), "export-gltf=" + folder.file("no/such/folder/cube.glb")},
         1,
         "could not be written"},
        {{"--convert", cube.string(), folder.file("cube.txt")}, 2, ".glb or .gltf"},
    };
    for (const auto& c : cases) {
        const auto run = runProgram(MOLDRIN_BATCH_PATH, c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.back() << "\n" << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
}

TEST(BatchInterchange, ConvertExportsAnAnimatedModel) {
    if (!fs::exists(villager))
        GTEST_SKIP() << "no corpus model " << villager;
    testing_support::TempFolder folder;
    const auto out = folder.file("villager.glb");
    const auto run = runProgram(MOLDRIN_BATCH_PATH, {"--convert", villager.string(), out});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("(5 meshes, 13 animations)"), std::string::npos) << run.out;
    // The texture the model names is not in the corpus: one warning, and the file still made.
    EXPECT_NE(run.err.find("Warning: the texture"), std::string::npos) << run.err;
    EXPECT_EQ(readFile(out).substr(0, 4), "glTF");
}

} // namespace

namespace {

TEST(BatchInterchange, ImportMeshAddsTheMeshAndRefusesWhatItCannot) {
    testing_support::TempFolder folder;
    const auto model = folder.file("cube.mdl");
    std::filesystem::copy_file(cube, model);
    const auto obj = folder.file("square.obj");
    std::ofstream(obj) << "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3\nf 1 3 4\n";
    const auto run = runProgram(MOLDRIN_BATCH_PATH, {model, "import-mesh=" + obj + ",,2", "save"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto text = readFile(model);
    EXPECT_NE(text.find("NumGeosets 3,"), std::string::npos) << text.substr(0, 400);

    for (const auto& step : {"import-mesh=" + obj + ",NoSuchBone", "import-mesh=" + obj + ",,x",
                             "import-mesh=" + folder.file("missing.obj")}) {
        const auto refused = runProgram(MOLDRIN_BATCH_PATH, {model, step, "save"});
        EXPECT_EQ(refused.status, 1) << step;
        EXPECT_FALSE(refused.err.empty());
        EXPECT_EQ(readFile(model), text) << step;
    }
}

} // namespace
