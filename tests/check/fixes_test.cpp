// What the fixes do beyond silencing their rule: references renumbered to the same records,
// weights clamped as documented; and a model holding nothing valid checked without a crash.
#include "check_fixture.h"

#include "formats/check/model_fixes.h"

#include <bit>
#include <cmath>

namespace {

TEST(Fixes, RemovingUnusedKeepsEveryReferenceOnItsRecord) {
    auto model = check_test::corpusModel("mdx/huangzhong.mdx");
    if (!model)
        GTEST_SKIP() << "the corpus is missing";
    // Unused entries in front of used ones, so that every kept index moves.
    model->textures.insert(model->textures.begin(), {0, "spare.blp", 0});
    model->materials.insert(model->materials.begin(), model->materials.back());
    model->globalSequences = {100, 200};
    for (auto& geoset : model->geosets)
        ++geoset.materialId;
    for (auto& material : model->materials)
        for (auto& layer : material.layers)
            ++layer.textureId;
    auto& animated = *std::find_if(model->bones.begin(), model->bones.end(),
                                   [](const auto& b) { return !b.node.tracks.empty(); });
    animated.node.tracks[0].globalSequenceId = 1;
    const auto textureOf = [](const mdx::Model& m, std::size_t geoset) {
        return m.textures.at(m.materials.at(m.geosets[geoset].materialId).layers.at(0).textureId);
    };
    std::vector<mdx::Texture> before;
    for (std::size_t g = 0; g < model->geosets.size(); ++g)
        before.push_back(textureOf(*model, g));

    const auto changes = check::removeUnused(*model);
    EXPECT_EQ(changes.size(), 3u); // materials, textures, global sequences
    ASSERT_EQ(model->globalSequences, std::vector<std::uint32_t>{200});
    EXPECT_EQ(animated.node.tracks[0].globalSequenceId, 0);
    for (std::size_t g = 0; g < model->geosets.size(); ++g)
        EXPECT_EQ(textureOf(*model, g), before[g]) << "geoset " << g;
    EXPECT_EQ(check_test::countOf(check::checkModel(*model), "unused"), 0u);
    EXPECT_EQ(check_test::countOf(check::checkModel(*model), "material-ref"), 0u);
}

TEST(Fixes, SkinWeightsSumTo255WithTheLargestTakingTheRest) {
    struct Case {
        std::array<std::uint8_t, 4> weights, expected;
    };
    const Case cases[] = {
        {{200, 50, 0, 0}, {205, 50, 0, 0}},       // short: the largest takes the rest
        {{200, 100, 0, 0}, {155, 100, 0, 0}},     // over: the largest gives it back
        {{100, 100, 100, 100}, {66, 63, 63, 63}}, // too much for one weight: scaled
        {{0, 0, 0, 0}, {0, 0, 0, 0}},             // no weight at all: no certain result
    };
    for (const auto& c : cases) {
        mdx::Model model;
        model.geosets.resize(1);
        model.geosets[0].skin = std::vector<std::uint8_t>{0, 1, 2, 3};
        model.geosets[0].skin->insert(model.geosets[0].skin->end(), c.weights.begin(),
                                      c.weights.end());
        check::clampSkinWeights(model);
        const std::array<std::uint8_t, 4> got{
            (*model.geosets[0].skin)[4], (*model.geosets[0].skin)[5], (*model.geosets[0].skin)[6],
            (*model.geosets[0].skin)[7]};
        EXPECT_EQ(got, c.expected) << int(c.weights[0]) << "," << int(c.weights[1]);
    }
}

TEST(Fixes, ExactRepeatsGoAndKeysOnOneFrameKeepTheirOrder) {
    mdx::Model model;
    model.bones.resize(1);
    const auto key = [](std::int32_t frame, float value) {
        return mdx::TrackKey{frame, {value, 0, 0, 0}, {}, {}};
    };
    model.bones[0].node.tracks.push_back(
        {mdx::makeTag("KGTR"), 1, -1, {key(20, 1), key(10, 2), key(20, 3), key(10, 2)}});
    check::sortTrackKeys(model);
    EXPECT_EQ(model.bones[0].node.tracks[0].keys,
              (std::vector<mdx::TrackKey>{key(10, 2), key(20, 1), key(20, 3)}));
}

// Every index out of range, every array the wrong length, every loop: the check reports and
// does not crash, and the fixes leave it checkable.
TEST(Hostile, NothingValidIsCheckedAndFixedWithoutACrash) {
    mdx::Model m;
    m.version = 800;
    m.sequences.resize(2);
    m.sequences[0].name = "Stand";
    m.sequences[0].interval = {500, 100};
    m.sequences[1].name = "Death";
    m.sequences[1].interval = {0, 4294967295u};
    mdx::Geoset g;
    g.vertices = {{1, 2, 3}, {NAN, 0, INFINITY}};
    g.faces = {0, 1, 65535, 7};
    g.faceTypes = {4, 5};
    g.faceGroupSizes = {4, 9};
    g.vertexGroups = {255};
    g.matrixGroupSizes = {3, 0, 4294967295u};
    g.matrixIndices = {4294967295u};
    g.materialId = 4294967295u;
    g.skin = std::vector<std::uint8_t>{9, 9, 9, 9, 255, 255, 255, 255, 1};
    g.uvSets = {{{0, 0}}};
    m.geosets = {g, mdx::Geoset{}};
    m.materials.resize(1);
    m.materials[0].layers.resize(1);
    m.materials[0].layers[0].textureId = 99;
    m.materials[0].layers[0].textureAnimationId = 5;
    m.materials[0].layers[0].tracks.push_back(
        {mdx::makeTag("KMTF"), 0, 77, {mdx::TrackKey{5, {std::bit_cast<float>(1000u)}, {}, {}}}});
    m.geosetAnimations.resize(2);
    m.geosetAnimations[0].geosetId = m.geosetAnimations[1].geosetId = 12;
    m.bones.resize(2);
    const auto node = [](const char* name, std::uint32_t id, std::uint32_t parent) {
        mdx::Node n;
        n.name = name;
        n.objectId = id;
        n.parentId = parent;
        return n;
    };
    m.bones[0].node = node("a", 0, 1); // a and b are each other's parent
    m.bones[1].node = node("b", 1, 0);
    m.helpers.resize(1);
    m.helpers[0].node = node("c", 9, 12345);
    m.attachments.resize(1);
    m.attachments[0].node = node("Origin Ref", 0, 0);
    m.textures = {{0, "", 0}, {0, "x.png", 0}};
    const auto problems = check::checkModel(m, std::filesystem::path("/nonexistent"));
    EXPECT_TRUE(check::hasError(problems));
    check::applyCertainFixes(m);
    EXPECT_NO_THROW(check::checkModel(m));
}

} // namespace
