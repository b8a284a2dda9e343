#include "common/number_text.h"
#include "formats/animation/model_pose.h"
#include "formats/check/model_check.h"
#include "formats/mdx/mdx_file.h"
#include "formats/mdx/model_conversion.h"
#include "formats/versions/material_versions.h"
#include "formats/versions/pose_displacement.h"
#include "formats/versions/version_conversion.h"

#include "mdx/corpus_files.h"
#include "mdx/model_difference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

using versions::convertFormatVersion;

std::set<std::string> errorIds(const mdx::Model& model) {
    std::set<std::string> ids;
    for (const auto& p : check::checkModel(model))
        if (p.severity == check::Severity::Error)
            ids.insert(p.id);
    return ids;
}

// What differs once the model is written as MDX and read back; the chunk order aside, which a
// model read from text does not record.
std::string lostInFile(const mdx::Model& model) {
    auto back = mdx::readMdx(mdx::writeMdx(model));
    back.chunkOrder = model.chunkOrder;
    return mdx_test::modelDifference(back, model);
}

bool mentions(const versions::VersionConversion& c, const std::string& text) {
    for (const auto& change : c.changes)
        if (change.find(text) != std::string::npos)
            return true;
    return false;
}

// The largest distance between the vertices of two models with geosets of equal sizes, posed
// at the key times of every sequence.
double poseDifference(const mdx::Model& a, const mdx::Model& b) {
    std::vector<versions::VertexSource> same;
    for (std::uint32_t g = 0; g < b.geosets.size(); ++g) {
        same.push_back({g, {}});
        for (std::uint32_t v = 0; v < b.geosets[g].vertices.size(); ++v)
            same.back().vertex.push_back(v);
    }
    return versions::largestDisplacement(a, b, same);
}

TEST(VersionConversion, EveryCorpusModelGoesToClassicAndBackWithoutNewErrors) {
    auto files = mdx_test::corpusFiles(".mdx");
    for (const auto& f : mdx_test::corpusFiles(".mdl"))
        files.push_back(f);
    if (files.empty())
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        const auto read = mdx::readModelFile(mdx_test::readBytes(file));
        ASSERT_TRUE(read.ok()) << read.error;
        const auto& original = read.model;
        const auto classic = convertFormatVersion(original, 800);
        ASSERT_TRUE(classic.ok()) << classic.refusal;
        const auto reforged = convertFormatVersion(classic.model, 1000);
        ASSERT_TRUE(reforged.ok()) << reforged.refusal;
        const auto before = errorIds(original);
        for (const auto* converted : {&classic.model, &reforged.model}) {
            for (const auto& id : errorIds(*converted))
                EXPECT_TRUE(before.count(id)) << "new error " << id;
            // What the conversion made is what its version's file holds.
            EXPECT_EQ(lostInFile(*converted), "");
        }
        std::size_t kept = 0;
        for (const auto& geoset : original.geosets)
            if (geoset.lod == 0 || geoset.lod == 0xFFFFFFFFu) {
                ASSERT_LT(kept, reforged.model.geosets.size());
                const auto& back = reforged.model.geosets[kept++];
                EXPECT_EQ(back.vertices.size(), geoset.vertices.size());
                EXPECT_EQ(back.faces.size(), geoset.faces.size());
                ASSERT_TRUE(back.skin && back.tangents);
                EXPECT_EQ(back.tangents->size(), geoset.vertices.size());
            }
        EXPECT_EQ(kept, reforged.model.geosets.size());
        EXPECT_EQ(classic.model.version, 800u);
        EXPECT_EQ(reforged.model.version, 1000u);
        // Vertex groups to skin weights and back are the same groups: the same pose.
        if (original.version == 800) {
            const auto again = convertFormatVersion(reforged.model, 800);
            ASSERT_TRUE(again.ok());
            EXPECT_LT(poseDifference(original, again.model), 1e-4);
        }
    }
}

