// Edits in the editor on binary models: the same edit made on an .mdx (saved as .mdx) and on its
// MDL conversion (saved as MDL, then read) gives the same model, and Reforged data stays in step
// with the vertices.

#include "corpus_files.h"
#include "model_difference.h"

#include "common/scripted_dialogs.h"
#include "editor/editing/extrude.h"
#include "editor/editing/file_open.h"
#include "editor/editing/file_save.h"
#include "editor/editing/geometry_tools.h"
#include "editor/editing/selection_commands.h"
#include "editor/editing/transforms.h"
#include "editor/interaction/editor_state.h"
#include "formats/mdx/mdx_file.h"
#include "formats/mdx/model_conversion.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

using mdx_test::corpusFiles;
using mdx_test::readBytes;
using testing_support::readFile;

// Opens geoset 1 of the model at path in a fresh editor, runs the edit and saves in place.
// Returns the saved file's bytes, or nothing after a message.
std::string editAndSave(const std::string& path,
                        const std::function<void(editor::EditorState&)>& edit) {
    common::ScriptedDialogs dialogs;
    editor::EditorState state;
    state.dialogs = &dialogs;
    EXPECT_TRUE(editor::openModelFile(state, path, 1));
    for (const auto& shown : dialogs.shown)
        if (shown.title == "Error")
            ADD_FAILURE() << shown.text;
    edit(state);
    editor::saveCommand(state);
    for (const auto& shown : dialogs.shown)
        if (shown.title == "Error")
            ADD_FAILURE() << shown.text;
    editor::releaseWorkingCopy(state);
    return readFile(path);
}

// A move of the first vertices, a deleted vertex and an extrusion: the vertex and face counts
// change, so every per-vertex array and the face groups are written anew.
void editAFew(editor::EditorState& state) {
    const int count = static_cast<int>(state.vertices.size());
    editor::selectVertices(state, {0, count / 2});
    editor::moveSelection(state, 1.5, -2.25, 0.1, true);
    editor::selectVertices(state, {count - 1});
    editor::deleteCommand(state);
    editor::selectVertices(state, {1, 2});
    editor::extrudeSelection(state, 0, 0, 3, true);
}

TEST(EditorEdits, AnEditOnMdxEqualsTheSameEditOnItsMdlConversion) {
    const auto files = corpusFiles(".mdx");
    if (files.empty())
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    int edited = 0;
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        const auto bytes = readBytes(file);
        if (mdx::readMdx(bytes).geosets.empty())
            continue;
        testing_support::TempFolder folder;
        const auto asMdl = mdx::convertMdxToMdl(bytes);
        ASSERT_TRUE(asMdl.ok()) << asMdl.error;

        const auto savedMdx = editAndSave(folder.write("model.mdx", bytes), editAFew);
        const auto savedMdl = editAndSave(folder.write("model.mdl", asMdl.text), editAFew);
        ASSERT_TRUE(mdx::hasMdxMagic(savedMdx));
        ASSERT_FALSE(mdx::hasMdxMagic(savedMdl));
        const auto fromMdx = mdx::readMdx(savedMdx);
        const auto fromMdl = mdx::readMdl(savedMdl);
        EXPECT_EQ(mdx_test::modelDifference(fromMdx, fromMdl), "");
        EXPECT_TRUE(mdx::writeMdx(fromMdl) == savedMdx);
        // The edit happened: the geoset lost one vertex and gained two.
        EXPECT_EQ(fromMdx.geosets[0].vertices.size(),
                  mdx::readMdx(bytes).geosets[0].vertices.size() + 1);
        ++edited;
    }
    EXPECT_GT(edited, 0);
}

TEST(EditorEdits, ReforgedMdxKeepsTangentsAndWeightsInStepThroughEdits) {
    const auto sample = mdx_test::corpusDir() / "reforged" / "palisade_segment_v1000.mdl";
    if (!std::filesystem::exists(sample))
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    testing_support::TempFolder folder;
    const auto binary = mdx::convertMdlToMdx(readBytes(sample));
    ASSERT_TRUE(binary.ok()) << binary.error;
    const auto original = mdx::readMdx(binary.bytes);
    const auto& before = original.geosets.at(0);
    ASSERT_TRUE(before.tangents && before.skin);

    // Deleting vertices 0, 2 and 3 makes vertex 1 the first; vertex 6 is extruded, its copy
    // appended. Indices stay those of the file until the save drops the deleted vertices.
    const auto deleteAndExtrude = [](editor::EditorState& state) {
        editor::selectVertices(state, {0, 2, 3});
        editor::deleteCommand(state);
        editor::selectVertices(state, {6});
        editor::extrudeSelection(state, 1, 0, 0, true);
    };
    const auto savedMdx = editAndSave(folder.write("palisade.mdx", binary.bytes), deleteAndExtrude);
    const auto savedMdl = editAndSave(
        folder.write("palisade.mdl", mdx::convertMdxToMdl(binary.bytes).text), deleteAndExtrude);
    ASSERT_TRUE(mdx::hasMdxMagic(savedMdx));
    const auto edited = mdx::readMdx(savedMdx);
    EXPECT_EQ(mdx_test::modelDifference(edited, mdx::readMdl(savedMdl)), "");

    const auto& after = edited.geosets.at(0);
    const auto n = after.vertices.size();
    ASSERT_EQ(n, before.vertices.size() - 3 + 1);
    EXPECT_EQ(after.normals.size(), n);
    ASSERT_TRUE(after.tangents && after.skin);
    EXPECT_EQ(after.tangents->size(), n);
    EXPECT_EQ(after.skin->size(), 8 * n);
    for (const auto& set : after.uvSets)
        EXPECT_EQ(set.size(), n);
    EXPECT_EQ(after.vertices[0], before.vertices[1]);
    EXPECT_EQ(after.normals[0], before.normals[1]);
    EXPECT_EQ((*after.tangents)[0], (*before.tangents)[1]);
    EXPECT_TRUE(std::equal(after.skin->begin(), after.skin->begin() + 8, before.skin->begin() + 8));
    EXPECT_EQ(after.uvSets[0][0], before.uvSets[0][1]);
    // The extruded copy of vertex 6 carries its data along.
    EXPECT_EQ((*after.tangents)[n - 1], (*before.tangents)[6]);
    EXPECT_EQ(after.uvSets[0][n - 1], before.uvSets[0][6]);
    EXPECT_TRUE(std::equal(after.skin->end() - 8, after.skin->end(), before.skin->begin() + 48));
    for (auto corner : after.faces)
        EXPECT_LT(corner, n);
}

} // namespace
