// The Reforged per-vertex data through the commands: the tangent turns and mirrors with the
// normal and is fitted to new normals; copies of a vertex carry all of it.

#include "editor/editing/extrude.h"
#include "editor/editing/geometry_tools.h"
#include "editor/editing/normals.h"
#include "editor/editing/transforms.h"
#include "support/editing_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using testing_support::EditingFixture;

// A triangle whose vertices carry every kind of Reforged data, all selected.
struct ReforgedTriangle : EditingFixture {
    ReforgedTriangle() {
        state.extras = {true, true, 2};
        for (int i = 0; i < 3; ++i) {
            auto& v = addVertex(i, i * i, 1, true);
            v.normalX = 1;
            v.tangent = {0, 1, 0, -1};
            v.skinWeights = {static_cast<std::uint8_t>(i), 1, 0, 0, 200, 55, 0, 0};
            v.extraUvs[0] = {0.25f * static_cast<float>(i), 0.5f};
            v.extraUvs[1] = {1, static_cast<float>(i)};
        }
        addFace(0, 1, 2);
    }
};

double dotWithNormal(const editor::VertexRecord& v) {
    return v.normalX * v.tangent[0] + v.normalY * v.tangent[1] + v.normalZ * v.tangent[2];
}

TEST(VertexExtras, RotationTurnsTheTangentAsTheNormal) {
    ReforgedTriangle f;
    for (auto& v : f.state.vertices) {
        v.normalX = 0.6;
        v.normalY = 0.8;
        v.tangent = {0.6f, 0.8f, 0, 1};
    }
    for (char axis : {'x', 'y', 'z'}) {
        editor::rotateSelection(f.state, 57, axis, true);
        for (const auto& v : f.state.vertices) {
            EXPECT_NEAR(v.tangent[0], v.normalX, 1e-6) << axis;
            EXPECT_NEAR(v.tangent[1], v.normalY, 1e-6) << axis;
            EXPECT_NEAR(v.tangent[2], v.normalZ, 1e-6) << axis;
            EXPECT_EQ(v.tangent[3], 1.0f);
        }
    }
}

TEST(VertexExtras, MirrorFlipsTheTangentOnItsAxisAndItsSign) {
    ReforgedTriangle f;
    editor::mirrorCommand(f.state, 'y');
    for (const auto& v : f.state.vertices) {
        EXPECT_EQ(v.tangent[1], -1.0f);
        EXPECT_EQ(v.tangent[3], 1.0f);
    }
}

TEST(VertexExtras, NewNormalsRefitTheTangentAndKeepItsSign) {
    ReforgedTriangle f;
    f.state.vertices[0].tangent = {1, 1, 1, -1};
    editor::recalcNormals(f.state);
    for (const auto& v : f.state.vertices) {
        EXPECT_NEAR(dotWithNormal(v), 0, 1e-6);
        EXPECT_NEAR(std::hypot(v.tangent[0], v.tangent[1], v.tangent[2]), 1, 1e-6);
        EXPECT_EQ(v.tangent[3], -1.0f);
    }

    ReforgedTriangle g;
    // The snapped normal (0, 1, 0) lies along the tangents: they get one across it.
    for (auto& v : g.state.vertices) {
        v.normalX = 0;
        v.normalY = 1;
    }
    editor::snapNormalsCommand(g.state);
    for (const auto& v : g.state.vertices) {
        EXPECT_NEAR(dotWithNormal(v), 0, 1e-6);
        EXPECT_NEAR(std::hypot(v.tangent[0], v.tangent[1], v.tangent[2]), 1, 1e-6);
        EXPECT_EQ(v.tangent[3], -1.0f);
    }
}

TEST(VertexExtras, ClonesAndExtrusionsCarryEverythingOfTheirSource) {
    ReforgedTriangle f;
    f.state.cloneMode = true;
    editor::moveSelection(f.state, 5, 0, 0, true);
    ASSERT_EQ(f.state.vertices.size(), 6u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(f.state.vertices[i + 3].skinWeights, f.state.vertices[i].skinWeights);
        EXPECT_EQ(f.state.vertices[i + 3].extraUvs, f.state.vertices[i].extraUvs);
        EXPECT_EQ(f.state.vertices[i + 3].tangent, f.state.vertices[i].tangent);
    }

    ReforgedTriangle g;
    editor::extrudeSelection(g.state, 0, 0, 2, true);
    ASSERT_EQ(g.state.vertices.size(), 6u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(g.state.vertices[i + 3].skinWeights, g.state.vertices[i].skinWeights);
        EXPECT_EQ(g.state.vertices[i + 3].extraUvs, g.state.vertices[i].extraUvs);
    }
}

} // namespace
