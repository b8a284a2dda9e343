#include "editor/preview/scene_building.h"
#include "scene_fixture.h"

#include "formats/mdx/mdx_model.h"

#include <gtest/gtest.h>

namespace {

using namespace editor::preview;

TEST(PreviewScene, EveryFilterModeHasItsBlendMode) {
    const std::pair<std::uint32_t, BlendMode> table[] = {
        {0, BlendMode::Opaque},     {1, BlendMode::AlphaTest}, {2, BlendMode::Blend},
        {3, BlendMode::Additive},   {4, BlendMode::AddAlpha},  {5, BlendMode::Modulate},
        {6, BlendMode::Modulate2x}, {77, BlendMode::Opaque}};
    for (const auto& [filterMode, blend] : table)
        EXPECT_EQ(blendModeOf(filterMode), blend) << filterMode;
    EXPECT_FALSE(isTranslucent(BlendMode::Opaque));
    EXPECT_FALSE(isTranslucent(BlendMode::AlphaTest));
    for (auto mode : {BlendMode::Blend, BlendMode::Additive, BlendMode::AddAlpha,
                      BlendMode::Modulate, BlendMode::Modulate2x})
        EXPECT_TRUE(isTranslucent(mode));
}

TEST(PreviewScene, TheFileGeosetsBuffersFollowTheFileInTheEditorsAxes) {
    const auto scene =
        buildScene(testing_support::threeGeosetModel(), testing_support::editedGeoset(), "/none");
    // The second level of detail is left out.
    ASSERT_EQ(scene.meshes.size(), 2u);
    const auto& mesh = scene.meshes[0];
    EXPECT_EQ(mesh.geoset, 0);
    ASSERT_EQ(mesh.vertices.size(), 4u * floatsPerVertex);
    // File { 1, 2, 3 } is x = 2, y = 3, z = 1; the normal likewise; then u, v.
    EXPECT_EQ(std::vector<float>(mesh.vertices.begin(), mesh.vertices.begin() + floatsPerVertex),
              (std::vector<float>{2, 3, 1, 0, 0, 1, 0.25f, 0.75f}));
    // The triangle naming vertex 7 and the strip group are not drawn.
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(mesh.bounds.minimum, (Vec3{2, 3, 1}));
    EXPECT_EQ(mesh.bounds.maximum, (Vec3{11, 12, 10}));
}

TEST(PreviewScene, LayersTakeTheirTextureBlendAndSides) {
    const auto scene =
        buildScene(testing_support::threeGeosetModel(), testing_support::editedGeoset(), "/none");
    const auto& layers = scene.meshes[0].layers;
    ASSERT_EQ(layers.size(), 3u);
    EXPECT_EQ(layers[0].texture, 0);
    EXPECT_EQ(layers[0].blend, BlendMode::Opaque);
    EXPECT_TRUE(layers[0].shown); // drawn grey while its picture is missing
    EXPECT_EQ(layers[1].texture, -1);
    EXPECT_FALSE(layers[1].shown); // an additive layer without a picture is left out
    EXPECT_EQ(layers[2].blend, BlendMode::Blend);
    EXPECT_TRUE(layers[2].twoSided);
    EXPECT_FALSE(layers[2].shown); // team glow is no solid quad

    const auto& edited = scene.meshes[static_cast<std::size_t>(scene.editedMesh)].layers;
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0].blend, BlendMode::AlphaTest);
    EXPECT_TRUE(edited[0].twoSided);
    EXPECT_TRUE(edited[0].unshaded);
    EXPECT_FLOAT_EQ(edited[0].alpha, 0.5f);

    // The image is not beside the model; team colour and glow are flat colours.
    ASSERT_EQ(scene.textures.size(), 3u);
    EXPECT_EQ(scene.textures[0].image, nullptr);
    EXPECT_NE(scene.note.find("skin.png"), std::string::npos);
    ASSERT_NE(scene.textures[1].image, nullptr);
    EXPECT_EQ(scene.textures[1].image->width, 1);
    EXPECT_EQ(scene.textures[1].image->pixels, (std::vector<std::uint8_t>{255, 3, 3, 255}));
}

