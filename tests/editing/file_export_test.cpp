// File > Export…: the whole model with the edited geoset as glTF.

#include "editor/editing/file_export.h"
#include "editor/editing/file_open.h"
#include "editor/editing/transforms.h"
#include "support/editing_fixture.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using testing_support::EditingFixture;
using testing_support::readFile;

TEST(FileExport, WritesTheModelWithTheEditedGeosetOrSaysWhyNot) {
    testing_support::TempFolder folder;
    const auto model = folder.copyIn(MOLDRIN_EXAMPLES_DIR "/cube.mdl", "cube.mdl");
    EditingFixture fixture;
    auto& state = fixture.state;
    state.modelLoaded = false;
    fixture.dialogs.setAnswers({model, "1"}); // the file, then its first geoset
    editor::openModel(state, state.vertices, state.faces, state.matrices, true, true);
    ASSERT_TRUE(state.modelLoaded);

    // A name typed without an extension gets .glb; the texture the cube names is
    // not beside it, which one warning tells.
    fixture.dialogs.setAnswers({folder.file("before")});
    editor::exportModelCommand(state);
    const auto before = readFile(folder.file("before.glb"));
    EXPECT_EQ(before.substr(0, 4), "glTF");
    ASSERT_FALSE(fixture.dialogs.shown.empty());
    EXPECT_EQ(fixture.dialogs.shown.back().title, "Warning");
    EXPECT_NE(fixture.dialogs.shown.back().text.find("white.blp"), std::string::npos);

    fixture.select({0});
    editor::moveSelection(state, 5, 0, 0, true);
    fixture.dialogs.setAnswers({folder.file("after.glb")});
    editor::exportModelCommand(state);
    EXPECT_NE(readFile(folder.file("after.glb")), before); // the moved vertex is in it

    // A folder that is not there: one error naming the file, nothing written.
    const auto shown = fixture.dialogs.shown.size();
    fixture.dialogs.setAnswers({folder.file("none/x.glb")});
    editor::exportModelCommand(state);
    ASSERT_EQ(fixture.dialogs.shown.size(), shown + 1);
    EXPECT_EQ(fixture.dialogs.shown.back().title, "Error");
    EXPECT_NE(fixture.dialogs.shown.back().text.find("none/x.glb"), std::string::npos);
}

} // namespace
