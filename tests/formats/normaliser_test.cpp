// The normaliser: tab-layout files pass unchanged, every other layout becomes the tab layout
// with the same tokens, and the few texts it cannot take are refused with their line.

#include "formats/mdl_normaliser.h"
#include "formats/tab_layout.h"
#include "support/layout_variants.h"
#include "support/simple_mdl_tree.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using formats::isTabLayout;
using formats::normaliseModelText;
using formats::rewriteModelText;
using testing_support::Layout;
using testing_support::readFile;

std::vector<std::filesystem::path> corpusModels() {
    std::vector<std::filesystem::path> models;
    const std::filesystem::path corpus(MOLDRIN_CORPUS_DIR);
    if (!std::filesystem::is_directory(corpus))
        return models;
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
        if (entry.path().extension() == ".mdl")
            models.push_back(entry.path());
    std::sort(models.begin(), models.end());
    return models;
}

// The lines of a text, without line ends and without comment lines.
std::vector<std::string> contentLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        auto line = text.substr(start, end - start);
        if (!line.starts_with("//"))
            lines.push_back(line);
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

#define SKIP_WITHOUT_CORPUS(models)                                                                \
    if ((models).empty())                                                                          \
    GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR

TEST(Normaliser, EveryCorpusFileIsTabLayoutAndPassesByteForByte) {
    const auto models = corpusModels();
    SKIP_WITHOUT_CORPUS(models);
    for (const auto& path : models) {
        const auto original = readFile(path);
        EXPECT_TRUE(isTabLayout(original)) << path;
        const auto normalised = normaliseModelText(original);
        ASSERT_TRUE(normalised.ok()) << path << ": " << normalised.error;
        EXPECT_FALSE(normalised.rewritten) << path;
        EXPECT_EQ(normalised.text, original) << path;
    }
}

TEST(Normaliser, RewritingACorpusFileGivesItsOwnLines) {
    const auto models = corpusModels();
    SKIP_WITHOUT_CORPUS(models);
    for (const auto& path : models) {
        auto original = readFile(path);
        // The one liberty a tab-layout file takes: two spaces before a header's brace.
        for (std::size_t at; (at = original.find("  {")) != std::string::npos;)
            original.erase(at, 1);
        const auto rewritten = rewriteModelText(original);
        ASSERT_TRUE(rewritten.ok()) << path;
        EXPECT_EQ(rewritten.text, original) << path;
    }
}

TEST(Normaliser, EveryLayoutOfTheCorpusGivesTheTabLayoutLines) {
    const auto models = corpusModels();
    SKIP_WITHOUT_CORPUS(models);
    for (const auto& path : models) {
        const auto original = readFile(path);
        const auto expected = contentLines(rewriteModelText(original).text);
        for (auto layout : {Layout::TwoSpaces, Layout::FourSpaces, Layout::Mixed}) {
            const auto variant = testing_support::relayout(original, layout);
            EXPECT_FALSE(isTabLayout(variant));
            const auto normalised = normaliseModelText(variant);
            ASSERT_TRUE(normalised.ok()) << path << " " << layoutName(layout);
            EXPECT_TRUE(normalised.rewritten);
            EXPECT_EQ(contentLines(normalised.text), expected)
                << path << " in the " << layoutName(layout) << " layout";
            // Normalised text is left as it is the second time.
            EXPECT_TRUE(isTabLayout(normalised.text)) << path << " " << layoutName(layout);
        }
    }
}

TEST(Normaliser, ReforgedSampleBecomesTabLayoutWithEightWeightsALine) {
    const auto path =
        std::filesystem::path(MOLDRIN_CORPUS_DIR) / "reforged" / "palisade_segment_v1000.mdl";
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    const auto original = readFile(path);
    const auto normalised = normaliseModelText(original);
    ASSERT_TRUE(normalised.ok());
    EXPECT_TRUE(normalised.rewritten);
    EXPECT_TRUE(isTabLayout(normalised.text));
    const auto lines = contentLines(normalised.text);
    const auto header = std::find(lines.begin(), lines.end(), "\tSkinWeights 126 {");
    ASSERT_NE(header, lines.end());
    EXPECT_EQ(*(header + 1), "\t\t0, 1, 0, 0, 200, 55, 0, 0,");
    EXPECT_EQ(*(header + 127), "\t}");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "\t\t{ -0.309006, 0.95106, 0, -1 },"),
              lines.end());

    // An independent reader sees the same model in both.
    std::string why;
    const auto before = testing_support::parseMdlTree(original, &why);
    ASSERT_TRUE(before) << why;
    const auto after = testing_support::parseMdlTree(normalised.text, &why);
    ASSERT_TRUE(after) << why;
    EXPECT_TRUE(testing_support::sameMdlTree(*before, *after, &why)) << why;
}