TEST(PreviewScene, TheEditedGeosetComesFromTheEditorWithItsOverlay) {
    const auto model = testing_support::editedGeoset();
    const auto scene = buildScene(testing_support::threeGeosetModel(), model, "/none");
    ASSERT_EQ(scene.editedMesh, 1);
    const auto& mesh = scene.meshes[1];
    EXPECT_EQ(mesh.geoset, 1);
    // Every vertex keeps its index, so the overlay's indices name the same vertices.
    ASSERT_EQ(mesh.vertices.size(), 4u * floatsPerVertex);
    EXPECT_FLOAT_EQ(mesh.vertices[1 * floatsPerVertex + 1], 11);
    EXPECT_FLOAT_EQ(mesh.vertices[2 * floatsPerVertex + 7], 0.4f);
    // The deleted face is not drawn; the deleted vertex is outside the bounds.
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(mesh.bounds.maximum, (Vec3{2, 12, 0}));
    EXPECT_EQ(scene.overlay.selectedIndices, (std::vector<std::uint32_t>{1}));
    EXPECT_EQ(scene.overlay.markerPositions, (std::vector<float>{5, 6, 7}));
}

TEST(PreviewScene, TheFitBoxLeavesOutMeshesThatDrawNothing) {
    auto file = testing_support::threeGeosetModel();
    auto model = testing_support::editedGeoset();
    // Geoset 1 shows only its additive layer without a picture: nothing of it is drawn.
    file.materials[0].layers.erase(file.materials[0].layers.begin());
    const auto scene = buildScene(file, model, "/none");
    EXPECT_FALSE(scene.meshes[0].drawn());
    EXPECT_EQ(scene.bounds().maximum, scene.meshes[1].bounds.maximum);
    EXPECT_EQ(scene.bounds().minimum, scene.meshes[1].bounds.minimum);
}

TEST(PreviewScene, AnEditRebuildsOnlyTheEditedMeshAndASelectionOnlyItsList) {
    auto model = testing_support::editedGeoset();
    auto scene = buildScene(testing_support::threeGeosetModel(), model, "/none");
    const auto before = scene;

    model.vertices[0].x = 100;
    updateEditedGeometry(scene, model);
    EXPECT_EQ(scene.meshes[0].revision, before.meshes[0].revision);
    EXPECT_EQ(scene.meshes[0].vertices, before.meshes[0].vertices);
    EXPECT_NE(scene.meshes[1].revision, before.meshes[1].revision);
    EXPECT_FLOAT_EQ(scene.meshes[1].vertices[0], 100);
    EXPECT_NE(scene.revision, before.revision);

    const auto edited = scene;
    model.vertices[2].selected = true;
    updateSelection(scene, model);
    EXPECT_EQ(scene.meshes[1].revision, edited.meshes[1].revision);
    EXPECT_EQ(scene.overlay.markerRevision, edited.overlay.markerRevision);
    EXPECT_NE(scene.overlay.selectionRevision, edited.overlay.selectionRevision);
    EXPECT_EQ(scene.overlay.selectedIndices, (std::vector<std::uint32_t>{1, 2}));
}

TEST(PreviewScene, AModelWithFewerGeosetsStillShowsTheEditedOne) {
    auto model = testing_support::editedGeoset();
    model.geosetNumber = 7;
    const auto scene = buildScene(testing_support::threeGeosetModel(), model, "/none");
    ASSERT_GE(scene.editedMesh, 0);
    EXPECT_EQ(scene.meshes[static_cast<std::size_t>(scene.editedMesh)].indices.size(), 3u);
    EXPECT_TRUE(scene.meshes[static_cast<std::size_t>(scene.editedMesh)].layers.empty());
}

} // namespace
