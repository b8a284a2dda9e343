// Node matrices, skinning and the other animated values of whole poses, on hand-made models.

#include "animation_fixture.h"

#include "formats/animation/model_pose.h"

#include <gtest/gtest.h>

namespace {

using namespace animation_test;

constexpr std::uint32_t none = mdx::noId;

mdx::Tracks translated(mdx::Vec3 by) {
    return {track("KGTR", 1, {key(0, {by[0], by[1], by[2]})})};
}
mdx::Tracks rotated(double degrees) {
    return {track("KGRT", 1, {key(0, aboutZ(degrees))})};
}

// The pose at time 0 of the model's only sequence [0, 100].
animation::Pose poseOf(mdx::Model& model) {
    model.sequences = {sequence(0, 100)};
    animation::PoseRequest request;
    request.time = animation::sequenceTime(model, 0, 0);
    return animation::evaluatePose(model, request);
}

void expectPoint(mdx::Vec3 actual, mdx::Vec3 expected, const std::string& what) {
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-5) << what << ", axis " << i;
}

TEST(PoseRules, ParentChainWithPivots) {
    // Bone 0 turns 90 degrees about z around (1, 0, 0); bone 1, its child with pivot (2, 0, 0),
    // moves up by 1: (2, 0, 0) goes to (2, 0, 1), then about (1, 0, 0) to (1, 1, 1).
    mdx::Model model;
    model.bones = {bone(1, 0, translated({0, 0, 1})), bone(0, none, rotated(90))};
    model.pivots = {{1, 0, 0}, {2, 0, 0}};
    model.geosets = {geoset({{2, 0, 0}, {2, 0, 0}}, {0, 1}, {{1}, {0}})};
    const auto pose = poseOf(model);
    expectPoint(pose.geosets[0].vertices[0], {1, 1, 1}, "child");
    expectPoint(pose.geosets[0].vertices[1], {1, 1, 0}, "parent");
    expectPoint(pose.geosets[0].normals[0], {0, 0, 1}, "the normal turns about z only");
    EXPECT_EQ(pose.unskinned, 0);
}

TEST(PoseRules, DontInheritDropsThatPartOfTheParent) {
    struct Case {
        const char* rule;
        mdx::Tracks parent;
        std::uint32_t flags;
        mdx::Vec3 expected; // of the vertex (3, 0, 0) on the child, pivot (2, 0, 0)
    };
    const Case cases[] = {
        {"translation inherited", translated({5, 0, 0}), 0, {8, 0, 0}},
        {"translation not inherited", translated({5, 0, 0}), 1, {3, 0, 0}},
        {"rotation inherited", rotated(90), 0, {0, 3, 0}},
        {"rotation not inherited: the pivot moves, the axes stay", rotated(90), 2, {1, 2, 0}},
        {"scaling not inherited", {track("KGSC", 1, {key(0, {2, 2, 2})})}, 4, {5, 0, 0}},
    };
    for (const auto& c : cases) {
        mdx::Model model;
        model.bones = {bone(0, none, c.parent), bone(1, 0, {}, c.flags)};
        model.pivots = {{0, 0, 0}, {2, 0, 0}};
        model.geosets = {geoset({{3, 0, 0}}, {0}, {{1}})};
        expectPoint(poseOf(model).geosets[0].vertices[0], c.expected, c.rule);
    }
}

