// A model with a record of every kind, with values away from the defaults, through MDX and MDL.
// The corpus has no lights, ribbons, collision shapes of every type, popcorn emitters, face
// effects, bind poses or FormatVersion 1100 layers; this covers them.

#include "model_difference.h"

#include "formats/mdx/float_text.h"
#include "formats/mdx/mdx_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace {

using namespace mdx;

Track track(const char (&tag)[5], std::uint32_t interpolation, int components, float base) {
    Track t;
    t.tag = makeTag(tag);
    t.interpolation = interpolation;
    t.globalSequenceId = interpolation == 1 ? 0 : -1;
    for (int k = 0; k < 2; ++k) {
        TrackKey key;
        key.frame = 100 * k - 5;
        for (int c = 0; c < components; ++c) {
            key.value[static_cast<std::size_t>(c)] = base + 0.1f * static_cast<float>(c + k);
            if (interpolation > 1) {
                key.inTan[static_cast<std::size_t>(c)] = -base;
                key.outTan[static_cast<std::size_t>(c)] = base / 3;
            }
        }
        t.keys.push_back(key);
    }
    return t;
}

Node node(const char* name, std::uint32_t id, std::uint32_t flags) {
    Node n;
    n.name = name;
    n.objectId = id;
    n.parentId = id == 0 ? noId : 0;
    n.flags = flags;
    n.tracks = {track("KGTR", 1, 3, 1.5f), track("KGRT", 2, 4, 0.25f), track("KGSC", 3, 3, 2.0f)};
    return n;
}