// A model of two bones, the second turning a quarter about z over the sequence, and one
// geoset of four vertices with the given skin bytes (entries 0 and 1 name bones 0 and 1).
mdx::Model skinnedModel(const std::vector<std::uint8_t>& skin) {
    mdx::Model m;
    m.version = 1000;
    m.sequences.push_back({});
    m.sequences[0].name = "Stand";
    m.sequences[0].interval = {0, 1000};
    for (std::uint32_t id = 0; id < 2; ++id) {
        mdx::Bone bone;
        bone.node.name = "bone" + std::to_string(id);
        bone.node.objectId = id;
        bone.node.flags = 256;
        m.bones.push_back(bone);
        m.pivots.push_back({0, 0, 0});
    }
    mdx::Track turn{mdx::makeTag("KGRT"), 1, -1, {}};
    turn.keys.push_back({0, {0, 0, 0, 1}, {}, {}});
    turn.keys.push_back({1000, {0, 0, 0.70710678f, 0.70710678f}, {}, {}});
    m.bones[1].node.tracks.push_back(turn);
    m.textures.push_back({0, "a.blp", 0});
    m.materials.push_back({});
    m.materials[0].layers.push_back({});
    mdx::Geoset g;
    g.vertices = {{10, 0, 0}, {0, 10, 0}, {10, 10, 0}, {5, 5, 5}};
    g.normals.assign(4, {0, 0, 1});
    g.uvSets = {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}};
    g.faces = {0, 1, 2, 1, 3, 2};
    g.faceTypes = {4};
    g.faceGroupSizes = {6};
    g.vertexGroups.assign(4, 0);
    g.matrixGroupSizes = {2};
    g.matrixIndices = {0, 1};
    g.skin = skin;
    g.tangents = std::vector<mdx::Vec4>(4, {1, 0, 0, 1});
    m.geosets.push_back(g);
    return m;
}

TEST(VersionConversion, WeightsOfEqualSharesPoseAlikeAndOthersSayHowFarTheyMove) {
    // One bone a vertex, or the same bone in every slot: exact as a group.
    const auto exact = skinnedModel({0, 0, 0, 0, 255, 0,  0,  0, 1, 0, 0, 0, 255, 0, 0, 0, //
                                     1, 1, 1, 0, 85,  85, 85, 0, 0, 0, 0, 0, 255, 0, 0, 0});
    auto classic = convertFormatVersion(exact, 800);
    ASSERT_TRUE(classic.ok()) << classic.refusal;
    EXPECT_LT(poseDifference(exact, classic.model), 1e-4);
    EXPECT_FALSE(mentions(classic, "approximated"));

    // 200 and 55 of two bones become their average: vertex 0 moves.
    const auto uneven = skinnedModel({0, 1, 0, 0, 200, 55, 0, 0, 1, 0, 0, 0, 255, 0, 0, 0, //
                                      1, 0, 0, 0, 255, 0,  0, 0, 0, 0, 0, 0, 255, 0, 0, 0});
    classic = convertFormatVersion(uneven, 800);
    ASSERT_TRUE(classic.ok()) << classic.refusal;
    const double moved = poseDifference(uneven, classic.model);
    EXPECT_GT(moved, 0.5);
    EXPECT_TRUE(mentions(classic, "1 vertex approximated"));
    EXPECT_TRUE(mentions(classic, "displacement of a vertex over the keys of all sequences is " +
                                      common::formatNumber(moved)));
}

TEST(VersionConversion, KeyTimesAreTheSequenceEndsAndItsKeys) {
    auto m = skinnedModel(std::vector<std::uint8_t>(32, 0));
    m.sequences.push_back(m.sequences[0]);
    m.sequences[1].interval = {500, 2000}; // holds the key at 1000 only
    EXPECT_EQ(versions::sequenceKeyTimes(m, 0), (std::vector<double>{0, 1000}));
    EXPECT_EQ(versions::sequenceKeyTimes(m, 1), (std::vector<double>{0, 500, 1500}));
}

