// Reforged geosets: Tangents, SkinWeights and further TVertices blocks are read into the
// vertices, travel with them through deletions and are written back with the kept vertices.

#include "model_fixture.h"

#include "editor/editing/file_save.h"
#include "editor/editing/geometry_tools.h"
#include "editor/editing/geoset_commands.h"
#include "editor/editing/vertex_groups.h"
#include "support/reforged_version.h"
#include "support/simple_mdl_tree.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using model_test::Editor;
using model_test::fixture;
using model_test::replaced;
using testing_support::readFile;

const std::filesystem::path reforgedSample =
    std::filesystem::path(MOLDRIN_CORPUS_DIR) / "reforged" / "palisade_segment_v1000.mdl";

std::string reforgedSix() {
    return testing_support::reforgedVersion(fixture("six_vertices.mdl"));
}

TEST(ReforgedGeoset, SampleReadsItsTangentsAndWeightsInEditorAxes) {
    if (!std::filesystem::exists(reforgedSample))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    Editor e;
    e.open(e.folder.copyIn(reforgedSample, "palisade.mdl"));
    ASSERT_TRUE(e.state.modelLoaded) << (e.dialogs.shown.empty() ? "" : e.dialogs.shown[0].text);
    EXPECT_EQ(e.state.extras, (editor::VertexExtras{true, true, 0}));
    ASSERT_EQ(e.state.vertices.size(), 126u);
    // { -0.309006, 0.95106, 0, -1 } in the file's order is x = 0.95106, y = 0, z = -0.309006.
    const auto& first = e.state.vertices[0];
    EXPECT_FLOAT_EQ(first.tangent[0], 0.95106f);
    EXPECT_FLOAT_EQ(first.tangent[1], 0.0f);
    EXPECT_FLOAT_EQ(first.tangent[2], -0.309006f);
    EXPECT_FLOAT_EQ(first.tangent[3], -1.0f);
    EXPECT_EQ(first.skinWeights, (std::array<std::uint8_t, 8>{0, 1, 0, 0, 200, 55, 0, 0}));
}

TEST(ReforgedGeoset, DeletingVerticesKeepsEveryPerVertexBlockInStep) {
    if (!std::filesystem::exists(reforgedSample))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    Editor e;
    const auto path = e.folder.copyIn(reforgedSample, "palisade.mdl");
    e.open(path);
    ASSERT_TRUE(e.state.modelLoaded);
    const auto kept = e.state.vertices[3];
    for (int i : {0, 1, 2})
        e.state.vertices[static_cast<std::size_t>(i)].selected = true;
    editor::deleteCommand(e.state);
    editor::saveCommand(e.state);
    const auto saved = readFile(path);
    EXPECT_EQ(testing_support::perVertexBlockProblems(saved), std::vector<std::string>{});
    EXPECT_NE(saved.find("\tTangents 123 {"), std::string::npos);
    EXPECT_NE(saved.find("\tSkinWeights 123 {"), std::string::npos);
    EXPECT_NE(saved.find("LevelOfDetail -1,"), std::string::npos);

    Editor again;
    again.open(path);
    ASSERT_EQ(again.state.vertices.size(), 123u);
    auto first = again.state.vertices[0];
    first.selected = kept.selected;
    EXPECT_EQ(first.tangent, kept.tangent);
    EXPECT_EQ(first.skinWeights, kept.skinWeights);
}

TEST(ReforgedGeoset, SavedUneditedIsTheSameModelToAnIndependentReader) {
    if (!std::filesystem::exists(reforgedSample))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    Editor e;
    const auto path = e.folder.copyIn(reforgedSample, "palisade.mdl");
    e.open(path);
    editor::saveCommand(e.state);
    std::string why;
    const auto original = testing_support::parseMdlTree(readFile(reforgedSample), &why);
    const auto saved = testing_support::parseMdlTree(readFile(path), &why);
    ASSERT_TRUE(original && saved) << why;
    EXPECT_TRUE(testing_support::sameMdlTree(*original, *saved, &why)) << why;
}

TEST(ReforgedGeoset, FurtherTextureCoordinateSetsFollowDeletionsAndAreCapped) {
    Editor e;
    const auto path = e.openText("six.mdl", reforgedSix());
    ASSERT_TRUE(e.state.modelLoaded);
    EXPECT_EQ(e.state.extras.extraUvSets, 1);
    // The second set is the first with u and v swapped.
    EXPECT_FLOAT_EQ(e.state.vertices[1].extraUvs[0][0], static_cast<float>(e.state.vertices[1].v));
    e.state.vertices[0].selected = true;
    editor::deleteCommand(e.state);
    editor::saveCommand(e.state);
    const auto saved = readFile(path);
    EXPECT_EQ(testing_support::perVertexBlockProblems(saved), std::vector<std::string>{});
    Editor again;
    again.open(path);
    ASSERT_EQ(again.state.vertices.size(), 5u);
    EXPECT_EQ(again.state.vertices[0].extraUvs[0], e.state.vertices[1].extraUvs[0]);

    // Four sets in all are carried; a fifth is refused with its line.
    std::string text = reforgedSix();
    const auto second = text.find("\tTVertices 6 {", text.find("\tTVertices 6 {") + 1);
    const auto end = text.find("\t}\n", second) + 3;
    const auto block = text.substr(second, end - second);
    text.insert(end, block + block + block);
    Editor five;
    five.openText("five.mdl", text);
    ASSERT_EQ(five.errorCount(), 1);
    EXPECT_NE(five.dialogs.shown[0].text.find("at most 4 sets of texture coordinates"),
              std::string::npos);
}

