// Operations on the model's geosets: what each makes, what follows it, what is refused, and
// that every result reads back in both forms.

#include "model_fixture.h"

#include "editor/editing/geoset_operations.h"
#include "editor/editing/undo_command.h"
#include "editor/model/model_document.h"
#include "formats/mdx/mdx_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>

namespace {

using model_test::Editor;
using model_test::fixture;

const mdx::Model& documentModel(const Editor& e) {
    return *e.state.document->model();
}

// Every reference to a geoset names one, and the model reads back in both forms.
void expectSound(const mdx::Model& model, const std::string& where) {
    for (const auto& animation : model.geosetAnimations)
        EXPECT_TRUE(animation.geosetId == mdx::noId || animation.geosetId < model.geosets.size())
            << where;
    for (const auto& bone : model.bones) {
        EXPECT_TRUE(bone.geosetId == mdx::noId || bone.geosetId < model.geosets.size()) << where;
        EXPECT_TRUE(bone.geosetAnimationId == mdx::noId ||
                    bone.geosetAnimationId < model.geosetAnimations.size())
            << where;
    }
    for (const auto& geoset : model.geosets) {
        EXPECT_EQ(geoset.normals.size(), geoset.vertices.size()) << where;
        EXPECT_EQ(geoset.vertexGroups.size(), geoset.vertices.size()) << where;
        for (const auto corner : geoset.faces)
            EXPECT_LT(corner, geoset.vertices.size()) << where;
    }
    EXPECT_TRUE(mdx::readMdl(mdx::writeMdl(model).text) == model) << where;
    // A model read from text has no chunk order of a binary file to keep: its geosets must
    // come back.
    const auto binary = mdx::readMdx(mdx::writeMdx(model));
    EXPECT_TRUE(binary.geosets == model.geosets) << where;
    EXPECT_TRUE(binary.geosetAnimations == model.geosetAnimations) << where;
}

TEST(GeosetOperations, EachMakesItsModelAndOneUndoTakesItBack) {
    using Run = std::function<bool(editor::EditingState&)>;
    struct Case {
        const char* name;
        Run run;
        std::size_t geosets;
        std::size_t animations;
        int editedAfter; // the edited geoset was 2
    };
    const Case cases[] = {
        {"duplicate", [](auto& s) { return editor::duplicateGeosetCommand(s, 2); }, 4, 5, 2},
        {"delete earlier", [](auto& s) { return editor::deleteGeosetCommand(s, 1); }, 2, 3, 1},
        {"delete edited", [](auto& s) { return editor::deleteGeosetCommand(s, 2); }, 2, 3, 2},
        {"merge into edited", [](auto& s) { return editor::mergeGeosetsCommand(s, 2, 3); }, 2, 3,
         2},
        {"merge edited away", [](auto& s) { return editor::mergeGeosetsCommand(s, 1, 2); }, 2, 3,
         1},
        {"move up", [](auto& s) { return editor::moveGeosetCommand(s, 2, -1); }, 3, 4, 1},
        {"move another", [](auto& s) { return editor::moveGeosetCommand(s, 3, -1); }, 3, 4, 3},
        {"set material", [](auto& s) { return editor::setGeosetMaterialCommand(s, 1, 0) || true; },
         3, 4, 2},
    };
    for (const auto& c : cases) {
        Editor e;
        e.openText("three.mdl", fixture("three_geosets.mdl"), {"2"});
        const auto before = e.state.document;
        const auto vertices = e.state.vertices;
        EXPECT_TRUE(c.run(e.state)) << c.name;
        EXPECT_EQ(e.errorCount(), 0) << c.name;
        const auto& model = documentModel(e);
        EXPECT_EQ(model.geosets.size(), c.geosets) << c.name;
        EXPECT_EQ(model.geosetAnimations.size(), c.animations) << c.name;
        EXPECT_EQ(e.state.geosetNumber, c.editedAfter) << c.name;
        expectSound(model, c.name);
        if (e.state.document != before) {
            editor::undoLast(e.state);
            EXPECT_EQ(e.state.document, before) << c.name;
            EXPECT_EQ(e.state.vertices, vertices) << c.name;
            EXPECT_EQ(e.state.geosetNumber, 2) << c.name;
        }
    }
}

TEST(GeosetOperations, MovingAGeosetCarriesItsAnimationAndBones) {
    Editor e;
    e.openText("three.mdl", fixture("three_geosets.mdl"), {"1"});
    const auto original = documentModel(e);
    ASSERT_TRUE(editor::moveGeosetCommand(e.state, 3, -1));
    const auto& model = documentModel(e);
    EXPECT_TRUE(model.geosets[1] == original.geosets[2]);
    EXPECT_TRUE(model.geosets[2] == original.geosets[1]);
    // Bone C pointed at geoset 3 (index 2), which is now at index 1.
    EXPECT_EQ(model.bones[2].geosetId, 1u);
    EXPECT_EQ(model.geosetAnimations[model.bones[2].geosetAnimationId].geosetId, 1u);
}

TEST(GeosetOperations, SplitThenMergeGivesBackTheGeoset) {
    Editor e;
    const auto text = fixture("three_geosets.mdl");
    e.openText("three.mdl", text, {"1"});
    // Geoset 1 joined with a copy of itself: two sets whose faces do not span each other.
    ASSERT_TRUE(editor::duplicateGeosetCommand(e.state, 1));
    ASSERT_TRUE(editor::mergeGeosetsCommand(e.state, 1, 4));
    const auto joined = documentModel(e).geosets[0];
    ASSERT_EQ(e.state.vertices.size(), 6u);
    for (std::size_t i = 3; i < 6; ++i)
        e.state.vertices[i].selected = true;
    ASSERT_TRUE(editor::splitSelectionCommand(e.state));
    EXPECT_EQ(documentModel(e).geosets.size(), 4u);
    EXPECT_EQ(documentModel(e).geosets[0].vertices.size(), 3u);
    EXPECT_EQ(documentModel(e).geosets[3].vertices.size(), 3u);
    expectSound(documentModel(e), "split");
    ASSERT_TRUE(editor::mergeGeosetsCommand(e.state, 1, 4));
    const auto& again = documentModel(e).geosets[0];
    EXPECT_EQ(again.vertices, joined.vertices);
    EXPECT_EQ(again.faces, joined.faces);
    EXPECT_EQ(again.vertexGroups, joined.vertexGroups);
    EXPECT_EQ(again.matrixIndices, joined.matrixIndices);
}

TEST(GeosetOperations, SplitKeepsCopiesOfCornersOfTrianglesThatSpanBothSets) {
    Editor e;
    e.openText("six.mdl", fixture("six_vertices.mdl"));
    const auto faces = e.state.faces.size();
    ASSERT_GE(faces, 2u);
    // The corners of the first triangle: any other triangle sharing one of them spans both.
    for (const int corner : {e.state.faces[0].a, e.state.faces[0].b, e.state.faces[0].c})
        e.state.vertices[static_cast<std::size_t>(corner)].selected = true;
    ASSERT_TRUE(editor::splitSelectionCommand(e.state));
    const auto& model = documentModel(e);
    ASSERT_EQ(model.geosets.size(), 2u);
    EXPECT_EQ(model.geosets[1].vertices.size(), 3u);
    EXPECT_EQ(model.geosets[1].faces.size(), 3u);
    EXPECT_EQ((model.geosets[0].faces.size() + model.geosets[1].faces.size()) / 3, faces);
    expectSound(model, "split");
}

TEST(GeosetOperations, RefusalsNameTheirReasonAndChangeNothing) {
    using Run = std::function<bool(editor::EditingState&)>;
    const std::pair<Run, const char*> cases[] = {
        {[](auto& s) { return editor::deleteGeosetCommand(s, 4); }, "There is no geoset 4"},
        {[](auto& s) { return editor::duplicateGeosetCommand(s, 0); }, "There is no geoset 0"},
        {[](auto& s) { return editor::mergeGeosetsCommand(s, 2, 2); }, "into itself"},
        {[](auto& s) { return editor::setGeosetMaterialCommand(s, 1, 1); },
         "There is no material 1"},
        {[](auto& s) { return editor::moveGeosetCommand(s, 1, -1); }, "first geoset already"},
        {[](auto& s) { return editor::moveGeosetCommand(s, 3, 1); }, "last geoset already"},
        {[](auto& s) { return editor::splitSelectionCommand(s); }, "Nothing is selected"},
        {[](auto& s) {
             for (auto& v : s.vertices)
                 v.selected = true;
             return editor::splitSelectionCommand(s);
         },
         "Every triangle"},
    };
    for (const auto& [run, message] : cases) {
        Editor e;
        e.openText("three.mdl", fixture("three_geosets.mdl"), {"1"});
        const auto before = e.state.document;
        EXPECT_FALSE(run(e.state)) << message;
        ASSERT_EQ(e.errorCount(), 1) << message;
        EXPECT_NE(e.dialogs.shown.back().text.find(message), std::string::npos)
            << e.dialogs.shown.back().text;
        EXPECT_EQ(e.state.document, before) << message;
        EXPECT_TRUE(e.state.undoHistory.empty()) << message;
    }
}

TEST(GeosetOperations, MergingAClassicAndAReforgedGeosetIsRefused) {
    Editor e;
    auto model = mdx::readMdl(fixture("three_geosets.mdl"));
    model.version = 1000;
    auto& reforged = model.geosets[1];
    reforged.tangents = std::vector<mdx::Vec4>(reforged.vertices.size(), mdx::Vec4{1, 0, 0, 1});
    e.openText("mixed.mdl", mdx::writeMdl(model).text, {"1"});
    EXPECT_FALSE(editor::mergeGeosetsCommand(e.state, 1, 2));
    ASSERT_EQ(e.errorCount(), 1);
    EXPECT_NE(e.dialogs.shown.back().text.find("Reforged data"), std::string::npos);
}

// Every operation on random geosets of every corpus model gives a model that reads back.
TEST(GeosetOperations, RandomOperationsOnTheCorpusReadBack) {
    const auto corpus = std::filesystem::path(MOLDRIN_CORPUS_DIR);
    if (!std::filesystem::exists(corpus))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    testing_support::TempFolder folder;
    std::mt19937 random(11);
    for (const auto& entry : std::filesystem::directory_iterator(corpus / "mdx")) {
        if (entry.path().extension() != ".mdx")
            continue;
        const auto bytes = testing_support::readFile(entry.path().string());
        const auto count = static_cast<int>(mdx::readMdx(bytes).geosets.size());
        if (count == 0)
            continue;
        Editor e;
        const auto path = folder.write(entry.path().filename().string(), bytes);
        ASSERT_TRUE(editor::openModelFile(e.state, path, 1)) << path;
        for (int round = 0; round < 6 && e.state.modelLoaded; ++round) {
            const int geosets = static_cast<int>(documentModel(e).geosets.size());
            const int n = std::uniform_int_distribution<int>(1, geosets)(random);
            const int m = std::uniform_int_distribution<int>(1, geosets)(random);
            switch (round % 6) {
            case 0:
                editor::duplicateGeosetCommand(e.state, n);
                break;
            case 1:
                editor::moveGeosetCommand(e.state, n, n > 1 ? -1 : 1);
                break;
            case 2:
                editor::mergeGeosetsCommand(e.state, n, m);
                break;
            case 3:
                for (std::size_t i = 0; i < e.state.vertices.size(); i += 2)
                    e.state.vertices[i].selected = true;
                editor::splitSelectionCommand(e.state);
                break;
            case 4:
                editor::setGeosetMaterialCommand(e.state, n, 0);
                break;
            default:
                editor::deleteGeosetCommand(e.state, n);
                break;
            }
            expectSound(documentModel(e), path + " round " + std::to_string(round));
        }
    }
}

} // namespace
