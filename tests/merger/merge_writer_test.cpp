// The merge writer: the texture and material lines of every type, the geoset copy
// with its bone and material rewritten, the numbering of a whole merge and the file write.

#include "merger/bone_directory.h"
#include "merger/merge_writer.h"

#include "common/text_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using merger::Lines;
using merger::TextureChoice;
using merger::TextureType;

std::string fixture(const std::string& name) {
    return testing_support::testDataPath("merger/" + name);
}

Lines fixtureLines(const std::string& name) {
    auto lines = common::readAllLines(fixture(name));
    if (!lines)
        throw std::runtime_error("cannot read fixture " + name);
    return *lines;
}

std::string corpusFile(const std::string& name) {
    return (std::filesystem::path(MOLDRIN_CORPUS_DIR) / name).string();
}

TextureChoice choice(TextureType type, bool twoSided = false,
                     const std::string& path = "Textures\\New.blp") {
    return {path, twoSided, type};
}

Lines texturesOf(const TextureChoice& texture) {
    Lines out;
    merger::writeTextures(out, texture);
    return out;
}

Lines materialOf(const TextureChoice& texture, int index) {
    Lines out;
    merger::writeMaterial(out, texture, index);
    return out;
}

// A small reading of a merged model: where its blocks are and what its geosets say.
struct ModelReading {
    std::vector<std::size_t> geosetStarts; // line indices of "Geoset {"
    std::vector<std::string> materialIdLines;
    std::vector<std::string> matricesLines;
    std::size_t vertexGroupEntries = 0;
    std::size_t vertexGroupZeroes = 0;

    explicit ModelReading(const Lines& lines) {
        bool inGeoset = false;
        bool inVertexGroup = false;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const auto& line = lines[i];
            if (line == "Geoset {") {
                inGeoset = true;
                geosetStarts.push_back(i);
            } else if (line == "}") {
                inGeoset = false;
            } else if (inGeoset) {
                if (line == "\tVertexGroup {") {
                    inVertexGroup = true;
                } else if (line == "\t}") {
                    inVertexGroup = false;
                } else if (inVertexGroup) {
                    ++vertexGroupEntries;
                    vertexGroupZeroes += line == "\t\t0,";
                } else if (line.starts_with("\tMaterialID")) {
                    materialIdLines.push_back(line);
                } else if (line.starts_with("\t\tMatrices")) {
                    matricesLines.push_back(line);
                }
            }
        }
    }
};

// Whether every line of base is in merged, in order; the counts a merge writes anew (the
// Textures and Materials headers, NumGeosets) are passed over.
bool keepsEveryBaseLine(const Lines& base, const Lines& merged) {
    const auto isCount = [](const std::string& line) {
        return line.starts_with("Textures ") || line.starts_with("Materials ") ||
               line.starts_with("\tNumGeosets ");
    };
    std::size_t at = 0;
    for (const auto& line : merged) {
        while (at < base.size() && isCount(base[at]))
            ++at;
        if (at < base.size() && line == base[at])
            ++at;
    }
    return at == base.size();
}

std::size_t indexOf(const Lines& lines, const std::string& wanted, std::size_t from = 0) {
    for (std::size_t i = from; i < lines.size(); ++i)
        if (lines[i] == wanted)
            return i;
    return lines.size();
}

// --- writeTextures -------------------------------------------------------------------------

TEST(MergerWriteTextures, TransparentAndNoneWriteOneImageTexture) {
    const Lines expected = {"\tBitmap {", "\t\tImage \"Textures\\New.blp\",", "\t}"};
    EXPECT_EQ(texturesOf(choice(TextureType::Transparent)), expected);
    EXPECT_EQ(texturesOf(choice(TextureType::None)), expected);
    EXPECT_EQ(texturesOf(choice(TextureType::None, true)), expected);
}

TEST(MergerWriteTextures, TeamColorAddsTheTeamColourTexture) {
    const Lines expected = {"\tBitmap {",
                            "\t\tImage \"Textures\\New.blp\",",
                            "\t}",
                            "\tBitmap {",
                            "\t\tImage \"\",",
                            "\t\tReplaceableId 1,",
                            "\t}"};
    EXPECT_EQ(texturesOf(choice(TextureType::TeamColor)), expected);
}

