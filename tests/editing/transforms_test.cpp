#include "editor/editing/transforms.h"
#include "editor/interaction/window_controls.h"

#include "editor/editing/extrude.h"
#include "editor/editing/normals.h"
#include "editor/editing/undo_command.h"
#include "editor/editing/undo_history.h"
#include "editor/model/selection_queries.h"
#include "support/editing_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

using editor::moveSelection;
using editor::rotateSelection;
using editor::scaleSelection;
using testing_support::EditingFixture;

namespace {

// Two selected vertices whose mean is (1, 1, 1): (4, 1, 1) and (-2, 1, 1).
struct ScaleTest : ::testing::Test, EditingFixture {
    ScaleTest() {
        addVertex(4, 1, 1, true).normalX = 0.6;
        addVertex(-2, 1, 1, true);
        addVertex(100, 100, 100); // not selected: neither moves nor counts for the centre
    }
};

TEST_F(ScaleTest, DragOf64EnlargesByFourThirdsAboutTheMean) {
    scaleSelection(state, 64, 0, true);
    EXPECT_DOUBLE_EQ(state.vertices[0].x, 5);
    EXPECT_DOUBLE_EQ(state.vertices[1].x, -3);
    EXPECT_EQ(state.vertices[0].y, 1);
    EXPECT_EQ(state.vertices[2].x, 100);
    EXPECT_EQ(state.vertices[0].normalX, 0.6); // normals stay
    EXPECT_EQ(editor::undoEntry(state, 1).name(), "Scale");
    EXPECT_EQ(editor::undoEntry(state, 1).amount1, 64);
    EXPECT_TRUE(editor::undoEntry(state, 1).savedVertices.empty());
}

TEST_F(ScaleTest, LeftOrUpwardDragShrinksByThreeQuarters) {
    scaleSelection(state, -64, 0, true);
    EXPECT_DOUBLE_EQ(state.vertices[0].x, 3.25);
    state.vertices[0].x = 4;
    state.vertices[1].x = -2;
    scaleSelection(state, 0, 64, true); // a - b < 0
    EXPECT_DOUBLE_EQ(state.vertices[0].x, 3.25);
}

TEST_F(ScaleTest, ZeroDragChangesNothingAndEqualAmountsEnlarge) {
    scaleSelection(state, 0, 0, true);
    EXPECT_EQ(state.vertices[0].x, 4);
    scaleSelection(state, 32, 32, true); // length 45.25..., a - b = 0 is not negative
    EXPECT_GT(state.vertices[0].x, 4);
}

TEST_F(ScaleTest, OnlyEnabledAxesScale) {
    state.vertices[0].y = 3; // mean y is now 2
    state.axisXEnabled = false;
    scaleSelection(state, 64, 0, true);
    EXPECT_EQ(state.vertices[0].x, 4);
    EXPECT_DOUBLE_EQ(state.vertices[0].y, 2 + 4.0 / 3);
}

TEST(SelectionCentre, IsTheMeanOfSelectedVerticesThatAreNotDeleted) {
    EditingFixture fixture;
    fixture.addVertex(0, 0, 0, true);
    fixture.addVertex(0, 0, 0, true);
    fixture.addVertex(3, 0, 0, true);
    fixture.addVertex(50, 0, 0, true).deleted = true;
    EXPECT_EQ(editor::selectionCentre(fixture.state, 'x'), 1); // not 1.5, the box middle
}

TEST(SelectionCentre, AllSelectedVerticesDeletedGivesZeroAndScaleStaysFinite) {
    EditingFixture fixture;
    fixture.addVertex(4, 2, 2, true).deleted = true;
    EXPECT_EQ(editor::selectionCentre(fixture.state, 'y'), 0);
    scaleSelection(fixture.state, 64, 0, true);
    EXPECT_DOUBLE_EQ(fixture.state.vertices[0].x, 16.0 / 3);
    rotateSelection(fixture.state, 90, 'z', true);
    EXPECT_TRUE(std::isfinite(fixture.state.vertices[0].x));
}

TEST(Move, ChangesOnlyEnabledAxesButRecordsAllAmounts) {
    EditingFixture fixture;
    fixture.addVertex(1, 1, 1, true);
    fixture.addVertex(1, 1, 1).deleted = true;
    fixture.state.vertices[1].selected = true; // deleted but selected: moves too
    fixture.state.axisXEnabled = fixture.state.axisZEnabled = false;
    moveSelection(fixture.state, 3, 4, 5, true);
    for (const auto& vertex : fixture.state.vertices) {
        EXPECT_EQ(vertex.x, 1);
        EXPECT_EQ(vertex.y, 5);
        EXPECT_EQ(vertex.z, 1);
    }
    const auto& step = editor::undoEntry(fixture.state, 1);
    EXPECT_EQ(step.name(), "Move");
    EXPECT_EQ(step.amount1, 3);
    EXPECT_EQ(step.amount2, 4);
    EXPECT_EQ(step.amount3, 5);
    EXPECT_EQ(editor::menuState(fixture.state).mnuUndoCaption, "Undo Move");
}

TEST(Move, WithoutRecordLeavesTheHistoryAlone) {
    EditingFixture fixture;
    fixture.addVertex(0, 0, 0, true);
    moveSelection(fixture.state, 1, 0, 0, false);
    EXPECT_TRUE(fixture.state.undoHistory.empty());
    EXPECT_EQ(fixture.state.vertices[0].x, 1);
}

struct RotateTest : ::testing::Test, EditingFixture {
    RotateTest() {
        auto& right = addVertex(1, 0, 0, true);
        right.normalX = 1;
        addVertex(-1, 0, 0, true);
    }
    void expectAt(int i, double x, double y, double z) {
        const auto& vertex = state.vertices[static_cast<std::size_t>(i)];
        EXPECT_NEAR(vertex.x, x, 1e-9);
        EXPECT_NEAR(vertex.y, y, 1e-9);
        EXPECT_NEAR(vertex.z, z, 1e-9);
    }
};

TEST_F(RotateTest, Amount180AboutZIsAQuarterTurnCounterclockwiseWithTheNormal) {
    rotateSelection(state, 180, 'z', true);
    expectAt(0, 0, 1, 0);
    expectAt(1, 0, -1, 0);
    EXPECT_NEAR(state.vertices[0].normalX, 0, 1e-9);
    EXPECT_NEAR(state.vertices[0].normalY, 1, 1e-9);
    EXPECT_EQ(editor::undoEntry(state, 1).name(), "Rotate z");
    EXPECT_EQ(editor::undoEntry(state, 1).amount1, 180);
}

TEST_F(RotateTest, NegativeAmountTurnsClockwise) {
    rotateSelection(state, -180, 'z', true);
    expectAt(0, 0, -1, 0);
    expectAt(1, 0, 1, 0);
}

TEST_F(RotateTest, AboutYTurnsXTowardsZAndAboutXTurnsZTowardsY) {
    rotateSelection(state, 180, 'y', true);
    expectAt(0, 0, 0, 1);
    rotateSelection(state, 180, 'x', true);
    expectAt(0, 0, 1, 0);
    EXPECT_NEAR(state.vertices[0].normalY, 1, 1e-9);
}

TEST_F(RotateTest, UsesTheTruncatedPiConstant) {
    rotateSelection(state, 360, 'z', true); // half a turn with pi = 3.14159265358
    const double theta = 3.14159265358;
    EXPECT_DOUBLE_EQ(state.vertices[0].x, std::cos(theta));
    EXPECT_DOUBLE_EQ(state.vertices[0].y, std::sin(theta));
}

TEST_F(RotateTest, PointsOnTheVerticalAxisUseTheRightAngleBranches) {
    // Relative to the pivot (0, 0, 0): u = 0 with v < 0, and u = 0 with v > 0.
    state.vertices[0] = {};
    state.vertices[0].y = -1;
    state.vertices[0].selected = true;
    state.vertices[1] = {};
    state.vertices[1].y = 1;
    state.vertices[1].selected = true;
    rotateSelection(state, 0, 'z', true);
    expectAt(0, 0, -1, 0);
    expectAt(1, 0, 1, 0);
    rotateSelection(state, 180, 'z', true);
    expectAt(0, 1, 0, 0);
    expectAt(1, -1, 0, 0);
}

TEST_F(RotateTest, AxisLocksDoNotApply) {
    state.axisXEnabled = state.axisYEnabled = state.axisZEnabled = false;
    rotateSelection(state, 180, 'z', true);
    expectAt(0, 0, 1, 0);
}

TEST(Clone, LoneTriangleIsCopiedAfterTheLastRecordsAndOnlyTheCopiesAreSelected) {
    EditingFixture fixture;
    for (int i = 0; i < 5; ++i)
        fixture.addVertex(i, 0, 0);
    fixture.state.vertices[1].vertexGroup = 3;
    fixture.state.vertices[2].deleted = true;
    fixture.addFace(2, 3, 4);
    fixture.addFace(0, 1, 2, true);
    fixture.select({0, 1, 2});
    editor::cloneSelection(fixture.state);

    const auto& vertices = fixture.state.vertices;
    ASSERT_EQ(vertices.size(), 8u);
    for (int k = 0; k < 3; ++k) {
        auto copy = vertices[5 + static_cast<std::size_t>(k)];
        auto source = vertices[static_cast<std::size_t>(k)];
        EXPECT_TRUE(copy.selected);
        EXPECT_FALSE(source.selected);
        source.selected = true;
        EXPECT_EQ(copy, source); // position, group, deleted flag: an exact copy
    }
    for (int i = 3; i < 5; ++i)
        EXPECT_FALSE(vertices[static_cast<std::size_t>(i)].selected);
    ASSERT_EQ(fixture.state.faces.size(), 3u);
    EXPECT_EQ(fixture.state.faces[2], (editor::FaceRecord{5, 6, 7, true}));
    EXPECT_EQ(fixture.state.faces[0], (editor::FaceRecord{2, 3, 4, false}));
}

TEST(Clone, FaceWithAnUnselectedCornerIsNotCopied) {
    EditingFixture fixture;
    fixture.addVertex(0, 0, 0, true);
    fixture.addVertex(1, 0, 0, true);
    fixture.addVertex(2, 0, 0);
    fixture.addFace(0, 1, 2);
    editor::cloneSelection(fixture.state);
    EXPECT_EQ(fixture.state.vertices.size(), 5u);
    EXPECT_EQ(fixture.state.faces.size(), 1u);
}

TEST(Clone, NothingSelectedCopiesNothing) {
    EditingFixture fixture;
    fixture.addVertex(0, 0, 0);
    fixture.addFace(0, 0, 0);
    fixture.state.cloneMode = true;
    moveSelection(fixture.state, 1, 1, 1, true);
    EXPECT_EQ(fixture.state.vertices.size(), 1u);
    EXPECT_EQ(fixture.state.faces.size(), 1u);
    EXPECT_EQ(fixture.state.vertices[0].x, 0);
    EXPECT_FALSE(fixture.state.cloneMode);
}

TEST(Clone, MoveWithTheToggleMovesTheCopiesAndUndoRemovesThem) {
    EditingFixture fixture;
    fixture.addVertex(0, 0, 0, true);
    fixture.addVertex(1, 0, 0, true);
    fixture.addVertex(0, 1, 0, true);
    fixture.addFace(0, 1, 2);
    const auto vertices = fixture.state.vertices;
    const auto faces = fixture.state.faces;
    fixture.state.cloneMode = true;
    moveSelection(fixture.state, 0, 0, 7, true);

    ASSERT_EQ(fixture.state.vertices.size(), 6u);
    EXPECT_EQ(fixture.state.vertices[0].z, 0);
    EXPECT_EQ(fixture.state.vertices[3].z, 7);
    EXPECT_FALSE(fixture.state.cloneMode);
    EXPECT_EQ(editor::toolButtonState(fixture.state).cmdClone, editor::ButtonColour::ButtonFace);
    EXPECT_EQ(editor::menuState(fixture.state).mnuUndoCaption, "Undo Clone");

    editor::undoLast(fixture.state);
    EXPECT_EQ(fixture.state.vertices, vertices);
    EXPECT_EQ(fixture.state.faces, faces);
}

TEST(Clone, ThatWouldOverflowTheGeosetChangesNothing) {
    EditingFixture fixture;
    fixture.state.vertices.resize(editor::maxGeosetRecords - 1);
    fixture.state.vertices[0].selected = fixture.state.vertices[1].selected = true;
    fixture.state.cloneMode = true;
    const auto before = fixture.state.vertices;
    moveSelection(fixture.state, 1, 0, 0, true);
    EXPECT_EQ(fixture.state.vertices, before);
    EXPECT_TRUE(fixture.state.undoHistory.empty());
    ASSERT_EQ(fixture.dialogs.shown.size(), 1u);
    EXPECT_EQ(fixture.dialogs.shown[0].title, "Error");
    EXPECT_EQ(fixture.dialogs.shown[0].text,
              "A geoset holds at most 32767 vertices and 32767 triangles; this would make 32768 "
              "vertices and 0 triangles.");

    fixture.state.vertices[1].selected = false; // one copy fits exactly
    moveSelection(fixture.state, 1, 0, 0, true);
    EXPECT_EQ(fixture.state.vertices.size(), 32767u);
    EXPECT_EQ(fixture.dialogs.shown.size(), 1u);
}

} // namespace

