// moldrin-batch on models in other layouts and Reforged models: dump of every geoset as of the
// tab original, the format version in info, and warnings that do not stop the run.

#include "support/layout_variants.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testing_support::Layout;
using testing_support::readFile;

testing_support::ProgramRun run(const std::vector<std::string>& arguments) {
    return testing_support::runProgram(MOLDRIN_BATCH_PATH, arguments);
}

TEST(MoldrinBatchLayouts, DumpOfEveryGeosetInEveryLayoutIsTheTabOriginals) {
    const std::filesystem::path corpus(MOLDRIN_CORPUS_DIR);
    if (!std::filesystem::is_directory(corpus))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    testing_support::TempFolder folder;
    for (const char* name : {"cooldown_center.mdl", "palm_tree.mdl", "heroglow_crlf.mdl"}) {
        const auto original = readFile(corpus / name);
        const auto tab = folder.write(std::string("tab_") + name, original);
        const auto geosets = run({tab, "info"});
        ASSERT_EQ(geosets.status, 0) << geosets.err;
        const int count = std::stoi(geosets.out.substr(geosets.out.find("\"geosets\": ") + 11));
        for (auto layout : {Layout::TwoSpaces, Layout::FourSpaces, Layout::Mixed}) {
            const auto other = folder.write(std::string("other_") + name,
                                            testing_support::relayout(original, layout));
            EXPECT_EQ(run({other, "info"}).out, geosets.out) << name << " " << layoutName(layout);
            for (int n = 1; n <= count; ++n) {
                const auto expected = run({tab, "--geoset", std::to_string(n), "dump"});
                const auto got = run({other, "--geoset", std::to_string(n), "dump"});
                EXPECT_EQ(got.status, 0) << got.err;
                EXPECT_EQ(got.out, expected.out) << name << " " << layoutName(layout) << " " << n;
            }
        }
    }
}

TEST(MoldrinBatchLayouts, ReforgedModelReportsItsVersionAndItsBlocks) {
    const auto sample =
        std::filesystem::path(MOLDRIN_CORPUS_DIR) / "reforged" / "palisade_segment_v1000.mdl";
    if (!std::filesystem::exists(sample))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    testing_support::TempFolder folder;
    const auto copy = folder.copyIn(sample, "palisade.mdl");
    const auto result = run({copy, "info", "dump"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with("{\"formatVersion\": 1000, \"geosets\": 1,")) << result.out;
    EXPECT_NE(result.out.find("\"tangents\": [[-0.309006,0.95106,0,-1],"), std::string::npos);
    EXPECT_NE(result.out.find("\"skinWeights\": [[0,1,0,0,200,55,0,0],"), std::string::npos);
}

TEST(MoldrinBatchLayouts, AWarningIsPrintedAndTheRunGoesOn) {
    testing_support::TempFolder folder;
    auto text = testing_support::readTestData("model/six_vertices.mdl");
    text.replace(text.find("\t\t3,\n"), 5, "\t\t9,\n");
    const auto path = folder.write("past.mdl", text);
    const auto saved = folder.file("saved.mdl");
    const auto result = run({path, "select=3", "delete", "save-as=" + saved, "count-vertices"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("Warning: Geoset 1 of " + path +
                              " has 1 vertices whose vertex "
                              "group lies past its 4 matrix groups."),
              std::string::npos)
        << result.err;
    EXPECT_TRUE(std::filesystem::exists(saved));
}

} // namespace