TEST(MergerWriteTextures, AdditiveIgnoresThePath) {
    const Lines expected = {"\tBitmap {", "\t\tImage \"\",", "\t\tReplaceableId 2,", "\t}"};
    EXPECT_EQ(texturesOf(choice(TextureType::Additive)), expected);
}

TEST(MergerWriteTextures, ThePathIsWrittenAsTypedEvenEmpty) {
    EXPECT_EQ(texturesOf(choice(TextureType::Transparent, false, ""))[1], "\t\tImage \"\",");
    EXPECT_EQ(texturesOf(choice(TextureType::Transparent, false, "a \"b\" c.blp"))[1],
              "\t\tImage \"a \"b\" c.blp\",");
}

// --- writeMaterial -------------------------------------------------------------------------

TEST(MergerWriteMaterial, TeamColorHasTwoLayers) {
    const Lines expected = {"\tMaterial {",
                            "\t\tLayer {",
                            "\t\t\tFilterMode None,",
                            "\t\t\tUnshaded,",
                            "\t\t\tstatic TextureID 3,",
                            "\t\t}",
                            "\t\tLayer {",
                            "\t\t\tFilterMode Blend,",
                            "\t\t\tstatic TextureID 2,",
                            "\t\t}",
                            "\t}"};
    EXPECT_EQ(materialOf(choice(TextureType::TeamColor), 2), expected);
    EXPECT_EQ(materialOf(choice(TextureType::TeamColor, true), 2), expected); // not consulted
}

TEST(MergerWriteMaterial, AdditiveIsAlwaysTwoSided) {
    const Lines expected = {"\tMaterial {",
                            "\t\tLayer {",
                            "\t\t\tFilterMode Additive,",
                            "\t\t\tUnshaded,",
                            "\t\t\tTwoSided,",
                            "\t\t\tstatic TextureID 0,",
                            "\t\t}",
                            "\t}"};
    EXPECT_EQ(materialOf(choice(TextureType::Additive), 0), expected);
    EXPECT_EQ(materialOf(choice(TextureType::Additive, true), 0), expected);
}

TEST(MergerWriteMaterial, NoneAndTransparentAskTheTwoSidedBox) {
    EXPECT_EQ(materialOf(choice(TextureType::None), 7),
              (Lines{"\tMaterial {", "\t\tLayer {", "\t\t\tFilterMode None,",
                     "\t\t\tstatic TextureID 7,", "\t\t}", "\t}"}));
    EXPECT_EQ(materialOf(choice(TextureType::None, true), 7),
              (Lines{"\tMaterial {", "\t\tLayer {", "\t\t\tFilterMode None,", "\t\t\tTwoSided,",
                     "\t\t\tstatic TextureID 7,", "\t\t}", "\t}"}));
    EXPECT_EQ(materialOf(choice(TextureType::Transparent), 12),
              (Lines{"\tMaterial {", "\t\tLayer {", "\t\t\tFilterMode Transparent,",
                     "\t\t\tstatic TextureID 12,", "\t\t}", "\t}"}));
    EXPECT_EQ(materialOf(choice(TextureType::Transparent, true), 12),
              (Lines{"\tMaterial {", "\t\tLayer {", "\t\t\tFilterMode Transparent,",
                     "\t\t\tTwoSided,", "\t\t\tstatic TextureID 12,", "\t\t}", "\t}"}));
}

// --- writeGeosets --------------------------------------------------------------------------

TEST(MergerWriteGeosets, CopiesOnlyTheGeosetBlocks) {
    Lines out;
    merger::writeGeosets(out, fixtureLines("two_geosets.mdl"), 5, 9);
    const ModelReading reading(out);
    ASSERT_EQ(reading.geosetStarts.size(), 2u);
    EXPECT_EQ(out.front(), "Geoset {");
    EXPECT_EQ(out.back(), "}");
    for (const auto& line : out) {
        EXPECT_FALSE(line.starts_with("Bone")) << line;
        EXPECT_FALSE(line.starts_with("Textures")) << line;
        EXPECT_FALSE(line.starts_with("Version")) << line;
        EXPECT_NE(line, "\t\tImage \"Textures\\Geoset.blp\",");
    }
}

