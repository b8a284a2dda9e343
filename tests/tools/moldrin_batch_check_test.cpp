// moldrin-batch --check over files and folders: the problem lines, the JSON objects, the exit
// status, and --fix writing fixed models beside, never over, the inputs.

#include "support/run_program.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using testing_support::outputLines;
using testing_support::readFile;
using testing_support::runProgram;
using testing_support::TempFolder;

const fs::path corpus = fs::path(MOLDRIN_CORPUS_DIR);

std::size_t linesWith(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (const auto& line : outputLines(text))
        n += line.find(part) != std::string::npos;
    return n;
}

// gate.mdx with its texture (one warning), villager_zombie.mdl in a subfolder (an error:
// rotation keys twice on frame 1800), and a text file the folder search passes over.
struct CheckFolder {
    TempFolder folder;
    std::string gate, zombie;
    CheckFolder() {
        gate = folder.copyIn(corpus / "mdx" / "gate.mdx", "gate.mdx");
        folder.copyIn(corpus / "mdx" / "mauer.blp", "mauer.blp");
        fs::create_directories(folder.path() / "units");
        zombie = folder.copyIn(corpus / "villager_zombie.mdl", "units/Zombie.MDL");
        folder.write("notes.txt", "not a model");
    }
};

TEST(BatchCheck, PrintsOneLineAProblemAndExitsByTheWorstSeverity) {
    if (!fs::is_directory(corpus / "mdx"))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    CheckFolder f;
    const auto all = runProgram(MOLDRIN_BATCH_PATH, {"--check", f.folder.path().string()});
    EXPECT_EQ(all.status, 1) << all.err;
    EXPECT_EQ(all.err, "");
    EXPECT_EQ(linesWith(all.out, f.gate + ": warning sequence-extents: geoset 1 has 0 sequence"),
              1u)
        << all.out;
    EXPECT_GT(linesWith(all.out, f.zombie + ": error track-order: track KGRT of node \""), 0u);
    EXPECT_EQ(linesWith(all.out, "notes.txt"), 0u);
    for (const auto& line : outputLines(all.out))
        EXPECT_TRUE(line.starts_with(f.gate + ": ") || line.starts_with(f.zombie + ": ")) << line;

    const auto warningsOnly = runProgram(MOLDRIN_BATCH_PATH, {"--check", f.gate});
    EXPECT_EQ(warningsOnly.status, 0) << warningsOnly.out;

    const auto damaged = f.folder.write("broken.mdx", "MDLX\x04\0\0\0VERS");
    const auto unreadable = runProgram(MOLDRIN_BATCH_PATH, {"--check", f.gate, damaged});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_NE(unreadable.err.find("Error: " + damaged + ": "), std::string::npos) << unreadable.err;
    EXPECT_EQ(runProgram(MOLDRIN_BATCH_PATH, {"--check", f.folder.file("missing.mdl")}).status, 2);
    EXPECT_EQ(runProgram(MOLDRIN_BATCH_PATH, {"--check"}).status, 2);
    EXPECT_EQ(runProgram(MOLDRIN_BATCH_PATH, {"--check", f.gate, "--fix"}).status, 2);
}

TEST(BatchCheck, JsonIsOneObjectAFile) {
    if (!fs::is_directory(corpus / "mdx"))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    CheckFolder f;
    const auto run = runProgram(MOLDRIN_BATCH_PATH, {"--check", f.gate, f.zombie, "--json"});
    EXPECT_EQ(run.status, 1);
    const auto lines = outputLines(run.out);
    ASSERT_EQ(lines.size(), 2u) << run.out;
    EXPECT_TRUE(lines[0].starts_with("{\"path\":\"" + f.gate +
                                     "\",\"problems\":[{\"id\":"
                                     "\"sequence-extents\",\"severity\":\"warning\",\"message\":"
                                     "\"geoset 1 has 0 sequence extents for 1 sequences\","
                                     "\"geoset\":1,\"vertices\":[],\"faces\":[],\"node\":null}]"))
        << lines[0];
    EXPECT_NE(lines[1].find("\"id\":\"track-order\",\"severity\":\"error\""), std::string::npos);
    EXPECT_NE(lines[1].find("\"node\":\"Bone_Arm1_L\""), std::string::npos) << lines[1];
    EXPECT_TRUE(lines[1].ends_with("]}"));
}

TEST(BatchCheck, FixWritesChangedModelsIntoTheFolderInTheirOwnFormat) {
    if (!fs::is_directory(corpus / "mdx"))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    CheckFolder f;
    const auto zombieBefore = readFile(f.zombie);
    const auto out = f.folder.path() / "fixed";
    const auto run =
        runProgram(MOLDRIN_BATCH_PATH, {"--check", f.gate, f.zombie, "--fix", out.string()});
    EXPECT_EQ(run.status, 1) << run.err; // the inputs as checked
    EXPECT_EQ(readFile(f.zombie), zombieBefore);
    const auto fixed = (out / "Zombie.MDL").string();
    EXPECT_EQ(linesWith(run.out, f.zombie + ": fixed into " + fixed + ": "), 1u) << run.out;
    EXPECT_FALSE(fs::exists(out / "gate.mdx")) << "nothing to fix, nothing written";
    ASSERT_TRUE(fs::exists(fixed));
    EXPECT_NE(readFile(fixed).substr(0, 4), "MDLX");

    const auto again = runProgram(MOLDRIN_BATCH_PATH, {"--check", fixed});
    EXPECT_EQ(linesWith(again.out, "extents-stale"), 0u) << again.out;
    EXPECT_LT(linesWith(again.out, "track-order"), linesWith(run.out, "track-order"));

    // Over its own input, or two inputs of one name: refused before anything is written.
    const auto self = runProgram(MOLDRIN_BATCH_PATH, {"--check", f.zombie, "--fix",
                                                      fs::path(f.zombie).parent_path().string()});
    EXPECT_EQ(self.status, 2);
    EXPECT_EQ(readFile(f.zombie), zombieBefore);
    const auto twin = f.folder.copyIn(f.zombie, "Zombie.MDL");
    EXPECT_EQ(runProgram(MOLDRIN_BATCH_PATH,
                         {"--check", f.zombie, twin, "--fix", (out / "twice").string()})
                  .status,
              2);
}

} // namespace
