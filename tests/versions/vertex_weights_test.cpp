#include "formats/versions/geoset_tangents.h"
#include "formats/versions/vertex_weights.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace {

using versions::keptBones;

struct KeptCase {
    const char* name;
    std::array<std::uint8_t, 8> skin; // four matrix list entries, four weights
    std::vector<std::uint32_t> bones; // object ids kept
    bool approximated;
    bool missing;
};

// Matrix list entries 0..4 name the objects 10..14.
const std::vector<std::uint32_t> list{10, 11, 12, 13, 14};

TEST(VertexWeights, KeepsTheBonesAtLeastAQuarterOfTheLargest) {
    const KeptCase cases[] = {
        {"one bone", {2, 0, 0, 0, 255, 0, 0, 0}, {12}, false, false},
        {"equal pair with its remainder", {1, 3, 0, 0, 128, 127, 0, 0}, {11, 13}, false, false},
        {"three equal", {0, 1, 2, 0, 85, 85, 85, 0}, {10, 11, 12}, false, false},
        {"four with remainder", {3, 2, 1, 0, 64, 64, 64, 63}, {10, 11, 12, 13}, false, false},
        {"exactly a quarter is kept", {0, 1, 0, 0, 204, 51, 0, 0}, {10, 11}, true, false},
        {"below a quarter is dropped", {0, 1, 0, 0, 205, 50, 0, 0}, {10}, true, false},
        {"unequal kept", {0, 1, 0, 0, 200, 55, 0, 0}, {10, 11}, true, false},
        {"one entry twice adds up", {4, 4, 0, 0, 128, 127, 0, 0}, {14}, false, false},
        {"weights not summing to 255", {0, 1, 0, 0, 100, 100, 0, 0}, {10, 11}, true, false},
        {"an entry past the list", {0, 7, 0, 0, 200, 55, 0, 0}, {10}, false, true},
        {"no weight at all", {0, 1, 2, 3, 0, 0, 0, 0}, {}, false, false},
    };
    for (const auto& c : cases) {
        const auto kept = keptBones(c.skin.data(), list);
        EXPECT_EQ(kept.bones, c.bones) << c.name;
        EXPECT_EQ(kept.missingBone, c.missing) << c.name;
        if (!c.missing) {
            EXPECT_EQ(kept.approximated, c.approximated) << c.name;
        }
    }
}

TEST(VertexWeights, EqualSharesSumTo255WithTheRemainderFirst) {
    EXPECT_EQ(versions::equalShares(1), (std::vector<std::uint8_t>{255}));
    EXPECT_EQ(versions::equalShares(2), (std::vector<std::uint8_t>{128, 127}));
    EXPECT_EQ(versions::equalShares(3), (std::vector<std::uint8_t>{85, 85, 85}));
    EXPECT_EQ(versions::equalShares(4), (std::vector<std::uint8_t>{64, 64, 64, 63}));
}

// A geoset of n vertices, vertex v in group groupOf[v]; groups given by their bone lists.
mdx::Geoset groupedGeoset(const std::vector<std::vector<std::uint32_t>>& groups,
                          const std::vector<std::uint8_t>& groupOf) {
    mdx::Geoset g;
    for (const auto& bones : groups) {
        g.matrixGroupSizes.push_back(static_cast<std::uint32_t>(bones.size()));
        g.matrixIndices.insert(g.matrixIndices.end(), bones.begin(), bones.end());
    }
    g.vertexGroups = groupOf;
    g.vertices.resize(groupOf.size());
    g.normals.assign(groupOf.size(), {0, 0, 1});
    return g;
}

TEST(VertexWeights, SkinFromGroupsCapsAtFourAndNamesMissingGroups) {
    // Group 0: one bone, 1: two, 2: six (past the cap); vertex 3 names group 5, which is none.
    const auto g = groupedGeoset({{7}, {8, 9}, {1, 2, 3, 4, 5, 6}}, {0, 1, 2, 5});
    const auto skin = versions::groupsToSkin(g);
    ASSERT_EQ(skin.skin.size(), 32u);
    const std::vector<std::uint8_t> expected{
        0, 0, 0, 0, 255, 0,   0,  0,  // group 0 is entry 0
        1, 2, 0, 0, 128, 127, 0,  0,  // group 1 is entries 1 and 2
        3, 4, 5, 6, 64,  64,  64, 63, // group 2's first four entries
        0, 0, 0, 0, 255, 0,   0,  0,  // no group: the first bone
    };
    EXPECT_EQ(skin.skin, expected);
    EXPECT_EQ(skin.capped, 1u);
    EXPECT_EQ(skin.unplaced, 1u);
}

