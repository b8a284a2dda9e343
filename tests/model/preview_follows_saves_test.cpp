// The 3D view shows the model as saved: a save that removes the edited geoset, and Save geoset,
// which leaves a one-geoset model, rebuild the whole scene.
#include "editor/editing/file_save.h"
#include "editor/editing/geometry_tools.h"
#include "editor/editing/selection_commands.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

namespace {

using model_test::Editor;
using model_test::fixture;

std::size_t shownMeshes(Editor& e) {
    editor::finishCommand(e.state);
    return e.state.previewScene.meshes.size();
}

TEST(PreviewFollowsSaves, RemovalAndSaveGeosetRebuildTheScene) {
    Editor e;
    e.state.previewShown = true;
    e.openText("three.mdl", fixture("three_geosets.mdl"), {"1"});
    ASSERT_EQ(shownMeshes(e), 3u);

    editor::selectAll(e.state);
    editor::deleteCommand(e.state);
    e.dialogs.setAnswers({"1"});
    editor::saveCommand(e.state); // the geoset is removed, and geoset 1 of two read
    EXPECT_EQ(shownMeshes(e), 2u);

    e.dialogs.setAnswers({e.folder.file("alone.mdl")});
    editor::saveGeosetCommand(e.state);
    EXPECT_EQ(shownMeshes(e), 1u);
}

} // namespace