Model everyChunk(std::uint32_t version) {
    Model m;
    m.version = version;
    m.info = {"Every", "anim.mda", {5.5f, {-1, -2, -3}, {1, 2, 3}}, 150};
    m.sequences.push_back({"Walk", {0, 1000}, 270, 1, 2, 7, {1, {0, 0, 0}, {1, 1, 1}}});
    m.globalSequences = {1000, 0};
    m.textures.push_back({1, "Textures\\a.blp", 3});
    Material mat;
    mat.priorityPlane = -2;
    mat.flags = 1 | 16;
    mat.shader = version > 800 ? "Shader_HD" : "";
    Layer layer;
    layer.filterMode = 3;
    layer.shadingFlags = 1 | 16 | 256;
    layer.textureId = 2;
    layer.textureAnimationId = 0;
    layer.coordId = 1;
    layer.alpha = 0.5f;
    if (version > 800)
        layer.emissiveGain = 0.75f;
    if (version > 900) {
        layer.fresnelColor = {0.1f, 0.2f, 0.3f};
        layer.fresnelOpacity = 0.4f;
        layer.fresnelTeamColor = 0.6f;
    }
    if (version > 1000) {
        layer.hd = 1;
        LayerTexture t0{3, 0, {}};
        LayerTexture t1{4, 5, {track("KMTF", 0, 1, 0)}};
        t1.tracks[0].keys[0].value[0] = std::bit_cast<float>(std::uint32_t{4});
        t1.tracks[0].keys[1].value[0] = std::bit_cast<float>(std::uint32_t{5});
        layer.textures = {t0, t1};
    }
    layer.tracks = {track("KMTA", 1, 1, 0.5f)};
    mat.layers = {layer, Layer{}};
    m.materials.push_back(mat);
    m.textureAnimations.push_back({{track("KTAT", 1, 3, 0.5f), track("KTAR", 0, 4, 0.f)}, ""});
    Geoset g;
    g.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0.1f, -0.0f, 3e-39f}};
    g.normals = {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}, {0, 0, 1}};
    g.faceTypes = {4, 4};
    g.faceGroupSizes = {3, 3};
    g.faces = {0, 1, 2, 1, 3, 2};
    g.vertexGroups = {0, 0, 1, 1};
    g.matrixGroupSizes = {1, 2};
    g.matrixIndices = {0, 0, 1};
    g.materialId = 0;
    g.selectionGroup = 3;
    g.selectionFlags = 4;
    if (version > 800) {
        g.lod = 1;
        g.lodName = "LOD1";
        g.tangents = std::vector<Vec4>(4, Vec4{1, 0, 0, -1});
        g.skin = std::vector<std::uint8_t>(32, 7);
    }
    g.extent = {2, {0, 0, 0}, {1, 1, 0}};
    g.sequenceExtents = {{2, {0, 0, 0}, {1, 1, 0}}};
    g.uvSets = {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}, {{0.5f, 0.5f}, {1, 0}, {0, 1}, {1, 1}}};
    m.geosets.push_back(g);
    m.geosets.push_back(Geoset{}); // a geoset with nothing in it
    m.geosetAnimations.push_back({0.5f, 3, {0.1f, 0.2f, 0.3f}, 0, {track("KGAO", 0, 1, 1)}, ""});
    m.bones.push_back({node("Root", 0, 0x100 | 1 | 8), 0, noId});
    m.bones.push_back({node("Odd", 1, 0x80000000u), noId, 0});
    Light light{node("Light", 2, 0x200), 1, 80, 200, {1, 0.5f, 0}, 2, {0, 1, 0}, 0.5f, {}, ""};
    light.tracks = {track("KLAV", 0, 1, 1), track("KLAC", 1, 3, 0.5f)};
    m.lights.push_back(light);
    m.helpers.push_back({node("Helper", 3, 0)});
    m.attachments.push_back(
        {node("Hand", 4, 0x800), "Effects\\x.mdl", 2, {track("KATV", 0, 1, 1)}, ""});
    m.pivots = {{0, 0, 0}, {1, 2, 3}, {0, 0, 0}, {0, 0, 0}, {4, 5, 6}};
    m.particleEmitters.push_back({node("Emitter", 5, 0x1000 | 0x8000),
                                  10,
                                  -1,
                                  0.5f,
                                  0.25f,
                                  "Abilities\\p.mdl",
                                  2,
                                  100,
                                  {track("KPEE", 1, 1, 3)},
                                  ""});
    ParticleEmitter2 p2;
    p2.node = node("Emitter2", 6, 0x1000 | 0x8000 | 0x100000);
    p2.speed = 100;
    p2.width = 10;
    p2.length = 20;
    p2.filterMode = 4;
    p2.rows = 2;
    p2.columns = 3;
    p2.headOrTail = 2;
    p2.segmentColor = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    p2.segmentAlpha = {255, 128, 0};
    p2.segmentScaling = {1, 2, 3};
    p2.headIntervals = {0, 1, 1};
    p2.tailDecayIntervals = {4, 5, 6};
    p2.textureId = 0;
    p2.squirt = 1;
    p2.priorityPlane = -1;
    p2.replaceableId = 2;
    p2.tracks = {track("KP2V", 0, 1, 1), track("KP2E", 2, 1, 20)};
    m.particleEmitters2.push_back(p2);
    RibbonEmitter r{node("Ribbon", 7, 0x4000), 5, 6, 0.5f, {1, 1, 0}, 1, 0, 30, 1, 1, 0, 2, {}, ""};
    r.tracks = {track("KRTX", 0, 1, 0), track("KRHA", 1, 1, 4)};
    r.tracks[0].keys[1].value[0] = std::bit_cast<float>(std::uint32_t{3});
    m.ribbonEmitters.push_back(r);
    m.eventObjects.push_back({node("SNDxFOOT", 8, 0x400), EventTrack{-1, {10, 20}}});
    m.eventObjects.push_back({node("Empty", 9, 0x400), std::nullopt});
    Camera cam{"Portrait", {1, 2, 3}, 0.78f, 1000, 8, {0, 0, 50}, {}, ""};
    cam.tracks = {track("KCTR", 1, 3, 1), track("KCRL", 0, 1, 0.5f)};
    m.cameras.push_back(cam);
    for (std::uint32_t type = 0; type < 4; ++type) {
        CollisionShape c{node("Shape", 10 + type, 0x2000), type, {{1, 2, 3}}, 0};
        if (type != 2)
            c.vertices.push_back({4, 5, 6});
        if (type == 2 || type == 3)
            c.boundsRadius = 9;
        c.node.tracks.clear();
        m.collisionShapes.push_back(c);
    }
    if (version > 800) {
        PopcornEmitter corn{
            node("Popcorn", 14, 0),   1, 2, 3, {0.5f, 0.5f, 0.5f}, 0.5f, 1, "x.pkfx", "Walk",
            {track("KPPV", 0, 1, 1)}, ""};
        m.popcornEmitters.push_back(corn);
        m.faceEffects.push_back({"Face", "Faces\\a.facefx"});
        BindPose pose{};
        for (std::size_t i = 0; i < pose.size(); ++i)
            pose[i] = static_cast<float>(i) * 0.5f;
        m.bindPoses = {pose, pose};
    }
    m.unknownChunks.push_back({makeTag("ZZZZ"), std::string("\x01\x02\x03", 3)});
    return m;
}

