// The working copy: its name beside the model, one locked copy per editor, the cache folder
// for read-only folders, recovery after a crash, and the question about unsaved changes.

#include "editor/editing/file_save.h"
#include "editor/editing/geoset_commands.h"
#include "editor/editing/transforms.h"
#include "editor/editing/working_copy.h"
#include "editor/interaction/window_controls.h"
#include "editor/interaction/window_lifecycle.h"
#include "model_fixture.h"

#include <filesystem>
#include <unistd.h>

namespace {

using model_test::Editor;
using model_test::fixture;
using testing_support::fileExists;
using testing_support::readFile;

TEST(WorkingCopyName, ReplacesARealExtensionOnlyAndStaysInTheModelsFolder) {
    EXPECT_EQ(editor::workingCopyPath("name.mdl"), "name_TMP.tdl");
    EXPECT_EQ(editor::workingCopyPath("/m/unit.MDL"), "/m/unit_TMP.tdl");
    EXPECT_EQ(editor::workingCopyPath("sub/xy"), "sub/xy_TMP.tdl");
    EXPECT_EQ(editor::workingCopyPath("a.b/xy"), "a.b/xy_TMP.tdl");
    EXPECT_EQ(editor::workingCopyPath("sub/.hidden"), "sub/.hidden_TMP.tdl");
    EXPECT_EQ(editor::workingCopyPath("x_TMP.tdl"), "x_TMP_TMP.tdl");
    EXPECT_EQ(editor::workingCopyPath("sub/xy.mdl", 3), "sub/xy_TMP3.tdl");
}

TEST(WorkingCopy, TwoEditorsOnOneModelKeepTheirOwnCopies) {
    Editor first;
    const auto path = first.openText("six.mdl", fixture("six_vertices.mdl"));
    Editor second;
    second.open(path);
    ASSERT_TRUE(second.state.modelLoaded);
    EXPECT_EQ(first.state.tempPath, first.folder.file("six_TMP.tdl"));
    EXPECT_EQ(second.state.tempPath, first.folder.file("six_TMP2.tdl"));

    editor::closeMainWindow(first.state);
    EXPECT_FALSE(fileExists(first.state.tempPath));
    EXPECT_TRUE(fileExists(second.state.tempPath));
    second.state.vertices[0].selected = true;
    editor::moveSelection(second.state, 1, 0, 0, true);
    EXPECT_TRUE(editor::saveModel(second.state, false, false));
    EXPECT_EQ(second.errorCount(), 0);
    editor::closeMainWindow(second.state);
    EXPECT_FALSE(fileExists(second.state.tempPath));
    EXPECT_FALSE(fileExists(editor::workingCopyLockPath(second.state.tempPath)));
}

TEST(WorkingCopy, AWorkingCopyHeldByAnotherEditorIsNotOpened) {
    Editor first;
    first.openText("six.mdl", fixture("six_vertices.mdl"));
    Editor second;
    second.open(first.state.tempPath);
    EXPECT_FALSE(second.state.modelLoaded);
    ASSERT_EQ(second.errorCount(), 1);
    EXPECT_NE(second.dialogs.shown[0].text.find("open in another editor"), std::string::npos);
}

TEST(WorkingCopy, OpeningALeftOverCopyItselfAndSavingKeepsIt) {
    Editor e;
    const auto copy = e.folder.write("x_TMP.tdl", fixture("six_vertices.mdl"));
    e.open(copy);
    ASSERT_TRUE(e.state.modelLoaded);
    EXPECT_EQ(e.state.tempPath, e.folder.file("x_TMP_TMP.tdl"));
    EXPECT_TRUE(editor::saveModel(e.state, false, false));
    editor::closeMainWindow(e.state);
    EXPECT_TRUE(fileExists(copy));
}

TEST(WorkingCopy, ACrashedRunsEditsAreOfferedForRecovery) {
    const std::string model = fixture("six_vertices.mdl");
    for (const char* answer : {"Recover", "Discard"}) {
        Editor crashed;
        const auto path = crashed.openText("six.mdl", model);
        crashed.state.vertices[0].selected = true;
        editor::moveSelection(crashed.state, 7, 0, 0, true);
        ASSERT_TRUE(editor::storeRecoveryFile(crashed.state));
        const auto copy = crashed.state.tempPath;
        const auto moved = crashed.state.vertices[0].x;
        crashed.state.workingCopy.lock.reset(); // the run ends without closing: the lock goes
        ASSERT_TRUE(fileExists(copy));

        Editor next;
        next.dialogs.choiceAnswers = {answer};
        next.open(path);
        ASSERT_TRUE(next.state.modelLoaded) << answer;
        ASSERT_EQ(next.dialogs.shown.size(), 1u) << answer;
        EXPECT_EQ(next.dialogs.shown[0].title, "Recover edits");
        EXPECT_EQ(next.state.tempPath, copy) << answer;
        EXPECT_FALSE(fileExists(editor::recoveryFilePath(copy))) << answer;
        const bool recovered = std::string(answer) == "Recover";
        EXPECT_EQ(next.state.vertices[0].x == moved, recovered) << answer;
        EXPECT_EQ(next.state.unsavedChanges, recovered) << answer;
        EXPECT_EQ(readFile(path), model) << answer; // the model is untouched until saved
        editor::closeMainWindow(next.state);
    }
}

TEST(WorkingCopy, ALeftOverCopyEqualToTheModelGoesWithoutAQuestion) {
    Editor e;
    const auto path = e.folder.write("six.mdl", fixture("six_vertices.mdl"));
    e.folder.write("six_TMP.tdl", fixture("six_vertices.mdl"));
    e.open(path);
    EXPECT_TRUE(e.state.modelLoaded);
    EXPECT_TRUE(e.dialogs.shown.empty());
    EXPECT_FALSE(e.state.unsavedChanges);
}

TEST(WorkingCopy, AReadOnlyFolderPutsTheCopyInTheCacheFolder) {
    Editor e;
    std::filesystem::create_directory(e.folder.path() / "sub");
    const auto path = e.folder.write("sub/six.mdl", fixture("six_vertices.mdl"));
    const auto cache = e.folder.file("cache");
    ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    std::filesystem::permissions(e.folder.path() / "sub", std::filesystem::perms::owner_read |
                                                              std::filesystem::perms::owner_exec);
    if (::access((e.folder.path() / "sub").c_str(), W_OK) == 0) {
        std::filesystem::permissions(e.folder.path() / "sub", std::filesystem::perms::owner_all);
        ::unsetenv("XDG_CACHE_HOME");
        GTEST_SKIP() << "running as root: a read-only folder cannot be made";
    }
    e.open(path);
    EXPECT_TRUE(e.state.modelLoaded);
    EXPECT_EQ(e.state.tempPath.rfind(cache + "/moldrin/", 0), 0u) << e.state.tempPath;
    EXPECT_TRUE(e.state.tempPath.ends_with("-six_TMP.tdl")) << e.state.tempPath;
    EXPECT_EQ(readFile(e.state.tempPath), readFile(path));
    editor::closeMainWindow(e.state);
    EXPECT_FALSE(fileExists(e.state.tempPath));
    std::filesystem::permissions(e.folder.path() / "sub", std::filesystem::perms::owner_all);
    ::unsetenv("XDG_CACHE_HOME");
}

TEST(UnsavedChanges, TheTitleShowsTheNameAndAStarUntilSaved) {
    Editor e;
    EXPECT_EQ(editor::windowTitle(e.state), "MDL Moldrin");
    e.openText("six.mdl", fixture("six_vertices.mdl"));
    EXPECT_EQ(editor::windowTitle(e.state), "six.mdl - MDL Moldrin");
    e.state.vertices[0].selected = true;
    editor::moveSelection(e.state, 1, 0, 0, true);
    EXPECT_EQ(editor::windowTitle(e.state), "six.mdl* - MDL Moldrin");
    editor::saveCommand(e.state);
    EXPECT_EQ(editor::windowTitle(e.state), "six.mdl - MDL Moldrin");
}

TEST(UnsavedChanges, OpenAsksAndCancelKeepsTheEdits) {
    Editor e;
    const auto path = e.openText("six.mdl", fixture("six_vertices.mdl"));
    const auto other = e.folder.write("three.mdl", fixture("three_geosets.mdl"));
    e.state.vertices[0].selected = true;
    editor::moveSelection(e.state, 1, 0, 0, true);
    const auto edited = e.state.vertices;

    e.dialogs.choiceAnswers = {"Cancel"};
    e.dialogs.setAnswers({other, "2"});
    editor::openCommand(e.state);
    EXPECT_EQ(e.dialogs.shown.back().text, "Save changes to six.mdl?");
    EXPECT_EQ(e.state.modelPath, path);
    EXPECT_EQ(e.state.vertices, edited);
    EXPECT_EQ(e.dialogs.answers.size(), 2u); // no file dialog was shown

    e.dialogs.choiceAnswers = {"Discard"};
    editor::openCommand(e.state);
    EXPECT_EQ(e.state.modelPath, other);
    EXPECT_EQ(readFile(path), fixture("six_vertices.mdl"));

    e.state.vertices[0].selected = true;
    editor::moveSelection(e.state, 1, 0, 0, true);
    e.dialogs.choiceAnswers = {"Save"};
    EXPECT_TRUE(editor::mayCloseMainWindow(e.state));
    EXPECT_NE(readFile(other), fixture("three_geosets.mdl"));
    EXPECT_FALSE(e.state.unsavedChanges);
    EXPECT_TRUE(editor::mayCloseMainWindow(e.state)); // nothing unsaved: no question
}

TEST(UnsavedChanges, SwitchGeosetKeepsTheEditsForTheNextSave) {
    Editor e;
    const auto path = e.openText("three.mdl", fixture("three_geosets.mdl"), {"1"});
    e.state.vertices[0].selected = true;
    editor::moveSelection(e.state, 1, 0, 0, true);
    const auto moved = e.state.vertices[0];
    e.dialogs.setAnswers({"2"});
    editor::switchGeosetCommand(e.state);
    EXPECT_TRUE(e.dialogs.shown.empty()); // no question: nothing is lost
    EXPECT_EQ(e.state.geosetNumber, 2);
    EXPECT_EQ(readFile(path), fixture("three_geosets.mdl"));
    EXPECT_TRUE(e.state.unsavedChanges);
    e.dialogs.choiceAnswers = {"Cancel"};
    EXPECT_FALSE(editor::mayCloseMainWindow(e.state)); // closing asks about them

    e.dialogs.setAnswers({"1"});
    editor::switchGeosetCommand(e.state);
    EXPECT_EQ(e.state.vertices[0].x, moved.x);
    EXPECT_EQ(e.state.vertices[0].y, moved.y);
}

TEST(GeosetPicker, CancelOpensNothing) {
    Editor e;
    e.openText("three.mdl", fixture("three_geosets.mdl"), {""});
    EXPECT_FALSE(e.state.modelLoaded);
    EXPECT_TRUE(e.state.tempPath.empty());
    EXPECT_FALSE(fileExists(e.folder.file("three_TMP.tdl")));
}

} // namespace
