// The check of declared counts against what MDL blocks hold: one case per count it checks,
// and the corpus files as the text other tools write.

#include "corpus_files.h"

#include "formats/mdx/mdl_counts.h"

#include <gtest/gtest.h>

namespace {

struct CountCase {
    const char* text;
    const char* mismatch; // the one sentence expected; nullptr for none
};

TEST(DeclaredCounts, EachCountAgainstWhatItsBlockHolds) {
    const CountCase cases[] = {
        {"Materials 1 {\n\tMaterial {\n\t}\n\tMaterial {\n\t}\n}\n",
         "line 1: Materials declares 1 Material but holds 2"},
        {"Materials 2 {\n\tMaterial {\n\t}\n\tMaterial {\n\t}\n}\n", nullptr},
        {"Materials {\n\tMaterial {\n\t}\n}\n", nullptr},
        {"Textures 3 {\n\tBitmap {\n\t\tImage \"a.blp\",\n\t}\n}\n",
         "line 1: Textures declares 3 Bitmap but holds 1"},
        {"Textures x {\n}\n", "line 1: Textures declares x Bitmap but holds 0"},
        {"Sequences 2 {\n\tAnim \"Stand\" {\n\t}\n}\n",
         "line 1: Sequences declares 2 Anim but holds 1"},
        {"GlobalSequences 1 {\n\tDuration 10,\n\tDuration 20,\n}\n",
         "line 1: GlobalSequences declares 1 Duration but holds 2"},
        {"TextureAnims 0 {\n\tTVertexAnim {\n\t}\n}\n",
         "line 1: TextureAnims declares 0 TVertexAnim but holds 1"},
        {"PivotPoints 2 {\n\t{ 0, 0, 0 },\n}\n",
         "line 1: PivotPoints declares 2 pivot points but holds 1"},
        {"Model \"m\" {\n\tNumGeosets 7,\n\tNumBones 1,\n}\nGeoset {\n}\nBone \"b\" {\n}\n",
         "line 2: NumGeosets declares 7 Geoset but the model holds 1"},
        {"Model \"m\" {\n\tNumGeosetAnims 0,\n}\nGeosetAnim {\n}\n",
         "line 2: NumGeosetAnims declares 0 GeosetAnim but the model holds 1"},
        {"Model \"m\" {\n\tBlendTime 150,\n}\nGeoset {\n}\n", nullptr},
        {"Geoset {\n\tVertices 2 {\n\t\t{ 0, 0, 0 },\n\t}\n}\n",
         "line 2: Vertices declares 2 entries but holds 1"},
        {"Geoset {\n\tTVertices 1 {\n\t\t{ 0, 0 },\n\t}\n\tTVertices 1 {\n\t}\n}\n",
         "line 5: TVertices declares 1 entries but holds 0"},
        {"Geoset {\n\tSkinWeights 1 {\n\t\t0, 0, 0, 0, 255, 0, 0, 0,\n\t}\n}\n", nullptr},
        {"Geoset {\n\tFaces 1 4 {\n\t\tTriangles {\n\t\t\t{ 0, 1, 2 },\n\t\t}\n\t}\n}\n",
         "line 2: Faces declares 4 indices but holds 3"},
        {"Geoset {\n\tFaces 2 3 {\n\t\tTriangles {\n\t\t\t{ 0, 1, 2 },\n\t\t}\n\t}\n}\n",
         "line 2: Faces declares 2 index lists but holds 1"},
        {"Geoset {\n\tGroups 2 2 {\n\t\tMatrices { 0, 1 },\n\t}\n}\n",
         "line 2: Groups declares 2 matrix groups but holds 1"},
        {"Geoset {\n\tGroups 1 1 {\n\t\tMatrices { 0, 1 },\n\t}\n}\n",
         "line 2: Groups declares 1 matrices but holds 2"},
        {"EventObject \"e\" {\n\tEventTrack 2 {\n\t\t100,\n\t}\n}\n",
         "line 2: EventTrack declares 2 frames but holds 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto found = mdx::declaredCountMismatches(c.text);
        if (!c.mismatch) {
            EXPECT_TRUE(found.empty()) << found.front();
            continue;
        }
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0], c.mismatch);
    }
}

TEST(DeclaredCounts, CorpusModelsDeclareTheirCountsRight) {
    const auto files = mdx_test::corpusFiles(".mdl");
    if (files.empty())
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    for (const auto& file : files) {
        const auto found = mdx::declaredCountMismatches(mdx_test::readBytes(file));
        EXPECT_TRUE(found.empty()) << file << ": " << found.front();
    }
}

} // namespace
