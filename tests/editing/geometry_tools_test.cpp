#include "editor/editing/geometry_tools.h"
#include "editor/interaction/window_controls.h"

#include "editor/editing/file_open.h"
#include "editor/editing/file_save.h"
#include "editor/editing/undo_command.h"
#include "editor/editing/undo_history.h"
#include "editor/model/geoset_reader.h"
#include "editor/model/model_writer.h"
#include "support/editing_fixture.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cmath>

using editor::undoEntry;
using testing_support::EditingFixture;

namespace {

struct GeometryToolsTest : ::testing::Test, EditingFixture {
    // Vertices along x, so vertex k (1-based) sits at x = k.
    void addRow(int count) {
        for (int k = 1; k <= count; ++k)
            addVertex(k, 10 * k, -k);
    }
    bool allFinite() const {
        for (const auto& v : state.vertices)
            if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z))
                return false;
        return true;
    }
};

TEST_F(GeometryToolsTest, SnapBringsTheSelectionToItsCentre) {
    addVertex(0, 0, 0, true).normalX = 0.5;
    addVertex(0, 0, 0, true);
    addVertex(6, 0, 0, true);
    addVertex(9, 9, 9); // not selected
    const auto before = state.vertices;
    const auto redraws = state.redrawCount;
    editor::snapCommand(state);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(state.vertices[i].x, 2);
        EXPECT_EQ(state.vertices[i].y, 0);
    }
    EXPECT_EQ(state.vertices[0].normalX, 0.5);
    EXPECT_EQ(state.vertices[3].x, 9);
    EXPECT_EQ(undoEntry(state, 1).name(), "Snap");
    EXPECT_EQ(undoEntry(state, 1).savedVertices, before);
    EXPECT_TRUE(undoEntry(state, 1).savedFaces.empty());
    editor::finishCommand(state);
    EXPECT_EQ(state.redrawCount, redraws + 1);
}

TEST_F(GeometryToolsTest, SnapWithNoModelLoadedDoesNothing) {
    state.modelLoaded = false;
    editor::snapCommand(state);
    EXPECT_TRUE(state.undoHistory.empty());
    editor::finishCommand(state);
    EXPECT_EQ(state.redrawCount, 0);
}

TEST_F(GeometryToolsTest, WithEverySelectedVertexDeletedNothingMovesButStepsAreRecorded) {
    addVertex(1, 2, 3, true).deleted = true;
    addVertex(5, 6, 7, true).deleted = true;
    addVertex(-4, 0, 0);
    addFace(0, 1, 2);
    const auto vertices = state.vertices;
    const auto faces = state.faces;
    editor::snapCommand(state);
    editor::weldCommand(state);
    editor::mirrorCommand(state, 'x');
    editor::alignCommand(state, 'y');
    EXPECT_EQ(state.vertices, vertices);
    EXPECT_EQ(state.faces, faces);
    EXPECT_TRUE(allFinite());
    EXPECT_EQ(undoEntry(state, 4).name(), "Snap");
    EXPECT_EQ(undoEntry(state, 3).name(), "Weld");
    EXPECT_EQ(undoEntry(state, 2).name(), "Mirror");
    EXPECT_EQ(undoEntry(state, 1).name(), "Align");
}

TEST_F(GeometryToolsTest, WeldJoinsIntoTheLowestSelectedVertex) {
    addRow(9);
    select({4, 7, 8}); // vertices 5, 8 and 9
    addFace(4, 7, 8);
    addFace(7, 0, 1);
    addFace(8, 7, 2, true); // deleted faces keep their corners
    state.vertices[4].u = 0.25;
    state.vertices[4].vertexGroup = 3;
    const auto before = state.vertices;
    const auto facesBefore = state.faces;
    editor::weldCommand(state);

    const auto& kept = state.vertices[4];
    EXPECT_DOUBLE_EQ(kept.x, (5 + 8 + 9) / 3.0);
    EXPECT_DOUBLE_EQ(kept.y, (50 + 80 + 90) / 3.0);
    EXPECT_DOUBLE_EQ(kept.z, -(5 + 8 + 9) / 3.0);
    EXPECT_EQ(kept.u, 0.25);
    EXPECT_EQ(kept.vertexGroup, 3);
    EXPECT_TRUE(kept.selected && !kept.deleted);
    for (int i : {7, 8}) {
        EXPECT_TRUE(state.vertices[i].deleted);
        EXPECT_FALSE(state.vertices[i].selected);
    }
    EXPECT_EQ(state.faces[0], (editor::FaceRecord{4, 4, 4, false}));
    EXPECT_EQ(state.faces[1], (editor::FaceRecord{4, 0, 1, false}));
    EXPECT_EQ(state.faces[2], (editor::FaceRecord{8, 7, 2, true}));
    EXPECT_EQ(undoEntry(state, 1).name(), "Weld");
    EXPECT_EQ(undoEntry(state, 1).savedVertices, before);
    EXPECT_EQ(undoEntry(state, 1).savedFaces, facesBefore);
}

