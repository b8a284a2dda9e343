// Merges that would not give a sound model are refused and write nothing; a base without a
// textures or materials block gets one.

#include "merger/merge_checks.h"
#include "merger/merge_writer.h"

#include "common/text_file.h"
#include "support/non_regular_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

using merger::Lines;
using merger::TextureChoice;
using merger::TextureType;

std::string fixture(const std::string& name) {
    return testing_support::testDataPath("merger/" + name);
}

std::size_t indexOf(const Lines& lines, const std::string& wanted) {
    return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), wanted) - lines.begin());
}

class MergerRefusals : public ::testing::Test {
  protected:
    testing_support::TempFolder folder;
    std::string output = folder.file("out.mdl");

    merger::MergeRequest request() const {
        merger::MergeRequest r;
        r.basePath = fixture("base_three_bones.mdl");
        r.geosetPath = fixture("two_geosets.mdl");
        r.outputPath = output;
        r.texture = {"Textures\\New.blp", false, TextureType::Transparent};
        return r;
    }
    // The merge fails with the message and leaves an existing output as it was.
    void expectRefused(const merger::MergeRequest& r, const std::string& message) {
        folder.write("out.mdl", "kept\r\n");
        const auto result = merger::mergeModels(r);
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.error, message);
        EXPECT_EQ(testing_support::readFile(output), "kept\r\n");
    }
};

TEST_F(MergerRefusals, ATexturePathWithAQuoteOrControlCharacterIsRefused) {
    const std::string message = "The texture path cannot hold a double quote, a line break or "
                                "another control character. Nothing was written.";
    const std::vector<std::string> paths = {"a\"b.blp", "a\nGeoset {\nb.blp",  "a\rb", "a\tb",
                                            "a\x7f",    std::string("a\0b", 3)};
    for (const auto& path : paths) {
        for (auto type : {TextureType::Transparent, TextureType::TeamColor, TextureType::None}) {
            auto r = request();
            r.texture = {path, false, type};
            expectRefused(r, message);
        }
    }
    // Paths of other scripts are fine, and additive writes no path at all.
    auto r = request();
    r.texture.texturePath = "Textures\\Flamme \xc3\xa9t\xc3\xa9.blp";
    EXPECT_TRUE(merger::mergeModels(r).ok());
    r.texture = {"a\"b", false, TextureType::Additive};
    EXPECT_TRUE(merger::mergeModels(r).ok());
    EXPECT_EQ(testing_support::readFile(output).find("a\"b"), std::string::npos);
}

TEST_F(MergerRefusals, AGeosetModelWithoutAWholeGeosetIsAnError) {
    const std::pair<std::string, std::string> cases[] = {
        // A file that is no model at all is refused before these checks (refused_models_test).
        {"Version {\n\tFormatVersion 800,\n}\n", "has no geoset block to merge"},
        {"Geoset {\n\tVertices 1 {\n\t\t{ 0, 0, 0 },\n\t}\n", "ends inside geoset 1"},
    };
    for (const auto& [text, what] : cases) {
        auto r = request();
        r.geosetPath = folder.write("geoset.mdl", text);
        expectRefused(r, "The geoset model \"" + r.geosetPath + "\" " + what +
                             ". Nothing was written.");
    }
    auto r = request();
    r.geosetPath = folder.write("geoset.mdl", "Geoset {\n\tVertices 1 {\n\t\t{ 0, 0, 0 },\n\t}\n}\n"
                                              "Geoset {\n\tMaterialID 0,\n}\n");
    expectRefused(r, "Geoset 2 of the geoset model \"" + r.geosetPath +
                         "\" has no vertices. Nothing was written.");
}

TEST_F(MergerRefusals, ABaseWithNowhereForTheGeosetsIsAnError) {
    auto r = request();
    r.basePath = folder.write("base.mdl", "Version {\n\tFormatVersion 800,\n}\nTextures 1 {\n"
                                          "\tBitmap {\n\t\tImage \"a.blp\",\n\t}\n}\n");
    expectRefused(r, "The base model \"" + r.basePath +
                         "\" has no Bone, GeosetAnim, Light, Helper or PivotPoints block for the "
                         "geosets to go before. Nothing was written.");
}

