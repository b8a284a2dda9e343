#include "corpus_files.h"
#include "model_difference.h"

#include "editor/model/geoset_reader.h"
#include "formats/mdx/format_error.h"
#include "formats/mdx/mdx_file.h"

#include <gtest/gtest.h>

namespace {

using mdx_test::corpusFiles;
using mdx_test::readBytes;

mdx::Model readMdlOrFail(const std::string& text) {
    try {
        return mdx::readMdl(text);
    } catch (const mdx::FormatError& e) {
        ADD_FAILURE() << e.where() << " line " << e.position() << ": " << e.what();
        return {};
    }
}

TEST(MdlRoundTrip, EveryCorpusMdxThroughMdlGivesBackTheSameBytes) {
    const auto files = corpusFiles(".mdx");
    if (files.empty())
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        const std::string bytes = readBytes(file);
        const auto model = mdx::readMdx(bytes);
        const auto mdl = mdx::writeMdl(model);
        EXPECT_TRUE(mdl.dropped.empty()) << mdl.dropped.front();
        const auto back = readMdlOrFail(mdl.text);
        EXPECT_EQ(mdx_test::modelDifference(back, model), "");
        EXPECT_TRUE(mdx::writeMdx(back) == bytes);
    }
}

TEST(MdlRoundTrip, EveryCorpusMdlThroughMdxKeepsEveryField) {
    const auto files = corpusFiles(".mdl");
    if (files.empty())
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        const auto model = readMdlOrFail(readBytes(file));
        EXPECT_FALSE(model.geosets.empty() && model.bones.empty());
        const auto binary = mdx::writeMdx(model);
        auto back = mdx::readMdx(binary);
        // The text names no chunk order; the binary file has the usual one.
        back.chunkOrder.clear();
        EXPECT_EQ(mdx_test::modelDifference(back, model), "");
        EXPECT_EQ(mdx::writeMdl(back).text, mdx::writeMdl(model).text);
    }
}

TEST(MdlRoundTrip, TheEditorsGeosetReaderReadsEveryWrittenGeoset) {
    auto files = corpusFiles(".mdx");
    if (files.empty())
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        const auto model = mdx::readMdx(readBytes(file));
        const std::string text = mdx::writeMdl(model).text;
        for (std::size_t i = 0; i < model.geosets.size(); ++i) {
            SCOPED_TRACE("geoset " + std::to_string(i + 1));
            const auto& g = model.geosets[i];
            const auto read = editor::readGeosetText(text, static_cast<int>(i) + 1);
            ASSERT_TRUE(read.ok()) << "line " << read.errorLine << ": " << read.error;
            ASSERT_EQ(read.geoset->vertices.size(), g.vertices.size());
            ASSERT_EQ(read.geoset->faces.size() * 3, g.faces.size());
            EXPECT_EQ(read.geoset->groupCount, static_cast<int>(g.matrixGroupSizes.size()));
            for (std::size_t k = 0; k < g.vertices.size(); ++k) {
                const auto& v = read.geoset->vertices[k];
                // The editor names the three numbers of a vertex line z, x, y.
                ASSERT_EQ(static_cast<float>(v.z), g.vertices[k][0]);
                ASSERT_EQ(static_cast<float>(v.x), g.vertices[k][1]);
                ASSERT_EQ(static_cast<float>(v.y), g.vertices[k][2]);
                ASSERT_EQ(v.vertexGroup, g.vertexGroups[k]);
            }
            for (std::size_t f = 0; f < read.geoset->faces.size(); ++f)
                ASSERT_EQ(read.geoset->faces[f].a, g.faces[3 * f]);
        }
    }
}

} // namespace
