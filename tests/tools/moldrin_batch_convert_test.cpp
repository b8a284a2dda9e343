// moldrin-batch --convert: any model to the format the output's extension names.

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

} // namespace
