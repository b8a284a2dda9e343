// The merger on binary models: base, geoset model and output may each be MDL or MDX; the
// output's extension names its format.

#include "merger/bone_directory.h"
#include "merger/merge_writer.h"

#include "formats/mdx/mdx_file.h"
#include "formats/mdx/model_conversion.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testing_support::readFile;

std::string fixtureText(const std::string& name) {
    return testing_support::readTestData("merger/" + name);
}

std::string asMdx(const std::string& text) {
    auto converted = mdx::convertMdlToMdx(text);
    EXPECT_TRUE(converted.ok()) << converted.error;
    return converted.bytes;
}

struct MdxMerge : ::testing::Test {
    testing_support::TempFolder folder;

    merger::MergeRequest request(const std::string& base, const std::string& geoset,
                                 const std::string& output) const {
        merger::MergeRequest r;
        r.basePath = base;
        r.geosetPath = geoset;
        r.outputPath = folder.file(output);
        r.texture = {"Textures\\New.blp", false, merger::TextureType::Transparent};
        r.boneIndex = 2;
        return r;
    }
};

TEST_F(MdxMerge, EveryMixOfFormatsGivesTheSameModel) {
    const auto baseMdl = folder.write("base.mdl", fixtureText("base_three_bones.mdl"));
    const auto geosetMdl = folder.write("geoset.mdl", fixtureText("two_geosets.mdl"));
    // Binary inputs under names that say nothing: the content decides.
    const auto baseMdx = folder.write("base.bin", asMdx(fixtureText("base_three_bones.mdl")));
    const auto geosetMdx = folder.write("geoset.mdx", asMdx(fixtureText("two_geosets.mdl")));

    ASSERT_TRUE(merger::mergeModels(request(baseMdl, geosetMdl, "text.mdl")).ok());
    auto expected = mdx::readMdl(readFile(folder.file("text.mdl")));
    ASSERT_EQ(expected.geosets.size(), 3u);
    // A binary base keeps its chunk order; the rest must be equal.
    const auto sameModel = [&expected](mdx::Model model) {
        model.chunkOrder = expected.chunkOrder;
        return model == expected;
    };

    for (const auto& [base, geoset] : {std::pair{baseMdx, geosetMdx}, std::pair{baseMdl, geosetMdx},
                                       std::pair{baseMdx, geosetMdl}}) {
        SCOPED_TRACE(base + " + " + geoset);
        const auto binary = merger::mergeModels(request(base, geoset, "merged.MDX"));
        ASSERT_TRUE(binary.ok()) << binary.error;
        const auto bytes = readFile(folder.file("merged.MDX"));
        ASSERT_TRUE(mdx::hasMdxMagic(bytes));
        EXPECT_TRUE(sameModel(mdx::readMdx(bytes)));

        const auto text = merger::mergeModels(request(base, geoset, "merged.mdl"));
        ASSERT_TRUE(text.ok()) << text.error;
        EXPECT_FALSE(mdx::hasMdxMagic(readFile(folder.file("merged.mdl"))));
        EXPECT_TRUE(sameModel(mdx::readMdl(readFile(folder.file("merged.mdl")))));
    }
    // The bone list of a binary base is the text's.
    EXPECT_EQ(merger::fillBoneList(baseMdx).value.size(),
              merger::fillBoneList(baseMdl).value.size());
}

TEST_F(MdxMerge, CorpusMdxIntoMdxReadsBackWithTheNewGeoset) {
    const auto corpus = std::filesystem::path(MOLDRIN_CORPUS_DIR) / "mdx";
    if (!std::filesystem::exists(corpus))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    const auto base = folder.copyIn(corpus / "huangzhong.mdx", "base.mdx");
    const auto geoset = folder.copyIn(corpus / "gate.mdx", "geoset.mdx");
    auto r = request(base, geoset, "merged.mdx");
    r.boneIndex = 1;
    const auto result = merger::mergeModels(r);
    ASSERT_TRUE(result.ok()) << result.error;
    const auto baseModel = mdx::readMdx(readFile(base));
    const auto geosetModel = mdx::readMdx(readFile(geoset));
    const auto merged = mdx::readMdx(readFile(r.outputPath));
    ASSERT_EQ(merged.geosets.size(), baseModel.geosets.size() + 1);
    // The new geoset goes after the base's own, with its vertices as they were.
    const auto& added = merged.geosets.back();
    EXPECT_EQ(added.vertices, geosetModel.geosets[0].vertices);
    EXPECT_EQ(added.faces, geosetModel.geosets[0].faces);
    EXPECT_EQ(added.materialId, baseModel.materials.size());
    EXPECT_EQ(merged.materials.size(), baseModel.materials.size() + 1);
    EXPECT_EQ(merged.textures.size(), baseModel.textures.size() + 1);
}

TEST_F(MdxMerge, ADamagedMdxInputNamesChunkAndByteAndWritesNothing) {
    const auto good = asMdx(fixtureText("base_three_bones.mdl"));
    const auto base = folder.write("base.mdx", good.substr(0, good.size() - 7));
    const auto geoset = folder.write("geoset.mdx", asMdx(fixtureText("two_geosets.mdl")));
    folder.write("out.mdx", "old");

    const auto asBase = merger::mergeModels(request(base, geoset, "out.mdx"));
    ASSERT_FALSE(asBase.ok());
    EXPECT_NE(asBase.error.find("the base model \"" + base + "\""), std::string::npos)
        << asBase.error;
    EXPECT_NE(asBase.error.find("byte "), std::string::npos) << asBase.error;
    EXPECT_FALSE(merger::fillBoneList(base).ok());

    const auto asGeoset = merger::mergeModels(
        request(folder.write("b.mdl", fixtureText("base_three_bones.mdl")), base, "out.mdx"));
    ASSERT_FALSE(asGeoset.ok());
    EXPECT_NE(asGeoset.error.find("the geoset model \"" + base + "\""), std::string::npos)
        << asGeoset.error;
    EXPECT_EQ(readFile(folder.file("out.mdx")), "old");
}

} // namespace
