// The bone directory: startsWith, idOfNthBone, nameOfId with its prefix quirk and
// fillBoneList, on hand-written fixtures, small inline models and the corpus.

#include "merger/bone_directory.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using merger::BoneEntry;
using merger::Lines;

std::string fixture(const std::string& name) {
    return testing_support::testDataPath("merger/" + name);
}

std::string corpusFile(const std::string& name) {
    return (std::filesystem::path(MOLDRIN_CORPUS_DIR) / name).string();
}

std::vector<std::string> entryTexts(const std::vector<BoneEntry>& entries) {
    std::vector<std::string> texts;
    for (const auto& entry : entries)
        texts.push_back(entry.text());
    return texts;
}

// The worked example: Root (id 0, no parent line) and Arm (id 1, parent 0).
const Lines rootAndArm = {
    "Version {",
    "\tFormatVersion 800,",
    "}",
    "Bone \"Root\" {",
    "\tObjectId 0,",
    "}",
    "Bone \"Arm\" {",
    "\tObjectId 1,",
    "\tParent 0,",
    "}",
    "PivotPoints 2 {",
    "\t{ 0, 0, 0 },",
    "\t{ 0, 0, 1 },",
    "}",
};

TEST(MergerStartsWith, IsACaseSensitivePrefixTest) {
    EXPECT_TRUE(merger::startsWith("Bone \"Arm\" {", "Bone"));
    EXPECT_TRUE(merger::startsWith("Bone", "Bone"));
    EXPECT_TRUE(merger::startsWith("anything", ""));
    EXPECT_FALSE(merger::startsWith("bone \"Arm\" {", "Bone"));
    EXPECT_FALSE(merger::startsWith("Bon", "Bone"));
    EXPECT_FALSE(merger::startsWith("  ObjectId 1,", "\tObjectId"));
}

TEST(MergerIdOfNthBone, CountsBoneHeadersFromOne) {
    const auto base = fixture("base_three_bones.mdl");
    EXPECT_EQ(merger::idOfNthBone(base, 1).value, 0);
    EXPECT_EQ(merger::idOfNthBone(base, 2).value, 1);
    EXPECT_EQ(merger::idOfNthBone(base, 3).value, 2);
}

TEST(MergerIdOfNthBone, ZeroIsMinusOneForAWellFormedModel) {
    const auto result = merger::idOfNthBone(fixture("base_three_bones.mdl"), 0);
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.value, -1);
    EXPECT_EQ(merger::idOfNthBone(rootAndArm, 0).value, -1);
}

TEST(MergerIdOfNthBone, PastTheLastBoneIsMinusOne) {
    const auto base = fixture("base_three_bones.mdl");
    EXPECT_EQ(merger::idOfNthBone(base, 4).value, -1); // the helper's id is not a bone's
    EXPECT_EQ(merger::idOfNthBone(base, 100).value, -1);
    EXPECT_EQ(merger::idOfNthBone(base, -1).value, -1); // no entry chosen
    EXPECT_EQ(merger::idOfNthBone(rootAndArm, 3).value, -1);
}

TEST(MergerIdOfNthBone, ReadsTheIdsAsWrittenNotThePosition) {
    const auto odd = fixture("odd_ids.mdl");
    EXPECT_EQ(merger::idOfNthBone(odd, 1).value, 12);
    EXPECT_EQ(merger::idOfNthBone(odd, 2).value, 1);
    EXPECT_EQ(merger::idOfNthBone(odd, 4).value, 11);
    EXPECT_EQ(merger::idOfNthBone(odd, 5).value, 13);
}

TEST(MergerNameOfId, OneDoesNotReturnTheNodeWithIdTwelve) {
    // "Twelve" (id 12) comes first, and its line starts with a tab, "ObjectId " and "1".
    const auto result = merger::nameOfId(fixture("odd_ids.mdl"), 1);
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.value, "One");
    EXPECT_EQ(merger::nameOfId(fixture("odd_ids.mdl"), 12).value, "Twelve");
}

TEST(MergerNameOfId, FindsHelpersAndBones) {
    const auto odd = fixture("odd_ids.mdl");
    EXPECT_EQ(merger::nameOfId(odd, 10).value, "Holder");
    EXPECT_EQ(merger::nameOfId(odd, 11).value, "HeldByHelper");
    EXPECT_EQ(merger::nameOfId(fixture("base_three_bones.mdl"), 3).value, "Grip");
}

