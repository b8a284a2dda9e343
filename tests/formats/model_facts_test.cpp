// What both programs need to know of models: the format version and tangents across normals.

#include "formats/format_version.h"
#include "formats/mdl_tokens.h"
#include "formats/vertex_tangent.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(FormatVersion, IsTheNumberOfTheVersionBlockOrClassic) {
    EXPECT_EQ(formats::formatVersion({"Version {", "\tFormatVersion 1000,", "}"}), 1000);
    EXPECT_EQ(formats::formatVersion({"// FormatVersion 900,", "Model \"A\" {", "}"}), 800);
    // Only the Version block counts, and only a number.
    EXPECT_EQ(formats::formatVersion({"Model \"A\" {", "\tFormatVersion 1100,", "}"}), 800);
    EXPECT_EQ(formats::formatVersion({"Version {", "\tFormatVersion x,", "}"}), 800);
    EXPECT_TRUE(formats::isReforgedVersion(900));
    EXPECT_FALSE(formats::isReforgedVersion(800));
}

TEST(TangentAcross, IsAUnitVectorAcrossTheNormalWithItsSignKept) {
    const auto t = formats::tangentAcross({0, 0, 2}, {3, 0, 4, -1});
    EXPECT_NEAR(t[0], 1, 1e-12);
    EXPECT_NEAR(t[2], 0, 1e-12);
    EXPECT_EQ(t[3], -1);
    // Along the normal, or zero: any unit vector across it, sign 1 for a missing one.
    for (const std::array<double, 3> normal :
         {std::array<double, 3>{0, 0, 1}, {1, 0, 0}, {0.6, 0.8, 0}}) {
        const auto across = formats::tangentAcross(normal, {normal[0], normal[1], normal[2], 0});
        EXPECT_NEAR(across[0] * normal[0] + across[1] * normal[1] + across[2] * normal[2], 0,
                    1e-12);
        EXPECT_NEAR(std::hypot(across[0], across[1], across[2]), 1, 1e-12);
        EXPECT_EQ(across[3], 1);
    }
    // No normal: the tangent stays as it was.
    EXPECT_EQ(formats::tangentAcross({0, 0, 0}, {5, 0, 0, 1}), (std::array<double, 4>{5, 0, 0, 1}));
}

TEST(Tokens, KeepTheirTextKindAndLine) {
    const auto result =
        formats::tokenize("\xEF\xBB\xBFModel \"A B\" {\r  -1.5e3, .5 a:b // c \r\n}");
    ASSERT_TRUE(result.ok());
    using K = formats::TokenKind;
    const std::vector<std::pair<K, std::string>> expected = {
        {K::Word, "Model"}, {K::String, "\"A B\""}, {K::OpenBrace, "{"}, {K::Number, "-1.5e3"},
        {K::Comma, ","},    {K::Number, ".5"},      {K::Word, "a"},      {K::Colon, ":"},
        {K::Word, "b"},     {K::Comment, "// c"},   {K::CloseBrace, "}"}};
    ASSERT_EQ(result.tokens.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(result.tokens[i].kind, expected[i].first) << i;
        EXPECT_EQ(result.tokens[i].text, expected[i].second) << i;
    }
    EXPECT_EQ(result.tokens[2].line, 1u);
    EXPECT_EQ(result.tokens[3].line, 2u);     // a CR alone ends a line
    EXPECT_EQ(result.tokens.back().line, 3u); // CR LF is one line end
}

} // namespace