TEST(MergerWriteGeosets, BindsEveryVertexToOneGroupOfTheBone) {
    Lines out;
    merger::writeGeosets(out, fixtureLines("two_geosets.mdl"), 5, 9);
    const ModelReading reading(out);
    EXPECT_EQ(reading.vertexGroupEntries, 7u);
    EXPECT_EQ(reading.vertexGroupZeroes, 7u);
    EXPECT_EQ(reading.matricesLines, (Lines{"\t\tMatrices { 9 },", "\t\tMatrices { 9 },"}));
    EXPECT_EQ(reading.materialIdLines, (Lines{"\tMaterialID 5,", "\tMaterialID 5,"}));
    // The old matrix group block is gone, its closing line included.
    const auto groups = indexOf(out, "\tGroups 1 1 {");
    ASSERT_LT(groups + 3, out.size());
    EXPECT_EQ(out[groups + 1], "\t\tMatrices { 9 },");
    EXPECT_EQ(out[groups + 2], "\t}");
    EXPECT_EQ(out[groups + 3], "\tMinimumExtent { 0, 0, 0 },");
    EXPECT_EQ(std::count(out.begin(), out.end(), "\tGroups 1 1 {"), 2);
}

TEST(MergerWriteGeosets, KeepsEverythingElseOfTheGeoset) {
    const auto input = fixtureLines("two_geosets.mdl");
    Lines out;
    merger::writeGeosets(out, input, 0, 0);
    // Every line of a geoset block outside its vertex groups, matrix groups and material id is
    // copied unchanged, in order.
    Lines expected;
    bool inGeoset = false;
    for (const auto& line : input) {
        if (line == "Geoset {")
            inGeoset = true;
        if (inGeoset && !line.starts_with("		") && !line.starts_with("	Groups") &&
            !line.starts_with("	MaterialID") && line != "	}")
            expected.push_back(line);
        if (line == "}")
            inGeoset = false;
    }
    Lines kept;
    for (const auto& line : out)
        if (!line.starts_with("		") && !line.starts_with("	Groups") &&
            !line.starts_with("	MaterialID") && line != "	}")
            kept.push_back(line);
    EXPECT_EQ(kept, expected);
    EXPECT_EQ(kept.size(), 2u * 11u); // per geoset: its header and end, 5 block headers, 4 items
    EXPECT_NE(indexOf(out, "			{ 0, 1, 2, 2, 1, 3 },"), out.size());
    EXPECT_NE(indexOf(out, "		{ 5, 6, 5 },"), out.size());
}

TEST(MergerWriteGeosets, AGroupsBlockWithoutEndDropsTheRest) {
    const Lines input = {"Geoset {", "\tGroups 1 1 {", "\t\tMatrices { 0 },"};
    Lines out;
    merger::writeGeosets(out, input, 1, 2);
    EXPECT_EQ(out, (Lines{"Geoset {", "\tGroups 1 1 {", "\t\tMatrices { 2 },", "\t}"}));
}

// --- a whole merge ---------------------------------------------------------------------------

class MergerMergeLines : public ::testing::Test {
  protected:
    Lines base = fixtureLines("base_three_bones.mdl");
    Lines geosets = fixtureLines("two_geosets.mdl");
};

TEST_F(MergerMergeLines, TeamColorWithTwoTexturesAndThreeMaterials) {
    const auto merged = merger::mergeLines(base, geosets, choice(TextureType::TeamColor), 0);
    // The textures block counts the two new entries and ends with the image entry (index 2),
    // then the team colour entry (index 3).
    const auto textures = indexOf(merged, "Textures 4 {");
    ASSERT_LT(textures, merged.size());
    const auto texturesEnd = indexOf(merged, "}", textures);
    const Lines tail(merged.begin() + static_cast<long>(texturesEnd) - 7,
                     merged.begin() + static_cast<long>(texturesEnd));
    EXPECT_EQ(tail, texturesOf(choice(TextureType::TeamColor)));
    EXPECT_EQ(std::count(merged.begin() + static_cast<long>(textures),
                         merged.begin() + static_cast<long>(texturesEnd), "\tBitmap {"),
              4);
    // The material with layers naming 3 then 2 closes the materials block, counted.
    const auto materials = indexOf(merged, "Materials 4 {");
    ASSERT_LT(materials, merged.size());
    const auto materialsEnd = indexOf(merged, "}", materials);
    const Lines material(merged.begin() + static_cast<long>(materialsEnd) - 11,
                         merged.begin() + static_cast<long>(materialsEnd));
    EXPECT_EQ(material, materialOf(choice(TextureType::TeamColor), 2));
    // The inserted geosets name material 3.
    const ModelReading reading(merged);
    ASSERT_EQ(reading.geosetStarts.size(), 3u);
    EXPECT_EQ(reading.materialIdLines,
              (Lines{"\tMaterialID 0,", "\tMaterialID 3,", "\tMaterialID 3,"}));
}

