// The exported animations, posed from the glTF alone, put every vertex where our pose does.

#include "formats/animation/model_pose.h"
#include "formats/interchange/gltf_export.h"
#include "formats/interchange/gltf_geometry.h"
#include "gltf_reading.h"
#include "interchange_fixtures.h"

#include <gtest/gtest.h>

namespace {

// Our pose of the exported geosets at `ms` into sequence s (-1: the bind pose), in glTF's axes.
std::vector<std::vector<std::array<double, 3>>> ourPose(const mdx::Model& model, int s, double ms) {
    animation::PoseRequest request;
    request.time = s < 0 ? animation::bindPoseTime(model)
                         : animation::sequenceTime(model, static_cast<std::size_t>(s), ms);
    const auto pose = animation::evaluatePose(model, request);
    std::vector<std::vector<std::array<double, 3>>> out;
    for (std::size_t g = 0; g < model.geosets.size(); ++g) {
        std::size_t dropped = 0;
        if (!interchange::isExportedGeoset(model.geosets[g]) ||
            interchange::triangleCorners(model.geosets[g], dropped).empty())
            continue;
        std::vector<std::array<double, 3>> vertices;
        for (const auto& v : pose.geosets[g].vertices)
            vertices.push_back({v[0], v[2], -v[1]}); // glTF's y is our z
        out.push_back(std::move(vertices));
    }
    return out;
}

// The time in ms a sample was taken at, from its float seconds: a key's whole ms or a step of
// 1/30 s.
double sampleMs(double seconds) {
    const double ms = seconds * 1000;
    if (std::abs(ms - std::round(ms)) < 1e-3)
        return std::round(ms);
    const double step = 1000.0 / 30;
    return std::round(ms / step) * step;
}

// Every animation at every time all its channels have a sample, and the rest pose.
void expectSamePoses(const mdx::Model& model, const std::string& what) {
    std::vector<std::string> warnings;
    const auto gltf = gltf_test::loadGlb(interchange::gltfBinary(model, {}, warnings));
    ASSERT_EQ(gltf.animations.size(), model.sequences.size()) << what;
    double worst = 0;
    std::string where;
    auto compare = [&](int a, double seconds) {
        const auto theirs = gltf_test::posedMeshes(gltf, a, seconds);
        const auto ours = ourPose(model, a, sampleMs(seconds));
        ASSERT_EQ(theirs.size(), ours.size()) << what;
        for (std::size_t m = 0; m < ours.size(); ++m) {
            ASSERT_EQ(theirs[m].size(), ours[m].size()) << what;
            for (std::size_t v = 0; v < ours[m].size(); ++v)
                for (std::size_t c = 0; c < 3; ++c) {
                    const double off = std::abs(theirs[m][v][c] - ours[m][v][c]);
                    if (off > worst) {
                        worst = off;
                        where = what + " animation " + std::to_string(a) + " at " +
                                std::to_string(seconds) + " s, mesh " + std::to_string(m) +
                                " vertex " + std::to_string(v);
                    }
                }
        }
    };
    compare(-1, 0);
    for (std::size_t a = 0; a < gltf.animations.size(); ++a) {
        EXPECT_EQ(gltf.animations[a].name, model.sequences[a].name);
        for (const double t : gltf_test::sharedTimes(gltf, gltf.animations[a]))
            compare(static_cast<int>(a), t);
    }
    EXPECT_LE(worst, 1e-3) << where;
}

TEST(GltfPose, HeroAnimationsMatchOurPoseAtEverySample) {
    for (const char* name : {"mdx/huangzhong.mdx", "mdx/diaochan.mdx", "villager_zombie.mdl"}) {
        const auto model = interchange_test::corpusModel(name);
        if (!model)
            GTEST_SKIP() << "the corpus model " << name << " is missing";
        expectSamePoses(*model, name);
    }
}

// What the corpus lacks: a node that does not inherit its parent's rotation, a global
// sequence, DontInterp keys, a vertex group of six bones, a vertex of no group and skin
// weights that do not add up to 255.
TEST(GltfPose, InheritanceGlobalSequencesStepsAndWideGroupsMatch) {
    auto model = interchange_test::modelOf(interchange_test::boxGeoset());
    model.sequences.push_back({"Spin", {100, 1100}, 0, 0, 0, 0, {}});
    model.sequences.push_back({"Still", {2000, 2000}, 0, 0, 0, 0, {}});
    model.globalSequences = {250};
    auto& root = model.bones[0].node;
    root.tracks.push_back(
        {mdx::makeTag("KGRT"),
         1,
         -1,
         {{100, {0, 0, 0, 1}, {}, {}}, {1100, {0, 0, 0.7071f, 0.7071f}, {}, {}}}});
    for (std::uint32_t id = 1; id < 6; ++id) {
        mdx::Bone bone;
        bone.node.name = "Bone " + std::to_string(id);
        bone.node.objectId = id;
        bone.node.parentId = id - 1;
        model.bones.push_back(bone);
        model.pivots.push_back({float(id) * 0.5f, 1, 2});
    }
    model.bones[1].node.flags = 2; // DontInherit Rotation
    model.bones[1].node.tracks.push_back(
        {mdx::makeTag("KGTR"), 0, -1, {{100, {0, 0, 1, 0}, {}, {}}, {600, {1, 0, 0, 0}, {}, {}}}});
    model.bones[2].node.tracks.push_back(
        {mdx::makeTag("KGSC"), 1, 0, {{0, {1, 1, 1, 0}, {}, {}}, {125, {2, 1, 0.5f, 0}, {}, {}}}});
    auto& box = model.geosets[0];
    box.matrixGroupSizes = {1, 6};
    box.matrixIndices = {3, 0, 1, 2, 3, 4, 5};
    box.vertexGroups = {0, 1, 1, 0, 1, 0, 1, 7}; // the last names no group
    expectSamePoses(model, "vertex groups");

    // The same with skin weights of the newest files, one vertex's adding up to 254.
    box.skin = std::vector<std::uint8_t>{};
    for (std::size_t v = 0; v < 8; ++v)
        box.skin->insert(box.skin->end(), {std::uint8_t(v % 6), 2, 0, 0, 128, 127, 0, 0});
    (*box.skin)[8 * 3 + 5] = 126;
    model.version = 1000;
    // The pose scales that vertex by 254/255 and the glTF's weights add up to 1, so it is
    // compared apart.
    std::vector<std::string> warnings;
    const auto gltf = gltf_test::loadGlb(interchange::gltfBinary(model, {}, warnings));
    const auto& primitive = gltf.meshes[0].primitives[0];
    const auto weights = gltf_test::numbers(gltf, primitive.attributes.at("WEIGHTS_0"));
    for (std::size_t v = 0; v < 8; ++v)
        EXPECT_NEAR(weights[v * 4] + weights[v * 4 + 1] + weights[v * 4 + 2] + weights[v * 4 + 3],
                    1.0, 1e-6);
    (*box.skin)[8 * 3 + 5] = 127;
    expectSamePoses(model, "skin weights");
}

} // namespace
