// Recovery after a run killed in a save: the edits of a crashed run are offered only on top of
// the model file they were made on, and a saved edit is never written over by older text.

#include "model_fixture.h"

#include "common/text_file.h"
#include "editor/editing/file_save.h"
#include "editor/editing/transforms.h"
#include "editor/editing/working_copy.h"
#include "editor/interaction/window_lifecycle.h"
#include "formats/mdx/mdx_file.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using model_test::Editor;
using model_test::fixture;
using testing_support::fileExists;
using testing_support::readFile;

// Where a save can be killed, in the order of its steps.
enum class KillPoint {
    BeforeModelReplaced,
    AfterModelReplaced,
    AfterCopyRefreshed,
    AfterRecoveryRemoved,
};

void moveFirstVertex(Editor& e, double by) {
    e.state.vertices[0].selected = true;
    editor::moveSelection(e.state, by, 0, 0, true);
}

// Puts a file back as it was: its text, or no file.
void restore(const std::string& path, const std::optional<std::string>& text) {
    if (text)
        ASSERT_TRUE(common::replaceFileWith(path, *text));
    else
        common::deleteFile(path);
}

std::optional<std::string> contentOf(const std::string& path) {
    return fileExists(path) ? std::optional(readFile(path)) : std::nullopt;
}

// A run that made two edits, the window storing its recovery file after the first one (or
// never, as in the batch tool), then saved and was killed at the point given: the files are
// left as that point leaves them and the lock goes. The model's bytes after the save.
struct KilledSave {
    std::string modelPath;
    std::string copyPath;
    std::string saved;
    std::string copyBefore; // the working copy's text before the save
};

KilledSave killSave(Editor& crashed, const std::string& modelPath, KillPoint point,
                    bool recoveryFile) {
    crashed.open(modelPath);
    EXPECT_TRUE(crashed.state.modelLoaded);
    const std::string copy = crashed.state.tempPath;
    moveFirstVertex(crashed, 7);
    if (recoveryFile) {
        EXPECT_TRUE(editor::storeRecoveryFile(crashed.state));
    }
    moveFirstVertex(crashed, 5);
    const auto copyBefore = contentOf(copy);
    const auto recoveryBefore = contentOf(editor::recoveryFilePath(copy));
    const auto originBefore = contentOf(editor::workingCopyOriginPath(copy));
    if (point != KillPoint::BeforeModelReplaced) {
        EXPECT_TRUE(editor::saveModel(crashed.state, false, false));
    }
    const std::string saved = readFile(modelPath);
    if (point == KillPoint::AfterModelReplaced)
        restore(copy, copyBefore);
    if (point <= KillPoint::AfterCopyRefreshed)
        restore(editor::recoveryFilePath(copy), recoveryBefore);
    restore(editor::workingCopyOriginPath(copy), originBefore);
    crashed.state.workingCopy.lock.reset(); // killed: the system drops the lock
    return {modelPath, copy, saved, copyBefore.value_or("")};
}

std::string questionAsked(const Editor& e) {
    for (const auto& shown : e.dialogs.shown)
        if (shown.title == "Recover edits")
            return shown.text;
    return "";
}

// At every point a save can be killed, an open answered by the defaults and a save keep the
// saved edit; only edits made on the model file as it is are offered for recovery.
TEST(KilledSave, NoPointOfASaveLetsRecoveryRollBackTheSavedEdit) {
    struct Case {
        KillPoint point;
        bool recoveryFile;
        const char* question; // how the question starts; empty: none is asked
    };
    const Case cases[] = {
        {KillPoint::BeforeModelReplaced, true, "Edits of six.mdl"},
        {KillPoint::AfterModelReplaced, true, "The model was saved after these changes"},
        {KillPoint::AfterModelReplaced, false, "The model was saved after these changes"},
        {KillPoint::AfterCopyRefreshed, true, "The model was saved after these changes"},
        {KillPoint::AfterRecoveryRemoved, true, ""},
    };
    for (const auto& c : cases) {
        const auto row = testing::Message() << static_cast<int>(c.point) << "/" << c.recoveryFile;
        Editor crashed;
        const auto killed =
            killSave(crashed, crashed.folder.write("six.mdl", fixture("six_vertices.mdl")), c.point,
                     c.recoveryFile);
        const double firstEdit = crashed.state.vertices[0].x - 5;

        Editor next;
        next.open(killed.modelPath);
        ASSERT_TRUE(next.state.modelLoaded) << row;
        EXPECT_EQ(next.errorCount(), 0) << row;
        EXPECT_EQ(questionAsked(next).rfind(c.question, 0), 0u) << row << questionAsked(next);
        EXPECT_EQ(questionAsked(next).empty(), std::string(c.question).empty()) << row;
        ASSERT_TRUE(editor::saveModel(next.state, false, false)) << row;
        if (c.point == KillPoint::BeforeModelReplaced) {
            EXPECT_EQ(next.state.vertices[0].x, firstEdit) << row; // the stored edit, recovered
        } else {
            EXPECT_EQ(readFile(killed.modelPath), killed.saved) << row;
        }
        editor::closeMainWindow(next.state);
    }
}