TEST_F(GeometryToolsTest, WeldOfOneVertexChangesNothingButIsRecordedAndOfNoneIsNot) {
    addRow(3);
    editor::weldCommand(state);
    EXPECT_TRUE(state.undoHistory.empty());
    select({1});
    const auto before = state.vertices;
    editor::weldCommand(state);
    EXPECT_EQ(state.vertices, before);
    EXPECT_EQ(undoEntry(state, 1).name(), "Weld");
}

TEST_F(GeometryToolsTest, WeldKeepsALiveVertexAndLeavesDeletedOnesOutOfTheFaces) {
    addRow(4);
    select({0, 2, 3});
    state.vertices[0].deleted = true; // deleted earlier, still selected
    addFace(0, 1, 2);
    addFace(1, 2, 3);
    editor::weldCommand(state);
    EXPECT_FALSE(state.vertices[2].deleted);
    EXPECT_DOUBLE_EQ(state.vertices[2].x, 3.5);
    EXPECT_TRUE(state.vertices[3].deleted);
    EXPECT_EQ(state.faces[0], (editor::FaceRecord{0, 1, 2, false})); // still dropped on save
    EXPECT_EQ(state.faces[1], (editor::FaceRecord{1, 2, 2, false}));
}

TEST_F(GeometryToolsTest, DeleteFlagsTheSelectionAndUndoBringsItBack) {
    addRow(3);
    select({0, 2});
    addFace(0, 1, 2);
    editor::deleteCommand(state);
    EXPECT_TRUE(state.vertices[0].deleted && state.vertices[0].selected);
    EXPECT_FALSE(state.vertices[1].deleted);
    EXPECT_TRUE(state.vertices[2].deleted && state.vertices[2].selected);
    EXPECT_EQ(state.faces.size(), 1u);
    const auto& entry = undoEntry(state, 1);
    EXPECT_EQ(entry.name(), "Delete");
    // The step keeps the deleted flags of before, nothing else.
    EXPECT_TRUE(entry.savedVertices.empty() && entry.savedFaces.empty());
    EXPECT_EQ(entry.selectionFlags, (std::vector<bool>{false, false, false}));

    editor::undoLast(state);
    for (const auto& v : state.vertices)
        EXPECT_FALSE(v.deleted);
}

TEST_F(GeometryToolsTest, UndoOfDeleteKeepsVerticesDeletedBeforeIt) {
    addRow(3);
    state.vertices[1].deleted = true;
    select({0, 1});
    editor::deleteCommand(state);
    editor::undoLast(state);
    EXPECT_FALSE(state.vertices[0].deleted);
    EXPECT_TRUE(state.vertices[1].deleted);
    editor::redoLast(state);
    EXPECT_TRUE(state.vertices[0].deleted && state.vertices[1].deleted);
    EXPECT_FALSE(state.vertices[2].deleted);
}

TEST(GeometryToolsFileTest, DeleteThenSaveDropsTheVerticesAndTheirFaces) {
    testing_support::TempFolder folder;
    const auto path = folder.copyIn(testing_support::testDataPath("tools/strip.mdl"), "strip.mdl");
    EditingFixture fixture;
    auto& state = fixture.state;
    state.modelLoaded = false;
    fixture.dialogs.setAnswers({path});
    editor::openModel(state, state.vertices, state.faces, state.matrices, true, true);
    ASSERT_EQ(state.vertices.size(), 10u);
    fixture.select({0, 5}); // triangles (i, i+1, i+2) for i = 0 and 3..5 use them
    editor::deleteCommand(state);
    editor::saveCommand(state);

    editor::EditorState reread;
    ASSERT_TRUE(editor::readGeosetFile(reread, path, reread.vertices, reread.faces, reread.matrices,
                                       1, true));
    ASSERT_EQ(reread.vertices.size(), 8u);
    EXPECT_EQ(reread.vertices[0].x, 1); // the first kept vertex is the old second one
    EXPECT_EQ(reread.vertices[4].x, 6); // old index 6 moves up two places
    // Triangles (i, i+1, i+2) for i = 1, 2 and 6, 7 stay, renumbered.
    std::vector<editor::FaceRecord> expected{
        {0, 1, 2, false}, {1, 2, 3, false}, {4, 5, 6, false}, {5, 6, 7, false}};
    EXPECT_EQ(reread.faces, expected);
}