TEST_F(MergerMergeLines, GeosetsGoJustBeforeTheFirstGeosetAnimation) {
    const auto merged = merger::mergeLines(base, geosets, choice(TextureType::None), 2);
    const ModelReading reading(merged);
    ASSERT_EQ(reading.geosetStarts.size(), 3u);
    const auto anim = indexOf(merged, "GeosetAnim {");
    ASSERT_LT(anim, merged.size());
    EXPECT_EQ(merged[anim - 1], "}");
    EXPECT_LT(reading.geosetStarts[2], anim);
    EXPECT_EQ(indexOf(merged, "}", reading.geosetStarts[2]), anim - 1);
    // The base model's own geoset stays first and unchanged.
    EXPECT_EQ(reading.matricesLines,
              (Lines{"\t\tMatrices { 0 },", "\t\tMatrices { 2 },", "\t\tMatrices { 2 },"}));
}

TEST_F(MergerMergeLines, EveryBaseLineIsKeptInOrder) {
    const auto merged = merger::mergeLines(base, geosets, choice(TextureType::Additive), 1);
    EXPECT_TRUE(keepsEveryBaseLine(base, merged));
    Lines inserted;
    merger::writeGeosets(inserted, geosets, 3, 1);
    EXPECT_EQ(merged.size(), base.size() + 4 /* texture */ + 8 /* material */ + inserted.size());
}

TEST_F(MergerMergeLines, TheCountsTheMergeChangesFollowTheEntries) {
    // 2 textures + image and team colour, 3 materials + 1, 1 geoset + 2; one geoset animation
    // before and after.
    const auto merged = merger::mergeLines(base, geosets, choice(TextureType::TeamColor), 0);
    EXPECT_NE(indexOf(merged, "Textures 4 {"), merged.size());
    EXPECT_NE(indexOf(merged, "Materials 4 {"), merged.size());
    EXPECT_NE(indexOf(merged, "\tNumGeosets 3,"), merged.size());
    EXPECT_NE(indexOf(merged, "\tNumGeosetAnims 1,"), merged.size());
}

TEST_F(MergerMergeLines, TheThirdBoneOfIdsZeroOneTwoGivesMatricesTwo) {
    const auto boneId = merger::idOfNthBone(base, 2).value + 1; // entry 2 of the list
    EXPECT_EQ(boneId, 2);
    const auto merged = merger::mergeLines(base, geosets, choice(TextureType::Transparent), boneId);
    const ModelReading reading(merged);
    EXPECT_EQ(reading.matricesLines[1], "\t\tMatrices { 2 },");
    EXPECT_EQ(reading.matricesLines[2], "\t\tMatrices { 2 },");
}

TEST(MergerMergeLinesEdges, NoTexturesOrMaterialsBlockGivesNoNewEntries) {
    const Lines base = {"Version {",       "\tFormatVersion 800,", "}",
                        "Bone \"Root\" {", "\tObjectId 0,",        "}"};
    const Lines geoset = {"Geoset {", "\tMaterialID 0,", "}"};
    const auto merged = merger::mergeLines(base, geoset, choice(TextureType::TeamColor), 0);
    EXPECT_EQ(merged, (Lines{"Version {", "\tFormatVersion 800,", "}", "Geoset {",
                             "\tMaterialID 0,", "}", "Bone \"Root\" {", "\tObjectId 0,", "}"}));
}

TEST(MergerMergeLinesEdges, MaterialsBeforeTexturesStillNameTheNewTexture) {
    // The order of binary models and of their MDL conversions.
    const Lines base = {"Materials 1 {",
                        "\tMaterial {",
                        "\t\tLayer {",
                        "\t\t\tstatic TextureID 1,",
                        "\t\t}",
                        "\t}",
                        "}",
                        "Textures 2 {",
                        "\tBitmap {",
                        "\t\tImage \"a.blp\",",
                        "\t}",
                        "\tBitmap {",
                        "\t\tImage \"b.blp\",",
                        "\t}",
                        "}"};
    const Lines geoset = {"Geoset {", "\tMaterialID 0,", "}"};
    const auto merged = merger::mergeLines(base, geoset, choice(TextureType::Transparent), 0);
    Lines material;
    merger::writeMaterial(material, choice(TextureType::Transparent), 2);
    EXPECT_TRUE(std::search(merged.begin(), merged.end(), material.begin(), material.end()) !=
                merged.end());
}

