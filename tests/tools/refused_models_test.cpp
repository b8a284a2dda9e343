// What is no model, and a model whose faces name vertices their geoset lacks, as every batch
// tool meets them: one message, exit status 1, nothing written (a conversion only warns).

#include "support/run_program.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::runProgram;
using testing_support::TempFolder;

std::string baseFixture() {
    return testing_support::testDataPath("merger/base_three_bones.mdl");
}

bool quellonBuilt() {
    return !std::string(QUELLON_BATCH_PATH).empty();
}

// Each tool on one file: --convert, the editor's info, the bone list and the merge of it.
void expectRefusedEverywhere(const TempFolder& folder, const std::string& path,
                             const std::string& reason) {
    const auto converted = folder.file("converted.mdx");
    auto run = runProgram(MOLDRIN_BATCH_PATH, {"--convert", path, converted});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Error: " + path + ": " + reason + "\n");
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fs::exists(converted));

    run = runProgram(MOLDRIN_BATCH_PATH, {path, "info"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Error: Cannot read " + path + ": " + reason + ".\n");
    if (!quellonBuilt())
        return;
    run = runProgram(QUELLON_BATCH_PATH, {"--list-bones", path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Error: Cannot read the base model \"" + path + "\", " + reason + ".\n");
    EXPECT_EQ(run.out, "");

    const auto merged = folder.file("merged.mdl");
    run = runProgram(QUELLON_BATCH_PATH, {"--base", baseFixture(), "--geoset", path, "--output",
                                          merged, "--bone", "0"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Error: Cannot read the geoset model \"" + path + "\", " + reason + ".\n");
    EXPECT_FALSE(fs::exists(merged));
}

TEST(RefusedModels, AFileThatIsNeitherFormIsOneErrorInEveryTool) {
    const std::string notText = "the file is neither a binary model (MDX) nor model text (MDL) "
                                "with a block such as \"Model { ... }\"";
    const struct {
        const char* name;
        const char* content;
        std::string reason;
    } cases[] = {
        {"empty.mdl", "", "the file is empty"},
        {"hello.mdl", "hello world\n", notText},
        {"braces.mdl", "// Model {\n{ 1, 2 }\n", notText},
        // The first bytes of a binary model, cut short: a damaged binary model.
        {"one.mdx", "M", "byte 1: the file ends inside the MDLX header, after 1 of its 4 bytes"},
        {"three.mdx", "MDL",
         "byte 3: the file ends inside the MDLX header, after 3 of its 4 bytes"},
        {"four.mdx", "MDLX",
         "chunk VERS, byte 4: the file ends after the MDLX header, where its first chunk should "
         "begin"},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectRefusedEverywhere(folder, folder.write(c.name, c.content), c.reason);
    }
}

// The example cube as MDX, with corner 16 of geoset 2 (5 vertices) set to 8194.
struct BadFaceModel {
    std::string path;
    std::size_t cornerByte = 0;
};

BadFaceModel writeBadFaceModel(const TempFolder& folder) {
    const auto good = folder.file("good.mdx");
    const auto run =
        runProgram(MOLDRIN_BATCH_PATH, {"--convert", MOLDRIN_EXAMPLES_DIR "/cube.mdl", good});
    EXPECT_EQ(run.status, 0) << run.err;
    std::string bytes = readFile(good);
    const auto second = bytes.find("PVTX", bytes.find("PVTX") + 4);
    EXPECT_NE(second, std::string::npos);
    BadFaceModel model;
    model.cornerByte = second + 8 + 2 * 16;
    const std::uint16_t corner = 8194;
    bytes[model.cornerByte] = static_cast<char>(corner & 0xFF);
    bytes[model.cornerByte + 1] = static_cast<char>(corner >> 8);
    model.path = folder.write("bad.mdx", bytes);
    return model;
}

TEST(RefusedModels, ACornerPastItsGeosetsVerticesIsNamedWhereTheFileHoldsIt) {
    TempFolder folder;
    const auto bad = writeBadFaceModel(folder);
    const std::string what = "geoset 2, triangle 6: corner 8194 is past the 5 vertices";
    const std::string binaryPlace = "chunk GEOS, byte " + std::to_string(bad.cornerByte) + ": ";

    // A conversion warns and writes every number as it is, in both directions.
    const auto text = folder.file("bad.mdl");
    auto run = runProgram(MOLDRIN_BATCH_PATH, {"--convert", bad.path, text});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "Warning: " + bad.path + ": " + binaryPlace + what + "\n");
    const std::string mdl = readFile(text);
    const auto at = mdl.find("8194");
    ASSERT_NE(at, std::string::npos);
    const auto line = 1 + std::count(mdl.begin(), mdl.begin() + static_cast<long>(at), '\n');
    const auto back = folder.file("back.mdx");
    run = runProgram(MOLDRIN_BATCH_PATH, {"--convert", text, back});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "Warning: " + text + ": Geoset, line " + std::to_string(line) + ": " + what + "\n");
    EXPECT_TRUE(readFile(back) == readFile(bad.path));

    // The editor opens the sound geoset and refuses the broken one by its place in the file.
    run = runProgram(MOLDRIN_BATCH_PATH, {bad.path, "--geoset", "1", "info"});
    EXPECT_EQ(run.status, 0) << run.err;
    run = runProgram(MOLDRIN_BATCH_PATH, {bad.path, "--geoset", "2", "info"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Error: Cannot read " + bad.path + ": " + binaryPlace + what + ".\n");

    if (!quellonBuilt())
        return;
    const auto merged = folder.file("merged.mdx");
    for (const auto& geoset : {bad.path, text}) {
        SCOPED_TRACE(geoset);
        run = runProgram(QUELLON_BATCH_PATH, {"--base", baseFixture(), "--geoset", geoset,
                                              "--output", merged, "--bone", "0"});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("Error: Cannot read the geoset model \"" + geoset + "\", "),
                  std::string::npos)
            << run.err;
        EXPECT_NE(run.err.find(what + ".\n"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("Done"), std::string::npos);
        EXPECT_FALSE(fs::exists(merged));
    }
}

} // namespace