TEST_F(GeometryToolsTest, DeleteFaceNeedsAllThreeCornersSelected) {
    addRow(4);
    addFace(0, 1, 2);
    addFace(1, 2, 3);
    addFace(0, 1, 3);
    select({0, 1, 2});
    const auto before = state.faces;
    editor::deleteFaceCommand(state);
    EXPECT_TRUE(state.faces[0].deleted);
    EXPECT_FALSE(state.faces[1].deleted);
    EXPECT_FALSE(state.faces[2].deleted);
    EXPECT_EQ(undoEntry(state, 1).name(), "Delete Face");
    EXPECT_EQ(undoEntry(state, 1).savedFaces, before);
    EXPECT_TRUE(undoEntry(state, 1).savedVertices.empty());
    for (const auto& v : state.vertices)
        EXPECT_FALSE(v.deleted);
}

TEST_F(GeometryToolsTest, MirrorSwapsAboutTheCentreAndFlipsThatNormal) {
    addVertex(1, 5, 0, true).normalX = 0.6;
    addVertex(3, 7, 0, true).normalX = -0.8;
    state.vertices[0].normalY = 0.3;
    addVertex(10, 0, 0);
    editor::mirrorCommand(state, 'x');
    EXPECT_EQ(state.vertices[0].x, 3);
    EXPECT_EQ(state.vertices[1].x, 1);
    EXPECT_EQ(state.vertices[0].normalX, -0.6);
    EXPECT_EQ(state.vertices[1].normalX, 0.8);
    EXPECT_EQ(state.vertices[0].normalY, 0.3);
    EXPECT_EQ(state.vertices[0].y, 5);
    EXPECT_EQ(state.vertices[2].x, 10);
    EXPECT_EQ(undoEntry(state, 1).name(), "Mirror");

    editor::mirrorCommand(state, 'y');
    EXPECT_EQ(state.vertices[0].y, 7);
    EXPECT_EQ(state.vertices[0].normalY, -0.3);
}

TEST_F(GeometryToolsTest, AlignFlattensOneAxisAndDoesNothingWithoutASelection) {
    addVertex(1, 2, 3);
    addVertex(4, 8, 6);
    editor::alignCommand(state, 'y');
    EXPECT_EQ(editor::menuState(state).mnuUndoCaption, "Undo");
    EXPECT_TRUE(state.undoHistory.empty());
    editor::finishCommand(state);
    EXPECT_EQ(state.redrawCount, 0);

    select({0, 1});
    editor::alignCommand(state, 'z');
    EXPECT_EQ(state.vertices[0].z, 4.5);
    EXPECT_EQ(state.vertices[1].z, 4.5);
    EXPECT_EQ(state.vertices[0].x, 1);
    EXPECT_EQ(editor::menuState(state).mnuUndoCaption, "Undo Align");
}

TEST_F(GeometryToolsTest, SetCoordinatesAsksAgainUntilEachAnswerIsANumber) {
    addVertex(1, 2, 3, true);
    addVertex(4, 5, 6, true);
    addVertex(7, 8, 9);
    dialogs.setAnswers({"abc", "1.5", "x", "2", "-3"});
    editor::setCoordinatesCommand(state);
    EXPECT_EQ(dialogs.prompts, (std::vector<std::string>{"X", "X", "Y", "Y", "Z"}));
    EXPECT_EQ(dialogs.inputs[0].title, "");
    EXPECT_EQ(dialogs.inputs[0].defaultText, "0");
    for (int i : {0, 1}) {
        EXPECT_EQ(state.vertices[i].x, 1.5);
        EXPECT_EQ(state.vertices[i].y, 2);
        EXPECT_EQ(state.vertices[i].z, -3);
    }
    EXPECT_EQ(state.vertices[2].x, 7);
    EXPECT_EQ(undoEntry(state, 1).name(), "Set Coordinates");
    EXPECT_EQ(undoEntry(state, 1).savedVertices[0].x, 1);
}

TEST_F(GeometryToolsTest, CancelAtAnyCoordinateLeavesEverythingAsItWas) {
    addVertex(1, 2, 3, true);
    addVertex(7, 8, 9);
    const auto before = state.vertices;
    for (std::size_t cancelAt = 0; cancelAt < 3; ++cancelAt) {
        std::deque<std::string> answers{"4", "5", "6"};
        answers[cancelAt] = "";
        dialogs.setAnswers(answers);
        editor::setCoordinatesCommand(state);
        // Every question up to the cancelled one, counted over the three runs.
        EXPECT_EQ(dialogs.prompts.size(), (cancelAt + 1) * (cancelAt + 2) / 2) << cancelAt;
        EXPECT_EQ(state.vertices, before) << cancelAt;
        EXPECT_FALSE(undoEntry(state, 1).used) << cancelAt;
        EXPECT_FALSE(state.unsavedChanges);
    }
}

} // namespace
