// The document the editor holds: read once, and always what its text reads as, through edits,
// switches and saves.

#include "model_fixture.h"
#include "random_edits.h"

#include "common/text_file.h"
#include "editor/editing/file_save.h"
#include "editor/editing/geoset_commands.h"
#include "editor/model/model_document.h"
#include "editor/model/model_writer.h"
#include "editor/preview/scene_building.h"
#include "formats/mdx/mdx_file.h"
#include "formats/mdx/read_count.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace {

using model_test::Editor;
using model_test::fixture;
using testing_support::readFile;

std::vector<std::filesystem::path> corpusModels() {
    const auto corpus = std::filesystem::path(MOLDRIN_CORPUS_DIR);
    std::vector<std::filesystem::path> models;
    if (!std::filesystem::exists(corpus))
        return models;
    for (const auto& folder : {corpus, corpus / "mdx", corpus / "reforged"})
        if (std::filesystem::exists(folder))
            for (const auto& entry : std::filesystem::directory_iterator(folder))
                if (entry.path().extension() == ".mdl" || entry.path().extension() == ".mdx")
                    models.push_back(entry.path());
    std::sort(models.begin(), models.end());
    return models;
}

std::size_t geosetCount(const std::string& bytes) {
    return (mdx::contentFormat(bytes) == mdx::FileFormat::Mdx ? mdx::readMdx(bytes)
                                                              : mdx::readMdl(bytes))
        .geosets.size();
}

// The document is what its text reads as, the working copy holds that text, and a saved file
// is the document (the text itself, or its binary model).
void expectDocumentHolds(const Editor& e, const std::string& where) {
    const auto& document = *e.state.document;
    ASSERT_TRUE(document.model()) << where << ": " << document.modelError();
    EXPECT_TRUE(*document.model() == mdx::readMdl(document.text())) << where;
    EXPECT_TRUE(readFile(e.state.tempPath) == document.text()) << where;
}

void switchTo(Editor& e, int geoset) {
    e.dialogs.setAnswers({std::to_string(geoset)});
    editor::switchGeosetCommand(e.state);
}

TEST(ModelDocument, HoldsWhatItsTextReadsAsThroughEditsSwitchesAndSaves) {
    const auto models = corpusModels();
    if (models.empty())
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    testing_support::TempFolder folder;
    unsigned seed = 7;
    for (const auto& source : models) {
        const auto bytes = readFile(source.string());
        const auto geosets = static_cast<int>(geosetCount(bytes));
        if (geosets == 0)
            continue;
        Editor e;
        const auto path = folder.write(source.filename().string(), bytes);
        ASSERT_TRUE(editor::openModelFile(e.state, path, 1)) << path;
        std::mt19937 random(++seed);
        for (int round = 0; round < 4; ++round) {
            const std::string where = path + ", round " + std::to_string(round);
            model_test::editAtRandom(e.state, random);
            if (editor::savingRemovesGeoset(e.state))
                break;
            if (round % 2 == 0) {
                switchTo(e, std::uniform_int_distribution<int>(1, geosets)(random));
            } else {
                editor::saveCommand(e.state);
                const auto saved = readFile(path);
                if (mdx::contentFormat(saved) == mdx::FileFormat::Mdx)
                    EXPECT_TRUE(mdx::readMdx(saved) == *e.state.document->model()) << where;
                else
                    EXPECT_TRUE(saved == e.state.document->text()) << where;
            }
            ASSERT_EQ(e.errorCount(), 0) << where << ": " << e.dialogs.shown.back().text;
            expectDocumentHolds(e, where);
        }
    }
}

TEST(ModelDocument, ASwitchAndASaveWithoutEditsKeepEveryValueOfABinaryModel) {
    const auto models = corpusModels();
    if (models.empty())
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    testing_support::TempFolder folder;
    for (const auto& source : models) {
        const auto bytes = readFile(source.string());
        if (mdx::contentFormat(bytes) != mdx::FileFormat::Mdx || geosetCount(bytes) == 0)
            continue;
        Editor e;
        const auto path = folder.write(source.filename().string(), bytes);
        ASSERT_TRUE(editor::openModelFile(e.state, path, 1)) << path;
        switchTo(e, static_cast<int>(geosetCount(bytes)));
        EXPECT_EQ(readFile(path), bytes) << path << ": a switch writes no model file";
        editor::saveCommand(e.state);
        EXPECT_TRUE(mdx::readMdx(readFile(path)) == mdx::readMdx(bytes)) << path;
    }
}

// Opening, showing the model in the 3D view, switching and saving read the file once.
TEST(ModelDocument, OpeningReadsTheModelOnce) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const auto text = fixture("three_geosets.mdl");
    for (const auto& [name, bytes] :
         {Case{"three.mdl", text}, Case{"three.mdx", mdx::writeMdx(mdx::readMdl(text))}}) {
        Editor e;
        const auto path = e.folder.write(name, bytes);
        const auto before = mdx::modelReadCount();
        ASSERT_TRUE(editor::openModelFile(e.state, path, 2)) << name;
        const auto scene = editor::preview::loadScene(e.state);
        EXPECT_EQ(scene.meshes.size(), 3u) << name;
        e.state.vertices[0].x += 1;
        e.state.unsavedChanges = true;
        switchTo(e, 3);
        editor::saveCommand(e.state);
        EXPECT_EQ(e.errorCount(), 0) << name;
        EXPECT_EQ(mdx::modelReadCount() - before, 1u) << name;
    }
}

} // namespace
