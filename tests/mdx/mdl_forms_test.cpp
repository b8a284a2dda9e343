// The MDL reader on the forms other programs write, and what the MDL writer reports dropped.

#include "formats/mdx/format_error.h"
#include "formats/mdx/mdx_file.h"
#include "formats/mdx/track_kinds.h"

#include <gtest/gtest.h>

namespace {

using namespace mdx;

TEST(MdlForms, FlagsTracksAndIdsAsOtherWritersSpellThem) {
    const Model m =
        readMdl("// written elsewhere\r\n"
                "Version { FormatVersion 800 }\r\n"
                "Bone \"Arm\" {\r\n"
                "    ObjectId 3, Parent 1,\r\n"
                "    DontInherit { Rotation, Scaling },\r\n"
                "    BillboardedLockZ,\r\n"
                "    GeosetId Multiple, GeosetAnimId None,\r\n"
                "    Rotation 1 { Hermite, GlobalSeqId 2,\r\n"
                "        10: { 0, 0, 0, 1 }, InTan { 1, 0, 0, 0 }, OutTan { 0, 1, 0, 0 },\r\n"
                "    }\r\n"
                "}\r\n");
    ASSERT_EQ(m.bones.size(), 1u);
    const Bone& b = m.bones[0];
    EXPECT_EQ(b.node.name, "Arm");
    EXPECT_EQ(b.node.objectId, 3u);
    EXPECT_EQ(b.node.parentId, 1u);
    EXPECT_EQ(b.node.flags, 0x100u | 2 | 4 | 64);
    EXPECT_EQ(b.geosetId, noId);
    EXPECT_EQ(b.geosetAnimationId, noId);
    ASSERT_EQ(b.node.tracks.size(), 1u);
    const Track& t = b.node.tracks[0];
    EXPECT_EQ(t.tag, makeTag("KGRT"));
    EXPECT_EQ(t.interpolation, 2u);
    EXPECT_EQ(t.globalSequenceId, 2);
    ASSERT_EQ(t.keys.size(), 1u);
    EXPECT_EQ(t.keys[0].frame, 10);
    EXPECT_EQ(t.keys[0].value, (Vec4{0, 0, 0, 1}));
    EXPECT_EQ(t.keys[0].inTan, (Vec4{1, 0, 0, 0}));
    EXPECT_EQ(t.keys[0].outTan, (Vec4{0, 1, 0, 0}));
}

TEST(MdlForms, StaticValueAndTrackOfTheSameNameAreTwoThings) {
    const Model m = readMdl("Materials 1 { Material { Layer {\n"
                            "  FilterMode Additive, TwoSided,\n"
                            "  static Alpha 0.25,\n"
                            "  Alpha 1 { Linear, 0: 0.5, }\n"
                            "  TextureID 2,\n"
                            "} } }\n");
    const Layer& l = m.materials.at(0).layers.at(0);
    EXPECT_EQ(l.filterMode, 3u);
    EXPECT_EQ(l.shadingFlags, 16u);
    EXPECT_EQ(l.alpha, 0.25f);
    EXPECT_EQ(l.textureId, 2u);
    ASSERT_EQ(l.tracks.size(), 1u);
    EXPECT_EQ(l.tracks[0].keys.at(0).value[0], 0.5f);
}

TEST(MdlForms, GeosetDataInAnyLayout) {
    const Model m =
        readMdl("Geoset { Vertices 2 { {1,2,3}, {4,5,6} } Normals 0 { }\n"
                "TVertices 2 { { 0, 1 }, { 1, 0 } }\n"
                "VertexGroup { 0, 1, }\n"
                "SkinWeights 2 { { 0, 1, 0, 0, 200, 55, 0, 0 }, 1, 0, 0, 0, 255, 0, 0, 0, }\n"
                "Faces 2 6 { Triangles { { 0, 1, 1 } } Triangles { { 1, 0, 0 }, } }\n"
                "Groups 2 3 { Matrices { 0 }, Matrices { 1, 2 }, }\n"
                "MaterialID 4, SelectionGroup 1, Unselectable, }\n");
    const Geoset& g = m.geosets.at(0);
    EXPECT_EQ(g.vertices, (std::vector<Vec3>{{1, 2, 3}, {4, 5, 6}}));
    EXPECT_TRUE(g.normals.empty());
    EXPECT_EQ(g.uvSets.size(), 1u);
    EXPECT_EQ(g.vertexGroups, (std::vector<std::uint8_t>{0, 1}));
    ASSERT_TRUE(g.skin.has_value());
    EXPECT_EQ(g.skin->size(), 16u);
    EXPECT_EQ((*g.skin)[12], 255);
    EXPECT_EQ(g.faceTypes, (std::vector<std::uint32_t>{4, 4}));
    EXPECT_EQ(g.faceGroupSizes, (std::vector<std::uint32_t>{3, 3}));
    EXPECT_EQ(g.matrixGroupSizes, (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(g.matrixIndices, (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(g.materialId, 4u);
    EXPECT_EQ(g.selectionFlags, 4u);
}

TEST(MdlForms, AFaceGroupCommentThatNoLongerFitsTheTrianglesIsIgnored) {
    const std::string geoset = "Geoset {\n\tFaces 1 6 {\n\t\tTriangles {\n\t\t\t{ 0, 1, 2, 2, 1, "
                               "0 },\n\t\t}\n\t}\n}\n";
    auto groups = [&](const std::string& note) {
        return readMdl(note + "\n" + geoset + geoset).geosets[1].faceGroupSizes;
    };
    EXPECT_EQ(groups("// FaceGroups: Geoset 1 = 2x4:3"), (std::vector<std::uint32_t>{3, 3}));
    // After an edit the triangles no longer match: one group of triangles.
    EXPECT_EQ(groups("// FaceGroups: Geoset 1 = 3x4:3"), (std::vector<std::uint32_t>{6}));
    EXPECT_EQ(groups("// FaceGroups: Geoset 1 = 2x4:x"), (std::vector<std::uint32_t>{6}));
    // A note for another geoset, or one the model lacks, leaves this one alone.
    EXPECT_EQ(groups("// FaceGroups: Geoset 0 = 2x4:3"), (std::vector<std::uint32_t>{6}));
    EXPECT_EQ(groups("// FaceGroups: Geoset 7 = 2x4:3"), (std::vector<std::uint32_t>{6}));
    // Inside a block it is an ordinary comment.
    EXPECT_EQ(readMdl("Geoset {\n\t// FaceGroups: Geoset 0 = 2x4:3\n" + geoset.substr(10))
                  .geosets[0]
                  .faceGroupSizes,
              (std::vector<std::uint32_t>{6}));
}

TEST(MdlForms, TheWriterNamesWhatTheTextCannotHold) {
    Model m;
    m.textures.push_back({0, std::string("a.blp\0junk", 10), 0});
    m.unknownChunks.push_back({makeTag("ABCD"), "xy"});
    Geoset g;
    g.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    g.faceTypes = {5};
    g.faceGroupSizes = {3};
    g.faces = {0, 1, 2};
    m.geosets.push_back(g);
    const auto text = writeMdl(m);
    EXPECT_EQ(text.dropped, (std::vector<std::string>{"bytes after the end of a text field",
                                                      "chunks unknown to the reader"}));
    // The strip type is kept in the face group comment.
    EXPECT_NE(text.text.find("// FaceGroups: Geoset 0 = 1x5:3"), std::string::npos);
    EXPECT_EQ(readMdl(text.text).geosets[0].faceTypes, (std::vector<std::uint32_t>{5}));
    EXPECT_NE(text.text.find("Image \"a.blp\","), std::string::npos);
}

TEST(MdlForms, NestingTooDeepIsRefusedNotRecursed) {
    std::string deep(10000, '{');
    EXPECT_THROW(readMdl(deep), FormatError);
    EXPECT_THROW(readMdl("Model \"x {\n"), FormatError);
}

} // namespace