TEST(ReforgedGeoset, SkinWeightsOutOfRangeOrMiscountedAreRefusedWithTheirLine) {
    Editor e;
    e.openText("big.mdl", replaced(reforgedSix(), "\t\t1, 0, 0, 0, 255,", "\t\t1, 0, 0, 0, 256,"));
    ASSERT_EQ(e.errorCount(), 1);
    EXPECT_NE(e.dialogs.shown[0].text.find("from 0 to 255"), std::string::npos);

    Editor short_;
    const auto text = replaced(reforgedSix(), "\t\t1, 0, 0, 0, 255, 0, 0, 0,\n", "");
    short_.openText("short.mdl", text);
    ASSERT_EQ(short_.errorCount(), 1);
    const auto header = text.find("\tSkinWeights 6 {");
    const auto line = std::count(text.begin(), text.begin() + static_cast<long>(header), '\n') + 1;
    EXPECT_NE(short_.dialogs.shown[0].text.find(", line " + std::to_string(line) +
                                                ": the "
                                                "SkinWeights header counts 6 vertices"),
              std::string::npos)
        << short_.dialogs.shown[0].text;
}

TEST(ReforgedGeoset, SaveGeosetBindsTheWeightsToTheOneBone) {
    Editor e;
    e.openText("six.mdl", reforgedSix());
    const auto target = e.folder.file("alone.mdl");
    e.dialogs.setAnswers({target});
    editor::saveGeosetCommand(e.state);
    const auto saved = readFile(target);
    EXPECT_NE(saved.find("\tSkinWeights 6 {\r\n\t\t0, 0, 0, 0, 255, 0, 0, 0,\r\n"),
              std::string::npos);
    EXPECT_EQ(saved.find("\t\t1, 0, 0, 0, 255"), std::string::npos);
    for (const auto& vertex : e.state.vertices)
        EXPECT_EQ(vertex.skinWeights, (std::array<std::uint8_t, 8>{0, 0, 0, 0, 255, 0, 0, 0}));
}

TEST(ReforgedGeoset, MergingAClassicGeosetFillsWhatTheReforgedOneCarries) {
    Editor e;
    e.openText("six.mdl", reforgedSix());
    const auto classic = e.folder.write("classic.mdl", fixture("six_vertices.mdl"));
    e.dialogs.setAnswers({classic});
    editor::mergeGeosetCommand(e.state);
    ASSERT_EQ(e.state.vertices.size(), 12u);
    for (std::size_t i = 6; i < 12; ++i) {
        const auto& v = e.state.vertices[i];
        const double along =
            v.normalX * v.tangent[0] + v.normalY * v.tangent[1] + v.normalZ * v.tangent[2];
        EXPECT_NEAR(along, 0, 1e-6) << i;
        EXPECT_FLOAT_EQ(v.tangent[3], 1.0f);
        EXPECT_EQ(v.skinWeights[4], 255);
        EXPECT_FLOAT_EQ(v.extraUvs[0][0], static_cast<float>(v.u));
    }
    // A vertex's bone is its group's first id, counted among all ids of the groups before:
    // groups 0 and 1 hold 1 and 3 ids, so group 2 starts at 4 and group 3 at 10.
    EXPECT_EQ(e.state.vertices[8].skinWeights[0], 4);
    EXPECT_EQ(e.state.vertices[9].skinWeights[0], 10);
}

TEST(VertexGroupPastTheGroups, OpensWithOneWarningEditsAndSavesAsItIs) {
    Editor e;
    const auto text = replaced(fixture("six_vertices.mdl"), "\t\t3,\n", "\t\t14,\n");
    const auto path = e.openText("past.mdl", text);
    ASSERT_TRUE(e.state.modelLoaded);
    ASSERT_EQ(e.dialogs.shown.size(), 1u);
    EXPECT_EQ(e.dialogs.shown[0].title, "Warning");
    EXPECT_NE(e.dialogs.shown[0].text.find("Geoset 1 of " + path + " has 1 vertices"),
              std::string::npos)
        << e.dialogs.shown[0].text;
    EXPECT_NE(e.dialogs.shown[0].text.find("its 4 matrix groups"), std::string::npos);

    // Selecting by group: group 14 is no group.
    e.dialogs.setAnswers({"14"});
    editor::selectByVertexGroupCommand(e.state);
    for (const auto& vertex : e.state.vertices)
        EXPECT_FALSE(vertex.selected);

    e.state.vertices[0].selected = true;
    editor::mirrorCommand(e.state, 'x');
    editor::saveCommand(e.state);
    EXPECT_EQ(e.errorCount(), 0);
    EXPECT_NE(readFile(path).find("\t\t14,\r\n"), std::string::npos);
}

} // namespace
