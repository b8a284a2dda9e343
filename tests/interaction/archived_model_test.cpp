// Models taken from archives in the editor's core: the list File > Open from Archive shows, the
// title, the textures of the map, and the extracted file's folder going with the model.
#include "editor/editing/archived_model.h"
#include "editor/editing/file_save.h"
#include "editor/interaction/command_effects.h"
#include "editor/interaction/game_data_fields.h"
#include "editor/interaction/window_controls.h"
#include "editor/interaction/window_lifecycle.h"
#include "gamedata/mpq_archive.h"
#include "gamedata/test_archives.h"
#include "support/editing_fixture.h"
#include "support/temp_folder.h"
#include "textures/image_file.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using testing_support::makeArchive;
using testing_support::readFile;
using testing_support::TempFolder;

std::string whitePicture() {
    common::RgbaImage white(4, 4);
    std::fill(white.pixels.begin(), white.pixels.end(), 255);
    const auto png = textures::encodeImage(white, textures::ImageFormat::Png, 90);
    return {png.begin(), png.end()};
}

TEST(ArchiveEntries, ListModelsAndTexturesSortedAndFilterWithoutCase) {
    TempFolder folder;
    const auto map = folder.file("map.w3x");
    ASSERT_TRUE(makeArchive(map, {{"war3map.j", "\"Units\\Peon.MDL\" \"Units\\Missing.mdx\""},
                                  {"war3mapImported\\Hero.mdx", "m"},
                                  {"Textures\\skin.BLP", "t"},
                                  {"Units\\Peon.mdl", "m"},
                                  {"war3map.w3e", "terrain"}}));
    std::string error;
    const auto archive = gamedata::MpqArchive::open(map, error);
    ASSERT_TRUE(archive) << error;
    const auto entries = editor::archiveEntries(*archive);
    std::vector<std::string> names;
    std::vector<bool> models;
    for (const auto& entry : entries) {
        names.push_back(entry.name);
        models.push_back(entry.model);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Textures\\skin.BLP", "Units\\Peon.mdl",
                                               "war3mapImported\\Hero.mdx"}));
    EXPECT_EQ(models, (std::vector<bool>{false, true, true}));
    struct Case {
        std::string filter;
        std::vector<std::size_t> shown;
    };
    for (const auto& c : {Case{"", {0, 1, 2}}, Case{"  ", {0, 1, 2}}, Case{"HERO", {2}},
                          Case{" .md", {1, 2}}, Case{"units\\p", {1}}, Case{"zzz", {}}})
        EXPECT_EQ(editor::filteredEntries(entries, c.filter), c.shown) << c.filter;
}

TEST(ArchivedModel, TitleTexturesAndTheExtractedFolderFollowTheModel) {
    TempFolder folder;
    TempFolder tmp;
    setenv("TMPDIR", tmp.path().c_str(), 1);
    const auto cube = readFile(fs::path(MOLDRIN_EXAMPLES_DIR) / "cube.mdl"); // Textures\white.blp
    const auto map = folder.file("map.w3x");
    ASSERT_TRUE(makeArchive(
        map, {{"war3mapImported\\cube.mdl", cube}, {"Textures\\White.blp", whitePicture()}}));
    testing_support::EditingFixture f;
    f.state.previewShown = true;
    ASSERT_TRUE(editor::openModelPath(f.state, map + ":war3mapImported/cube.mdl", 1));
    editor::finishCommand(f.state);
    EXPECT_EQ(editor::windowTitle(f.state), "map.w3x: war3mapImported\\cube.mdl - MDL Moldrin");
    EXPECT_EQ(editor::modelLocation(f.state), map + ":war3mapImported\\cube.mdl");
    ASSERT_EQ(f.state.previewScene.textures.size(), 1u);
    EXPECT_TRUE(f.state.previewScene.textures[0].image); // from the map
    f.state.unsavedChanges = true;
    EXPECT_EQ(editor::windowTitle(f.state), "map.w3x: war3mapImported\\cube.mdl* - MDL Moldrin");
    EXPECT_FALSE(fs::is_empty(tmp.path()));

    // Save As to a plain file: the model is that file now, and the extracted one is gone.
    f.dialogs.answers = {folder.file("plain.mdl")};
    editor::saveAsCommand(f.state);
    editor::finishCommand(f.state);
    EXPECT_EQ(editor::windowTitle(f.state), "plain.mdl - MDL Moldrin");
    EXPECT_FALSE(f.state.archivedModel);
    EXPECT_FALSE(f.state.gameData->modelArchive());
    EXPECT_TRUE(fs::is_empty(tmp.path()));

    // Opened again, then another model opened: the folder goes too; and with the window.
    ASSERT_TRUE(editor::openModelPath(f.state, map + ":war3mapImported\\cube.mdl", 1));
    EXPECT_FALSE(fs::is_empty(tmp.path()));
    ASSERT_TRUE(editor::openModelPath(f.state, folder.file("plain.mdl"), 1));
    EXPECT_TRUE(fs::is_empty(tmp.path()));
    ASSERT_TRUE(editor::openModelPath(f.state, map + ":war3mapImported\\cube.mdl", 1));
    editor::closeMainWindow(f.state);
    EXPECT_TRUE(fs::is_empty(tmp.path()));

    // A name the archive does not hold: one message naming it, the model before stays.
    f.dialogs.shown.clear();
    EXPECT_FALSE(editor::openModelPath(f.state, map + ":none.mdl", 1));
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].text,
              "Cannot open " + map + ":none.mdl: it holds no file none.mdl.");
    unsetenv("TMPDIR");
    EXPECT_TRUE(fs::is_empty(tmp.path()));
}

TEST(ArchivedModel, OpenFromArchiveOpensTheChosenModelOnly) {
    TempFolder folder;
    const auto map = folder.file("map.w3x");
    const auto cube = readFile(fs::path(MOLDRIN_EXAMPLES_DIR) / "cube.mdl");
    ASSERT_TRUE(makeArchive(map, {{"war3mapImported\\cube.mdl", cube}, {"Textures\\a.blp", "t"}}));
    for (const std::string chosen : {"Textures\\a.blp", "war3mapImported\\cube.mdl"}) {
        testing_support::EditingFixture f;
        f.state.modelLoaded = false;
        f.dialogs.answers = {map, "1"}; // the archive, then the cube's first geoset
        std::vector<std::string> listed;
        editor::openFromArchiveCommand(
            f.state, [&](const std::string& archive, const std::vector<editor::ArchiveEntry>& e) {
                EXPECT_EQ(archive, map);
                for (const auto& entry : e)
                    listed.push_back(entry.name);
                return std::optional<std::string>(chosen);
            });
        EXPECT_EQ(listed,
                  (std::vector<std::string>{"Textures\\a.blp", "war3mapImported\\cube.mdl"}));
        EXPECT_EQ(f.state.modelLoaded, chosen.ends_with(".mdl")) << chosen;
        editor::closeMainWindow(f.state);
    }
}

} // namespace
