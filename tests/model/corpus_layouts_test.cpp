// The corpus in other layouts and in Reforged form: every geoset reads as its tab-layout
// original does, saving gives the same model to an independent reader, and random edits of the
// Reforged versions always save their per-vertex blocks with the vertex count.

#include "model_fixture.h"

#include "common/text_file.h"
#include "editor/editing/extrude.h"
#include "editor/editing/file_save.h"
#include "editor/editing/geometry_tools.h"
#include "editor/editing/normals.h"
#include "editor/editing/transforms.h"
#include "editor/editing/undo_command.h"
#include "editor/model/geoset_reader.h"
#include "editor/model/model_writer.h"
#include "support/layout_variants.h"
#include "support/reforged_version.h"
#include "support/simple_mdl_tree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>

namespace {

using model_test::Editor;
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

int geosetCount(const std::string& text) {
    return editor::countGeosets(text);
}

// Opens geoset n of the text written as name, answering the geoset question.
void openGeoset(Editor& e, const std::string& name, const std::string& text, int n) {
    e.openText(name, text, {std::to_string(n)});
}

TEST(CorpusLayouts, EveryGeosetReadsAsItsTabOriginalAndSavesAsTheSameModel) {
    const auto models = corpusModels();
    if (models.empty())
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    for (const auto& path : models) {
        const auto original = readFile(path);
        const int geosets = geosetCount(original);
        // Of the large model, its first and last geoset stand for the others.
        const bool large = original.size() > 600000;
        std::vector<std::string> variants;
        for (auto layout : {Layout::TwoSpaces, Layout::FourSpaces, Layout::Mixed})
            variants.push_back(testing_support::relayout(original, layout));
        for (int n = 1; n <= geosets; n += large && n == 1 ? geosets - 1 : 1) {
            Editor tab;
            openGeoset(tab, "tab.mdl", original, n);
            for (std::size_t k = 0; k < variants.size(); ++k) {
                const auto what = path.filename().string() + " in the " +
                                  layoutName(static_cast<Layout>(k)) + " layout, geoset " +
                                  std::to_string(n);
                Editor other;
                openGeoset(other, "other.mdl", variants[k], n);
                ASSERT_EQ(other.errorCount(), 0) << what << ": " << other.dialogs.shown[0].text;
                EXPECT_EQ(other.state.vertices, tab.state.vertices) << what;
                EXPECT_EQ(other.state.faces, tab.state.faces) << what;
                EXPECT_EQ(other.state.matrices, tab.state.matrices) << what;
                EXPECT_EQ(other.state.groupCount, tab.state.groupCount) << what;
                if (n != geosets)
                    continue;
                // Saved unedited, the model is the original to a reader of its own.
                editor::saveCommand(other.state);
                std::string why;
                const auto before = testing_support::parseMdlTree(original, &why);
                const auto after = testing_support::parseMdlTree(readFile(other.state.modelPath));
                ASSERT_TRUE(before && after) << what << why;
                EXPECT_TRUE(testing_support::sameMdlTree(*before, *after, &why)) << what << why;
            }
        }
    }
}

// One random command on a random selection.
void randomEdit(editor::EditorState& state, std::mt19937& random) {
    std::bernoulli_distribution coin(0.3);
    for (auto& vertex : state.vertices)
        vertex.selected = coin(random);
    switch (std::uniform_int_distribution<int>(0, 9)(random)) {
    case 0:
        editor::deleteCommand(state);
        break;
    case 1:
        editor::weldCommand(state);
        break;
    case 2:
        state.cloneMode = true;
        editor::moveSelection(state, 1, 2, 3, true);
        break;
    case 3:
        editor::extrudeSelection(state, 0, 0, 1, true);
        break;
    case 4:
        editor::mirrorCommand(state, 'y');
        break;
    case 5:
        editor::rotateSelection(state, 90, 'z', true);
        break;
    case 6:
        editor::recalcNormals(state);
        break;
    case 7:
        editor::deleteFaceCommand(state);
        break;
    case 8:
        editor::snapNormalsCommand(state);
        break;
    default:
        editor::undoLast(state);
        break;
    }
}

TEST(CorpusLayouts, RandomEditsOfReforgedVersionsSaveEveryBlockWithTheVertexCount) {
    const auto models = corpusModels();
    if (models.empty())
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    std::mt19937 random(12);
    for (const auto& path : models) {
        if (std::filesystem::file_size(path) > 600000)
            continue; // the large model adds time, not cases
        const auto reforged = testing_support::reforgedVersion(readFile(path));
        const int geosets = geosetCount(reforged);
        for (int n = 1; n <= geosets; ++n) {
            Editor e;
            openGeoset(e, "reforged.mdl", reforged, n);
            ASSERT_TRUE(e.state.modelLoaded) << path << " geoset " << n;
            ASSERT_EQ(e.state.extras, (editor::VertexExtras{true, true, 1}));
            for (int step = 0; step < 12; ++step)
                randomEdit(e.state, random);
            if (editor::savingRemovesGeoset(e.state))
                continue;
            ASSERT_TRUE(editor::saveModel(e.state, false, false)) << path << " geoset " << n;
            EXPECT_EQ(testing_support::perVertexBlockProblems(readFile(e.state.modelPath)),
                      std::vector<std::string>{})
                << path << " geoset " << n;
            // The tangents stay unit vectors across the normals after the transforms.
            for (const auto& v : e.state.vertices) {
                if (v.deleted)
                    continue;
                const double length =
                    std::sqrt(v.tangent[0] * v.tangent[0] + v.tangent[1] * v.tangent[1] +
                              v.tangent[2] * v.tangent[2]);
                EXPECT_NEAR(length, 1, 1e-4) << path << " geoset " << n;
            }
        }
    }
}

} // namespace