TEST(MergerMergeLinesEdges, NoNodeHeaderGivesNoGeosets) {
    const Lines base = {"Textures 1 {", "\tBitmap {", "\t\tImage \"a.blp\",", "\t}", "}"};
    const Lines geoset = {"Geoset {", "\tMaterialID 0,", "}"};
    const auto merged = merger::mergeLines(base, geoset, choice(TextureType::None), 0);
    EXPECT_EQ(merged, (Lines{"Textures 2 {", "\tBitmap {", "\t\tImage \"a.blp\",", "\t}",
                             "\tBitmap {", "\t\tImage \"Textures\\New.blp\",", "\t}", "}"}));
}

TEST(MergerMergeLinesEdges, AGeosetModelWithTwoGeosetsInsertedTwice) {
    // Merging the result again with the same geosets: both runs bind to the same bone and
    // material numbering of their own base.
    const auto base = fixtureLines("base_three_bones.mdl");
    const auto geosets = fixtureLines("two_geosets.mdl");
    const auto once = merger::mergeLines(base, geosets, choice(TextureType::None), 1);
    const auto twice = merger::mergeLines(once, geosets, choice(TextureType::None), 1);
    const ModelReading reading(twice);
    ASSERT_EQ(reading.geosetStarts.size(), 5u);
    EXPECT_EQ(reading.materialIdLines,
              (Lines{"\tMaterialID 0,", "\tMaterialID 3,", "\tMaterialID 3,", "\tMaterialID 4,",
                     "\tMaterialID 4,"}));
    EXPECT_EQ(std::count(twice.begin(), twice.end(), "\t\tMatrices { 1 },"), 4);
}

// --- mergeModels: files --------------------------------------------------------------------

class MergerMergeModels : public ::testing::Test {
  protected:
    testing_support::TempFolder folder;
    merger::MergeRequest request() const {
        merger::MergeRequest r;
        r.basePath = fixture("base_three_bones.mdl");
        r.geosetPath = fixture("two_geosets.mdl");
        r.outputPath = folder.file("out.mdl");
        r.texture = choice(TextureType::TeamColor);
        r.boneIndex = 2;
        return r;
    }
    std::vector<std::string> folderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(MergerMergeModels, WritesTheMergedModelWithCrLf) {
    const auto r = request();
    const auto result = merger::mergeModels(r);
    ASSERT_TRUE(result.ok()) << result.error;
    const auto text = testing_support::readFile(r.outputPath);
    EXPECT_TRUE(text.starts_with("// Hand-written base model"));
    EXPECT_NE(text.find("\tGroups 1 1 {\r\n\t\tMatrices { 2 },\r\n\t}\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\n\n"), std::string::npos);
    const auto expected = merger::mergeLines(fixtureLines("base_three_bones.mdl"),
                                             fixtureLines("two_geosets.mdl"), r.texture, 2);
    EXPECT_EQ(*common::readAllLines(r.outputPath), expected);
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"out.mdl"}));
}

TEST_F(MergerMergeModels, NoEntryChosenBindsToIdZero) {
    auto r = request();
    r.boneIndex = -1;
    ASSERT_TRUE(merger::mergeModels(r).ok());
    const ModelReading reading(*common::readAllLines(r.outputPath));
    EXPECT_EQ(reading.matricesLines[1], "\t\tMatrices { 0 },");
    r.boneIndex = 0; // the first entry: idOfNthBone(0) is -1 as well
    ASSERT_TRUE(merger::mergeModels(r).ok());
    EXPECT_EQ(ModelReading(*common::readAllLines(r.outputPath)).matricesLines[2],
              "\t\tMatrices { 0 },");
}

TEST_F(MergerMergeModels, ReplacesAnExistingOutput) {
    auto r = request();
    folder.write("out.mdl", "old content\r\n");
    ASSERT_TRUE(merger::mergeModels(r).ok());
    EXPECT_TRUE(testing_support::readFile(r.outputPath).starts_with("// Hand-written"));
}

