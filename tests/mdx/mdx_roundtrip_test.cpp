#include "corpus_files.h"

#include "formats/mdx/format_error.h"
#include "formats/mdx/mdx_file.h"

#include <gtest/gtest.h>

namespace {

using mdx_test::corpusFiles;
using mdx_test::readBytes;

TEST(MdxRoundTrip, EveryCorpusModelWritesBackTheSameBytes) {
    const auto files = corpusFiles(".mdx");
    if (files.empty())
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        const std::string bytes = readBytes(file);
        mdx::Model model;
        try {
            model = mdx::readMdx(bytes);
        } catch (const mdx::FormatError& e) {
            FAIL() << e.where() << " at " << e.position() << ": " << e.what();
        }
        EXPECT_TRUE(model.unknownChunks.empty());
        const std::string written = mdx::writeMdx(model);
        ASSERT_EQ(written.size(), bytes.size());
        EXPECT_TRUE(written == bytes)
            << "first difference at byte "
            << std::mismatch(written.begin(), written.end(), bytes.begin()).first - written.begin();
        EXPECT_EQ(mdx::readMdx(written), model);
    }
}

} // namespace

namespace {

// Bytes the reader could not place in a field: none, when the layout matches the files.
std::size_t leftOverBytes(const mdx::Model& m) {
    std::size_t n = 0;
    auto add = [&](const std::string& extra) { n += extra.size(); };
    for (const auto& x : m.materials) {
        add(x.extra);
        for (const auto& l : x.layers)
            add(l.extra);
    }
    for (const auto& x : m.textureAnimations)
        add(x.extra);
    for (const auto& x : m.geosets)
        add(x.extra);
    for (const auto& x : m.geosetAnimations)
        add(x.extra);
    for (const auto& x : m.bones)
        add(x.node.extra);
    for (const auto& x : m.lights)
        add(x.extra + x.node.extra);
    for (const auto& x : m.helpers)
        add(x.node.extra);
    for (const auto& x : m.attachments)
        add(x.extra + x.node.extra);
    for (const auto& x : m.particleEmitters)
        add(x.extra + x.node.extra);
    for (const auto& x : m.particleEmitters2)
        add(x.extra + x.node.extra);
    for (const auto& x : m.ribbonEmitters)
        add(x.extra + x.node.extra);
    for (const auto& x : m.eventObjects)
        add(x.node.extra);
    for (const auto& x : m.cameras)
        add(x.extra);
    for (const auto& x : m.collisionShapes)
        add(x.node.extra);
    return n;
}

TEST(MdxRoundTrip, EveryCorpusRecordIsReadFieldByFieldWithNothingLeftOver) {
    const auto files = corpusFiles(".mdx");
    if (files.empty())
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        const auto model = mdx::readMdx(readBytes(file));
        EXPECT_EQ(leftOverBytes(model), 0u);
        for (const auto& g : model.geosets) {
            EXPECT_EQ(g.normals.size(), g.vertices.size());
            EXPECT_EQ(g.vertexGroups.size(), g.vertices.size());
            std::size_t faces = 0;
            for (auto n : g.faceGroupSizes)
                faces += n;
            EXPECT_EQ(faces, g.faces.size());
        }
    }
}

} // namespace
