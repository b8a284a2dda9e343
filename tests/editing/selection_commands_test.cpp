#include "editor/editing/selection_commands.h"
#include "editor/interaction/window_controls.h"

#include "editor/editing/undo_command.h"
#include "editor/editing/undo_history.h"
#include "editor/model/selection_queries.h"
#include "support/editing_fixture.h"

#include <gtest/gtest.h>

#include <random>

using testing_support::EditingFixture;

namespace {

// Expand Selection the straightforward way: passes over every vertex and every face until a
// pass changes nothing.
void referenceExpand(editor::EditorState& state) {
    auto& v = state.vertices;
    bool changed = true;
    while (changed) {
        changed = false;
        for (std::size_t i = 0; i < v.size(); ++i) {
            if (!v[i].selected)
                continue;
            for (const auto& face : state.faces) {
                const int corner = static_cast<int>(i);
                if (face.a != corner && face.b != corner && face.c != corner)
                    continue;
                auto& a = v[static_cast<std::size_t>(face.a)];
                auto& b = v[static_cast<std::size_t>(face.b)];
                auto& c = v[static_cast<std::size_t>(face.c)];
                if (a.selected && b.selected && c.selected)
                    continue;
                a.selected = b.selected = c.selected = true;
                changed = true;
            }
        }
    }
}

std::vector<bool> flags(const editor::EditorState& state) {
    std::vector<bool> result;
    for (const auto& vertex : state.vertices)
        result.push_back(vertex.selected);
    return result;
}

TEST(SelectionCommands, SelectAllThenInvertLeavesNothingSelected) {
    EditingFixture fixture;
    fixture.addVertex(0, 0, 0);
    fixture.addVertex(1, 0, 0, true).deleted = true;
    editor::selectAll(fixture.state);
    EXPECT_EQ(editor::numSelVerts(fixture.state), 2); // the deleted one counts
    EXPECT_EQ(editor::menuState(fixture.state).mnuUndoCaption, "Undo Select All");
    editor::invertSelection(fixture.state);
    EXPECT_EQ(editor::numSelVerts(fixture.state), 0);
    EXPECT_EQ(editor::menuState(fixture.state).mnuUndoCaption, "Undo Invert Selection");
    editor::showSelectedVertexCount(fixture.state);
    ASSERT_EQ(fixture.dialogs.shown.size(), 1u);
    EXPECT_EQ(fixture.dialogs.shown[0].title, "Selected vertex counter");
    EXPECT_EQ(fixture.dialogs.shown[0].text, "0 vertices selected.");

    editor::undoLast(fixture.state);
    EXPECT_EQ(flags(fixture.state), (std::vector<bool>{true, true}));
    editor::undoLast(fixture.state);
    EXPECT_EQ(flags(fixture.state), (std::vector<bool>{false, true}));
}

TEST(SelectionCommands, WithoutAModelNothingChanges) {
    EditingFixture fixture;
    fixture.addVertex(0, 0, 0);
    fixture.state.modelLoaded = false;
    editor::selectAll(fixture.state);
    editor::invertSelection(fixture.state);
    EXPECT_FALSE(fixture.state.vertices[0].selected);
    EXPECT_TRUE(fixture.state.undoHistory.empty());
    editor::showSelectedVertexCount(fixture.state);
    EXPECT_EQ(fixture.dialogs.shown.at(0).text, "No model loaded.");
}

TEST(SelectionCommands, FaceCounterCountsFullySelectedFacesEvenWhenDeleted) {
    EditingFixture fixture;
    for (int i = 0; i < 4; ++i)
        fixture.addVertex(i, 0, 0, i < 3);
    fixture.addFace(0, 1, 2, true);
    fixture.addFace(1, 2, 3);
    editor::showSelectedFaceCount(fixture.state);
    EXPECT_EQ(fixture.dialogs.shown.at(0).title, "Selected face counter");
    EXPECT_EQ(fixture.dialogs.shown.at(0).text, "1 faces selected.");
    EXPECT_TRUE(fixture.state.undoHistory.empty());
}

TEST(ExpandSelection, GrowsOverTheConnectedPieceOnly) {
    EditingFixture fixture;
    for (int i = 0; i < 6; ++i)
        fixture.addVertex(i, 0, 0);
    fixture.addFace(0, 1, 2);
    fixture.addFace(3, 4, 5);
    fixture.select({1});
    editor::expandSelection(fixture.state);
    EXPECT_EQ(flags(fixture.state), (std::vector<bool>{true, true, true, false, false, false}));
    EXPECT_EQ(editor::menuState(fixture.state).mnuUndoCaption, "Undo Selection");
}

TEST(ExpandSelection, SelectsAWholeStripFromOneEndInOneCommand) {
    EditingFixture fixture;
    const int count = 40;
    for (int i = 0; i < count; ++i)
        fixture.addVertex(i, i % 2, 0);
    // Faces listed from the far end, so one pass of the slow algorithm would not be enough.
    for (int i = count - 3; i >= 0; --i)
        fixture.addFace(i + 2, i + 1, i);
    fixture.select({count - 1});
    editor::expandSelection(fixture.state);
    EXPECT_EQ(editor::numSelVerts(fixture.state), count);
    EXPECT_EQ(fixture.state.undoHistory.size(), 1u);
}

TEST(ExpandSelection, NothingSelectedStillRecordsAStep) {
    EditingFixture fixture;
    fixture.addVertex(0, 0, 0);
    fixture.addFace(0, 0, 0);
    editor::expandSelection(fixture.state);
    EXPECT_EQ(editor::numSelVerts(fixture.state), 0);
    EXPECT_EQ(editor::undoEntry(fixture.state, 1).name(), "Selection");
}

TEST(ExpandSelection, EqualsTheStraightforwardAlgorithmOnRandomGeosets) {
    std::mt19937 random(77);
    for (int run = 0; run < 500; ++run) {
        EditingFixture fast;
        testing_support::fillRandomGeoset(fast.state, random, 14, 10);
        EditingFixture reference;
        reference.state.vertices = fast.state.vertices;
        reference.state.faces = fast.state.faces;
        editor::expandSelection(fast.state);
        referenceExpand(reference.state);
        ASSERT_EQ(fast.state.vertices, reference.state.vertices) << "run " << run;
        ASSERT_EQ(fast.state.faces, reference.state.faces) << "run " << run;
    }
}

TEST(SelectVertices, SelectsExactlyTheGivenIndicesAsOneStep) {
    EditingFixture fixture;
    for (int i = 0; i < 4; ++i)
        fixture.addVertex(i, 0, 0, true);
    editor::selectVertices(fixture.state, {2, 0, 99, -1});
    EXPECT_EQ(flags(fixture.state), (std::vector<bool>{true, false, true, false}));
    editor::undoLast(fixture.state);
    EXPECT_EQ(editor::numSelVerts(fixture.state), 4);
}

} // namespace
