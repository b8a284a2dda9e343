// The texture editor's own undo and redo of its moves, rotations, scalings and Remap.

#include "editor/uv/uv_editing.h"
#include "editor/uv/uv_remap.h"
#include "editor/uv/uv_undo.h"
#include "uv_fixture.h"

#include <gtest/gtest.h>

namespace {

struct UvUndo : ::testing::Test, testing_support::UvFixture {
    UvUndo() {
        addUV(0.1, 0.2, true).x = 3;
        addUV(0.7, 0.35, true).y = 8;
        addUV(0.5, 0.5).z = -2;
        open();
    }
    void drag(const char* mode, double du, double dv) {
        uv.uvTransformMode = mode;
        uv.downU = 0.3, uv.downV = 0.3;
        uv.upU = 0.3 + du, uv.upV = 0.3 + dv;
        editor::uvDragTransform(uv);
    }
};

TEST_F(UvUndo, EveryTransformAndRemapUndoesBitForBitAndRedoes) {
    const auto u0 = uv.texU, v0 = uv.texV;
    EXPECT_EQ(editor::uvUndoCaption(uv), "Undo");
    drag("M", 0.125, -0.05);
    drag("R", 0.0, 0.4321);
    drag("S", 0.07, 0.013);
    editor::remapUV(uv, state, "Front");
    EXPECT_EQ(editor::uvUndoCaption(uv), "Undo Remap");
    const auto u4 = uv.texU, v4 = uv.texV;

    for (const char* caption : {"Remap", "Scale", "Rotate", "Move"}) {
        EXPECT_EQ(editor::uvUndoCaption(uv), std::string("Undo ") + caption);
        editor::undoUV(uv);
    }
    EXPECT_EQ(uv.texU, u0); // exactly: the coordinates of before come back
    EXPECT_EQ(uv.texV, v0);
    EXPECT_EQ(editor::uvUndoCaption(uv), "Undo");
    EXPECT_EQ(editor::uvRedoCaption(uv), "Redo Move");

    for (int i = 0; i < 4; ++i)
        editor::redoUV(uv);
    EXPECT_EQ(uv.texU, u4);
    EXPECT_EQ(uv.texV, v4);
    EXPECT_EQ(editor::uvRedoCaption(uv), "Redo");
}

TEST_F(UvUndo, ANewStepClearsRedoAndAHandOverClearsBoth) {
    drag("M", 0.1, 0.1);
    editor::undoUV(uv);
    EXPECT_EQ(uv.uvRedo.size(), 1u);
    drag("M", 0.2, 0.0);
    EXPECT_TRUE(uv.uvRedo.empty());
    EXPECT_EQ(uv.uvUndo.size(), 1u);

    open(); // a fresh hand-over from the main window
    EXPECT_TRUE(uv.uvUndo.empty());
    EXPECT_TRUE(uv.uvRedo.empty());
    editor::undoUV(uv); // nothing to undo: nothing changes
    EXPECT_EQ(uv.texU[0], 0.1);
}

TEST_F(UvUndo, TheHistoryKeepsFortySteps) {
    for (int i = 0; i < 45; ++i)
        drag("M", 0.01, 0);
    EXPECT_EQ(uv.uvUndo.size(), 40u);
}

TEST_F(UvUndo, HandingTheCoordinatesBackMarksTheModelUnsaved) {
    drag("M", 0.25, 0);
    EXPECT_FALSE(state.unsavedChanges);
    editor::saveUVChanges(state, uv.texU, uv.texV);
    EXPECT_TRUE(state.unsavedChanges);
    EXPECT_EQ(state.vertices[0].u, uv.texU[0]);
}

} // namespace
