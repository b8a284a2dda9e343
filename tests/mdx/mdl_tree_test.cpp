// The MDL tree reads every line end and a byte order mark alike, and each item knows its bytes.
#include "formats/mdx/format_error.h"
#include "formats/mdx/mdl_tree.h"
#include "formats/mdx/mdx_file.h"
#include "formats/mdx/model_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

const std::string lfText = "// Chunks: VERS GEOS\n"
                           "Version {\n\tFormatVersion 800, // a comment\n}\n"
                           "Geoset {\n\tVertices 1 {\n\t\t{ 1, 2, 3 },\n\t}\n}\n";

std::string withLineEnds(const std::string& text, const std::string& end) {
    std::string result;
    for (char c : text)
        result += c == '\n' ? end : std::string(1, c);
    return result;
}

TEST(MdlTree, EveryLineEndAndAByteOrderMarkReadAlike) {
    for (const std::string& text :
         {lfText, withLineEnds(lfText, "\r\n"), withLineEnds(lfText, "\r"),
          "\xEF\xBB\xBF" + withLineEnds(lfText, "\r"), "\xEF\xBB\xBF" + lfText}) {
        const auto tree = mdx::parseMdl(text);
        ASSERT_EQ(tree.root.children.size(), 3u) << text;
        const auto& marker = tree.root.children[0];
        EXPECT_EQ(marker.words[0].text, "Chunks:");
        EXPECT_EQ(marker.words[1].text, " VERS GEOS"); // no line end left in it
        const auto& geoset = tree.root.children[2];
        EXPECT_EQ(geoset.words[0].text, "Geoset");
        EXPECT_EQ(geoset.line, 5u);
        EXPECT_EQ(geoset.children[0].children[0].line, 7u);
        // An item's bytes run from its first word to its block's "}".
        const auto span = std::string_view(text).substr(geoset.begin, geoset.end - geoset.begin);
        EXPECT_TRUE(span.starts_with("Geoset {")) << span;
        EXPECT_TRUE(span.ends_with("}")) << span;
        EXPECT_EQ(mdx::readMdl(text).geosets.size(), 1u);
    }
}

TEST(MdlTree, FaultsNameTheirLine) {
    struct Case {
        std::string text;
        std::size_t line;
    };
    for (const auto& c : {Case{"Version {\r\tFormatVersion 800,\r\r", 4},
                          Case{"Version {\n}\n}\n", 3}, Case{"Model \"open {\n}\n", 1}}) {
        try {
            mdx::parseMdl(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const mdx::FormatError& e) {
            EXPECT_EQ(e.position(), c.line) << e.what();
        }
    }
}

} // namespace

namespace {

// MDL text holds a quoted text on one line: a line end inside a name is left out and said.
TEST(MdlTree, ALineEndInsideANameIsLeftOutAndTheTextReadsBack) {
    mdx::Model model;
    model.textures = {{0, "Textures\\a\r\nb.blp", 0}};
    const auto mdl = mdx::writeMdl(model);
    EXPECT_NE(std::find(mdl.dropped.begin(), mdl.dropped.end(), "line ends inside a text field"),
              mdl.dropped.end());
    const auto back = mdx::readMdl(mdl.text);
    ASSERT_EQ(back.textures.size(), 1u);
    EXPECT_EQ(back.textures[0].path, "Textures\\ab.blp");
}

} // namespace