// The model saved since: the recovered text goes to a new MDL file beside the model, numbered
// past the files there, or nowhere when the user opens the saved file; the model is opened as
// saved either way.
TEST(KilledSave, OlderEditsAreKeptUnderAnotherNameOrLeftAtTheUsersWord) {
    struct Case {
        bool binary;
        const char* answer; // empty: the default, as the batch tool answers
        const char* keptName;
    };
    const Case cases[] = {
        {false, "", "six_recovered.mdl"},
        {true, "", "six_recovered2.mdl"},
        {false, "Keep Under Another Name", "six_recovered.mdl"},
        {true, "Open Saved File", nullptr},
    };
    for (const auto& c : cases) {
        const auto row = testing::Message() << c.binary << "/" << c.answer;
        Editor crashed;
        const std::string model = c.binary
                                      ? mdx::writeMdx(mdx::readMdl(fixture("six_vertices.mdl")))
                                      : fixture("six_vertices.mdl");
        if (c.binary)
            crashed.folder.write("six_recovered.mdl", "kept by the user\n");
        const auto killed = killSave(crashed, crashed.folder.write("six.mdl", model),
                                     KillPoint::AfterModelReplaced, false);

        Editor next;
        if (*c.answer)
            next.dialogs.choiceAnswers = {c.answer};
        next.open(killed.modelPath);
        ASSERT_TRUE(next.state.modelLoaded) << row;
        EXPECT_NEAR(next.state.vertices[0].x, crashed.state.vertices[0].x, 1e-4) << row; // saved
        EXPECT_FALSE(next.state.unsavedChanges) << row;
        if (c.binary) {
            EXPECT_EQ(readFile(crashed.folder.file("six_recovered.mdl")), "kept by the user\n");
        }
        if (c.keptName) {
            const auto kept = crashed.folder.file(c.keptName);
            EXPECT_EQ(readFile(kept), killed.copyBefore) << row; // MDL text, as the copy held
            EXPECT_NE(next.dialogs.shown.back().text.find(kept), std::string::npos) << row;
        } else {
            EXPECT_FALSE(fileExists(crashed.folder.file("six_recovered2.mdl"))) << row;
        }
        ASSERT_TRUE(editor::saveModel(next.state, false, false)) << row;
        EXPECT_EQ(readFile(killed.modelPath), killed.saved) << row;
        editor::closeMainWindow(next.state);
    }
}

// A copy without its record (left by an older version) cannot be told to be made on the model
// as it is, so it is never offered as on top of it.
TEST(KilledSave, ACopyOfUnknownOriginIsTreatedAsOlderThanTheModel) {
    Editor crashed;
    const auto killed =
        killSave(crashed, crashed.folder.write("six.mdl", fixture("six_vertices.mdl")),
                 KillPoint::BeforeModelReplaced, true);
    common::deleteFile(editor::workingCopyOriginPath(killed.copyPath));

    Editor next;
    next.open(killed.modelPath);
    ASSERT_TRUE(next.state.modelLoaded);
    EXPECT_EQ(questionAsked(next).rfind("It cannot be told whether the model was saved", 0), 0u)
        << questionAsked(next);
    EXPECT_EQ(readFile(killed.modelPath), fixture("six_vertices.mdl"));
    EXPECT_EQ(next.state.vertices[0].x, crashed.state.vertices[0].x - 12); // as saved
    EXPECT_TRUE(fileExists(crashed.folder.file("six_recovered.mdl")));
    editor::closeMainWindow(next.state);
}

// The kept text has nowhere to go: the copy stays for the user and nothing is opened over it.
TEST(KilledSave, OlderEditsThatCannotBeKeptLeaveTheCopyAndOpenNothing) {
    Editor crashed;
    const auto killed =
        killSave(crashed, crashed.folder.write("six.mdl", fixture("six_vertices.mdl")),
                 KillPoint::AfterModelReplaced, false);
    // A folder in the way of every name the kept text could take.
    for (int n = 1; n <= 99; ++n)
        std::filesystem::create_directory(crashed.folder.file(
            n == 1 ? "six_recovered.mdl" : "six_recovered" + std::to_string(n) + ".mdl"));

    Editor next;
    next.open(killed.modelPath);
    EXPECT_FALSE(next.state.modelLoaded);
    EXPECT_EQ(next.errorCount(), 1);
    EXPECT_EQ(readFile(killed.copyPath), killed.copyBefore);
    EXPECT_EQ(readFile(killed.modelPath), killed.saved);
}

} // namespace