TEST(Normaliser, CompactTextGetsOneItemALineAndKeepsNumberText) {
    const auto result = rewriteModelText(
        "Version { FormatVersion 800, }\n"
        "Geoset { Vertices 2 { {1.50,-0, 3e2}, { 4, 5, 6 } }\n"
        "  VertexGroup { 0, 0, } Faces 1 3 { Triangles { { 0, 1, 1 }, }, },\n"
        "  Anim { MinimumExtent {1,2,3}, }\n"
        "}\n"
        "Bone \"B\" { Rotation 1 { Hermite, 0: { 1, 0, 0, 0 }, InTan { 1, 0, 0, 0 }, } }\n");
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.text, "Version {\n"
                           "\tFormatVersion 800,\n"
                           "}\n"
                           "Geoset {\n"
                           "\tVertices 2 {\n"
                           "\t\t{ 1.50, -0, 3e2 },\n"
                           "\t\t{ 4, 5, 6 }\n"
                           "\t}\n"
                           "\tVertexGroup {\n"
                           "\t\t0,\n"
                           "\t\t0,\n"
                           "\t}\n"
                           "\tFaces 1 3 {\n"
                           "\t\tTriangles {\n"
                           "\t\t\t{ 0, 1, 1 },\n"
                           "\t\t}\n"
                           "\t}\n"
                           "\tAnim {\n"
                           "\t\tMinimumExtent { 1, 2, 3 },\n"
                           "\t}\n"
                           "}\n"
                           "Bone \"B\" {\n"
                           "\tRotation 1 {\n"
                           "\t\tHermite,\n"
                           "\t\t0: { 1, 0, 0, 0 },\n"
                           "\t\t\tInTan { 1, 0, 0, 0 },\n"
                           "\t}\n"
                           "}\n");
    EXPECT_TRUE(isTabLayout(result.text));
}

TEST(Normaliser, NumbersOnlyBlocksStayBlocksAndGroupsStayInline) {
    // A header word that always holds a block, a trailing comma, or words inside make a block;
    // numbers alone make an inline group.
    const auto result = rewriteModelText("A { Interval { 0, 10 }, VertexGroup { 3 } Matrices { 4 },"
                                         " Extra { 1, 2, } SkinWeights 1 { 1, 2, 3, 4, 5, 6, 7,"
                                         " 8, 9, } }");
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.text, "A {\n"
                           "\tInterval { 0, 10 },\n"
                           "\tVertexGroup {\n"
                           "\t\t3\n"
                           "\t}\n"
                           "\tMatrices { 4 },\n"
                           "\tExtra {\n"
                           "\t\t1,\n"
                           "\t\t2,\n"
                           "\t}\n"
                           "\tSkinWeights 1 {\n"
                           "\t\t1, 2, 3, 4, 5, 6, 7, 8,\n"
                           "\t\t9,\n"
                           "\t}\n"
                           "}\n");
    EXPECT_TRUE(isTabLayout(result.text));
}

TEST(Normaliser, DataItemsWithoutTheirCommaStayApart) {
    const auto result = rewriteModelText("A { {1,2} {3,4}, {5,6} }");
    EXPECT_EQ(result.text, "A {\n\t{ 1, 2 }\n\t{ 3, 4 },\n\t{ 5, 6 }\n}\n");
    EXPECT_TRUE(isTabLayout(result.text));
}

TEST(Normaliser, LineEndsByteOrderMarkCommentsAndBlanks) {
    const auto result = normaliseModelText("\xEF\xBB\xBF// header  \r\rVersion {\r  FormatVersion"
                                           " 800, // the version\r}\r// after  \r");
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.text, "// header\nVersion {\n\tFormatVersion 800,\n}\n// after\n");

    const auto crlf = normaliseModelText("Version {\r\n FormatVersion 800,\r\n}\r\n");
    EXPECT_EQ(crlf.text, "Version {\r\n\tFormatVersion 800,\r\n}\r\n");
}