namespace {

// A result past the largest number is refused before anything changes: no step, no clone.
TEST(Transforms, AResultThatIsNotFiniteIsRefused) {
    EditingFixture fixture;
    auto& state = fixture.state;
    fixture.addVertex(1e308, 0, 0, true);
    fixture.addVertex(-1e308, 1, 0, true);
    fixture.addVertex(0, 0, 1, true);
    fixture.addFace(0, 1, 2);
    const auto before = state.vertices;
    editor::moveSelection(state, 1e308, 0, 0, true);
    editor::scaleSelection(state, 1e200, 1e200, true);
    state.cloneMode = true;
    editor::extrudeSelection(state, 1e308, 0, 0, true);
    editor::moveSelection(state, 1e308, 0, 0, true);
    EXPECT_EQ(state.vertices, before);
    EXPECT_EQ(state.faces.size(), 1u);
    EXPECT_TRUE(state.undoHistory.empty());
    ASSERT_EQ(fixture.dialogs.shown.size(), 4u);
    for (const auto& shown : fixture.dialogs.shown)
        EXPECT_EQ(shown.title, "Error");

    // Recalculated normals of such a mesh stay finite.
    editor::recalcNormals(state);
    for (const auto& vertex : state.vertices)
        EXPECT_TRUE(std::isfinite(vertex.normalX) && std::isfinite(vertex.normalY) &&
                    std::isfinite(vertex.normalZ));
}

} // namespace
