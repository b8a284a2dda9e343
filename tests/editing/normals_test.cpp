#include "editor/editing/normals.h"

#include "editor/editing/undo_history.h"
#include "support/editing_fixture.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>

using editor::undoEntry;
using testing_support::EditingFixture;

namespace {

struct NormalsTest : ::testing::Test, EditingFixture {
    void expectNormal(int i, double x, double y, double z) {
        const auto& v = state.vertices.at(static_cast<std::size_t>(i));
        EXPECT_DOUBLE_EQ(v.normalX, x) << "vertex " << i;
        EXPECT_DOUBLE_EQ(v.normalY, y) << "vertex " << i;
        EXPECT_DOUBLE_EQ(v.normalZ, z) << "vertex " << i;
    }
};

TEST_F(NormalsTest, LoneTriangleCornerPointsAwayFromItsNeighbours) {
    addVertex(0, 0, 0, true);
    addVertex(1, 0, 0);
    addVertex(0, 1, 0);
    addFace(0, 1, 2);
    const auto before = state.vertices;
    editor::recalcNormals(state);
    expectNormal(0, -std::sqrt(0.5), -std::sqrt(0.5), 0);
    EXPECT_EQ(state.vertices[1].normalX, 0); // not selected
    EXPECT_EQ(undoEntry(state, 1).name(), "Recalculate Normals");
    EXPECT_EQ(undoEntry(state, 1).savedVertices, before);
}

TEST_F(NormalsTest, UntouchedAndCancellingVerticesGetTheFallback) {
    addVertex(5, 5, 5, true).normalY = 1; // no face reaches it
    // The middle of a flat, symmetric fan: the four neighbours' directions cancel exactly.
    addVertex(0, 0, 0, true);
    addVertex(1, 0, 0);
    addVertex(0, 1, 0);
    addVertex(-1, 0, 0);
    addVertex(0, -1, 0);
    addFace(1, 2, 3);
    addFace(1, 3, 4);
    addFace(1, 4, 5);
    addFace(1, 5, 2);
    editor::recalcNormals(state);
    expectNormal(0, 1, 0, 0);
    expectNormal(1, 1, 0, 0);
}

TEST_F(NormalsTest, SplitVerticesShareFacesThroughTheirPosition) {
    addVertex(0, 0, 0, true);
    addVertex(0, 0, 0, true); // same place, not welded
    addVertex(1, 0, 0);
    addVertex(0, 0, 1);
    addVertex(0, 1, 0).deleted = true; // deleted records take part
    addFace(0, 2, 3);
    addFace(1, 3, 4, true);
    editor::recalcNormals(state);
    EXPECT_EQ(state.vertices[0].normalX, state.vertices[1].normalX);
    EXPECT_EQ(state.vertices[0].normalY, state.vertices[1].normalY);
    EXPECT_EQ(state.vertices[0].normalZ, state.vertices[1].normalZ);
    // Sum: (-1, 0, 0) + (0, 0, -1) + (0, 0, -1) + (0, -1, 0).
    const double n = std::sqrt(6.0);
    expectNormal(0, -1 / n, -1 / n, -2 / n);
}

TEST_F(NormalsTest, CoincidentCornersAddOnlyTheOtherEdge) {
    addVertex(0, 0, 0, true);
    addVertex(0, 0, 0);
    addVertex(0, 2, 0);
    addFace(0, 1, 2);
    EXPECT_EQ(editor::cornerInFace(state, 1, 1), 2); // the higher vertex index wins
    editor::recalcNormals(state);
    expectNormal(0, 0, -1, 0);
}

TEST_F(NormalsTest, NothingSelectedStillRecordsAndRedraws) {
    addVertex(0, 0, 0).normalZ = 0.25;
    addVertex(1, 0, 0);
    addVertex(0, 1, 0);
    addFace(0, 1, 2);
    const auto before = state.vertices;
    editor::recalcNormals(state);
    EXPECT_EQ(state.vertices, before);
    EXPECT_EQ(undoEntry(state, 1).name(), "Recalculate Normals");
    editor::finishCommand(state);
    EXPECT_EQ(state.redrawCount, 1);
}

TEST_F(NormalsTest, SnapNormalsGivesTheNormalisedSum) {
    addVertex(0, 0, 0, true).normalX = 3;
    state.vertices[0].normalY = 4;
    addVertex(0, 0, 0).normalZ = 7;
    editor::snapNormalsCommand(state);
    expectNormal(0, 0.6, 0.8, 0);
    expectNormal(1, 0, 0, 7);
    EXPECT_EQ(undoEntry(state, 1).name(), "Snap Normals");

    state.vertices[1].selected = true;
    editor::snapNormalsCommand(state);
    const double n = std::sqrt(0.36 + 0.64 + 49);
    expectNormal(0, 0.6 / n, 0.8 / n, 7 / n);
    expectNormal(1, 0.6 / n, 0.8 / n, 7 / n);
}

TEST_F(NormalsTest, SnapNormalsWithoutASelectionOrADirection) {
    addVertex(0, 0, 0).normalX = 1;
    addVertex(0, 0, 0).normalX = -1;
    editor::snapNormalsCommand(state);
    EXPECT_TRUE(state.undoHistory.empty());
    editor::finishCommand(state);
    EXPECT_EQ(state.redrawCount, 0);

    select({0, 1}); // the normals cancel: they stay as they were
    const auto before = state.vertices;
    editor::snapNormalsCommand(state);
    EXPECT_EQ(state.vertices, before);
    EXPECT_EQ(undoEntry(state, 1).name(), "Snap Normals");
}

// The routines word for word: cornerInFace scans every vertex for every face, so one normal
// costs faces x vertices comparisons.
int referenceCornerInFace(const editor::EditorState& state, int v, int f) {
    const auto& face = state.faces[static_cast<std::size_t>(f - 1)];
    const int corners[] = {face.a, face.b, face.c};
    int result = -1;
    for (int k = 1; k <= static_cast<int>(state.vertices.size()); ++k)
        if (editor::samePosition(state, v - 1, k - 1))
            for (int m = 1; m <= 3; ++m)
                if (corners[m - 1] == k - 1)
                    result = m;
    return result;
}

editor::Vector3 referenceNormal(const editor::EditorState& state, int v) {
    editor::Vector3 s;
    for (int f = 1; f <= static_cast<int>(state.faces.size()); ++f) {
        const int corner = referenceCornerInFace(state, v, f);
        if (corner == -1)
            continue;
        const auto& face = state.faces[static_cast<std::size_t>(f - 1)];
        const int a = face.a + 1, b = face.b + 1, c = face.c + 1;
        editor::Vector3 e1, e2;
        if (corner == 1) {
            e1 = editor::unitDirection(state, a, b);
            e2 = editor::unitDirection(state, a, c);
        } else if (corner == 2) {
            e1 = editor::unitDirection(state, b, a);
            e2 = editor::unitDirection(state, b, c);
        } else {
            e1 = editor::unitDirection(state, c, b);
            e2 = editor::unitDirection(state, c, a);
        }
        s.x = s.x + e1.x + e2.x;
        s.y = s.y + e1.y + e2.y;
        s.z = s.z + e1.z + e2.z;
    }
    return editor::unitVector(s.x, s.y, s.z);
}

bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Small random geosets with many split vertices, coincident corners, repeated corners and
// deleted records: the one-pass recalculation must give bit for bit the word-for-word result.
TEST(NormalsReferenceTest, FastRecalculationEqualsTheWordForWordRoutine) {
    std::mt19937 random(20240611);
    const double values[] = {0.0, -0.0, 1.0, -1.0, 2.5, 1e-160};
    std::uniform_int_distribution<int> value(0, 5);
    std::bernoulli_distribution coin(0.5);
    for (int round = 0; round < 3000; ++round) {
        EditingFixture fixture;
        auto& state = fixture.state;
        if (round % 2 == 0) {
            testing_support::fillRandomGeoset(state, random, 12, 16);
        } else {
            // Wider coordinates give slanted directions and rounding in the sums.
            testing_support::fillRandomGeoset(state, random, 9, 12);
            for (auto& v : state.vertices) {
                v.x = values[value(random)];
                v.y = values[value(random)];
                v.z = coin(random) ? v.x : values[value(random)];
            }
        }
        for (std::size_t f = 0; f < state.faces.size(); ++f)
            for (int v = 1; v <= static_cast<int>(state.vertices.size()); ++v)
                ASSERT_EQ(editor::cornerInFace(state, v, static_cast<int>(f + 1)),
                          referenceCornerInFace(state, v, static_cast<int>(f + 1)));

        auto expected = state.vertices;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            if (!expected[i].selected)
                continue;
            const auto n = referenceNormal(state, static_cast<int>(i + 1));
            expected[i].normalX = n.x;
            expected[i].normalY = n.y;
            expected[i].normalZ = n.z;
        }
        auto single = state;
        for (std::size_t i = 0; i < single.vertices.size(); ++i)
            if (single.vertices[i].selected)
                editor::calcVertexNormal(single, static_cast<int>(i + 1));
        editor::recalcNormals(state);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const auto& got = state.vertices[i];
            ASSERT_TRUE(sameBits(got.normalX, expected[i].normalX) &&
                        sameBits(got.normalY, expected[i].normalY) &&
                        sameBits(got.normalZ, expected[i].normalZ))
                << "round " << round << ", vertex " << i << ": " << got.normalX << ", "
                << got.normalY << ", " << got.normalZ;
            ASSERT_EQ(single.vertices[i], expected[i]) << "round " << round << ", vertex " << i;
        }
    }
}

} // namespace