// Comments between the top-level blocks, where the binary model's notes stand, survive; any
// comment inside a block or an item goes.
TEST(Normaliser, KeepsCommentsOnlyOutsideBlocks) {
    const auto result = rewriteModelText(
        "// Flags: Bone 0 = 2\nGeoset { // FaceGroups: Geoset 0 = 2x4:3\n"
        "  Faces 1 6 { Triangles { { 0, 1, 2, 2, 1, 3 }, }, }\n"
        "  // FaceGroups: Geoset 0 = 2x4:3\n  VertexGroup { // Flags: 1\n 0, }\n}\n"
        "// FaceGroups: Geoset 0 = 2x4:3\nBone \"B\" // Flags: 2\n  {\n  }\n");
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.text, "// Flags: Bone 0 = 2\nGeoset {\n\tFaces 1 6 {\n\t\tTriangles {\n"
                           "\t\t\t{ 0, 1, 2, 2, 1, 3 },\n\t\t}\n\t}\n"
                           "\tVertexGroup {\n\t\t0,\n\t}\n}\n"
                           "// FaceGroups: Geoset 0 = 2x4:3\nBone \"B\" {\n}\n");
    EXPECT_TRUE(isTabLayout(result.text));
}

TEST(Normaliser, RefusesAnOpenStringAndAStrayBraceWithTheirLine) {
    auto result = normaliseModelText("Model \"A\" {\r\n}\r\nBone \"B {\r\n");
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.errorLine, 3u);
    EXPECT_NE(result.error.find("double quotes"), std::string::npos);

    result = normaliseModelText("A {\r  B 1,\r}\r}\r");
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.errorLine, 4u);

    // A block left open at the end is the reader's to judge, not the normaliser's.
    result = normaliseModelText("Geoset {\n  Vertices 1 {\n");
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.text, "Geoset {\n\tVertices 1 {\n");
}

TEST(TabLayout, TellsTheLinesTheWriterWouldNotWrite) {
    EXPECT_TRUE(isTabLayout(""));
    EXPECT_TRUE(isTabLayout("A {\n\tB 1,\n\tVertexGroup  {\n\t\t0,\n\t}\n}\n"));
    EXPECT_TRUE(isTabLayout("A {\r\n\tB { 1, 2 },\r\n}"));
    EXPECT_TRUE(isTabLayout("A {\n\t{ 1, 2 }\n\t{ 3, 4 },\n}\n"));
    EXPECT_TRUE(isTabLayout("// note\nA {\n\tK 1 {\n\t\t0: 1,\n\t\t\tInTan 0,\n\t}\n}\n"));
    EXPECT_TRUE(isTabLayout("// Flags: A 0 = 3\nA {\n}\n// note\n"));
    const char* const refused[] = {
        "A {\n\tB 1, \n}\n",             // trailing blank
        "A {\n\n\tB 1,\n}\n",            // blank line
        "A {\n\tB 1, C 2,\n}\n",         // two items on a line
        "A {\n\tB {1, 2},\n}\n",         // spacing inside a group
        "A {\n  B 1,\n}\n",              // spaces for tabs
        "A {\n\t\tB 1,\n}\n",            // too deep
        "A {\n\t// note\n}\n",           // comment inside a block
        "A {\n\t// Flags: A 0 = 1\n}\n", // nor a note
        "A {\n// Flags: A 0 = 1\n}\n",   // at any depth
        "A  {\n}\n",                     // two spaces before a top-level brace
        "A {\r\tB 1,\r}\r",              // CR line ends
        "\xEF\xBB\xBF"
        "A {\n}\n",                // byte order mark
        "A {\n\tB 1\n\tC 2,\n}\n", // an item without comma, not the last
        "A {\n\t1,\n\t2\n}\n",     // numbers only without a last comma: an inline group
        "A {\n\tVertexGroup { 1 },\n}\n",
        "A {\n\t{ 1, 2 } B,\n}\n", // an item that starts with a group ends with it
        "A {\n\tSkinWeights 1 {\n\t\t1, 2,\n\t\t3,\n\t}\n}\n", // weights split short
        "A {\n\tK 1 {\n\t\t0: 1,\n\t\tInTan 0,\n\t}\n}\n",     // InTan at its key's depth
        "}\n",
        "A ,\n",
    };
    for (const char* text : refused)
        EXPECT_FALSE(isTabLayout(text)) << text;
}

} // namespace