TEST_F(MergerMergeModels, OutputEqualToAnInputIsRefused) {
    const auto base = folder.copyIn(fixture("base_three_bones.mdl"), "base.mdl");
    const auto geoset = folder.copyIn(fixture("two_geosets.mdl"), "geoset.mdl");
    const auto baseText = testing_support::readFile(base);
    auto r = request();
    r.basePath = base;
    r.geosetPath = geoset;
    for (const auto& output : {base, geoset, (folder.path() / "." / "base.mdl").string(),
                               (folder.path() / "sub" / ".." / "geoset.mdl").string()}) {
        if (output.find("sub") != std::string::npos)
            std::filesystem::create_directory(folder.path() / "sub");
        r.outputPath = output;
        const auto result = merger::mergeModels(r);
        EXPECT_FALSE(result.ok()) << output;
        EXPECT_EQ(result.error, "Your output file must be different from both your input files.");
    }
    EXPECT_EQ(testing_support::readFile(base), baseText);
}

TEST_F(MergerMergeModels, EmptyPathsGiveOneMessageEach) {
    auto r = request();
    r.basePath.clear();
    EXPECT_EQ(merger::mergeModels(r).error, "Choose a base model first.");
    r = request();
    r.geosetPath.clear();
    EXPECT_EQ(merger::mergeModels(r).error, "Choose a geoset model first.");
    r = request();
    r.outputPath.clear();
    EXPECT_EQ(merger::mergeModels(r).error, "Choose an output file first.");
    EXPECT_TRUE(folderEntries().empty());
}

TEST_F(MergerMergeModels, UnreadableInputsLeaveTheOutputAlone) {
    folder.write("out.mdl", "keep me\r\n");
    auto r = request();
    r.basePath = folder.file("missing-base.mdl");
    EXPECT_EQ(merger::mergeModels(r).error, "Cannot read the base model \"" + r.basePath + "\".");
    r = request();
    r.geosetPath = folder.path().string(); // a folder
    EXPECT_EQ(merger::mergeModels(r).error,
              "Cannot read the geoset model \"" + r.geosetPath + "\".");
    EXPECT_EQ(testing_support::readFile(folder.file("out.mdl")), "keep me\r\n");
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"out.mdl"}));
}

TEST_F(MergerMergeModels, AnUnwritableOutputIsReported) {
    auto r = request();
    r.outputPath = (folder.path() / "no-such-folder" / "out.mdl").string();
    EXPECT_EQ(merger::mergeModels(r).error,
              "Cannot write the output file \"" + r.outputPath + "\". It was left as it was.");
    std::filesystem::create_directory(folder.path() / "a-folder");
    r.outputPath = folder.file("a-folder");
    EXPECT_FALSE(merger::mergeModels(r).ok());
    EXPECT_TRUE(std::filesystem::is_directory(r.outputPath));
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"a-folder"}));
}

TEST_F(MergerMergeModels, AReadOnlyFolderIsReported) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    const auto locked = folder.path() / "locked";
    std::filesystem::create_directory(locked);
    const auto target = (locked / "out.mdl").string();
    {
        std::ofstream old(target);
        old << "old\r\n";
    }
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_exec);
    auto r = request();
    r.outputPath = target;
    EXPECT_FALSE(merger::mergeModels(r).ok());
    EXPECT_EQ(testing_support::readFile(target), "old\r\n");
}

TEST_F(MergerMergeModels, ABadObjectIdOfTheChosenBoneIsReported) {
    const auto base = folder.write("bad.mdl", "Textures 0 {\n}\nBone \"A\" {\n\tObjectId A,\n}\n");
    auto r = request();
    r.basePath = base;
    r.boneIndex = 1;
    const auto result = merger::mergeModels(r);
    EXPECT_EQ(result.error, "Line 4 of the base model \"" + base +
                                "\" has an object id that is not a number from -32768 to 32767 "
                                "before a \",\".");
    EXPECT_FALSE(testing_support::fileExists(r.outputPath));
}

