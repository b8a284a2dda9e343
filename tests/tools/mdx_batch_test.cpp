// The batch tools on binary models: moldrin-batch opens an .mdx with --geoset and saves it in
// the format it had or the one save-as names; quellon-batch merges MDX into MDX.

#include "support/run_program.h"
#include "support/temp_folder.h"

#include "formats/mdx/mdx_file.h"
#include "formats/mdx/model_conversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::runProgram;
using testing_support::TempFolder;

const fs::path corpusMdx = fs::path(MOLDRIN_CORPUS_DIR) / "mdx";

bool isMdx(const std::string& path) {
    return readFile(path).substr(0, 4) == "MDLX";
}

// The JSON that the info step prints.
std::string info(const std::string& path) {
    return runProgram(MOLDRIN_BATCH_PATH, {path, "info"}).out;
}

TEST(MdxBatch, StepsWorkOnAnMdxAndSaveKeepsOrChangesTheFormat) {
    if (!fs::is_directory(corpusMdx))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    TempFolder folder;
    const auto model = folder.copyIn(corpusMdx / "huangzhong.mdx", "hero.mdx");
    fs::permissions(model, fs::perms::owner_write, fs::perm_options::add);
    const auto infoBefore = info(model);
    ASSERT_NE(infoBefore.find("\"geosets\": 6"), std::string::npos) << infoBefore;

    // Geoset 3 loses a vertex; save writes MDX in place, save-as the format of each name.
    auto run = runProgram(MOLDRIN_BATCH_PATH, {model, "--geoset", "3", "select=1", "delete", "save",
                                               "save-as=" + folder.file("hero.mdl"),
                                               "save-as=" + folder.file("again.mdx"),
                                               "save-geoset=" + folder.file("part.mdx")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(isMdx(model));
    EXPECT_FALSE(isMdx(folder.file("hero.mdl")));
    EXPECT_TRUE(isMdx(folder.file("again.mdx")));
    EXPECT_TRUE(isMdx(folder.file("part.mdx")));
    EXPECT_NE(info(model).find("{\"vertices\": 83,"), std::string::npos) << info(model);
    for (const auto& saved : {folder.file("hero.mdl"), folder.file("again.mdx")})
        EXPECT_EQ(info(saved), info(model));
    EXPECT_NE(info(folder.file("part.mdx")).find("\"geosets\": 1, \"geoset\": [{\"vertices\": 83,"),
              std::string::npos);
    // No working copy is left behind.
    for (const auto& entry : fs::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().string().find("_TMP"), std::string::npos) << entry.path();
}

TEST(MdxBatch, AModelWithoutGeosetStopsWithOneMessage) {
    if (!fs::is_directory(corpusMdx))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    TempFolder folder;
    const auto model = folder.copyIn(corpusMdx / "BlackTide.mdx", "BlackTide.mdx");
    const auto run = runProgram(MOLDRIN_BATCH_PATH, {model, "info"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "Error: " + model +
                  " has no geoset, so there is nothing in it to edit. It was not opened.\n");
}

TEST(MdxBatch, QuellonMergesMdxIntoMdx) {
    if (!fs::is_directory(corpusMdx))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    if (std::string(QUELLON_BATCH_PATH).empty())
        GTEST_SKIP() << "quellon-batch is not built";
    TempFolder folder;
    const auto base = folder.copyIn(corpusMdx / "huangzhong.mdx", "base.mdx");
    const auto geoset = folder.copyIn(corpusMdx / "gate.mdx", "gate.mdx");
    const auto output = folder.file("merged.mdx");
    const auto run = runProgram(QUELLON_BATCH_PATH, {"--base", base, "--geoset", geoset, "--output",
                                                     output, "--bone", "1"});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_TRUE(isMdx(output));
    // The editor opens the new seventh geoset: the gate's 532 vertices.
    const auto merged = info(output);
    EXPECT_NE(merged.find("\"geosets\": 7"), std::string::npos) << merged;
    EXPECT_NE(merged.find("{\"vertices\": 532, \"triangles\": 268, \"groups\": 1}]}"),
              std::string::npos)
        << merged;
    const auto opened = runProgram(MOLDRIN_BATCH_PATH, {output, "--geoset", "7", "count-vertices"});
    EXPECT_EQ(opened.status, 0) << opened.err;
}

// Saving keeps the face groups of every geoset whose triangles stay as they were; an edit that
// changes a geoset's triangles leaves that geoset one group of them.
TEST(MdxBatch, SavingKeepsTheFaceGroupsOfGeosetsWhoseTrianglesStay) {
    if (!fs::is_directory(corpusMdx))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    auto model = mdx::readMdx(readFile((corpusMdx / "huangzhong.mdx").string()));
    for (auto& g : model.geosets) {
        g.faceTypes.assign(g.faces.size() / 3, 4); // one group a triangle
        g.faceGroupSizes.assign(g.faces.size() / 3, 3);
    }
    const struct {
        std::vector<std::string> steps;
        bool editedKeepsGroups;
    } cases[] = {
        {{"save"}, true},
        {{"select=1", "move=1,2,3", "save"}, true},
        {{"select=1", "delete", "save"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps.front());
        TempFolder folder;
        const auto path = folder.file("split.mdx");
        ASSERT_EQ(mdx::writeMdxFile(path, model).conversionError, "");
        std::vector<std::string> args = {path, "--geoset", "2"};
        args.insert(args.end(), c.steps.begin(), c.steps.end());
        const auto run = runProgram(MOLDRIN_BATCH_PATH, args);
        ASSERT_EQ(run.status, 0) << run.err;
        const auto saved = mdx::readMdx(readFile(path));
        ASSERT_EQ(saved.geosets.size(), model.geosets.size());
        for (std::size_t i = 0; i < saved.geosets.size(); ++i) {
            SCOPED_TRACE("geoset " + std::to_string(i + 1));
            const auto& g = saved.geosets[i];
            if (i != 1 || c.editedKeepsGroups) {
                EXPECT_EQ(g.faceGroupSizes, model.geosets[i].faceGroupSizes);
                EXPECT_EQ(g.faces, model.geosets[i].faces);
            } else {
                EXPECT_EQ(g.faceGroupSizes,
                          std::vector<std::uint32_t>{std::uint32_t(g.faces.size())});
                EXPECT_LT(g.faces.size(), model.geosets[i].faces.size());
            }
        }
    }
}

} // namespace
