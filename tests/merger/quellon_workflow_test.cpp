// The merger window's logic without Qt: start state, the three browse buttons with
// the output-path check, the bone list refresh, Merge with its messages, the help boxes.

#include "merger/quellon_workflow.h"

#include "common/scripted_dialogs.h"
#include "common/text_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using merger::TextureType;

std::string fixture(const std::string& name) {
    return testing_support::testDataPath("merger/" + name);
}

std::vector<std::string> entryTexts(const merger::QuellonWorkflow& workflow) {
    std::vector<std::string> texts;
    for (const auto& entry : workflow.boneList)
        texts.push_back(entry.text());
    return texts;
}

class QuellonWorkflowTest : public ::testing::Test {
  protected:
    common::ScriptedDialogs dialogs;
    merger::QuellonWorkflow workflow{&dialogs};
    testing_support::TempFolder folder;

    void answer(std::deque<std::string> answers) { dialogs.setAnswers(std::move(answers)); }
};

TEST_F(QuellonWorkflowTest, StartsEmptyWithTransparentChosen) {
    EXPECT_EQ(workflow.basePath, "");
    EXPECT_EQ(workflow.geosetPath, "");
    EXPECT_EQ(workflow.outputPath, "");
    EXPECT_EQ(workflow.texturePath, "");
    EXPECT_FALSE(workflow.twoSided);
    EXPECT_EQ(workflow.textureType, TextureType::Transparent);
    EXPECT_TRUE(workflow.boneList.empty());
    EXPECT_EQ(workflow.boneIndex, -1);
}

