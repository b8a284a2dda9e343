// The counts of a merged model: the lines the merge writes anew, and every corpus model as base
// read back, as text with each declared count checked and as a binary model.

#include "merger/merge_counts.h"
#include "merger/merge_writer.h"

#include "formats/mdx/mdl_counts.h"
#include "formats/mdx/mdx_file.h"
#include "mdx/corpus_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using merger::Lines;

struct CountsCase {
    const char* what;
    Lines model;
    Lines expected;
};

TEST(MergerChangedCounts, EachCountSaysWhatFollows) {
    const CountsCase cases[] = {
        {"headers and NumGeosets counted",
         {"Model \"m\" {", "\tNumGeosets 1,", "\tNumBones 4,", "}", "Textures 1 {", "\tBitmap {",
          "\t}", "\tBitmap {", "\t}", "}", "Materials 5 {", "\tMaterial {", "\t}", "}", "Geoset {",
          "}", "Geoset {", "}"},
         {"Model \"m\" {", "\tNumGeosets 2,", "\tNumBones 4,", "}", "Textures 2 {", "\tBitmap {",
          "\t}", "\tBitmap {", "\t}", "}", "Materials 1 {", "\tMaterial {", "\t}", "}", "Geoset {",
          "}", "Geoset {", "}"}},
        {"a header without a count gets one",
         {"Textures {", "\tBitmap {", "\t}", "}"},
         {"Textures 1 {", "\tBitmap {", "\t}", "}"}},
        {"a model counting its other blocks gets NumGeosets",
         {"Model \"m\" {", "\tNumBones 1,", "\tBlendTime 150,", "}", "Geoset {", "}"},
         {"Model \"m\" {", "\tNumGeosets 1,", "\tNumBones 1,", "\tBlendTime 150,", "}", "Geoset {",
          "}"}},
        {"a model counting nothing stays so",
         {"Model \"m\" {", "\tBlendTime 150,", "}", "Geoset {", "}"},
         {"Model \"m\" {", "\tBlendTime 150,", "}", "Geoset {", "}"}},
        {"no geosets, no NumGeosets",
         {"Model \"m\" {", "\tNumBones 1,", "}", "Bone \"b\" {", "}"},
         {"Model \"m\" {", "\tNumBones 1,", "}", "Bone \"b\" {", "}"}},
    };
    for (const auto& c : cases) {
        auto model = c.model;
        merger::writeChangedCounts(model);
        EXPECT_EQ(model, c.expected) << c.what;
    }
}

// Every geoset names a material, and every layer a texture, that the model holds.
void expectReferencesHeld(const mdx::Model& m, const std::string& where) {
    for (const auto& g : m.geosets)
        EXPECT_LT(g.materialId, m.materials.size()) << where;
    for (const auto& material : m.materials)
        for (const auto& layer : material.layers)
            EXPECT_LT(layer.textureId, m.textures.size()) << where;
}

mdx::Model modelOf(const std::string& bytes) {
    return mdx::hasMdxMagic(bytes) ? mdx::readMdx(bytes) : mdx::readMdl(bytes);
}

// Merges the geoset model into base as output (its extension names the format) and reads the
// result back: every declared count of the text right, and the blocks the merge adds there.
void expectMergeReadsBack(const std::filesystem::path& base, const mdx::Model& before,
                          const std::filesystem::path& geosets, const std::string& output) {
    const std::string where =
        base.filename().string() + " + " + geosets.filename().string() + " -> " + output;
    merger::MergeRequest r;
    r.basePath = base.string();
    r.geosetPath = geosets.string();
    r.outputPath = output;
    r.texture = {"Textures\\New.blp", false, merger::TextureType::TeamColor};
    r.boneIndex = 0;
    const auto result = merger::mergeModels(r);
    ASSERT_TRUE(result.ok()) << where << ": " << result.error;
    const auto bytes = mdx_test::readBytes(output);
    ASSERT_EQ(mdx::hasMdxMagic(bytes), output.ends_with(".mdx")) << where;
    if (!mdx::hasMdxMagic(bytes)) {
        const auto mismatches = mdx::declaredCountMismatches(bytes);
        EXPECT_TRUE(mismatches.empty()) << where << ": " << mismatches.front();
    }
    const auto added = modelOf(mdx_test::readBytes(geosets));
    const auto merged = modelOf(bytes);
    EXPECT_EQ(merged.geosets.size(), before.geosets.size() + added.geosets.size()) << where;
    EXPECT_EQ(merged.materials.size(), before.materials.size() + 1) << where;
    EXPECT_EQ(merged.textures.size(), before.textures.size() + 2) << where;
    EXPECT_EQ(merged.geosetAnimations.size(), before.geosetAnimations.size()) << where;
    expectReferencesHeld(merged, where);
}

TEST(MergerCorpusCounts, EveryCorpusBaseReadsBackWithItsCountsRight) {
    const auto dir = mdx_test::corpusDir();
    if (dir.empty())
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    auto bases = mdx_test::corpusFiles(".mdl");
    for (const auto& file : mdx_test::corpusFiles(".mdx"))
        bases.push_back(file);
    // One geoset from a text model, seven from a binary one. Each base is merged with both, one
    // into text and one into a binary model, alternating from base to base, so that the
    // corpus covers all four pairs in half the time.
    const auto oneGeoset = dir / "heroglow_crlf.mdl";
    const auto twoGeosets = dir / "mdx" / "arua1.mdx";
    testing_support::TempFolder folder;
    bool textFirst = false;
    for (const auto& base : bases) {
        textFirst = !textFirst;
        const auto before = modelOf(mdx_test::readBytes(base));
        expectMergeReadsBack(base, before, oneGeoset, folder.file(textFirst ? "a.mdl" : "a.mdx"));
        expectMergeReadsBack(base, before, twoGeosets, folder.file(textFirst ? "b.mdx" : "b.mdl"));
    }
}

} // namespace
