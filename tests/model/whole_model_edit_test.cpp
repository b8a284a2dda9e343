// Whole-model steps: one history with the array steps, the document and the working copy kept
// in step, and the model saved with the change.

#include "model_fixture.h"

#include "common/text_file.h"
#include "editor/editing/file_save.h"
#include "editor/editing/undo_command.h"
#include "editor/editing/undo_history.h"
#include "editor/editing/whole_model_edit.h"
#include "editor/model/model_document.h"
#include "formats/mdx/mdx_file.h"

#include <gtest/gtest.h>

namespace {

using model_test::Editor;
using model_test::fixture;

editor::ModelEdit setFilterMode(std::uint32_t mode) {
    return [mode](mdx::Model& model, int&) {
        model.materials.at(0).layers.at(0).filterMode = mode;
        return editor::ModelEditResult{true, {}};
    };
}

mdx::Model savedModel(const std::string& path) {
    return mdx::readMdl(common::readTextFile(path).value());
}

TEST(WholeModelEdit, IsOneStepOfTheHistoryWithTheArraySteps) {
    Editor e;
    const auto path = e.openText("three.mdl", fixture("three_geosets.mdl"), {"2"});
    // A move step keeps the positions of the selected vertices.
    e.state.vertices[0].selected = true;
    const auto opened = e.state.vertices;
    const auto openedDocument = e.state.document;

    editor::takeUndoSnapshot(e.state, editor::UndoKind::Move);
    e.state.vertices[0].x += 5;
    const auto moved = e.state.vertices;
    ASSERT_TRUE(editor::editWholeModel(e.state, editor::UndoKind::ModelFix, setFilterMode(2)));
    EXPECT_EQ(e.errorCount(), 0);
    EXPECT_EQ(e.state.document->model()->materials[0].layers[0].filterMode, 2u);
    // The move was committed with the step, and the geoset read again holds it.
    ASSERT_EQ(e.state.vertices.size(), moved.size());
    EXPECT_DOUBLE_EQ(e.state.vertices[0].x, moved[0].x);
    EXPECT_EQ(e.state.geosetNumber, 2);
    EXPECT_EQ(savedModel(e.state.tempPath), *e.state.document->model());
    EXPECT_TRUE(e.state.unsavedChanges);
    EXPECT_EQ(editor::undoEntry(e.state, 1).name(), "Fix");

    editor::undoLast(e.state);
    EXPECT_EQ(e.state.document, openedDocument) << "the step gives back the document before it";
    EXPECT_EQ(e.state.vertices, moved);
    EXPECT_EQ(savedModel(e.state.tempPath).materials[0].layers[0].filterMode, 0u);
    editor::undoLast(e.state);
    EXPECT_EQ(e.state.vertices, opened);

    editor::redoLast(e.state);
    editor::redoLast(e.state);
    EXPECT_EQ(e.state.document->model()->materials[0].layers[0].filterMode, 2u);
    editor::saveCommand(e.state);
    EXPECT_EQ(e.errorCount(), 0);
    const auto saved = savedModel(path);
    EXPECT_EQ(saved.materials[0].layers[0].filterMode, 2u);
    EXPECT_FLOAT_EQ(saved.geosets[1].vertices[0][1], static_cast<float>(moved[0].x));
}

TEST(WholeModelEdit, ARemovedGeosetGivesTheNearestOneAndUndoBringsItBack) {
    Editor e;
    e.openText("three.mdl", fixture("three_geosets.mdl"), {"3"});
    const auto opened = e.state.vertices;
    ASSERT_TRUE(editor::editWholeModel(e.state, editor::UndoKind::ModelFix,
                                       [](mdx::Model& model, int& geoset) {
                                           model.geosets.pop_back();
                                           geoset = 3;
                                           return editor::ModelEditResult{true, {}};
                                       }));
    EXPECT_EQ(e.state.geosetNumber, 2);
    EXPECT_EQ(e.state.document->model()->geosets.size(), 2u);
    editor::undoLast(e.state);
    EXPECT_EQ(e.state.geosetNumber, 3);
    EXPECT_EQ(e.state.vertices, opened);
    EXPECT_EQ(e.state.document->model()->geosets.size(), 3u);
}

TEST(WholeModelEdit, ARefusalOrNothingToDoChangesNothing) {
    for (const bool refuse : {true, false}) {
        Editor e;
        e.openText("three.mdl", fixture("three_geosets.mdl"), {"1"});
        const auto document = e.state.document;
        EXPECT_FALSE(editor::editWholeModel(
            e.state, editor::UndoKind::ModelFix, [refuse](mdx::Model& model, int&) {
                model.materials.clear();
                return editor::ModelEditResult{false, refuse ? "No." : ""};
            }));
        EXPECT_EQ(e.errorCount(), refuse ? 1 : 0);
        EXPECT_EQ(e.state.document, document);
        EXPECT_TRUE(e.state.undoHistory.empty());
        EXPECT_FALSE(e.state.unsavedChanges);
    }
}

} // namespace