TEST(VersionConversion, WhatClassicModelsCannotHoldIsDroppedAndReferencesFollow) {
    auto m = skinnedModel({0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0, //
                           0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0});
    m.geosets.push_back(m.geosets[0]); // 1: a lower level of detail
    m.geosets[1].lod = 1;
    m.geosets[1].lodName = "low";
    m.geosets.push_back(m.geosets[0]); // 2: shown at every level
    m.geosets[2].lod = 0xFFFFFFFFu;
    m.geosets[0].uvSets.push_back(m.geosets[0].uvSets[0]);
    for (std::uint32_t g = 0; g < 3; ++g) {
        m.geosetAnimations.push_back({});
        m.geosetAnimations.back().geosetId = g;
    }
    m.bones[1].geosetId = 2;
    m.bindPoses.resize(2);
    m.geosets[0].extra = "????";
    m.faceEffects.push_back({"face", "a.facefx"});
    // A popcorn emitter between bone 1 and a helper hanging from it.
    mdx::PopcornEmitter corn;
    corn.node.objectId = 2;
    corn.node.parentId = 1;
    m.popcornEmitters.push_back(corn);
    mdx::Helper helper;
    helper.node.objectId = 3;
    helper.node.parentId = 2;
    m.helpers.push_back(helper);
    m.pivots.resize(4);

    const auto classic = convertFormatVersion(m, 800);
    ASSERT_TRUE(classic.ok()) << classic.refusal;
    const auto& c = classic.model;
    ASSERT_EQ(c.geosets.size(), 2u);
    EXPECT_EQ(c.geosets[1].lod, 0u);
    EXPECT_EQ(c.geosets[0].uvSets.size(), 1u);
    ASSERT_EQ(c.geosetAnimations.size(), 2u);
    EXPECT_EQ(c.geosetAnimations[1].geosetId, 1u);
    EXPECT_EQ(c.bones[1].geosetId, 1u);
    EXPECT_TRUE(c.bindPoses.empty() && c.faceEffects.empty() && c.popcornEmitters.empty());
    ASSERT_EQ(c.helpers.size(), 1u);
    EXPECT_EQ(c.helpers[0].node.objectId, 2u);
    EXPECT_EQ(c.helpers[0].node.parentId, 1u);
    EXPECT_EQ(c.pivots.size(), 3u);
    EXPECT_EQ(c.geosets[0].extra, "");
    for (const char* said :
         {"1 geoset of a level of detail other than 0 removed", "1 level of detail name dropped",
          "the tangents of 2 geosets dropped", "1 extra texture coordinate set dropped",
          "2 bind poses dropped", "1 FaceFX entry dropped", "1 popcorn emitter dropped",
          "1 material, layer or geoset held unknown bytes of their version"})
        EXPECT_TRUE(mentions(classic, said)) << said;
}

// A Reforged material: six layers by place, their textures given by replaceable id and path.
mdx::Model shaderModel(bool teamColour) {
    auto m = skinnedModel(std::vector<std::uint8_t>(32, 0));
    for (auto& skin : *m.geosets[0].skin)
        skin = 0;
    for (std::size_t v = 0; v < 4; ++v)
        (*m.geosets[0].skin)[v * 8 + 4] = 255;
    m.textures = {{0, "unit_diffuse.dds", 0},
                  {0, "unit_normal.dds", 0},
                  {0, "unit_orm.dds", 0},
                  {0, "unit_emissive.dds", 0},
                  {teamColour ? 1u : 0u, teamColour ? "" : "x.blp", 0},
                  {0, "env.dds", 0}};
    m.materials[0].shader = versions::defaultShader;
    m.materials[0].layers.clear();
    for (std::uint32_t i = 0; i < 6; ++i) {
        mdx::Layer layer;
        layer.textureId = i;
        layer.filterMode = 2; // Blend
        layer.shadingFlags = 16;
        layer.emissiveGain = 2;
        m.materials[0].layers.push_back(layer);
    }
    m.materials[0].layers[0].tracks.push_back({mdx::makeTag("KMTE"), 0, -1, {{0, {1}, {}, {}}}});
    return m;
}

TEST(VersionConversion, ShaderMaterialsBecomeClassicLayers) {
    // In 1100 form too, where the layer's HD flag says what the shader name says in 1000.
    for (const bool team : {true, false})
        for (const std::uint32_t version : {1000u, 1100u}) {
            SCOPED_TRACE(std::to_string(version) + (team ? " team colour" : " no team colour"));
            auto model = shaderModel(team);
            if (version == 1100) {
                model = convertFormatVersion(model, 1100).model;
                model.materials[0].shader.clear();
            }
            const auto classic = convertFormatVersion(model, 800);
            ASSERT_TRUE(classic.ok()) << classic.refusal;
            const auto& material = classic.model.materials[0];
            EXPECT_EQ(material.shader, "");
            ASSERT_EQ(material.layers.size(), team ? 3u : 2u);
            std::size_t at = 0;
            if (team) {
                EXPECT_EQ(material.layers[0].textureId, 4u);
                EXPECT_EQ(material.layers[0].filterMode, 0u);
                at = 1;
            }
            const auto& diffuse = material.layers[at];
            EXPECT_EQ(diffuse.textureId, 0u);
            EXPECT_EQ(diffuse.filterMode, 2u);
            EXPECT_EQ(diffuse.emissiveGain, 1);
            EXPECT_TRUE(diffuse.tracks.empty());
            const auto& glow = material.layers[at + 1];
            EXPECT_EQ(glow.textureId, 3u);
            EXPECT_EQ(glow.filterMode, 3u);        // Additive
            EXPECT_EQ(glow.shadingFlags, 1u | 16); // Unshaded, two-sided as the diffuse
            EXPECT_EQ(classic.model.textures[0].path, "unit_diffuse.blp");
            EXPECT_TRUE(mentions(classic, "5 texture paths changed from .dds to .blp"));
            EXPECT_TRUE(mentions(classic, "\"unit_orm.dds\""));
            EXPECT_TRUE(mentions(classic, "1 layer track of Reforged layers dropped"));
        }
}

