// Geosets made fit for the base model's version, and merges of models in other layouts.

#include "merger/quellon_workflow.h"
#include "merger/version_conversion.h"

#include "common/scripted_dialogs.h"
#include "common/text_file.h"
#include "support/layout_variants.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using merger::Lines;

const Lines reforgedGeoset = {
    "Version {",
    "\tFormatVersion 1000,",
    "}",
    "Geoset {",
    "\tVertices 2 {",
    "\t\t{ 0, 0, 0 },",
    "\t\t{ 1, 0, 0 },",
    "\t}",
    "\tNormals 2 {",
    "\t\t{ 0, 0, 1 },",
    "\t\t{ 1, 0, 0 },",
    "\t}",
    "\tTangents 2 {",
    "\t\t{ 1, 0, 0, -1 },",
    "\t\t{ 0, 1, 0, 1 },",
    "\t}",
    "\tVertexGroup {",
    "\t\t0,",
    "\t\t1,",
    "\t}",
    "\tSkinWeights 2 {",
    "\t\t0, 1, 0, 0, 200, 55, 0, 0,",
    "\t\t1, 0, 0, 0, 255, 0, 0, 0,",
    "\t}",
    "\tMaterialID 0,",
    "\tLevelOfDetail 0,",
    "\tName \"Body\",",
    "}",
};

// The lines of the named block of the first geoset, header to closing line.
Lines block(const Lines& lines, const std::string& header) {
    const auto start = std::find_if(lines.begin(), lines.end(),
                                    [&](const auto& line) { return line.starts_with(header); });
    if (start == lines.end())
        return {};
    const auto end = std::find(start, lines.end(), "\t}");
    return Lines(start, end + 1);
}

TEST(VersionConversion, AClassicBaseGetsNoReforgedData) {
    const auto converted = merger::convertGeosets(reforgedGeoset, 800);
    EXPECT_TRUE(converted.droppedReforgedBlocks);
    EXPECT_FALSE(converted.addedReforgedBlocks);
    for (const auto& line : converted.lines) {
        EXPECT_FALSE(line.starts_with("\tTangents") || line.starts_with("\tSkinWeights") ||
                     line.starts_with("\tLevelOfDetail") || line.starts_with("\tName"))
            << line;
    }
    EXPECT_EQ(block(converted.lines, "\tVertexGroup"), block(reforgedGeoset, "\tVertexGroup"));
    EXPECT_EQ(converted.lines.size(), reforgedGeoset.size() - 10);
    EXPECT_NE(merger::conversionNote(converted, 800)
                  .find("without their Tangents and "
                        "SkinWeights"),
              std::string::npos);
}

TEST(VersionConversion, AReforgedBaseGetsTangentsAndWeightsForClassicGeosets) {
    Lines classic;
    for (const auto& line : merger::convertGeosets(reforgedGeoset, 800).lines)
        classic.push_back(line);
    const auto converted = merger::convertGeosets(classic, 1000);
    EXPECT_TRUE(converted.addedReforgedBlocks);
    // Unit tangents across the normals (0, 0, 1) and (1, 0, 0), sign 1.
    EXPECT_EQ(block(converted.lines, "\tTangents"),
              (Lines{"\tTangents 2 {", "\t\t{ 0, 1, 0, 1 },", "\t\t{ 0, 0, 1, 1 },", "\t}"}));
    EXPECT_EQ(block(converted.lines, "\tSkinWeights"),
              (Lines{"\tSkinWeights 2 {", "\t\t0, 0, 0, 0, 255, 0, 0, 0,",
                     "\t\t0, 0, 0, 0, 255, 0, 0, 0,", "\t}"}));
    // Tangents before the vertex groups, weights after them.
    const auto at = [&](const std::string& header) {
        return std::find_if(converted.lines.begin(), converted.lines.end(),
                            [&](const auto& line) { return line.starts_with(header); });
    };
    EXPECT_LT(at("\tTangents"), at("\tVertexGroup"));
    EXPECT_LT(at("\tVertexGroup"), at("\tSkinWeights"));
    EXPECT_NE(merger::conversionNote(converted, 1000)
                  .find("SkinWeights binding every vertex to "
                        "the chosen bone"),
              std::string::npos);
}

TEST(VersionConversion, AReforgedGeosetInAReforgedBaseIsBoundToTheOneGroup) {
    const auto converted = merger::convertGeosets(reforgedGeoset, 1100);
    EXPECT_FALSE(converted.addedReforgedBlocks);
    EXPECT_FALSE(converted.droppedReforgedBlocks);
    EXPECT_EQ(merger::conversionNote(converted, 1100), "");
    EXPECT_EQ(block(converted.lines, "\tTangents"), block(reforgedGeoset, "\tTangents"));
    EXPECT_EQ(block(converted.lines, "\tSkinWeights")[1], "\t\t0, 0, 0, 0, 255, 0, 0, 0,");
    EXPECT_EQ(converted.lines.size(), reforgedGeoset.size());
}

TEST(VersionConversion, MergingInOtherLayoutsSaysWhatWasConverted) {
    const std::filesystem::path corpus(MOLDRIN_CORPUS_DIR);
    if (!std::filesystem::exists(corpus / "reforged"))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    testing_support::TempFolder folder;
    common::ScriptedDialogs dialogs;
    merger::QuellonWorkflow workflow(&dialogs);
    // A classic base in the two-space layout, the Reforged sample in its own four-space one.
    workflow.basePath = folder.write(
        "base.mdl", testing_support::relayout(testing_support::readFile(corpus / "palm_tree.mdl"),
                                              testing_support::Layout::TwoSpaces));
    workflow.geosetPath = (corpus / "reforged" / "palisade_segment_v1000.mdl").string();
    workflow.outputPath = folder.file("out.mdl");
    workflow.texturePath = "a.blp";
    workflow.boneIndex = 1;
    ASSERT_TRUE(workflow.mergeModels());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.starts_with("Done. The base model is version 800"))
        << dialogs.shown[0].text;
    const auto out = testing_support::readFile(workflow.outputPath);
    EXPECT_EQ(out.find("SkinWeights"), std::string::npos);
    EXPECT_EQ(out.find("  "), std::string::npos); // written in the tab layout

    // The other way round.
    dialogs.shown.clear();
    workflow.basePath = workflow.geosetPath;
    workflow.geosetPath = (corpus / "palisade_segment.mdl").string();
    workflow.boneIndex = 0;
    ASSERT_TRUE(workflow.mergeModels());
    EXPECT_TRUE(dialogs.shown[0].text.starts_with("Done. The base model is version 1000, so the "
                                                  "geosets got SkinWeights"))
        << dialogs.shown[0].text;
}

} // namespace
