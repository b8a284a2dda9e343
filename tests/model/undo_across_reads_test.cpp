// The undo history belongs to the arrays it was taken from: reading a geoset anew (Open,
// Switch Geoset, the reopening after a removal) or rebinding it (Save geoset) forgets it, while
// a plain save, which leaves the arrays as they are, keeps it.
#include "editor/interaction/window_controls.h"
#include "model_fixture.h"

#include "editor/editing/file_save.h"
#include "editor/editing/geometry_tools.h"
#include "editor/editing/geoset_commands.h"
#include "editor/editing/selection_commands.h"
#include "editor/editing/undo_command.h"
#include "editor/editing/undo_history.h"
#include "editor/model/model_writer.h"
#include "editor/model/starter_model.h"

#include <filesystem>

namespace {

class UndoAcrossReads : public ::testing::Test {
  protected:
    void SetUp() override {
        cube_ = editor_.folder.copyIn(std::filesystem::path(MOLDRIN_EXAMPLES_DIR) / "cube.mdl",
                                      "cube.mdl");
        editor_.open(cube_, {"1"});
        ASSERT_TRUE(editor_.state.modelLoaded);
        editor::selectAll(editor_.state);
        ASSERT_TRUE(editor::menuState(editor_.state).mnuUndoEnabled);
    }

    bool historyEmpty() const {
        return !editor::undoEntry(editor_.state, 1).used &&
               !editor::menuState(editor_.state).mnuUndoEnabled &&
               editor::menuState(editor_.state).mnuUndoCaption == "Undo";
    }

    model_test::Editor editor_;
    std::string cube_;
};

TEST_F(UndoAcrossReads, OpeningAnotherGeosetForgetsTheSteps) {
    editor_.open(cube_, {"2"});
    ASSERT_EQ(editor_.state.vertices.size(), 5u);
    EXPECT_TRUE(historyEmpty());
    // An Undo now has nothing of the cube to put back into the pyramid.
    editor::undoLast(editor_.state);
    EXPECT_EQ(editor_.state.vertices.size(), 5u);
}

TEST_F(UndoAcrossReads, AFailedOpenKeepsTheSteps) {
    const auto bad = editor_.folder.write("bad.mdl", "Geoset {\n\tVertices 2 {\n\t\t{ 1, 2 },\n");
    editor_.open(bad);
    EXPECT_EQ(editor::undoEntry(editor_.state, 1).name(), "Select All");
}

TEST_F(UndoAcrossReads, SwitchGeosetForgetsTheSteps) {
    editor_.dialogs.setAnswers({"2"});
    editor::switchGeosetCommand(editor_.state);
    ASSERT_EQ(editor_.state.vertices.size(), 5u);
    EXPECT_TRUE(historyEmpty());
}

TEST_F(UndoAcrossReads, RemovingTheGeosetForgetsTheSteps) {
    editor::deleteCommand(editor_.state); // every vertex: the save removes the geoset
    editor_.dialogs.setAnswers({});
    editor::saveCommand(editor_.state);
    ASSERT_EQ(editor_.state.vertices.size(), 5u); // the pyramid, now the only geoset
    EXPECT_TRUE(historyEmpty());
}

TEST_F(UndoAcrossReads, SaveGeosetForgetsTheStepsAndPlainSaveKeepsThem) {
    editor::saveCommand(editor_.state);
    EXPECT_EQ(editor::undoEntry(editor_.state, 1).name(), "Select All");

    editor_.dialogs.setAnswers({editor_.folder.file("alone.mdl")});
    editor::saveGeosetCommand(editor_.state);
    EXPECT_TRUE(historyEmpty());
}

} // namespace
