// The scripted dialogs that answer prompts in tests and batch runs.

#include "common/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace {

using common::MessageAnswer;
using common::MessageButtons;
using common::ScriptedDialogs;

TEST(ScriptedDialogs, PromptsTakeAnswersInOrderThenOneCancelThenStop) {
    ScriptedDialogs dialogs;
    dialogs.setAnswers({"first", "second.mdl"});
    EXPECT_EQ(dialogs.inputBox("Prompt", "Title", "1"), "first");
    EXPECT_EQ(dialogs.openFileDialog("Warcraft III MDL|*.mdl"), "second.mdl");
    EXPECT_EQ(dialogs.inputBox("Again", "Title", "1"), "");
    EXPECT_THROW(dialogs.inputBox("Once more", "Title", "1"), common::ScriptExhausted);
    EXPECT_EQ(dialogs.prompts,
              (std::vector<std::string>{"Prompt", "Warcraft III MDL|*.mdl", "Again", "Once more"}));
}

TEST(ScriptedDialogs, EmptyAnswerCancelsAFileDialog) {
    ScriptedDialogs dialogs;
    dialogs.setAnswers({""});
    EXPECT_FALSE(dialogs.saveFileDialog("x").has_value());
    EXPECT_FALSE(dialogs.openFileDialog("x").has_value()); // the one Cancel of an empty queue
    EXPECT_THROW(dialogs.openFileDialog("x"), common::ScriptExhausted);
}

TEST(ScriptedDialogs, ANameWithoutExtensionGetsTheChosenFiltersExtension) {
    const std::string filter = "Warcraft III MDL|*.mdl|Warcraft III MDX|*.mdx;*.MDX|All|*";
    ScriptedDialogs dialogs;
    dialogs.setAnswers({"/m.v1/zombie_edit", "/m/zombie_edit", "/m/zombie.v2", "/m/any",
                        "/m/as_typed", ".hidden"});
    dialogs.saveFilterEntries = {1, 0, 1, 2};
    EXPECT_EQ(dialogs.saveFileDialog(filter), "/m.v1/zombie_edit.mdx");
    EXPECT_EQ(dialogs.saveFileDialog(filter), "/m/zombie_edit.mdl");
    EXPECT_EQ(dialogs.saveFileDialog(filter), "/m/zombie.v2");
    EXPECT_EQ(dialogs.saveFileDialog(filter), "/m/any"); // "*" names no extension
    // No entry scripted: the path exactly as given.
    EXPECT_EQ(dialogs.saveFileDialog(filter), "/m/as_typed");
    dialogs.saveFilterEntries = {0};
    EXPECT_EQ(dialogs.saveFileDialog(filter), ".hidden.mdl");

    EXPECT_EQ(common::filterExtension(filter, 1), ".mdx");
    EXPECT_EQ(common::filterExtension(filter, 3), "");
    EXPECT_EQ(common::filterExtension("Broken", 0), "");
}

TEST(ScriptedDialogs, NewAnswersAllowCancelAgain) {
    ScriptedDialogs dialogs;
    EXPECT_EQ(dialogs.inputBox("a", "", ""), "");
    dialogs.setAnswers({});
    EXPECT_EQ(dialogs.inputBox("b", "", ""), "");
    EXPECT_THROW(dialogs.inputBox("c", "", ""), common::ScriptExhausted);
}

TEST(ScriptedDialogs, RecordsMessagesCopyBoxesAndClipboard) {
    ScriptedDialogs dialogs;
    std::vector<std::string> seen;
    dialogs.onShown = [&](const ScriptedDialogs::Shown& shown) { seen.push_back(shown.title); };
    EXPECT_EQ(dialogs.messageBox("Bad file name", "Error", MessageButtons::Ok), MessageAnswer::Ok);
    dialogs.showTextToCopy("Centre", "Centre of selection", "{ 1, 2, 3 }");
    dialogs.setClipboardText("{ 1, 2, 3 }");
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].title, "Error");
    EXPECT_EQ(dialogs.shown[0].text, "Bad file name");
    EXPECT_FALSE(dialogs.shown[0].copyBox);
    EXPECT_TRUE(dialogs.shown[1].copyBox);
    EXPECT_EQ(dialogs.shown[1].text, "{ 1, 2, 3 }");
    EXPECT_EQ(seen, (std::vector<std::string>{"Error", "Centre of selection"}));
    EXPECT_TRUE(dialogs.clipboardSet);
    EXPECT_EQ(dialogs.clipboard, "{ 1, 2, 3 }");
}

TEST(ScriptedDialogs, YesNoBoxesTakeTheirOwnAnswersAndSayYesWhenNoneAreLeft) {
    ScriptedDialogs dialogs;
    dialogs.yesNoAnswers = {MessageAnswer::No};
    EXPECT_EQ(dialogs.messageBox("Sure?", "", MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(dialogs.messageBox("Sure?", "", MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

} // namespace