TEST(VersionConversion, ClassicMaterialsGetTheDefaultShaderAndLayersChangeLayoutAt1100) {
    auto m = shaderModel(true);
    m.materials[0].layers[2].tracks.push_back(
        {mdx::makeTag("KMTF"), 0, -1, {{0, {2}, {}, {}}, {500, {5}, {}, {}}}});
    const auto combined = convertFormatVersion(m, 1100);
    ASSERT_TRUE(combined.ok()) << combined.refusal;
    const auto& layers = combined.model.materials[0].layers;
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(layers[0].hd, 1u);
    ASSERT_EQ(layers[0].textures.size(), 6u);
    for (std::uint32_t i = 0; i < 6; ++i) {
        EXPECT_EQ(layers[0].textures[i].textureId, i);
        EXPECT_EQ(layers[0].textures[i].semantic, i);
    }
    EXPECT_EQ(layers[0].textures[2].tracks, m.materials[0].layers[2].tracks);
    EXPECT_EQ(lostInFile(combined.model), "");
    const auto separate = convertFormatVersion(combined.model, 1000);
    ASSERT_TRUE(separate.ok()) << separate.refusal;
    EXPECT_EQ(mdx_test::modelDifference(separate.model, m), "");

    auto classic = skinnedModel(std::vector<std::uint8_t>(32, 0));
    classic.version = 800;
    classic.geosets[0].skin.reset();
    classic.geosets[0].tangents.reset();
    const auto reforged = convertFormatVersion(classic, 1000);
    ASSERT_TRUE(reforged.ok()) << reforged.refusal;
    EXPECT_EQ(reforged.model.materials[0].shader, versions::defaultShader);
    EXPECT_EQ(reforged.model.geosets[0].skin->size(), 32u);
    EXPECT_TRUE(mentions(reforged, "1 geoset given skin weights from the vertex groups"));
}

TEST(VersionConversion, BadReferencesConvertWhatTheyCanAndNameTheRest) {
    // Vertex 0 weighted to an entry past the matrix list, the layer naming texture 9.
    auto m = skinnedModel({0, 5, 0, 0, 200, 55, 0, 0, 1, 0, 0, 0, 255, 0, 0, 0, //
                           1, 0, 0, 0, 255, 0,  0, 0, 0, 0, 0, 0, 255, 0, 0, 0});
    m.materials[0].layers[0].textureId = 9;
    m.geosets[0].matrixIndices.push_back(7);
    m.geosets[0].matrixGroupSizes = {3};
    const auto classic = convertFormatVersion(m, 800);
    ASSERT_TRUE(classic.ok()) << classic.refusal;
    EXPECT_TRUE(mentions(classic, "1 vertex weighted to bones past the matrix index list"));
    EXPECT_TRUE(mentions(classic, "material 0 names a texture the model does not have"));
    EXPECT_TRUE(mentions(classic, "geoset 0 names 1 bone the model does not have"));
    EXPECT_EQ(classic.model.geosets[0].matrixIndices, (std::vector<std::uint32_t>{0, 1}));
    const auto reforged = convertFormatVersion(classic.model, 1000);
    ASSERT_TRUE(reforged.ok()) << reforged.refusal;
    EXPECT_TRUE(mentions(reforged, "material 0 names a texture the model does not have"));

    // No bone at all to give the vertices: the result would have empty vertex groups, which
    // the original's skin did not have.
    m.geosets[0].matrixIndices.clear();
    m.geosets[0].matrixGroupSizes.clear();
    const auto refused = convertFormatVersion(m, 800);
    EXPECT_FALSE(refused.ok());
    EXPECT_NE(refused.refusal.find("matrix-limits"), std::string::npos) << refused.refusal;

    EXPECT_FALSE(convertFormatVersion(m, 900).ok());
}

} // namespace
