// Every geoset of every model of the corpus, read, saved unedited and read again: the same
// arrays, and every line outside the regenerated blocks as it was.

#include "model_fixture.h"

#include "common/number_text.h"
#include "editor/editing/file_save.h"
#include "editor/model/model_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using model_test::Editor;
using testing_support::readFile;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        auto line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The lines without the blocks the writer regenerates in the n-th geoset (1-based).
std::vector<std::string> outsideRegenerated(const std::vector<std::string>& lines, int n) {
    static const char* const headers[] = {"\tVertices",    "\tNormals", "\tTVertices",
                                          "\tVertexGroup", "\tFaces",   "\tGroups"};
    std::vector<std::string> kept;
    int geoset = 0;
    bool inTarget = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& line = lines[i];
        if (line == "Geoset {")
            inTarget = ++geoset == n;
        else if (line == "}")
            inTarget = false;
        const bool regenerated =
            inTarget &&
            std::any_of(std::begin(headers), std::end(headers),
                        [&](const char* header) { return editor::startsWith(line, header); });
        if (!regenerated) {
            kept.push_back(line);
            continue;
        }
        while (i < lines.size() && lines[i] != "\t}")
            ++i;
    }
    return kept;
}

int geosetCount(const std::vector<std::string>& lines) {
    return static_cast<int>(std::count(lines.begin(), lines.end(), "Geoset {"));
}

void expectRoundTrip(const std::filesystem::path& source, int geoset) {
    SCOPED_TRACE(source.filename().string() + ", geoset " + std::to_string(geoset));
    Editor e;
    const auto path = e.folder.copyIn(source, source.filename().string());
    const auto original = linesOf(readFile(path));
    e.open(path, {std::to_string(geoset)});
    ASSERT_TRUE(e.state.modelLoaded);
    ASSERT_TRUE(e.dialogs.shown.empty()) << e.dialogs.shown.front().text;
    const auto before = e.state;

    ASSERT_TRUE(editor::saveModel(e.state, false, false));
    ASSERT_TRUE(e.dialogs.shown.empty()) << e.dialogs.shown.front().text;
    const auto savedText = readFile(path);
    EXPECT_EQ(readFile(e.state.tempPath), savedText);
    const auto saved = linesOf(savedText);
    EXPECT_EQ(outsideRegenerated(saved, geoset), outsideRegenerated(original, geoset));

    // Open and Save are thin commands around the in-memory reader and writer: those give the
    // very arrays that were opened and the very lines that were saved.
    const auto read = editor::readGeosetText(readFile(source), geoset);
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.geoset->vertices, before.vertices);
    EXPECT_EQ(read.geoset->faces, before.faces);
    EXPECT_EQ(editor::modelLines(original, before, false), saved);

    Editor again;
    again.open(path, {std::to_string(geoset)});
    ASSERT_TRUE(again.state.modelLoaded);
    const auto& after = again.state;
    ASSERT_EQ(after.vertices.size(), before.vertices.size());
    // Positions are written with at most 15 significant digits, so a position the file gave
    // with 16 or 17 comes back as its 15-digit rounding; every shorter one comes back exactly.
    const auto p = [](double value) { return *common::parseNumber(common::formatNumber(value)); };
    const auto r = [](double value) { return common::roundHalfEven(value, 6); };
    for (std::size_t i = 0; i < before.vertices.size(); ++i) {
        const auto& a = before.vertices[i];
        const auto& b = after.vertices[i];
        ASSERT_TRUE(b.x == p(a.x) && b.y == p(a.y) && b.z == p(a.z)) << "position of vertex " << i;
        ASSERT_TRUE(b.normalX == r(a.normalX) && b.normalY == r(a.normalY) &&
                    b.normalZ == r(a.normalZ))
            << "normal of vertex " << i;
        ASSERT_TRUE(b.u == r(a.u) && b.v == r(a.v)) << "texture coordinates of vertex " << i;
        ASSERT_EQ(b.vertexGroup, a.vertexGroup) << "group of vertex " << i;
    }
    EXPECT_EQ(after.faces, before.faces);
    EXPECT_EQ(after.matrices, before.matrices);
    EXPECT_EQ(after.groupCount, before.groupCount);

    // Saved again, the model no longer changes.
    ASSERT_TRUE(editor::saveModel(again.state, false, false));
    EXPECT_EQ(readFile(path), savedText);
}

TEST(Corpus, EveryGeosetSurvivesAnUneditedSave) {
    const std::filesystem::path corpus(MOLDRIN_CORPUS_DIR);
    std::error_code error;
    if (!std::filesystem::is_directory(corpus, error))
        GTEST_SKIP() << "no model corpus at " << corpus;
    std::vector<std::filesystem::path> models;
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
        if (entry.path().extension() == ".mdl")
            models.push_back(entry.path());
    std::sort(models.begin(), models.end());
    ASSERT_FALSE(models.empty());
    int geosets = 0;
    for (const auto& model : models) {
        const int count = geosetCount(linesOf(readFile(model)));
        EXPECT_GT(count, 0) << model;
        for (int g = 1; g <= count; ++g, ++geosets)
            expectRoundTrip(model, g);
    }
    RecordProperty("geosets", geosets);
}

} // namespace