TEST_F(QuellonWorkflowTest, BrowseBaseFillsTheBoneListWithNoEntryChosen) {
    answer({fixture("base_three_bones.mdl")});
    workflow.browseBase();
    EXPECT_EQ(workflow.basePath, fixture("base_three_bones.mdl"));
    EXPECT_EQ(entryTexts(workflow),
              (std::vector<std::string>{"Root: No parent", "Arm: Root", "Hand: Arm"}));
    EXPECT_EQ(workflow.boneIndex, -1);
    EXPECT_EQ(dialogs.prompts, (std::vector<std::string>{merger::modelOpenFilter}));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(QuellonWorkflowTest, ChoosingAnotherBaseRefreshesTheList) {
    answer(
        {fixture("base_three_bones.mdl"), fixture("odd_ids.mdl"), fixture("base_three_bones.mdl")});
    workflow.browseBase();
    workflow.boneIndex = 2;
    workflow.browseBase();
    EXPECT_EQ(workflow.boneList.size(), 5u);
    EXPECT_EQ(workflow.boneList.front().text(), "Twelve: No parent");
    EXPECT_EQ(workflow.boneIndex, -1);
    workflow.browseBase(); // the same model again: cleared first, not appended
    EXPECT_EQ(entryTexts(workflow),
              (std::vector<std::string>{"Root: No parent", "Arm: Root", "Hand: Arm"}));
}

TEST_F(QuellonWorkflowTest, ABaseWithABadBoneHeaderShowsOneErrorAndAnEmptyList) {
    answer({fixture("base_three_bones.mdl"), fixture("bone_without_quotes.mdl")});
    workflow.browseBase();
    workflow.browseBase();
    EXPECT_TRUE(workflow.boneList.empty());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Error");
    EXPECT_NE(dialogs.shown[0].text.find("without a name in double quotes"), std::string::npos);
}

TEST_F(QuellonWorkflowTest, AMissingBaseShowsOneError) {
    answer({folder.file("missing.mdl")});
    workflow.browseBase();
    EXPECT_EQ(workflow.basePath, folder.file("missing.mdl"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "Cannot read the base model \"" + folder.file("missing.mdl") + "\".");
}

TEST_F(QuellonWorkflowTest, CancelledDialogsChangeNothing) {
    workflow.basePath = "a.mdl";
    workflow.geosetPath = "b.mdl";
    workflow.outputPath = "c.mdl";
    answer({"", "", ""});
    workflow.browseBase();
    workflow.browseGeoset();
    workflow.browseOutput();
    EXPECT_EQ(workflow.basePath, "a.mdl");
    EXPECT_EQ(workflow.geosetPath, "b.mdl");
    EXPECT_EQ(workflow.outputPath, "c.mdl");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(QuellonWorkflowTest, BrowseGeosetTakesThePath) {
    answer({fixture("two_geosets.mdl")});
    workflow.browseGeoset();
    EXPECT_EQ(workflow.geosetPath, fixture("two_geosets.mdl"));
    EXPECT_TRUE(workflow.boneList.empty());
}

TEST_F(QuellonWorkflowTest, OutputEqualToAnInputIsRefusedAndKeepsThePreviousPath) {
    workflow.basePath = "/models/base.mdl";
    workflow.geosetPath = "/models/geoset.mdl";
    answer({"/models/out.mdl", "/models/base.mdl", "/models/geoset.mdl"});
    workflow.browseOutput();
    EXPECT_EQ(workflow.outputPath, "/models/out.mdl");
    workflow.browseOutput();
    workflow.browseOutput();
    EXPECT_EQ(workflow.outputPath, "/models/out.mdl");
    ASSERT_EQ(dialogs.shown.size(), 2u);
    for (const auto& shown : dialogs.shown) {
        EXPECT_EQ(shown.title, "Error");
        EXPECT_EQ(shown.text, "Your output file must be different from both your input files.");
    }
}

TEST_F(QuellonWorkflowTest, TheOutputButtonComparesExactly) {
    workflow.basePath = "/models/Base.mdl";
    EXPECT_TRUE(workflow.chooseOutput("/models/base.mdl"));
    EXPECT_EQ(workflow.outputPath, "/models/base.mdl");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(QuellonWorkflowTest, MergeWritesTheModelAndSaysDone) {
    workflow.basePath = fixture("base_three_bones.mdl");
    workflow.geosetPath = fixture("two_geosets.mdl");
    workflow.outputPath = folder.file("out.mdl");
    workflow.texturePath = "Textures\\Arm.blp";
    workflow.textureType = TextureType::None;
    workflow.twoSided = true;
    ASSERT_TRUE(workflow.fillBoneList());
    workflow.boneIndex = 2;
    EXPECT_TRUE(workflow.mergeModels());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Done");
    EXPECT_EQ(dialogs.shown[0].title, "");
    const auto lines = *common::readAllLines(folder.file("out.mdl"));
    auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("\t\tImage \"Textures\\Arm.blp\","));
    EXPECT_TRUE(has("\t\t\tTwoSided,"));
    EXPECT_TRUE(has("\t\t\tstatic TextureID 2,"));
    EXPECT_TRUE(has("\tMaterialID 3,"));
    EXPECT_TRUE(has("\t\tMatrices { 2 },"));
}

TEST_F(QuellonWorkflowTest, MergeCanBeRepeatedWithChangedSettings) {
    workflow.basePath = fixture("base_three_bones.mdl");
    workflow.geosetPath = fixture("two_geosets.mdl");
    workflow.outputPath = folder.file("out.mdl");
    EXPECT_TRUE(workflow.mergeModels());
    workflow.textureType = TextureType::Additive;
    EXPECT_TRUE(workflow.mergeModels());
    const auto lines = *common::readAllLines(folder.file("out.mdl"));
    // The second run replaced the first: one new material, Additive; the base model's own
    // Transparent material is still there once.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "\t\t\tFilterMode Additive,"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "\t\t\tFilterMode Transparent,"), 1);
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(QuellonWorkflowTest, ATypedOutputEqualToAnInputIsRefusedByMerge) {
    const auto base = folder.copyIn(fixture("base_three_bones.mdl"), "base.mdl");
    const auto before = testing_support::readFile(base);
    workflow.basePath = base;
    workflow.geosetPath = fixture("two_geosets.mdl");
    workflow.outputPath = base;
    EXPECT_FALSE(workflow.mergeModels());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Error");
    EXPECT_EQ(dialogs.shown[0].text,
              "Your output file must be different from both your input files.");
    EXPECT_EQ(testing_support::readFile(base), before);
}

TEST_F(QuellonWorkflowTest, MergeWithEmptyPathsShowsOneError) {
    EXPECT_FALSE(workflow.mergeModels());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "Error");
    EXPECT_EQ(dialogs.shown[0].text, "Choose a base model first.");
}

TEST_F(QuellonWorkflowTest, InstructionsAndAbout) {
    workflow.showInstructions();
    workflow.showAbout();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].title, "Instructions");
    EXPECT_EQ(dialogs.shown[0].text,
              "This program automates the final step of geoset merging. It takes the base "
              "model (which you are merging onto) and the geoset (which are are merging on), and "
              "writes it to the specified file. To set up the texture, simply type in the full "
              "path and choose your type. You must also choose which bone the new geoset is to "
              "be attached to. The bones have both their name and their parent's name listed.");
    EXPECT_EQ(dialogs.shown[1].title, "About");
    EXPECT_TRUE(dialogs.shown[1].text.starts_with("Quellon"));
}

} // namespace
