#pragma once

#include "editor/model/geoset_model.h"
#include "formats/mdx/mdx_model.h"

// A model of three geosets with the edited one second, for the scene tests:
// geoset 1: a triangle group with one corner past the vertices, then a strip group;
// geoset 2: the edited one (its live data comes from editedGeoset());
// geoset 3: a second level of detail.
// Textures: 0 an image file "skin.png", 1 team colour, 2 team glow.
// Material 0: opaque skin, additive with a missing picture, blended team glow (two-sided).
// Material 1: alpha-tested team colour, two-sided and unshaded.
namespace testing_support {

inline mdx::Model threeGeosetModel() {
    mdx::Model model;
    model.version = 900; // levels of detail are written to MDL text from this version on
    model.textures = {{0, "Textures\\skin.png", 0}, {1, "", 0}, {2, "", 0}};
    mdx::Material first;
    first.layers.resize(3);
    first.layers[0].filterMode = 0;
    first.layers[0].textureId = 0;
    first.layers[1].filterMode = 3;
    first.layers[1].textureId = 9; // past the textures
    first.layers[2].filterMode = 2;
    first.layers[2].textureId = 2;
    first.layers[2].shadingFlags = 16;
    mdx::Material second;
    second.layers.resize(1);
    second.layers[0].filterMode = 1;
    second.layers[0].textureId = 1;
    second.layers[0].shadingFlags = 16 | 1;
    second.layers[0].alpha = 0.5f;
    model.materials = {first, second};

    mdx::Geoset one;
    one.vertices = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
    one.normals = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}};
    one.uvSets = {{{0.25f, 0.75f}, {1, 0}, {0, 1}, {0.5f, 0.5f}}};
    one.faceTypes = {4, 5};
    one.faceGroupSizes = {6, 4};
    one.faces = {0, 1, 2, 1, 2, 7, 0, 1, 2, 3};
    one.materialId = 0;
    mdx::Geoset edited;
    edited.vertices = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    edited.faceTypes = {4};
    edited.faceGroupSizes = {3};
    edited.faces = {0, 1, 2};
    edited.materialId = 1;
    mdx::Geoset lod = one;
    lod.lod = 1;
    model.geosets = {one, edited, lod};
    return model;
}

// The editor's data of geoset 2: four vertices, the last deleted; two faces, the second
// deleted; vertex 1 selected.
inline editor::GeosetModel editedGeoset() {
    editor::GeosetModel model;
    model.modelLoaded = true;
    model.geosetNumber = 2;
    for (int i = 0; i < 4; ++i) {
        editor::VertexRecord vertex;
        vertex.x = i;
        vertex.y = 10 + i;
        vertex.z = -i;
        vertex.normalY = 1;
        vertex.u = 0.1 * i;
        vertex.v = 0.2 * i;
        vertex.selected = i == 1;
        vertex.deleted = i == 3;
        model.vertices.push_back(vertex);
    }
    model.faces = {{0, 1, 2, false}, {1, 2, 0, true}};
    model.markers[2] = {5, 6, 7, true};
    return model;
}

} // namespace testing_support