TEST_F(MergerMergeModels, ABoneHeaderWithoutQuotesDoesNotStopTheMerge) {
    // The merge needs object ids only; names are for the list.
    auto r = request();
    r.basePath = fixture("bone_without_quotes.mdl");
    r.boneIndex = 1;
    ASSERT_TRUE(merger::mergeModels(r).ok());
    const ModelReading reading(*common::readAllLines(r.outputPath));
    EXPECT_EQ(reading.matricesLines, (Lines{"\t\tMatrices { 1 },", "\t\tMatrices { 1 },"}));
}

// --- the corpus ----------------------------------------------------------------------------

class MergerCorpusMerge : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::is_directory(MOLDRIN_CORPUS_DIR))
            GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    }
    testing_support::TempFolder folder;
};

TEST_F(MergerCorpusMerge, EveryCorpusModelTakesTheTwoGeosets) {
    for (const auto& entry : std::filesystem::directory_iterator(MOLDRIN_CORPUS_DIR)) {
        if (entry.path().extension() != ".mdl")
            continue;
        const auto name = entry.path().filename().string();
        const auto base = *common::readAllLines(entry.path());
        merger::MergeRequest r;
        r.basePath = entry.path().string();
        r.geosetPath = fixture("two_geosets.mdl");
        r.outputPath = folder.file(name);
        r.texture = choice(TextureType::TeamColor);
        r.boneIndex = 0;
        const auto result = merger::mergeModels(r);
        ASSERT_TRUE(result.ok()) << name << ": " << result.error;
        const auto merged = *common::readAllLines(r.outputPath);
        const ModelReading before(base), after(merged);
        EXPECT_EQ(after.geosetStarts.size(), before.geosetStarts.size() + 2) << name;
        EXPECT_TRUE(keepsEveryBaseLine(base, merged)) << name;
        // The inserted geosets follow the base's own ones and precede the first node header.
        const auto last = after.geosetStarts.back();
        const auto next = indexOf(merged, "}", last) + 1;
        ASSERT_LT(next, merged.size()) << name;
        EXPECT_TRUE(merged[next].starts_with("Bone") || merged[next].starts_with("GeosetAnim") ||
                    merged[next].starts_with("Light") || merged[next].starts_with("Helper") ||
                    merged[next].starts_with("PivotPoint"))
            << name << ": " << merged[next];
        EXPECT_EQ(after.matricesLines.back(), "\t\tMatrices { 0 },") << name;
    }
}

TEST_F(MergerCorpusMerge, NumbersFollowTheBaseModelsCounts) {
    // summoning_circle.mdl: 4 textures, 2 materials, 2 bones with ids 0 and 1.
    merger::MergeRequest r;
    r.basePath = corpusFile("summoning_circle.mdl");
    r.geosetPath = fixture("two_geosets.mdl");
    r.outputPath = folder.file("circle.mdl");
    r.texture = choice(TextureType::TeamColor);
    r.boneIndex = 1;
    ASSERT_TRUE(merger::mergeModels(r).ok());
    const auto merged = *common::readAllLines(r.outputPath);
    const ModelReading reading(merged);
    EXPECT_EQ(reading.materialIdLines.back(), "\tMaterialID 2,");
    EXPECT_EQ(reading.matricesLines.back(), "\t\tMatrices { 1 },");
    EXPECT_NE(indexOf(merged, "\t\t\tstatic TextureID 5,"), merged.size());
    EXPECT_NE(indexOf(merged, "\t\t\tstatic TextureID 4,"), merged.size());
}

TEST_F(MergerCorpusMerge, TheLargeModelAsGeosetModel) {
    // All twelve geosets of the large model go into a small base, each bound to the third
    // bone (entry 2, object id 2).
    merger::MergeRequest r;
    r.basePath = fixture("base_three_bones.mdl");
    r.geosetPath = corpusFile("rider_12geosets_large.mdl");
    r.outputPath = folder.file("rider.mdl");
    r.texture = choice(TextureType::Transparent, true);
    r.boneIndex = 2;
    ASSERT_TRUE(merger::mergeModels(r).ok());
    const ModelReading reading(*common::readAllLines(r.outputPath));
    EXPECT_EQ(reading.geosetStarts.size(), 13u);
    EXPECT_EQ(reading.vertexGroupZeroes, reading.vertexGroupEntries);
    EXPECT_EQ(reading.vertexGroupEntries, 3u + 12369u);
    EXPECT_EQ(std::count(reading.matricesLines.begin(), reading.matricesLines.end(),
                         "\t\tMatrices { 2 },"),
              12);
}

} // namespace