TEST(VertexWeights, SkinToGroupsSharesEqualGroups) {
    mdx::Geoset g;
    g.matrixIndices = {20, 21, 22};
    g.vertices.resize(4);
    g.normals.assign(4, {0, 0, 1});
    g.faces = {0, 1, 2, 1, 2, 3};
    g.faceTypes = {4};
    g.faceGroupSizes = {6};
    g.skin = std::vector<std::uint8_t>{
        0, 1, 0, 0, 128, 127, 0, 0, //
        1, 0, 0, 0, 128, 127, 0, 0, // the same bones in the other order: the same group
        2, 0, 0, 0, 255, 0,   0, 0, //
        0, 1, 2, 0, 240, 15,  0, 0, // bone 21 below a quarter: group of bone 20 alone
    };
    g.tangents = std::vector<mdx::Vec4>(4);
    g.uvSets = {std::vector<mdx::Vec2>(4), std::vector<mdx::Vec2>(4)};
    const auto grouped = versions::skinToGroups(g);
    ASSERT_EQ(grouped.parts.size(), 1u);
    const auto& out = grouped.parts[0].geoset;
    EXPECT_EQ(out.vertexGroups, (std::vector<std::uint8_t>{0, 0, 1, 2}));
    EXPECT_EQ(out.matrixGroupSizes, (std::vector<std::uint32_t>{2, 1, 1}));
    EXPECT_EQ(out.matrixIndices, (std::vector<std::uint32_t>{20, 21, 22, 20}));
    EXPECT_EQ(grouped.approximated, 1u);
    EXPECT_FALSE(out.skin || out.tangents);
    EXPECT_EQ(out.uvSets.size(), 1u);
    EXPECT_EQ(out.faces, g.faces);
}

TEST(VertexWeights, AGeosetOfMoreThan255GroupsIsSplitKeepingEveryTriangle) {
    // 300 triangles, each of its own pair of bones: 300 groups.
    mdx::Geoset g;
    g.materialId = 3;
    std::vector<std::uint8_t> skin;
    for (std::uint32_t t = 0; t < 300; ++t) {
        g.matrixIndices.push_back(t);
        for (std::uint16_t k = 0; k < 3; ++k) {
            g.faces.push_back(static_cast<std::uint16_t>(3 * t + k));
            g.vertices.push_back({float(t), float(k), 0});
            g.normals.push_back({0, 0, 1});
            const std::uint8_t entry = static_cast<std::uint8_t>(t % 200);
            skin.insert(skin.end(), {entry, 0, 0, 0, 255, 0, 0, 0});
        }
    }
    g.matrixIndices.resize(200);
    // entries repeat every 200 triangles, so give the last 100 a second bone to differ.
    for (std::uint32_t t = 200; t < 300; ++t)
        for (int k = 0; k < 3; ++k) {
            auto* s = skin.data() + (3 * t + k) * 8;
            s[1] = 199;
            s[4] = 128;
            s[5] = 127;
        }
    g.faceTypes = {4};
    g.faceGroupSizes = {900};
    g.skin = skin;
    const auto grouped = versions::skinToGroups(g);
    ASSERT_EQ(grouped.parts.size(), 2u);
    std::size_t faces = 0;
    std::set<std::pair<float, float>> corners;
    for (const auto& part : grouped.parts) {
        EXPECT_EQ(part.geoset.materialId, 3u);
        EXPECT_LE(part.geoset.matrixGroupSizes.size(), versions::maxVertexGroups);
        faces += part.geoset.faces.size();
        for (const auto f : part.geoset.faces)
            corners.emplace(part.geoset.vertices[f][0], part.geoset.vertices[f][1]);
        for (std::size_t v = 0; v < part.sourceVertex.size(); ++v)
            EXPECT_EQ(part.geoset.vertices[v], g.vertices[part.sourceVertex[v]]);
    }
    EXPECT_EQ(faces, 900u);
    EXPECT_EQ(corners.size(), 900u);
}

TEST(GeosetTangents, FollowUAndCarryTheHandednessInW) {
    // One quad in the xy plane, normal +z; u along +x. With v along +y the frame is
    // right-handed (w 1), with v along -y mirrored (w -1).
    for (const float vSign : {1.0f, -1.0f}) {
        mdx::Geoset g;
        g.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
        g.normals.assign(4, {0, 0, 1});
        g.uvSets = {{{0, 0}, {1, 0}, {0, vSign}, {1, vSign}}};
        g.faces = {0, 1, 2, 1, 3, 2};
        const auto tangents = versions::computeTangents(g);
        ASSERT_EQ(tangents.size(), 4u);
        for (const auto& t : tangents) {
            EXPECT_NEAR(t[0], 1, 1e-6);
            EXPECT_NEAR(t[1], 0, 1e-6);
            EXPECT_NEAR(t[2], 0, 1e-6);
            EXPECT_EQ(t[3], vSign);
        }
    }
}

TEST(GeosetTangents, ArePerpendicularToATiltedNormalAndUnitWithoutTexture) {
    mdx::Geoset g;
    g.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 5}};
    g.normals = {{0, 0.6f, 0.8f}, {0, 0.6f, 0.8f}, {0, 0.6f, 0.8f}, {1, 0, 0}};
    g.uvSets = {{{0, 0}, {1, 0}, {0, 1}, {0, 0}}};
    g.faces = {0, 1, 2};
    const auto tangents = versions::computeTangents(g);
    for (std::size_t v = 0; v < 4; ++v) {
        const auto& t = tangents[v];
        const auto& n = g.normals[v];
        EXPECT_NEAR(t[0] * n[0] + t[1] * n[1] + t[2] * n[2], 0, 1e-6) << v;
        EXPECT_NEAR(t[0] * t[0] + t[1] * t[1] + t[2] * t[2], 1, 1e-6) << v;
    }
}

} // namespace