class EveryChunk : public testing::TestWithParam<std::uint32_t> {};

TEST_P(EveryChunk, ThroughMdxEveryFieldComesBack) {
    const Model m = everyChunk(GetParam());
    const std::string bytes = writeMdx(m);
    Model back = readMdx(bytes);
    // The file gains the chunk order it was written in.
    EXPECT_FALSE(back.chunkOrder.empty());
    back.chunkOrder.clear();
    EXPECT_EQ(mdx_test::modelDifference(back, m), "");
    EXPECT_TRUE(writeMdx(readMdx(bytes)) == bytes);
}

TEST_P(EveryChunk, ThroughMdlEveryFieldButTheUnknownChunkComesBack) {
    const Model m = readMdx(writeMdx(everyChunk(GetParam())));
    const MdlText text = writeMdl(m);
    ASSERT_EQ(text.dropped, std::vector<std::string>{"chunks unknown to the reader"});
    Model back = readMdl(text.text);
    Model expected = m;
    expected.unknownChunks.clear();
    EXPECT_EQ(mdx_test::modelDifference(back, expected), "");
    // The same text whatever the whitespace: all of it on one line with single blanks.
    std::string oneLine;
    for (std::size_t i = 0; i < text.text.size(); ++i) {
        if (text.text[i] == '/' && text.text.compare(i, 2, "//") == 0) {
            const auto end = text.text.find('\n', i);
            oneLine += text.text.substr(i, end - i + 1);
            i = end;
            continue;
        }
        const char c = text.text[i];
        oneLine += (c == '\n' || c == '\t') ? ' ' : c;
    }
    back = readMdl(oneLine);
    EXPECT_EQ(mdx_test::modelDifference(back, expected), "");
}

INSTANTIATE_TEST_SUITE_P(FormatVersions, EveryChunk, testing::Values(800u, 900u, 1000u, 1100u));

TEST(FloatText, ShortestTextReadsBackToTheSameFloat) {
    EXPECT_EQ(floatText(0.1f), "0.1");
    EXPECT_EQ(floatText(-0.0f), "-0");
    EXPECT_EQ(floatText(1e30f), "1e+30");
    EXPECT_EQ(floatText(898.89996f), "898.89996");
    for (float f : {0.1f, 1.0f / 3.0f, 3e-39f, std::numeric_limits<float>::denorm_min(),
                    std::numeric_limits<float>::max(), -123456.79f, -0.0f}) {
        const auto back = parseFloat(floatText(f));
        ASSERT_TRUE(back.has_value()) << floatText(f);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(*back), std::bit_cast<std::uint32_t>(f));
    }
    for (std::uint32_t bits : {0x7FC00000u, 0xFFC00000u, 0x7F800001u, 0xFFFFFFFFu}) {
        const auto back = parseFloat(floatText(std::bit_cast<float>(bits)));
        ASSERT_TRUE(back.has_value()) << floatText(std::bit_cast<float>(bits));
        EXPECT_EQ(std::bit_cast<std::uint32_t>(*back), bits);
    }
    EXPECT_EQ(parseFloat("+2.5"), 2.5f);
    EXPECT_EQ(parseFloat("0.100000001"), 0.1f);
    EXPECT_FALSE(parseFloat("1e40").has_value());
    EXPECT_FALSE(parseFloat("1,5").has_value());
    EXPECT_FALSE(parseFloat("").has_value());
}

} // namespace
