#include "corpus_files.h"

#include "formats/mdx/format_error.h"
#include "formats/mdx/mdx_file.h"

#include <gtest/gtest.h>

namespace {

using mdx_test::corpusFiles;
using mdx_test::readBytes;

// Reads bytes that may be damaged: either a model comes out that writes the same bytes again
// after a second reading (damaged floats may be NaN, so the bytes are compared, not the
// models), or one FormatError that says where within the input.
void expectWholeOrOneError(const std::string& bytes) {
    try {
        const auto written = mdx::writeMdx(mdx::readMdx(bytes));
        EXPECT_TRUE(mdx::writeMdx(mdx::readMdx(written)) == written);
    } catch (const mdx::FormatError& e) {
        EXPECT_FALSE(e.where().empty());
        EXPECT_LE(e.position(), bytes.size());
        EXPECT_FALSE(std::string(e.what()).empty());
    }
}

TEST(MdxBadInput, EveryCorpusFileCutShortIsRefusedOrEndsOnAChunkBoundary) {
    const auto files = corpusFiles(".mdx");
    if (files.empty())
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        const std::string bytes = readBytes(file);
        const std::size_t step = std::max<std::size_t>(1, bytes.size() / 300);
        for (std::size_t cut = 0; cut < bytes.size(); cut += step) {
            const std::string part = bytes.substr(0, cut);
            try {
                const auto model = mdx::readMdx(part);
                // Only a cut between two chunks leaves a whole (smaller) file.
                EXPECT_TRUE(mdx::writeMdx(model) == part) << "cut at " << cut;
            } catch (const mdx::FormatError& e) {
                EXPECT_LE(e.position(), cut);
            }
        }
    }
}

TEST(MdxBadInput, FlippedBytesNeverReadOutsideTheFile) {
    const auto files = corpusFiles(".mdx");
    if (files.empty())
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        const std::string bytes = readBytes(file);
        // Fewer places in the large models, which take long to read in a debug build.
        const std::size_t places = bytes.size() > 100000 ? 12 : 80;
        const std::size_t step = std::max<std::size_t>(1, bytes.size() / places);
        for (std::size_t at = 0; at < bytes.size(); at += step)
            for (unsigned char value : {0x00, 0xFF, 0x7F}) {
                std::string damaged = bytes;
                damaged[at] = static_cast<char>(value);
                expectWholeOrOneError(damaged);
            }
    }
}

mdx::FormatError errorOf(const std::string& bytes) {
    try {
        mdx::readMdx(bytes);
    } catch (const mdx::FormatError& e) {
        return e;
    }
    ADD_FAILURE() << "no error";
    return mdx::FormatError("", 0, "");
}

std::string le32(std::uint32_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
            static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
}

TEST(MdxBadInput, TheErrorNamesTheChunkAndTheByteOffset) {
    const std::string head = "MDLXVERS" + le32(4) + le32(800);
    // A chunk whose size runs past the end of the file.
    auto e = errorOf(head + "GEOS" + le32(1000) + std::string(10, '\0'));
    EXPECT_EQ(e.position(), 16u);
    EXPECT_NE(std::string(e.what()).find("GEOS"), std::string::npos);
    // A geoset whose vertex count runs past its chunk.
    e = errorOf(head + "GEOS" + le32(16) + le32(16) + "VRTX" + le32(1000000) + le32(0));
    EXPECT_EQ(e.where(), "GEOS");
    EXPECT_EQ(e.position(), 32u);
    // A record whose own size runs past its chunk.
    e = errorOf(head + "MTLS" + le32(8) + le32(500) + le32(0));
    EXPECT_EQ(e.where(), "MTLS");
    EXPECT_EQ(e.position(), 28u);
    // Not a binary model at all.
    e = errorOf("Version {");
    EXPECT_EQ(e.position(), 0u);
}

TEST(MdlBadInput, TheErrorNamesTheLine) {
    auto lineOf = [](const std::string& text) {
        try {
            mdx::readMdl(text);
        } catch (const mdx::FormatError& e) {
            return e.position();
        }
        return std::size_t{0};
    };
    // A block left open: the line where the text ends.
    EXPECT_EQ(lineOf("Version {\n\tFormatVersion 800,\n}\nGeoset {\n\tVertices 1 {\n"), 6u);
    EXPECT_EQ(lineOf("Model \"a\" {\n\tBlendTime x,\n}\n"), 2u);
    EXPECT_EQ(lineOf("Geoset {\n\tVertices 1 {\n\t\t{ 1, 2 },\n\t}\n}\n"), 3u);
    EXPECT_EQ(lineOf("}\n"), 1u);
    EXPECT_EQ(lineOf("Bone \"b\" {\n\tTranslation 2 {\n\t\tLinear,\n\t\t0: { 1, 2, 3 },\n\t}\n}\n"),
              2u);
}

} // namespace
