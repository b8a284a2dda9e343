// Binary models in the editor: opened by their content, edited as MDL text, saved in the format
// the file had or the chosen name asks for; damaged bytes and models without a geoset change
// nothing.

#include "model_fixture.h"

#include "editor/editing/file_save.h"
#include "editor/editing/geoset_commands.h"
#include "formats/mdx/mdx_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

namespace {

using model_test::Editor;
using model_test::fixture;
using testing_support::fileExists;
using testing_support::readFile;

const std::filesystem::path corpusMdx = std::filesystem::path(MOLDRIN_CORPUS_DIR) / "mdx";

#define SKIP_WITHOUT_CORPUS()                                                                      \
    if (!std::filesystem::exists(corpusMdx))                                                       \
    GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR

bool isMdx(const std::string& path) {
    return mdx::hasMdxMagic(readFile(path));
}

// The files of the folder, by name.
std::vector<std::string> folderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The six-vertex model as MDX bytes, written into the folder under name.
std::string sixAsMdx(Editor& e, const std::string& name) {
    return e.folder.write(name, mdx::writeMdx(mdx::readMdl(fixture("six_vertices.mdl"))));
}

TEST(MdxOpenSave, AnMdxOpensByItsContentAndSaveWritesMdxAgain) {
    Editor e;
    // The name says nothing: the content decides.
    const auto path = sixAsMdx(e, "six.model");
    e.open(path);
    ASSERT_TRUE(e.state.modelLoaded) << (e.dialogs.shown.empty() ? "" : e.dialogs.shown[0].text);
    EXPECT_TRUE(e.dialogs.shown.empty());
    EXPECT_EQ(e.state.modelFormat, mdx::FileFormat::Mdx);
    ASSERT_EQ(e.state.vertices.size(), 6u);
    // The working copy is MDL text the geoset reader reads.
    EXPECT_FALSE(isMdx(e.state.tempPath));
    EXPECT_NE(readFile(e.state.tempPath).find("Geoset {"), std::string::npos);

    e.state.vertices[0].x = 2.5;
    e.state.unsavedChanges = true;
    editor::saveCommand(e.state);
    EXPECT_TRUE(e.dialogs.shown.empty()) << e.dialogs.shown[0].text;
    ASSERT_TRUE(isMdx(path));
    const auto saved = mdx::readMdx(readFile(path));
    // Vertex 0 of the editor is the file's first vertex; the editor's x is the file's y.
    EXPECT_EQ(saved.geosets.at(0).vertices.at(0)[1], 2.5f);
    // The working copy is the text the saved file was made from: it reads as the same model.
    EXPECT_EQ(mdx::writeMdx(mdx::readMdl(readFile(e.state.tempPath))), readFile(path));
    EXPECT_FALSE(e.state.unsavedChanges);
}

TEST(MdxOpenSave, SaveAsFollowsTheExtensionAndSaveThenKeepsIt) {
    Editor e;
    e.open(sixAsMdx(e, "six.mdx"));
    ASSERT_TRUE(e.state.modelLoaded);

    e.dialogs.setAnswers({e.folder.file("text.mdl")});
    editor::saveAsCommand(e.state);
    EXPECT_FALSE(isMdx(e.folder.file("text.mdl")));
    EXPECT_EQ(e.state.modelFormat, mdx::FileFormat::Mdl);
    EXPECT_EQ(readFile(e.state.tempPath), readFile(e.folder.file("text.mdl")));
    e.state.vertices[1].z = -4;
    editor::saveCommand(e.state);
    EXPECT_FALSE(isMdx(e.folder.file("text.mdl")));

    // Back to binary, the extension in capitals.
    e.dialogs.setAnswers({e.folder.file("BINARY.MDX")});
    editor::saveAsCommand(e.state);
    ASSERT_TRUE(isMdx(e.folder.file("BINARY.MDX")));
    EXPECT_EQ(e.state.modelFormat, mdx::FileFormat::Mdx);
    EXPECT_FALSE(isMdx(e.state.tempPath));
    EXPECT_EQ(mdx::readMdx(readFile(e.folder.file("BINARY.MDX"))).geosets.at(0).vertices.at(1)[0],
              -4.0f);
    EXPECT_TRUE(e.dialogs.shown.empty());
}

TEST(MdxOpenSave, ANameWithoutExtensionGetsTheChosenFilters) {
    Editor e;
    e.open(sixAsMdx(e, "six.mdx"));
    ASSERT_TRUE(e.state.modelLoaded);
    // The dialog of a binary model offers MDX first.
    e.dialogs.setAnswers({e.folder.file("zombie_edit")});
    e.dialogs.saveFilterEntries = {0};
    editor::saveAsCommand(e.state);
    EXPECT_EQ(e.dialogs.prompts.back(), editor::modelSaveAsFilter(mdx::FileFormat::Mdx));
    EXPECT_EQ(e.state.modelPath, e.folder.file("zombie_edit.mdx"));
    EXPECT_TRUE(isMdx(e.folder.file("zombie_edit.mdx")));
    EXPECT_EQ(e.state.tempPath, e.folder.file("zombie_edit_TMP.tdl"));

    // Save geoset, the MDL entry chosen: a text model, which the editor goes on with.
    e.dialogs.setAnswers({e.folder.file("part")});
    e.dialogs.saveFilterEntries = {1};
    editor::saveGeosetCommand(e.state);
    EXPECT_EQ(e.state.modelPath, e.folder.file("part.mdl"));
    EXPECT_FALSE(isMdx(e.folder.file("part.mdl")));
    EXPECT_EQ(e.state.modelFormat, mdx::FileFormat::Mdl);

    // A name that has an extension keeps it, and one that is not .mdx is MDL text.
    e.dialogs.setAnswers({e.folder.file("zombie.v2")});
    e.dialogs.saveFilterEntries = {1};
    editor::saveAsCommand(e.state);
    EXPECT_TRUE(fileExists(e.folder.file("zombie.v2")));
    EXPECT_FALSE(isMdx(e.folder.file("zombie.v2")));
    EXPECT_TRUE(e.dialogs.shown.empty());
}

TEST(MdxOpenSave, SaveGeosetAsMdxWritesAOneGeosetBinaryModel) {
    Editor e;
    e.openText("three.mdl", fixture("three_geosets.mdl"), {"2"});
    ASSERT_TRUE(e.state.modelLoaded);
    const auto vertices = e.state.vertices.size();
    e.dialogs.setAnswers({e.folder.file("alone.mdx")});
    editor::saveGeosetCommand(e.state);
    ASSERT_TRUE(isMdx(e.folder.file("alone.mdx")));
    const auto saved = mdx::readMdx(readFile(e.folder.file("alone.mdx")));
    ASSERT_EQ(saved.geosets.size(), 1u);
    EXPECT_EQ(saved.geosets[0].vertices.size(), vertices);
    EXPECT_EQ(saved.bones.size(), 1u);
    EXPECT_EQ(e.state.modelFormat, mdx::FileFormat::Mdx);
}

TEST(MdxOpenSave, SavingAnEmptiedGeosetRemovesItFromTheMdx) {
    Editor e;
    const auto path =
        e.folder.write("three.mdx", mdx::writeMdx(mdx::readMdl(fixture("three_geosets.mdl"))));
    e.open(path, {"2"});
    ASSERT_TRUE(e.state.modelLoaded);
    for (auto& vertex : e.state.vertices)
        vertex.deleted = true;
    e.state.unsavedChanges = true;
    e.dialogs.setAnswers({"1"}); // the geoset to go on with
    editor::saveCommand(e.state);
    ASSERT_TRUE(isMdx(path));
    EXPECT_EQ(mdx::readMdx(readFile(path)).geosets.size(), 2u);
    EXPECT_EQ(e.errorCount(), 0);
    EXPECT_TRUE(e.state.modelLoaded);
    EXPECT_EQ(e.state.modelFormat, mdx::FileFormat::Mdx);
    EXPECT_FALSE(isMdx(e.state.tempPath));
}

TEST(MdxOpenSave, AModelTheBinaryFormCannotHoldIsOneErrorAndNothingWritten) {
    Editor e;
    const auto path = sixAsMdx(e, "six.mdx");
    e.open(path);
    ASSERT_TRUE(e.state.modelLoaded);
    const auto before = readFile(path);
    const auto copyBefore = readFile(e.state.tempPath);
    // Finite for the editor, past the largest float the binary file stores.
    e.state.vertices[0].x = 1e39;
    e.state.unsavedChanges = true;
    editor::saveCommand(e.state);
    ASSERT_EQ(e.dialogs.shown.size(), 1u);
    EXPECT_EQ(e.dialogs.shown[0].title, "Error");
    EXPECT_NE(e.dialogs.shown[0].text.find("Cannot save " + path), std::string::npos);
    EXPECT_NE(e.dialogs.shown[0].text.find("MDX"), std::string::npos);
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(readFile(e.state.tempPath), copyBefore);
    EXPECT_TRUE(e.state.unsavedChanges);

    // Save As to a new binary file neither writes it nor moves the editor onto it.
    e.dialogs.setAnswers({e.folder.file("new.mdx")});
    editor::saveAsCommand(e.state);
    EXPECT_FALSE(fileExists(e.folder.file("new.mdx")));
    EXPECT_EQ(e.state.modelPath, path);
    EXPECT_EQ(e.state.modelFormat, mdx::FileFormat::Mdx);
    EXPECT_EQ(e.errorCount(), 2);
}

TEST(MdxOpenSave, ADamagedMdxIsOneErrorNamingFileChunkAndByte) {
    SKIP_WITHOUT_CORPUS();
    Editor e;
    const auto good = e.folder.copyIn(corpusMdx / "gate.mdx", "gate.mdx");
    e.open(good);
    ASSERT_TRUE(e.state.modelLoaded);
    const auto openState = std::make_tuple(e.state.modelPath, e.state.tempPath,
                                           e.state.vertices.size(), e.state.modelFormat);
    const auto bytes = readFile(good);

    // Cut inside a chunk, and a chunk size that runs past the file.
    std::string oversized = bytes;
    // "MDLX", then VERS with its size and version: byte 23 is the high byte of the next
    // chunk's size.
    oversized[23] = '\x7f';
    for (const auto& [name, content] : {std::pair{"cut.mdx", bytes.substr(0, bytes.size() / 2)},
                                        std::pair{"oversized.mdx", oversized}}) {
        SCOPED_TRACE(name);
        const auto path = e.folder.write(name, content);
        const auto filesBefore = folderNames(e.folder.path());
        e.dialogs.shown.clear();
        e.open(path);
        ASSERT_EQ(e.dialogs.shown.size(), 1u);
        EXPECT_EQ(e.dialogs.shown[0].title, "Error");
        const auto& text = e.dialogs.shown[0].text;
        EXPECT_NE(text.find(path), std::string::npos) << text;
        EXPECT_NE(text.find("byte "), std::string::npos) << text;
        // The model open before stays open, its working copy in place; no copy is left for the
        // damaged file.
        EXPECT_EQ(std::make_tuple(e.state.modelPath, e.state.tempPath, e.state.vertices.size(),
                                  e.state.modelFormat),
                  openState);
        EXPECT_EQ(folderNames(e.folder.path()), filesBefore);
    }
}

TEST(MdxOpenSave, AModelWithoutGeosetSaysSoAndChangesNothing) {
    Editor e;
    e.openText("six.mdl", fixture("six_vertices.mdl"));
    ASSERT_TRUE(e.state.modelLoaded);
    const auto modelPath = e.state.modelPath;
    const auto tempPath = e.state.tempPath;

    std::vector<std::string> models = {e.folder.write(
        "effect.mdl", "Version {\n\tFormatVersion 800,\n}\nModel \"Effect\" {\n}\n")};
    if (std::filesystem::exists(corpusMdx))
        models.push_back(e.folder.copyIn(corpusMdx / "BlackTide.mdx", "BlackTide.mdx"));
    for (const auto& path : models) {
        SCOPED_TRACE(path);
        const auto filesBefore = folderNames(e.folder.path());
        e.dialogs.shown.clear();
        e.open(path);
        ASSERT_EQ(e.dialogs.shown.size(), 1u);
        EXPECT_EQ(e.dialogs.shown[0].title, "Error");
        const auto& text = e.dialogs.shown[0].text;
        EXPECT_NE(text.find("has no geoset"), std::string::npos) << text;
        EXPECT_EQ(text.find("line"), std::string::npos) << text;
        EXPECT_EQ(e.state.modelPath, modelPath);
        EXPECT_EQ(e.state.tempPath, tempPath);
        EXPECT_EQ(e.state.vertices.size(), 6u);
        EXPECT_EQ(folderNames(e.folder.path()), filesBefore);
    }
}

TEST(MdxOpenSave, WhatTheTextCannotHoldIsOneWarningOnOpening) {
    Editor e;
    // An unknown chunk at the end: kept by the binary reader, not by the MDL text.
    std::string bytes = mdx::writeMdx(mdx::readMdl(fixture("six_vertices.mdl")));
    bytes += std::string("ZZZZ\x04\0\0\0abcd", 12);
    const auto path = e.folder.write("extra.mdx", bytes);
    e.open(path);
    ASSERT_TRUE(e.state.modelLoaded);
    ASSERT_EQ(e.dialogs.shown.size(), 1u);
    EXPECT_EQ(e.dialogs.shown[0].title, "Warning");
    EXPECT_NE(e.dialogs.shown[0].text.find(path), std::string::npos);
    // Once saved, the model holds nothing the text cannot say: no warning on the next read.
    editor::saveCommand(e.state);
    e.dialogs.shown.clear();
    e.open(path);
    EXPECT_TRUE(e.dialogs.shown.empty());
}

TEST(MdxOpenSave, MergeGeosetTakesTheGeosetOfAnMdx) {
    Editor e;
    e.openText("six.mdl", fixture("six_vertices.mdl"));
    ASSERT_TRUE(e.state.modelLoaded);
    const auto other = sixAsMdx(e, "other.mdx");
    e.dialogs.setAnswers({other});
    editor::mergeGeosetCommand(e.state);
    EXPECT_TRUE(e.dialogs.shown.empty());
    EXPECT_EQ(e.state.vertices.size(), 12u);
    EXPECT_EQ(e.state.modelFormat, mdx::FileFormat::Mdl);
}

} // namespace
