#include "editor/preview/preview_state.h"
#include "editor/preview/scene_building.h"
#include "scene_fixture.h"
#include "support/editing_fixture.h"
#include "support/temp_folder.h"

#include "editor/editing/transforms.h"
#include "editor/interaction/command_effects.h"
#include "editor/uv/uv_handover.h"
#include "formats/mdx/mdx_file.h"
#include "textures/image_file.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace editor;
using testing_support::TempFolder;

// The three-geoset model written as MDL text in a folder, with its skin picture in a Textures
// folder under a name of another case, as the game's files often have it.
std::string writeModelWithSkin(const TempFolder& folder) {
    std::filesystem::create_directories(folder.path() / "textures");
    common::RgbaImage skin(2, 2);
    for (std::size_t i = 0; i < skin.pixels.size(); i += 4) {
        skin.pixels[i] = 10;
        skin.pixels[i + 1] = 200;
        skin.pixels[i + 2] = 30;
        skin.pixels[i + 3] = 255;
    }
    textures::writeImageFile(folder.path() / "textures" / "Skin.PNG", skin, 90);
    return folder.write("three.mdl", mdx::writeMdl(testing_support::threeGeosetModel()).text);
}

TEST(PreviewLoading, TheModelsTexturesAreFoundBesideItAndDecoded) {
    TempFolder folder;
    auto model = testing_support::editedGeoset();
    model.modelPath = writeModelWithSkin(folder);
    const auto scene = preview::loadScene(model);
    ASSERT_EQ(scene.meshes.size(), 2u);
    ASSERT_NE(scene.textures[0].image, nullptr) << scene.note;
    EXPECT_EQ(scene.textures[0].image->width, 2);
    EXPECT_EQ(scene.textures[0].image->pixels[1], 200);
    EXPECT_EQ(scene.note, "");
}

TEST(PreviewLoading, AWorkingCopyThatIsNoModelLeavesTheEditedGeosetAlone) {
    TempFolder folder;
    auto model = testing_support::editedGeoset();
    model.modelPath = writeModelWithSkin(folder);
    model.tempPath = folder.write("three_TMP.tdl", "Geoset {\n\tVertices 2 {\n");
    const auto scene = preview::loadScene(model);
    ASSERT_EQ(scene.meshes.size(), 1u);
    EXPECT_EQ(scene.editedMesh, 0);
    EXPECT_EQ(scene.meshes[0].indices.size(), 3u);
    EXPECT_EQ(scene.note.rfind("Only the edited geoset is shown", 0), 0u) << scene.note;

    EXPECT_TRUE(preview::loadScene(GeosetModel()).meshes.empty());
}

TEST(PreviewUpdates, EachChangeUpdatesOnlyWhatItNeeds) {
    TempFolder folder;
    auto model = testing_support::editedGeoset();
    model.modelPath = writeModelWithSkin(folder);
    PreviewFields preview;
    updatePreview(preview, model, Change::GeosetRead);
    EXPECT_TRUE(preview.previewScene.meshes.empty()) << "built while no view shows it";

    preview.previewShown = true;
    preview.previewCamera.yaw = 170;
    updatePreview(preview, model, Change::GeosetRead);
    ASSERT_EQ(preview.previewScene.meshes.size(), 2u);
    EXPECT_EQ(preview.previewCamera.yaw, preview::defaultYaw);
    EXPECT_EQ(preview.previewCamera.target, preview.previewScene.bounds().centre());

    auto revisions = [&] {
        const auto& s = preview.previewScene;
        return std::array<std::uint64_t, 4>{s.meshes[0].revision, s.meshes[1].revision,
                                            s.overlay.selectionRevision, s.overlay.markerRevision};
    };
    auto before = revisions();
    updatePreview(preview, model, Change::Selection);
    auto after = revisions();
    EXPECT_EQ((std::array{before[0], before[1], before[3]}),
              (std::array{after[0], after[1], after[3]}));
    EXPECT_NE(before[2], after[2]);

    before = after;
    updatePreview(preview, model, Change::Geometry | Change::Selection);
    after = revisions();
    EXPECT_EQ(before[0], after[0]);
    EXPECT_NE(before[1], after[1]);
    EXPECT_NE(before[2], after[2]);
    EXPECT_EQ(before[3], after[3]);

    before = after;
    updatePreview(preview, model, Change::Markers);
    after = revisions();
    EXPECT_EQ(before[1], after[1]);
    EXPECT_NE(before[3], after[3]);
}

TEST(PreviewUpdates, AMoveShowsInTheSceneAfterTheCommandFinishes) {
    testing_support::EditingFixture f;
    f.addVertex(0, 0, 0, true);
    f.addVertex(1, 0, 0);
    f.addVertex(0, 1, 0);
    f.addFace(0, 1, 2);
    f.state.geosetNumber = 1;
    f.state.previewShown = true;
    loadPreview(f.state, f.state);
    const auto camera = f.state.previewCamera;

    moveSelection(f.state, 0, 0, 5, true);
    finishCommand(f.state);
    const auto& mesh = f.state.previewScene.meshes.at(0);
    EXPECT_FLOAT_EQ(mesh.vertices[2], 5);
    EXPECT_EQ(mesh.bounds.maximum[2], 5);
    // An edit does not move the camera.
    EXPECT_EQ(f.state.previewCamera.distance, camera.distance);
    EXPECT_EQ(f.state.previewCamera.target, camera.target);
}

TEST(PreviewUpdates, TextureCoordinatesHandedBackShowInTheScene) {
    testing_support::EditingFixture f;
    f.addVertex(0, 0, 0);
    f.addVertex(1, 0, 0);
    f.addVertex(0, 1, 0);
    f.addFace(0, 1, 2);
    f.state.geosetNumber = 1;
    f.state.previewShown = true;
    loadPreview(f.state, f.state);
    saveUVChanges(f.state, {0.5, 0.25, 1}, {0.75, 0, 1});
    finishCommand(f.state);
    const auto& vertices = f.state.previewScene.meshes.at(0).vertices;
    EXPECT_FLOAT_EQ(vertices[6], 0.5f);
    EXPECT_FLOAT_EQ(vertices[7], 0.75f);
    EXPECT_FLOAT_EQ(vertices[preview::floatsPerVertex + 6], 0.25f);
}

TEST(PreviewUpdates, ResetReturnsToTheOpeningAnglesAndFits) {
    PreviewFields preview;
    preview.previewScene = preview::buildScene(testing_support::threeGeosetModel(),
                                               testing_support::editedGeoset(), "/none");
    preview::orbitCamera(preview.previewCamera, 100, 40);
    preview::panCamera(preview.previewCamera, 50, 50, 100);
    resetPreviewCamera(preview);
    EXPECT_EQ(preview.previewCamera.yaw, preview::defaultYaw);
    EXPECT_EQ(preview.previewCamera.pitch, preview::defaultPitch);
    EXPECT_EQ(preview.previewCamera.target, preview.previewScene.bounds().centre());
}

} // namespace
