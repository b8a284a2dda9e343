// What counts as a model file, and the check of faces against their geoset's vertices.

#include "formats/mdx/face_index_check.h"
#include "formats/mdx/model_conversion.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ModelContent, AModelIsMdxOrTextWithATopLevelBlock) {
    const struct {
        std::string bytes;
        bool model;
    } cases[] = {
        {"", false},
        {"hello world", false},
        {" \n\t", false},
        {"{ 1, 2, 3 }", false},              // a block, but of no item
        {"Model 1,\n{ }", false},            // the comma ends the item before the block
        {"// Version {\n", false},           // in a comment
        {"// a \"comment\rVersion {", true}, // ended by a CR line end
        {"\"Version {\"", false},            // in quoted text
        {"\"cut {", false},                  // quoted text that never closes
        {"} Model {", false},                // a stray brace first
        {"Version {\n\tFormatVersion 800,\n}\n", true},
        {"// Chunks: VERS\nModel \"a\" {", true}, // an unclosed block is a model the reader refuses
        {"\xEF\xBB\xBFVersion{}", true},
        {"\"Name\" {", true},
        {"M", true}, // binary bytes cut short: the reader says where
        {"MDLX", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(mdx::notAModelProblem(c.bytes).empty(), c.model);
    }
    EXPECT_EQ(mdx::contentFormat("MDL"), mdx::FileFormat::Mdx);
    EXPECT_EQ(mdx::contentFormat("MDLA"), mdx::FileFormat::Mdl);
    EXPECT_EQ(mdx::contentFormat("DLX"), mdx::FileFormat::Mdl);
}

TEST(ModelContent, ABinaryHeaderWithNothingAfterItIsRefusedByItsByte) {
    for (const std::string bytes : {"M", "MD", "MDL", "MDLX"}) {
        SCOPED_TRACE(bytes);
        const auto read = mdx::readModelFile(bytes);
        EXPECT_EQ(read.format, mdx::FileFormat::Mdx);
        EXPECT_NE(read.error.find("byte " + std::to_string(bytes.size()) + ": the file ends "),
                  std::string::npos)
            << read.error;
    }
}

mdx::Model modelWithFaces(std::vector<std::size_t> vertexCounts,
                          std::vector<std::vector<std::uint16_t>> faces) {
    mdx::Model model;
    for (std::size_t g = 0; g < vertexCounts.size(); ++g) {
        auto& geoset = model.geosets.emplace_back();
        geoset.vertices.resize(vertexCounts[g]);
        geoset.faces = faces[g];
    }
    return model;
}

TEST(FaceIndexCheck, EachGeosetWithCornersPastItsVerticesIsNamedOnce) {
    const auto model = modelWithFaces(
        {3, 12, 0, 4}, {{0, 1, 2}, {0, 1, 2, 3, 4, 11, 5, 12, 8194, 12, 1, 2}, {0, 0, 0}, {}});
    const auto problems = mdx::faceIndexProblems(model);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(mdx::faceIndexText(problems[0]),
              "geoset 2, triangle 3: corner 12 is past the 12 vertices, as are 2 more corners of "
              "the geoset");
    EXPECT_EQ(mdx::faceIndexText(problems[1]),
              "geoset 3, triangle 1: corner 0 is past the 0 vertices, as are 2 more corners of the "
              "geoset");

    // Each led by its place: the byte of the corner itself, or the line of the geoset's faces.
    const mdx::FacePlaces places{100, 200, 300, 400};
    const auto binary = mdx::faceIndexMessages(model, places, mdx::FileFormat::Mdx);
    ASSERT_EQ(binary.size(), 2u);
    EXPECT_EQ(binary[0].geoset, 1u);
    EXPECT_EQ(binary[0].text.substr(0, 24), "chunk GEOS, byte 214: ge");
    EXPECT_EQ(binary[1].text.substr(0, 24), "chunk GEOS, byte 300: ge");
    const auto text = mdx::faceIndexMessages(model, places, mdx::FileFormat::Mdl);
    EXPECT_EQ(text[0].text.substr(0, 20), "Geoset, line 200: ge");
}

} // namespace