TEST(PoseRules, SkinningByGroupsAndWeights) {
    mdx::Model model;
    model.bones = {bone(0, none, translated({2, 0, 0})), bone(1, none, translated({0, 4, 0}))};
    model.pivots = {{0, 0, 0}, {0, 0, 0}};
    // A classic group of both bones takes their average.
    model.geosets = {geoset({{0, 0, 0}, {1, 1, 1}}, {0, 1}, {{0, 1}, {1}})};
    // Skin weights name entries of the matrix index list {1, 0}: entry 0 is bone 1.
    auto reforged = geoset({{0, 0, 0}, {5, 5, 5}}, {0, 0}, {{1, 0}});
    reforged.skin = std::vector<std::uint8_t>{0, 1, 0, 0, 64, 191, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    model.geosets.push_back(reforged);
    const auto pose = poseOf(model);
    expectPoint(pose.geosets[0].vertices[0], {1, 2, 0}, "average of two bones");
    expectPoint(pose.geosets[0].vertices[1], {1, 5, 1}, "one bone");
    expectPoint(pose.geosets[1].vertices[0], {2 * 191 / 255.0f, 4 * 64 / 255.0f, 0},
                "weights over the matrix index list");
    expectPoint(pose.geosets[1].vertices[1], {5, 5, 5}, "no weight: left in place");
    EXPECT_EQ(pose.unskinned, 1);
}

TEST(PoseRules, MissingGroupsAndBonesLeaveVerticesInPlace) {
    mdx::Model model;
    model.bones = {bone(0, none, translated({2, 0, 0}))};
    // Group 0 names bone 0 and the missing bone 9; vertex 1 names group 3, which does not exist.
    model.geosets = {geoset({{1, 1, 1}, {2, 2, 2}, {3, 3, 3}}, {0, 3, 1}, {{0, 9}, {0}})};
    auto reforged = geoset({{4, 4, 4}}, {0}, {{0}});
    reforged.skin = std::vector<std::uint8_t>{5, 0, 0, 0, 255, 0, 0, 0}; // entry 5: none
    model.geosets.push_back(reforged);
    const auto pose = poseOf(model);
    expectPoint(pose.geosets[0].vertices[0], {1, 1, 1}, "a missing bone in the group");
    expectPoint(pose.geosets[0].vertices[1], {2, 2, 2}, "a missing group");
    expectPoint(pose.geosets[0].vertices[2], {5, 3, 3}, "a whole group");
    expectPoint(pose.geosets[1].vertices[0], {4, 4, 4}, "a missing matrix list entry");
    EXPECT_EQ(pose.unskinned, 3);
    EXPECT_EQ(pose.geosets[0].unskinned, 2);
}

TEST(PoseRules, GeosetAnimationAlphaColourLayersAndTextureAnimations) {
    mdx::Model model;
    model.geosets = {geoset({{0, 0, 0}}, {0}, {}), geoset({{0, 0, 0}}, {0}, {}),
                     geoset({{0, 0, 0}}, {0}, {})};
    mdx::GeosetAnimation faded;
    faded.geosetId = 0;
    faded.tracks = {track("KGAO", 1, {key(0, {0.005f})})};
    mdx::GeosetAnimation shown;
    shown.geosetId = 1;
    shown.alpha = 0.01f;
    shown.color = {0.1f, 0.2f, 0.3f}; // blue first, as stored
    model.geosetAnimations = {faded, shown};
    mdx::Layer layer;
    layer.alpha = 0.25f;
    layer.textureId = 3;
    mdx::Material material;
    material.layers = {layer};
    model.materials = {material};
    mdx::TextureAnimation scroll;
    scroll.tracks = {track("KTAT", 1, {key(0, {0.25f, 0, 0})}),
                     track("KTAS", 1, {key(0, {2, 2, 1})})};
    model.textureAnimations = {scroll};

    const auto pose = poseOf(model);
    EXPECT_FALSE(pose.geosets[0].drawn) << "alpha below 0.01";
    EXPECT_TRUE(pose.geosets[1].drawn) << "alpha 0.01";
    EXPECT_TRUE(pose.geosets[2].drawn) << "no geoset animation";
    EXPECT_FLOAT_EQ(pose.geosets[0].alpha, 0.005f);
    EXPECT_EQ(pose.geosets[1].color, (common::Vec3{0.3f, 0.2f, 0.1f}));
    EXPECT_FLOAT_EQ(pose.materials[0][0].alpha, 0.25f);
    EXPECT_EQ(pose.materials[0][0].textureId, 3);
    // Scaled by 2 about 0.5, then moved 0.25 along u: (0, 0) -> (-0.25, -0.5).
    const auto& uv = pose.textureAnimations[0];
    EXPECT_NEAR(uv[4], -0.25f, 1e-6);
    EXPECT_NEAR(uv[5], -0.5f, 1e-6);
    EXPECT_NEAR(uv[0], 2, 1e-6);
}

TEST(PoseRules, BillboardsTurnOnlyWithACamera) {
    mdx::Model model;
    model.bones = {bone(0, none, {}, 8)};
    model.geosets = {geoset({{0, 1, 0}}, {0}, {{0}})};
    const auto without = poseOf(model);
    EXPECT_EQ(without.billboardsIgnored, 1);
    expectPoint(without.geosets[0].vertices[0], {0, 1, 0}, "without a camera");

    // A camera on the +y axis looking at the origin: right is -x, up +z, back +y. The node's
    // x axis turns toward the camera, its y axis to the camera's right.
    animation::PoseRequest request;
    request.time = animation::sequenceTime(model, 0, 0);
    request.camera = common::Mat4{-1, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, -10, 1};
    const auto with = animation::evaluatePose(model, request);
    EXPECT_EQ(with.billboardsIgnored, 0);
    expectPoint(with.geosets[0].vertices[0], {-1, 0, 0}, "with a camera");
}

TEST(PoseRules, BadSkeletonsGiveADefinedPose) {
    // 0 and 1 are each other's parent, 2 its own, 3 hangs off the loop, 4 names a missing
    // parent; there are no pivots at all.
    mdx::Model model;
    model.bones = {bone(0, 1, translated({1, 0, 0})), bone(1, 0, translated({0, 1, 0})),
                   bone(2, 2, translated({0, 0, 1})), bone(3, 0, translated({1, 0, 0})),
                   bone(4, 77, translated({0, 0, 2}))};
    model.geosets = {geoset({{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
                            {0, 1, 2, 3, 4}, {{0}, {1}, {2}, {3}, {4}})};
    const auto pose = poseOf(model);
    const mdx::Vec3 expected[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {2, 0, 0}, {0, 0, 2}};
    for (std::size_t i = 0; i < 5; ++i)
        expectPoint(pose.geosets[0].vertices[i], expected[i], "bone " + std::to_string(i));
}

} // namespace