TEST(MergerNameOfId, AnUnknownIdGivesAnEmptyName) {
    const auto odd = fixture("odd_ids.mdl");
    EXPECT_EQ(merger::nameOfId(odd, 7).value, "");
    EXPECT_EQ(merger::nameOfId(odd, 4).value, "");
    EXPECT_EQ(merger::nameOfId(odd, -1).value, "");
}

TEST(MergerNameOfId, AnIdOfAnotherKindOfNodeGivesTheLastBoneOrHelperAbove) {
    // The light "Lamp" (id 5) follows the bone "Orphan".
    EXPECT_EQ(merger::nameOfId(fixture("odd_ids.mdl"), 5).value, "Orphan");
}

TEST(MergerFillBoneList, WorkedExampleRootAndArm) {
    const auto result = merger::fillBoneList(rootAndArm);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(entryTexts(result.value), (std::vector<std::string>{"Root: No parent", "Arm: Root"}));
    EXPECT_EQ(result.value[1], (BoneEntry{"Arm", "Root"}));
}

TEST(MergerFillBoneList, ThreeBonesInFileOrderWithoutHelpers) {
    const auto result = merger::fillBoneList(fixture("base_three_bones.mdl"));
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(entryTexts(result.value),
              (std::vector<std::string>{"Root: No parent", "Arm: Root", "Hand: Arm"}));
}

TEST(MergerFillBoneList, OddIdsAndParentsOutsideTheBones) {
    const auto result = merger::fillBoneList(fixture("odd_ids.mdl"));
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(entryTexts(result.value),
              (std::vector<std::string>{"Twelve: No parent", "One: Twelve",
                                        "Orphan: ", "HeldByHelper: Holder", "LitByLamp: Orphan"}));
}

TEST(MergerFillBoneList, ABoneWithoutParentLineHasNoParent) {
    const Lines lines = {"Bone \"Lonely\" {", "\tObjectId 0,", "\tGeosetId 0,", "}"};
    const auto result = merger::fillBoneList(lines);
    ASSERT_EQ(result.value.size(), 1u);
    EXPECT_EQ(result.value[0].text(), "Lonely: No parent");
}

TEST(MergerFillBoneList, ABoneWithoutClosingLineIsNotListed) {
    const Lines lines = {"Bone \"Open\" {", "\tObjectId 0,"};
    EXPECT_TRUE(merger::fillBoneList(lines).value.empty());
}

TEST(MergerFillBoneList, ABoneHeaderWithoutQuotesIsOneClearError) {
    const auto path = fixture("bone_without_quotes.mdl");
    const auto result = merger::fillBoneList(path);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.value.empty());
    EXPECT_EQ(result.error, "Line 10 of the base model \"" + path +
                                "\" is a bone header without a name in double quotes.");
}

TEST(MergerNameOfId, AHelperHeaderWithoutQuotesIsAnError) {
    const Lines lines = {"Helper Grip {", "\tObjectId 3,", "}"};
    const auto result = merger::nameOfId(lines, 3);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.error,
              "Line 1 of the base model is a helper header without a name in double quotes.");
}

TEST(MergerIdOfNthBone, AnObjectIdThatIsNoNumberIsAnErrorOnlyWhenRead) {
    const Lines lines = {"Bone \"A\" {", "\tObjectId x,", "}",
                         "Bone \"B\" {", "\tObjectId 4,", "}"};
    EXPECT_EQ(merger::idOfNthBone(lines, 2).value, 4);
    const auto result = merger::idOfNthBone(lines, 1);
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.error.find("Line 2 of the base model has an object id"), std::string::npos);
}

TEST(MergerIdOfNthBone, AnObjectIdWithoutCommaOrOutOfRangeIsAnError) {
    EXPECT_FALSE(merger::idOfNthBone(Lines{"Bone \"A\" {", "\tObjectId 4", "}"}, 1).ok());
    EXPECT_FALSE(merger::idOfNthBone(Lines{"Bone \"A\" {", "\tObjectId 40000,", "}"}, 1).ok());
    EXPECT_FALSE(merger::idOfNthBone(Lines{"Bone \"A\" {", "\tObjectId ,", "}"}, 1).ok());
}

TEST(MergerFillBoneList, AParentThatIsNoNumberIsAnError) {
    const Lines lines = {"Bone \"A\" {", "\tObjectId 0,", "\tParent none,", "}"};
    const auto result = merger::fillBoneList(lines);
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.error.find("Line 3 of the base model has a parent id"), std::string::npos);
}

