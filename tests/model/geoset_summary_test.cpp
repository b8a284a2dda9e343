// What the geoset picker lists of a model's geosets: sizes from the arrays and the textures of
// each geoset's material.

#include "editor/model/geoset_summary.h"

#include <gtest/gtest.h>

namespace {

mdx::Texture image(const std::string& path) {
    mdx::Texture texture;
    texture.path = path;
    return texture;
}

mdx::Texture replaceable(std::uint32_t id) {
    mdx::Texture texture;
    texture.replaceableId = id;
    return texture;
}

mdx::Material material(std::vector<std::uint32_t> textureIds) {
    mdx::Material material;
    for (const auto id : textureIds) {
        material.layers.emplace_back();
        material.layers.back().textureId = id;
    }
    return material;
}

mdx::Geoset geoset(std::size_t vertices, std::size_t corners, std::uint32_t materialId) {
    mdx::Geoset geoset;
    geoset.vertices.resize(vertices);
    geoset.faces.resize(corners);
    if (corners > 0) {
        geoset.faceTypes = {4};
        geoset.faceGroupSizes = {static_cast<std::uint32_t>(corners)};
    }
    geoset.materialId = materialId;
    return geoset;
}

TEST(GeosetPicker, ListsCountsAndTextures) {
    mdx::Model model;
    model.textures = {image("a.blp"), image("Textures\\\\b.blp")};
    model.materials = {material({1}), material({0})};
    model.geosets = {geoset(4, 6, 0), geoset(120, 0, 1), geoset(0, 0, 7)};
    const auto geosets = editor::summarizeGeosets(model);
    ASSERT_EQ(geosets.size(), 3u);
    EXPECT_EQ(editor::geosetSummaryText(1, geosets[0]),
              "1: 4 vertices, 2 triangles, Textures\\\\b.blp");
    EXPECT_EQ(editor::geosetSummaryText(2, geosets[1]), "2: 120 vertices, 0 triangles, a.blp");
    EXPECT_EQ(editor::geosetSummaryText(3, geosets[2]), "3: 0 vertices, 0 triangles");
}

// Replaceable textures listed before the image ones count like any other.
TEST(GeosetPicker, NamesEachLayersTextureReplaceableOnesIncluded) {
    mdx::Model model;
    model.textures = {replaceable(1), replaceable(2), image("Textures\\Arm.blp"), replaceable(11)};
    model.materials = {material({2}), material({0, 1, 2}), material({3, 9})};
    model.geosets = {geoset(3, 3, 0), geoset(3, 3, 1), geoset(3, 3, 2), geoset(3, 3, 5)};
    const std::vector<std::vector<std::string>> expected = {
        {"Textures\\Arm.blp"},
        {"Team colour", "Team glow", "Textures\\Arm.blp"},
        {"Replaceable 11", ""},
        {},
    };
    const auto geosets = editor::summarizeGeosets(model);
    ASSERT_EQ(geosets.size(), expected.size());
    for (std::size_t g = 0; g < expected.size(); ++g) {
        EXPECT_EQ(geosets[g].textures, expected[g]) << "geoset " << g;
        EXPECT_EQ(geosets[g].material, static_cast<int>(model.geosets[g].materialId));
    }
    EXPECT_EQ(editor::geosetSummaryText(2, geosets[1]), "2: 3 vertices, 1 triangles, Team colour");
}

} // namespace
