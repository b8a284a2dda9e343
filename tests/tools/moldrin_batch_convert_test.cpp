// moldrin-batch --convert: any model to the format the output's extension names, and with
// --format-version to another version of the game.

#include "formats/mdx/mdx_file.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::runProgram;
using testing_support::TempFolder;

const fs::path corpus(MOLDRIN_CORPUS_DIR);

testing_support::ProgramRun convert(const std::string& in, const std::string& out) {
    return runProgram(MOLDRIN_BATCH_PATH, {"--convert", in, out});
}

TEST(MoldrinBatchConvert, BinaryToTextAndBackGivesTheSameBytesWhateverTheNames) {
    if (!fs::is_directory(corpus / "mdx"))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    TempFolder folder;
    // The particle effect has no geoset; the binary model is known by its header, not by a
    // name that says .mdl.
    for (const char* name : {"BlackTide.mdx", "huangzhong.mdx"}) {
        SCOPED_TRACE(name);
        const std::string misnamed = folder.copyIn(corpus / "mdx" / name, "model.mdl");
        auto run = convert(misnamed, folder.file("text.MDL"));
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(readFile(folder.file("text.MDL")).substr(0, 11), "// Chunks: ");
        run = convert(folder.file("text.MDL"), folder.file("back.mdx"));
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(readFile(folder.file("back.mdx")) == readFile(corpus / "mdx" / name));
    }
}

TEST(MoldrinBatchConvert, TextToBinaryKeepsTheGeosets) {
    TempFolder folder;
    auto run = convert(MOLDRIN_EXAMPLES_DIR "/cube.mdl", folder.file("cube.mdx"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(folder.file("cube.mdx")).substr(0, 4), "MDLX");
    EXPECT_NE(run.out.find("2 geosets"), std::string::npos);
    run = convert(folder.file("cube.mdx"), folder.file("cube.mdl"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(readFile(folder.file("cube.mdl")).find("\tVertices 24 {\n\t\t{ 10, -10, 0 },\n"),
              std::string::npos);
}

TEST(MoldrinBatchConvert, ADamagedModelIsRefusedWithOneErrorAndNothingWritten) {
    if (!fs::is_directory(corpus / "mdx"))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    TempFolder folder;
    const std::string whole = readFile(corpus / "mdx" / "gate.mdx");
    const std::string cut = folder.write("cut.mdx", whole.substr(0, 3000));
    const std::string target = folder.write("out.mdl", "kept\n");
    const auto run = convert(cut, target);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Error: " + cut +
                           ": byte 868: the GEOS chunk's size 21444 runs past the end of the "
                           "file (2124 bytes left)\n");
    EXPECT_EQ(readFile(target), "kept\n");
}

TEST(MoldrinBatchConvert, AnOutputWithoutAModelExtensionIsABadArgument) {
    TempFolder folder;
    const auto run = convert(MOLDRIN_EXAMPLES_DIR "/cube.mdl", folder.file("cube.txt"));
    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(fs::exists(folder.file("cube.txt")));
    EXPECT_EQ(runProgram(MOLDRIN_BATCH_PATH, {"--convert", "a.mdl"}).status, 2);
}

// --format-version V after the two paths.
testing_support::ProgramRun convert(const std::string& in, const std::string& out,
                                    const std::string& version) {
    return runProgram(MOLDRIN_BATCH_PATH, {"--convert", in, out, "--format-version", version});
}

TEST(MoldrinBatchVersions, AReforgedModelToClassicAndOnTo1100SaysWhatChanged) {
    const fs::path sample = corpus / "reforged" / "palisade_segment_v1000.mdx";
    if (!fs::exists(sample))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    TempFolder folder;
    auto run = convert(sample.string(), folder.file("classic.mdx"), "800");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Warning: FormatVersion 800: the tangents of 1 geoset dropped\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("(FormatVersion 1000 to 800, 1 geosets)"), std::string::npos);
    const auto classic = mdx::readMdx(readFile(folder.file("classic.mdx")));
    EXPECT_EQ(classic.version, 800u);
    ASSERT_EQ(classic.geosets.size(), 1u);
    EXPECT_FALSE(classic.geosets[0].skin || classic.geosets[0].tangents);

    run = convert(folder.file("classic.mdx"), folder.file("hd.mdl"), "1100");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Warning: FormatVersion 1100: 1 geoset given skin weights"),
              std::string::npos)
        << run.err;
    const std::string text = readFile(folder.file("hd.mdl"));
    EXPECT_NE(text.find("FormatVersion 1100,"), std::string::npos);
    EXPECT_NE(text.find("SkinWeights 126 {"), std::string::npos);
}

TEST(MoldrinBatchVersions, BadVersionsAndRefusedConversionsWriteNothing) {
    TempFolder folder;
    for (const char* version : {"900", "eight hundred", "-1"}) {
        const auto run = convert(MOLDRIN_EXAMPLES_DIR "/cube.mdl", folder.file("a.mdx"), version);
        EXPECT_EQ(run.status, 2) << version;
        EXPECT_NE(run.err.find("--format-version takes 800, 1000 or 1100"), std::string::npos);
    }
    EXPECT_EQ(runProgram(MOLDRIN_BATCH_PATH, {"--convert", MOLDRIN_EXAMPLES_DIR "/cube.mdl",
                                              "a.mdx", "--format-version"})
                  .status,
              2);
    EXPECT_FALSE(fs::exists(folder.file("a.mdx")));

    // Skin weights with no bone to name: as vertex groups they would name no node.
    mdx::Model model;
    model.version = 1000;
    model.materials.push_back({});
    model.materials[0].layers.push_back({});
    model.textures.push_back({0, "a.blp", 0});
    mdx::Geoset g;
    g.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    g.normals.assign(3, {0, 0, 1});
    g.uvSets = {{{0, 0}, {1, 0}, {0, 1}}};
    g.faces = {0, 1, 2};
    g.faceTypes = {4};
    g.faceGroupSizes = {3};
    g.vertexGroups.assign(3, 0);
    g.skin = std::vector<std::uint8_t>(24, 0);
    model.geosets.push_back(g);
    const std::string in = folder.write("bare.mdx", mdx::writeMdx(model));
    const std::string out = folder.write("out.mdx", "kept\n");
    const auto run = convert(in, out, "800");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Error: " + in + " was not converted to FormatVersion 800: "),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("; " + out + " was not written\n"), std::string::npos);
    EXPECT_EQ(readFile(out), "kept\n");
}

} // namespace
