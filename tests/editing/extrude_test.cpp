#include "editor/editing/extrude.h"
#include "editor/interaction/window_controls.h"

#include "editor/editing/transforms.h"
#include "editor/editing/undo_command.h"
#include "editor/editing/undo_history.h"
#include "support/editing_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using editor::FaceRecord;
using testing_support::EditingFixture;

namespace {

// The extrusion worked out the straightforward way: every edge compared with every edge.
void referenceExtrude(editor::EditorState& state, double dx, double dy, double dz) {
    editor::takeUndoSnapshot(state, editor::UndoKind::Extrude);
    const std::size_t n0 = state.vertices.size();
    std::vector<std::size_t> sourceOf;
    for (std::size_t i = 0; i < n0; ++i)
        if (state.vertices[i].selected) {
            sourceOf.push_back(i);
            state.vertices.push_back(state.vertices[i]);
        }
    const auto copyOf = [&](int corner) {
        for (std::size_t k = 0; k < sourceOf.size(); ++k)
            if (sourceOf[k] == static_cast<std::size_t>(corner))
                return static_cast<int>(n0 + k);
        return corner;
    };
    const auto selected = [&](int c) {
        return state.vertices[static_cast<std::size_t>(c)].selected;
    };
    std::vector<editor::ExtrudeEdge> edges;
    const std::size_t t0 = state.faces.size();
    for (std::size_t f = 0; f < t0; ++f) {
        auto& face = state.faces[f];
        if (!selected(face.a) || !selected(face.b) || !selected(face.c))
            continue;
        const FaceRecord old = face;
        face.a = copyOf(face.a);
        face.b = copyOf(face.b);
        face.c = copyOf(face.c);
        edges.push_back({old.a, old.b, face.a, face.b, false});
        edges.push_back({old.b, old.c, face.b, face.c, false});
        edges.push_back({old.c, old.a, face.c, face.a, false});
    }
    if (edges.empty())
        return;
    for (std::size_t e1 = 0; e1 < edges.size(); ++e1)
        for (std::size_t e2 = 0; e2 < edges.size(); ++e2)
            if (e1 != e2 && editor::sameEdge(state, edges[e1], edges[e2]))
                edges[e1].shared = edges[e2].shared = true;
    for (const auto& edge : edges)
        if (!edge.shared)
            editor::addSideFaces(state, edge);
    for (std::size_t i = 0; i < state.vertices.size(); ++i)
        state.vertices[i].selected = i >= n0;
    editor::moveSelection(state, dx, dy, dz, false);
}

struct OneTriangle : ::testing::Test, EditingFixture {
    // Vertices 0..2 form the selected triangle; 3 and 4 belong to an unselected face.
    OneTriangle() {
        addVertex(0, 0, 0);
        addVertex(1, 0, 0);
        addVertex(0, 1, 0);
        addVertex(5, 5, 5);
        addVertex(6, 5, 5);
        addFace(3, 4, 0);
        addFace(0, 1, 2);
        select({0, 1, 2});
    }
};

TEST_F(OneTriangle, DetachesTheCapAndBuildsSixWallFacesInEdgeOrder) {
    editor::extrudeSelection(state, 0, 0, 5, true);
    const int n0 = 5;
    ASSERT_EQ(state.vertices.size(), 8u);
    for (int k = 0; k < 3; ++k) {
        const auto& copy = state.vertices[static_cast<std::size_t>(n0 + k)];
        const auto& source = state.vertices[static_cast<std::size_t>(k)];
        EXPECT_EQ(copy.z, 5);
        EXPECT_EQ(copy.x, source.x);
        EXPECT_TRUE(copy.selected);
        EXPECT_FALSE(source.selected);
        EXPECT_EQ(source.z, 0);
    }
    const std::vector<FaceRecord> expected{{3, 4, 0, false},      {n0, n0 + 1, n0 + 2, false},
                                           {0, 1, n0, false},     {n0 + 1, n0, 1, false},
                                           {1, 2, n0 + 1, false}, {n0 + 2, n0 + 1, 2, false},
                                           {2, 0, n0 + 2, false}, {n0, n0 + 2, 0, false}};
    EXPECT_EQ(state.faces, expected);
    EXPECT_EQ(editor::menuState(state).mnuUndoCaption, "Undo Extrude");
}

TEST_F(OneTriangle, UndoRestoresBothArrays) {
    const auto vertices = state.vertices;
    const auto faces = state.faces;
    editor::extrudeSelection(state, 0, 0, 5, true);
    editor::undoLast(state);
    EXPECT_EQ(state.vertices, vertices);
    EXPECT_EQ(state.faces, faces);
}

TEST_F(OneTriangle, AxisLocksApplyToTheCapMove) {
    state.axisYEnabled = state.axisZEnabled = false;
    editor::extrudeSelection(state, 3, 4, 0, true);
    EXPECT_EQ(state.faces.size(), 8u);
    EXPECT_EQ(state.vertices[5].x, 3);
    EXPECT_EQ(state.vertices[6].y, 0);
}

TEST_F(OneTriangle, CloneToggleClonesTheFreshCapAndIsSwitchedOff) {
    state.cloneMode = true;
    editor::extrudeSelection(state, 0, 0, 5, true);
    ASSERT_EQ(state.vertices.size(), 11u);
    EXPECT_EQ(state.faces.size(), 9u);
    EXPECT_EQ(state.vertices[5].z, 0); // the extruded cap stays at the base
    EXPECT_EQ(state.vertices[8].z, 5); // its clone moves
    EXPECT_EQ(state.faces.back(), (FaceRecord{8, 9, 10, false}));
    EXPECT_FALSE(state.cloneMode);
    EXPECT_EQ(editor::undoEntry(state, 1).name(), "Extrude");
}

TEST(Extrude, TwoTrianglesSharingAnEdgeGetWallsOnTheFourOuterEdgesOnly) {
    EditingFixture fixture;
    fixture.addVertex(0, 0, 0, true);
    fixture.addVertex(1, 0, 0, true);
    fixture.addVertex(1, 1, 0, true);
    fixture.addVertex(0, 1, 0, true);
    fixture.addFace(0, 1, 2);
    fixture.addFace(0, 2, 3);
    editor::extrudeSelection(fixture.state, 0, 0, 1, true);
    const std::vector<FaceRecord> expected{
        {4, 5, 6, false}, {4, 6, 7, false},  // the cap, re-pointed in place
        {0, 1, 4, false}, {5, 4, 1, false},  // edge 0-1
        {1, 2, 5, false}, {6, 5, 2, false},  // edge 1-2 (edge 2-0 is shared)
        {2, 3, 6, false}, {7, 6, 3, false},  // edge 2-3
        {3, 0, 7, false}, {4, 7, 0, false}}; // edge 3-0
    EXPECT_EQ(fixture.state.faces, expected);
}

TEST(Extrude, EdgesBetweenSplitVerticesAtEqualPositionsCountAsShared) {
    EditingFixture fixture;
    fixture.addVertex(0, 0, 0, true);
    fixture.addVertex(1, 0, 0, true);
    fixture.addVertex(1, 1, 0, true);
    fixture.addVertex(0, 0, -0.0, true); // the same places as 0 and 2, other indices
    fixture.addVertex(1, 1, 0, true);
    fixture.addVertex(0, 1, 0, true);
    fixture.addFace(0, 1, 2);
    fixture.addFace(3, 4, 5);
    editor::extrudeSelection(fixture.state, 0, 0, 1, true);
    EXPECT_EQ(fixture.state.faces.size(), 2u + 8u);
}

TEST(Extrude, AnEdgeWithANaNEndIsNeverShared) {
    EditingFixture fast;
    fast.addVertex(0, 0, 0, true);
    fast.addVertex(std::nan(""), 0, 0, true);
    fast.addVertex(0, 1, 0, true);
    fast.addVertex(0, 1, 0, true);
    fast.addFace(0, 1, 2);
    fast.addFace(1, 0, 3); // edge 0-1 again, and 0-3 the same places as 0-2
    EditingFixture reference;
    reference.state.vertices = fast.state.vertices;
    reference.state.faces = fast.state.faces;
    editor::extrudeSelection(fast.state, 0, 0, 1, true);
    referenceExtrude(reference.state, 0, 0, 1);
    EXPECT_EQ(fast.state.faces, reference.state.faces);
    // c-a of the first and b-c of the second are shared; the four edges at the NaN get walls.
    EXPECT_EQ(fast.state.faces.size(), 2u + 2 * 4);
}

TEST(Extrude, SelectedVerticesWithoutAFullFaceOnlyGrowTheVertexArray) {
    EditingFixture fixture;
    fixture.addVertex(0, 0, 0, true);
    fixture.addVertex(1, 0, 0, true);
    fixture.addVertex(1, 1, 0);
    fixture.addFace(0, 1, 2);
    const auto vertices = fixture.state.vertices;
    const long redraws = fixture.state.redrawCount;
    editor::extrudeSelection(fixture.state, 0, 0, 9, true);
    ASSERT_EQ(fixture.state.vertices.size(), 5u);
    EXPECT_EQ(fixture.state.vertices[3], vertices[0]); // in place, selected like its source
    EXPECT_TRUE(fixture.state.vertices[0].selected);
    EXPECT_EQ(fixture.state.faces.size(), 1u);
    editor::finishCommand(fixture.state);
    EXPECT_EQ(fixture.state.redrawCount, redraws);
    editor::undoLast(fixture.state);
    EXPECT_EQ(fixture.state.vertices, vertices);
}

TEST(Extrude, ThatWouldOverflowTheGeosetChangesNothing) {
    EditingFixture fixture;
    fixture.addVertex(0, 0, 0);
    fixture.addVertex(1, 0, 0);
    fixture.addVertex(0, 1, 0);
    fixture.addVertex(9, 9, 9); // the filler faces use this unselected vertex
    fixture.state.faces.resize(editor::maxGeosetRecords - 6, {3, 3, 3, false});
    fixture.addFace(0, 1, 2);
    fixture.select({0, 1, 2});
    const auto faces = fixture.state.faces;
    editor::extrudeSelection(fixture.state, 0, 0, 1, true); // six walls: one face too many
    EXPECT_TRUE(fixture.state.faces == faces);
    EXPECT_EQ(fixture.state.vertices.size(), 4u);
    EXPECT_TRUE(fixture.state.undoHistory.empty());
    ASSERT_EQ(fixture.dialogs.shown.size(), 1u);
    EXPECT_EQ(fixture.dialogs.shown[0].title, "Error");

    fixture.state.faces.erase(fixture.state.faces.begin()); // now the six walls fit exactly
    editor::extrudeSelection(fixture.state, 0, 0, 1, true);
    EXPECT_EQ(fixture.state.faces.size(), 32767u);
    EXPECT_EQ(fixture.dialogs.shown.size(), 1u);
}

TEST(Extrude, EqualsTheStraightforwardAlgorithmOnRandomGeosets) {
    std::mt19937 random(20240611);
    for (int run = 0; run < 400; ++run) {
        EditingFixture fast;
        testing_support::fillRandomGeoset(fast.state, random, 9, 12);
        fast.state.axisYEnabled = run % 3 != 0;
        fast.state.cloneMode = run % 5 == 0;
        EditingFixture reference;
        reference.state.vertices = fast.state.vertices;
        reference.state.faces = fast.state.faces;
        reference.state.axisYEnabled = fast.state.axisYEnabled;
        reference.state.cloneMode = fast.state.cloneMode;

        editor::extrudeSelection(fast.state, 1, 2, 3, true);
        referenceExtrude(reference.state, 1, 2, 3);
        ASSERT_EQ(fast.state.vertices, reference.state.vertices) << "run " << run;
        ASSERT_EQ(fast.state.faces, reference.state.faces) << "run " << run;
        ASSERT_EQ(fast.state.cloneMode, reference.state.cloneMode) << "run " << run;
        ASSERT_EQ(fast.state.undoHistory.size(), reference.state.undoHistory.size());
        EXPECT_EQ(fast.state.undoHistory.front().savedVertices,
                  reference.state.undoHistory.front().savedVertices);
        EXPECT_EQ(fast.state.undoHistory.front().savedFaces,
                  reference.state.undoHistory.front().savedFaces);
    }
}

} // namespace