TEST(MergerBaseModel, EmptyAndMissingPathsGiveOneMessage) {
    EXPECT_EQ(merger::fillBoneList(std::string()).error, "Choose a base model first.");
    const std::string missing = "/nonexistent/folder/model.mdl";
    EXPECT_EQ(merger::fillBoneList(missing).error,
              "Cannot read the base model \"/nonexistent/folder/model.mdl\".");
    EXPECT_FALSE(merger::idOfNthBone(missing, 1).ok());
    EXPECT_FALSE(merger::nameOfId(missing, 1).ok());
    testing_support::TempFolder folder;
    EXPECT_FALSE(merger::fillBoneList(folder.path().string()).ok()); // a folder
}

TEST(MergerBaseModel, CrLfAndLfFilesGiveTheSameList) {
    testing_support::TempFolder folder;
    std::string lf;
    for (const auto& line : rootAndArm)
        lf += line + "\n";
    std::string crlf;
    for (const auto& line : rootAndArm)
        crlf += line + "\r\n";
    const auto a = merger::fillBoneList(folder.write("lf.mdl", lf));
    const auto b = merger::fillBoneList(folder.write("crlf.mdl", crlf));
    EXPECT_EQ(entryTexts(a.value), (std::vector<std::string>{"Root: No parent", "Arm: Root"}));
    EXPECT_EQ(a.value, b.value);
}

class MergerCorpusBones : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::is_directory(MOLDRIN_CORPUS_DIR))
            GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    }
};

TEST_F(MergerCorpusBones, BoneCountsOfTheCorpus) {
    const std::vector<std::pair<std::string, std::size_t>> expected = {
        {"az_lightning_ring.mdl", 2},      {"bar_shade_hmp.mdl", 2},    {"heroglow_crlf.mdl", 1},
        {"minimap_ping2.mdl", 4},          {"palisade_segment.mdl", 1}, {"palm_tree.mdl", 19},
        {"rider_12geosets_large.mdl", 52}, {"spongebob.mdl", 28},       {"villager_zombie.mdl", 29},
    };
    for (const auto& [name, count] : expected) {
        const auto result = merger::fillBoneList(corpusFile(name));
        ASSERT_TRUE(result.ok()) << name << ": " << result.error;
        EXPECT_EQ(result.value.size(), count) << name;
    }
}

TEST_F(MergerCorpusBones, ParentsAreHelpersOrBones) {
    // Both bones of the lightning ring hang below the helper "AZModel"; the names are UTF-8.
    const auto ring = merger::fillBoneList(corpusFile("az_lightning_ring.mdl"));
    ASSERT_TRUE(ring.ok()) << ring.error;
    EXPECT_EQ(entryTexts(ring.value),
              (std::vector<std::string>{"az_\xE9\x97\xAA\xE7\x94\xB5: AZModel",
                                        "az_\xE5\xBA\x95\xE9\x83\xA8\xE6\x97\x8B\xE8\xBD\xAC"
                                        "\xE5\x85\x89\xE6\x99\x95: AZModel"}));
    const auto palm = merger::fillBoneList(corpusFile("palm_tree.mdl"));
    ASSERT_TRUE(palm.ok()) << palm.error;
    EXPECT_EQ(palm.value.at(0).text(), "Dummy01: No parent");
    EXPECT_EQ(palm.value.at(1).text(), "Dummy02: Dummy01");
    const auto ping = merger::fillBoneList(corpusFile("minimap_ping2.mdl"));
    EXPECT_EQ(entryTexts(ping.value),
              (std::vector<std::string>{"Ping Arrows: No parent", "Ping: No parent",
                                        "Ping Echo: No parent", "Ally Ping01: No parent"}));
}

TEST_F(MergerCorpusBones, EveryParentOfTheLargeModelIsNamed) {
    const auto rider = merger::fillBoneList(corpusFile("rider_12geosets_large.mdl"));
    ASSERT_TRUE(rider.ok()) << rider.error;
    EXPECT_EQ(rider.value.at(0).text(), "Bone_Bip001 R UpperArm: Bone_Bip001 R Clavicle");
    for (const auto& entry : rider.value)
        EXPECT_FALSE(entry.parentText.empty()) << entry.boneName;
}

} // namespace