TEST_F(MergerRefusals, SpecialFilesAreNamedInTheMessage) {
    const auto fifo = folder.file("pipe.mdl");
    testing_support::makeFifo(fifo);
    auto r = request();
    r.basePath = fifo;
    expectRefused(r,
                  "Cannot read the base model \"" + fifo + "\": it is a FIFO, not a regular file.");
    r = request();
    r.geosetPath = "/dev/null";
    expectRefused(r, "Cannot read the geoset model \"/dev/null\": it is a device, not a regular "
                     "file.");
    r = request();
    r.outputPath = fifo;
    EXPECT_EQ(merger::mergeModels(r).error, "Cannot write the output file \"" + fifo +
                                                "\": it is a FIFO, not a regular file. It was "
                                                "left as it was.");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST_F(MergerRefusals, ABaseWithoutMaterialsGetsTheBlockItsGeosetsName) {
    auto r = request();
    r.basePath = folder.write("base.mdl", "Version {\n\tFormatVersion 800,\n}\n"
                                          "Textures 1 {\n\tBitmap {\n\t\tImage \"a.blp\",\n\t}\n}\n"
                                          "Bone \"Root\" {\n\tObjectId 0,\n}\n");
    ASSERT_TRUE(merger::mergeModels(r).ok());
    const auto merged = *common::readAllLines(output);
    const auto materials = indexOf(merged, "Materials 1 {");
    ASSERT_LT(materials, merged.size());
    EXPECT_GT(materials, indexOf(merged, "Textures 2 {"));
    EXPECT_LT(materials, indexOf(merged, "Geoset {"));
    Lines material;
    merger::writeMaterial(material, r.texture, 1);
    EXPECT_TRUE(std::equal(material.begin(), material.end(), merged.begin() + materials + 1));
    EXPECT_EQ(merged[materials + 1 + material.size()], "}");
    EXPECT_EQ(std::count(merged.begin(), merged.end(), "\tMaterialID 0,"), 2);
}

TEST(MergerAddedBlocks, TexturesAndMaterialsGoBeforeTheFirstBlockThatFollowsThem) {
    const Lines base = {"// a comment {",
                        "Version {",
                        "\tFormatVersion 800,",
                        "}",
                        "Model \"M\" {",
                        "}",
                        "Sequences 1 {",
                        "\tAnim \"Stand\" {",
                        "\t}",
                        "}",
                        "Geoset {",
                        "}",
                        "Bone \"B\" {",
                        "}"};
    const auto withBlocks =
        merger::withTextureAndMaterialBlocks(base, {"x.blp", false, TextureType::TeamColor});
    Lines expected(base.begin(), base.begin() + 10);
    expected.insert(expected.end(), {"Textures 2 {", "}", "Materials 1 {", "}"});
    expected.insert(expected.end(), base.begin() + 10, base.end());
    EXPECT_EQ(withBlocks, expected);

    const auto merged = merger::mergeLines(
        withBlocks, {"Geoset {", "\tVertices 0 {", "\t}", "\tMaterialID 4,", "}"},
        {"x.blp", false, TextureType::TeamColor}, 0);
    EXPECT_NE(indexOf(merged, "\t\t\tstatic TextureID 1,"), merged.size());
    EXPECT_NE(indexOf(merged, "\t\t\tstatic TextureID 0,"), merged.size());
    EXPECT_NE(indexOf(merged, "\tMaterialID 0,"), merged.size());

    // A base that has both blocks is left as it is.
    const Lines complete = {"Textures 0 {", "}", "Materials 0 {", "}", "Bone \"B\" {", "}"};
    EXPECT_EQ(merger::withTextureAndMaterialBlocks(complete, {}), complete);
}

} // namespace
