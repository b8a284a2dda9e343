#include "editor/editing/geoset_commands.h"
#include "editor/model/starter_model.h"

#include "editor/editing/file_open.h"
#include "editor/editing/file_save.h"
#include "editor/editing/undo_history.h"
#include "editor/model/geoset_reader.h"
#include "support/editing_fixture.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using testing_support::EditingFixture;
using testing_support::readFile;
using testing_support::TempFolder;
using testing_support::testDataPath;

namespace {

struct GeosetManagementTest : ::testing::Test, EditingFixture {
    TempFolder folder;

    GeosetManagementTest() { state.modelLoaded = false; }

    // File > Open on a copy of a test model; answers the geoset question when there is one.
    std::string open(const std::string& source, const std::string& name,
                     std::deque<std::string> geosetAnswer = {}) {
        const auto path = folder.copyIn(source, name);
        geosetAnswer.push_front(path);
        dialogs.setAnswers(geosetAnswer);
        editor::openModel(state, state.vertices, state.faces, state.matrices, true, true);
        EXPECT_TRUE(state.modelLoaded);
        dialogs.prompts.clear();
        return path;
    }
};

const char* const starterModel = "Version {\r\n"
                                 "\tFormatVersion 800,\r\n"
                                 "}\r\n"
                                 "Model \"Moldrin\" {\r\n"
                                 "\tNumGeosets; 1,\r\n"
                                 "\tNumBones; 1,\r\n"
                                 "\tBlendTime; 150,\r\n"
                                 "\tMinimumExtent { -5, -5, 0 },\r\n"
                                 "\tMaximumExtent { 5, 5, 10 },\r\n"
                                 "\tBoundsRadius 8.66025,\r\n"
                                 "}\r\n"
                                 "Sequences 1 {\r\n"
                                 "\tAnim \"Stand\" {\r\n"
                                 "\t\tInterval { 0, 3333 },\r\n"
                                 "\t}\r\n"
                                 "}\r\n"
                                 "Textures 1 {\r\n"
                                 "\tBitmap {\r\n"
                                 "\t\tImage \"white.blp\",\r\n"
                                 "\t}\r\n"
                                 "}\r\n"
                                 "Materials 1 {\r\n"
                                 "\tMaterial {\r\n"
                                 "\t\tLayer {\r\n"
                                 "\t\t\tFilterMode None,\r\n"
                                 "\t\t\tstatic TextureID 0,\r\n"
                                 "\t\t}\r\n"
                                 "\t}\r\n"
                                 "}\r\n"
                                 "Geoset {\r\n"
                                 "\tVertices 8 {\r\n"
                                 "\t\t{ 5, 5, 10 },\r\n"
                                 "\t\t{ 5, -5, 10 },\r\n"
                                 "\t\t{ -5, -5, 10 },\r\n"
                                 "\t\t{ -5, 5, 10 },\r\n"
                                 "\t\t{ -5, -5, 0 },\r\n"
                                 "\t\t{ 5, -5, 0 },\r\n"
                                 "\t\t{ 5, 5, 0 },\r\n"
                                 "\t\t{ -5, 5, 0 },\r\n"
                                 "\t}\r\n"
                                 "\r\n\r\n\r\n\r\n\r\n\r\n";

TEST_F(GeosetManagementTest, NewWritesTheStarterModelAndReadsNothing) {
    open(testDataPath("tools/strip.mdl"), "strip.mdl");
    const auto vertices = state.vertices;
    const auto tempPath = state.tempPath;
    const auto target = folder.write("new.mdl", "old content");

    dialogs.setAnswers({target});
    editor::newModelCommand(state);
    EXPECT_EQ(readFile(target), starterModel);
    EXPECT_EQ(state.modelPath, target);
    EXPECT_EQ(state.vertices, vertices);
    EXPECT_EQ(state.tempPath, tempPath);
    EXPECT_EQ(state.geosetNumber, 1);
    EXPECT_TRUE(state.undoHistory.empty());
}

TEST_F(GeosetManagementTest, NewCancelledChangesNothing) {
    state.modelPath = "kept.mdl";
    dialogs.setAnswers({""});
    editor::newModelCommand(state);
    EXPECT_EQ(state.modelPath, "kept.mdl");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(GeosetManagementTest, NewToAPathThatCannotBeWrittenKeepsTheModelPath) {
    state.modelPath = "kept.mdl";
    dialogs.setAnswers({(folder.path() / "missing" / "new.mdl").string()});
    editor::newModelCommand(state);
    EXPECT_EQ(state.modelPath, "kept.mdl");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Error");
}

// Switching keeps the edits of the geoset left behind in the working copy, unsaved, and never
// writes the model file; Save writes them afterwards.
TEST_F(GeosetManagementTest, SwitchKeepsTheEditsUnsavedAndLeavesTheFileAlone) {
    const auto path = open(testDataPath("tools/strip.mdl"), "strip.mdl");
    const std::string original = readFile(path);
    state.vertices[3].x = 42;
    state.vertices[3].selected = true;
    state.unsavedChanges = true;
    editor::switchGeosetCommand(state);
    EXPECT_TRUE(dialogs.prompts.empty()); // one geoset: nothing asked
    EXPECT_EQ(state.geosetNumber, 1);
    ASSERT_EQ(state.vertices.size(), 10u);
    EXPECT_EQ(state.vertices[3].x, 42); // kept in the working copy
    EXPECT_FALSE(state.vertices[3].selected);
    EXPECT_TRUE(state.unsavedChanges);
    EXPECT_EQ(readFile(path), original);

    editor::saveCommand(state);
    EXPECT_EQ(readFile(state.tempPath), readFile(path));
    editor::EditorState saved;
    ASSERT_TRUE(
        editor::readGeosetFile(saved, path, saved.vertices, saved.faces, saved.matrices, 1, true));
    EXPECT_EQ(saved.vertices[3].x, 42);
}

TEST_F(GeosetManagementTest, SwitchWithoutEditsWritesNothing) {
    const auto path = open(MOLDRIN_EXAMPLES_DIR "/cube.mdl", "cube.mdl", {"1"});
    const std::string original = readFile(path);
    dialogs.setAnswers({"2"});
    editor::switchGeosetCommand(state);
    EXPECT_EQ(state.geosetNumber, 2);
    EXPECT_FALSE(state.unsavedChanges);
    EXPECT_EQ(readFile(path), original);
}

TEST_F(GeosetManagementTest, SwitchAsksForTheGeosetAndReadsIt) {
    const auto path = open(MOLDRIN_EXAMPLES_DIR "/cube.mdl", "cube.mdl", {"1"});
    ASSERT_EQ(state.vertices.size(), 24u);
    state.vertices[0].y = 7;
    state.unsavedChanges = true;
    dialogs.setAnswers({"2"});
    editor::switchGeosetCommand(state);
    EXPECT_EQ(dialogs.prompts, std::vector<std::string>{"Geoset to import(1 - 2):"});
    EXPECT_EQ(state.geosetNumber, 2);

    editor::EditorState second;
    ASSERT_TRUE(editor::readGeosetFile(second, path, second.vertices, second.faces, second.matrices,
                                       2, true));
    EXPECT_EQ(state.vertices, second.vertices);
    EXPECT_EQ(state.faces, second.faces);
    EXPECT_EQ(state.groupCount, second.groupCount);

    // Geoset 1's edit is in the working copy, not yet in the file.
    editor::EditorState first;
    ASSERT_TRUE(editor::readGeosetFile(first, state.tempPath, first.vertices, first.faces,
                                       first.matrices, 1, true));
    EXPECT_EQ(first.vertices[0].y, 7);
    editor::EditorState inFile;
    ASSERT_TRUE(editor::readGeosetFile(inFile, path, inFile.vertices, inFile.faces, inFile.matrices,
                                       1, true));
    EXPECT_NE(inFile.vertices[0].y, 7);
}

TEST_F(GeosetManagementTest, MergeAppendsTheGeosetShiftedAndSelected) {
    const auto modelPath = open(testDataPath("tools/strip.mdl"), "strip.mdl");
    state.vertices[2].deleted = state.vertices[6].deleted = true;
    state.vertices[0].selected = true;
    const auto vertices = state.vertices;
    const auto faces = state.faces;
    const auto matrices = state.matrices;
    const auto tempPath = state.tempPath;

    const auto quad = folder.copyIn(testDataPath("tools/quad.mdl"), "quad.mdl");
    dialogs.setAnswers({quad});
    editor::mergeGeosetCommand(state);

    ASSERT_EQ(state.vertices.size(), 14u);
    ASSERT_EQ(state.faces.size(), 8u + 2u);
    EXPECT_EQ(state.faces[8], (editor::FaceRecord{10, 11, 12, false}));
    EXPECT_EQ(state.faces[9], (editor::FaceRecord{12, 13, 10, false}));
    for (std::size_t i = 0; i < 14; ++i)
        EXPECT_EQ(state.vertices[i].selected, i >= 10) << i;
    EXPECT_TRUE(state.vertices[2].deleted && state.vertices[6].deleted);
    EXPECT_EQ(state.vertices[11].x, 4); // the file's { 1, 4, 0 }
    EXPECT_EQ(state.vertices[11].z, 1);
    EXPECT_EQ(state.vertices[11].u, 1);
    EXPECT_EQ(state.matrices, matrices); // the merged groups are dropped
    EXPECT_EQ(state.groupCount, 2);
    EXPECT_EQ(state.modelPath, modelPath);
    EXPECT_EQ(state.tempPath, tempPath);
    EXPECT_EQ(state.geosetNumber, 1);

    const auto& entry = editor::undoEntry(state, 1);
    EXPECT_EQ(entry.name(), "Merge");
    EXPECT_EQ(entry.savedVertices, vertices);
    EXPECT_EQ(entry.savedFaces, faces);
    EXPECT_TRUE(entry.selectionFlags.empty());
}

TEST_F(GeosetManagementTest, MergeAsksWhichGeosetOfAModelWithSeveral) {
    open(testDataPath("tools/quad.mdl"), "quad.mdl");
    const auto cube = folder.copyIn(MOLDRIN_EXAMPLES_DIR "/cube.mdl", "cube.mdl");
    dialogs.setAnswers({cube, "2"});
    editor::mergeGeosetCommand(state);
    EXPECT_EQ(dialogs.prompts.back(), "Geoset to import(1 - 2):");
    editor::EditorState second;
    ASSERT_TRUE(editor::readGeosetFile(second, cube, second.vertices, second.faces, second.matrices,
                                       2, true));
    EXPECT_EQ(state.vertices.size(), 4u + second.vertices.size());
    EXPECT_EQ(state.faces.back().a, second.faces.back().a + 4);
}

TEST_F(GeosetManagementTest, MergeCancelledOrUnreadableChangesNothing) {
    open(testDataPath("tools/quad.mdl"), "quad.mdl");
    const auto vertices = state.vertices;
    dialogs.setAnswers({""});
    editor::mergeGeosetCommand(state);
    dialogs.setAnswers({folder.file("missing.mdl")});
    editor::mergeGeosetCommand(state);
    EXPECT_EQ(state.vertices, vertices);
    EXPECT_TRUE(state.undoHistory.empty());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Bad file name");
}

TEST_F(GeosetManagementTest, MergePastTheGeosetLimitShowsOneErrorAndChangesNothing) {
    open(testDataPath("tools/quad.mdl"), "quad.mdl");
    state.vertices.resize(editor::maxGeosetRecords - 3);
    const auto vertices = state.vertices;
    const auto faces = state.faces;
    const auto quad = folder.copyIn(testDataPath("tools/quad.mdl"), "other.mdl");
    dialogs.setAnswers({quad});
    editor::mergeGeosetCommand(state);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Error");
    EXPECT_EQ(state.vertices, vertices);
    EXPECT_EQ(state.faces, faces);
    EXPECT_TRUE(state.undoHistory.empty());

    // Exactly at the limit it fits.
    state.vertices.resize(editor::maxGeosetRecords - 4);
    dialogs.setAnswers({quad});
    editor::mergeGeosetCommand(state);
    EXPECT_EQ(state.vertices.size(), static_cast<std::size_t>(editor::maxGeosetRecords));
}

} // namespace
