// File > Game Data: the list the dialog edits, and applying it to the open model's views.
#include "editor/editing/file_open.h"
#include "editor/interaction/game_data_fields.h"
#include "editor/uv/uv_editor_state.h"
#include "support/editing_fixture.h"
#include "support/temp_folder.h"
#include "textures/image_file.h"

#include <gtest/gtest.h>

namespace {

using editor::GameDataList;
using testing_support::TempFolder;

TEST(GameDataList, EachOperationKeepsTheOrderAndChoosesTheMovedEntry) {
    using Operation = int (GameDataList::*)(int);
    struct Case {
        Operation operation;
        int index;
        std::vector<std::string> after;
        int chosen;
    };
    const Case cases[] = {
        {&GameDataList::moveUp, 1, {"b", "a", "c"}, 0},
        {&GameDataList::moveUp, 0, {"a", "b", "c"}, 0},
        {&GameDataList::moveDown, 1, {"a", "c", "b"}, 2},
        {&GameDataList::moveDown, 2, {"a", "b", "c"}, 2},
        {&GameDataList::remove, 2, {"a", "b"}, 1},
        {&GameDataList::remove, 0, {"b", "c"}, 0},
        {&GameDataList::remove, 3, {"a", "b", "c"}, -1},
        {&GameDataList::moveUp, -1, {"a", "b", "c"}, -1},
    };
    for (const auto& c : cases) {
        GameDataList list{{"a", "b", "c"}};
        EXPECT_EQ((list.*c.operation)(c.index), c.chosen) << c.index;
        EXPECT_EQ(list.sources, c.after) << c.index;
    }
    GameDataList list{{"a"}};
    EXPECT_EQ(list.add("b"), 1);
    EXPECT_EQ(list.add("a"), 0); // listed once
    EXPECT_EQ(list.add(""), -1);
    EXPECT_EQ(list.sources, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(list.remove(0), 0);
    EXPECT_EQ(list.remove(0), -1);
}

TEST(GameData, ApplyingSourcesTexturesTheOpenModelAndWarnsOfEachUnusableOne) {
    TempFolder folder;
    const auto model = folder.copyIn(std::filesystem::path(MOLDRIN_EXAMPLES_DIR) / "cube.mdl",
                                     "cube.mdl"); // names Textures\\white.blp
    std::filesystem::create_directories(folder.path() / "game" / "TEXTURES");
    common::RgbaImage white(4, 4);
    std::fill(white.pixels.begin(), white.pixels.end(), 255);
    const auto png = textures::encodeImage(white, textures::ImageFormat::Png, 90);
    folder.write("game/TEXTURES/White.blp", std::string(png.begin(), png.end()));

    testing_support::EditingFixture f;
    f.state.previewShown = true;
    ASSERT_TRUE(editor::openModelFile(f.state, model, 1));
    editor::finishCommand(f.state);
    ASSERT_EQ(f.state.previewScene.textures.size(), 1u);
    EXPECT_FALSE(f.state.previewScene.textures[0].image);
    const auto camera = f.state.previewCamera;
    editor::UvEditorState uv;
    uv.textureLookedUpFor = model + "#1";

    const auto missing = folder.file("none.mpq");
    editor::applyGameData(f.state, {missing, (folder.path() / "game").string()}, &uv);
    ASSERT_TRUE(f.state.previewScene.textures[0].image);
    EXPECT_EQ(f.state.previewScene.textures[0].image->width, 4);
    EXPECT_EQ(f.state.previewCamera.distance, camera.distance);
    EXPECT_EQ(uv.textureLookedUpFor, ""); // looked up anew when the editor opens
    ASSERT_EQ(f.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.dialogs.shown[0].title, "Warning");
    EXPECT_EQ(f.dialogs.shown[0].text,
              "Cannot use " + missing + " as game data: it does not exist.");
}

} // namespace
