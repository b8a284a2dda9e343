#pragma once

// Models and files the interchange tests make at run time.

#include "formats/mdx/mdx_model.h"
#include "formats/mdx/model_conversion.h"
#include "mdx/corpus_files.h"

#include <cmath>
#include <filesystem>
#include <optional>
#include <string>

namespace interchange_test {

inline std::optional<mdx::Model> corpusModel(const std::string& relative) {
    const auto dir = mdx_test::corpusDir();
    if (dir.empty() || !std::filesystem::exists(dir / relative))
        return std::nullopt;
    auto read = mdx::readModelFile(mdx_test::readBytes(dir / relative));
    if (!read.error.empty())
        return std::nullopt;
    return std::move(read.model);
}

// A box from (0, 0, 0) to (1, 2, 3), 8 vertices and 12 triangles facing out, bound to bone 0.
inline mdx::Geoset boxGeoset() {
    mdx::Geoset g;
    for (int i = 0; i < 8; ++i)
        g.vertices.push_back({float(i & 1), float((i >> 1) & 1) * 2, float((i >> 2) & 1) * 3});
    for (const auto& v : g.vertices)
        g.normals.push_back({v[0] - 0.5f, v[1] - 1, v[2] - 1.5f});
    for (auto& n : g.normals) {
        const float l = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        n = {n[0] / l, n[1] / l, n[2] / l};
    }
    g.uvSets.push_back({});
    for (const auto& v : g.vertices)
        g.uvSets[0].push_back({v[0], v[1] / 2});
    g.faces = {0, 2, 1, 1, 2, 3, 4, 5, 6, 5, 7, 6, 0, 1, 4, 1, 5, 4,
               2, 6, 3, 3, 6, 7, 0, 4, 2, 2, 4, 6, 1, 3, 5, 3, 7, 5};
    g.faceTypes = {4};
    g.faceGroupSizes = {36};
    g.vertexGroups.assign(8, 0);
    g.matrixGroupSizes = {1};
    g.matrixIndices = {0};
    return g;
}

// A model of the geoset with one bone at the origin and one material of one layer.
inline mdx::Model modelOf(const mdx::Geoset& geoset) {
    mdx::Model model;
    model.geosets.push_back(geoset);
    mdx::Bone bone;
    bone.node.name = "Root";
    model.bones.push_back(bone);
    model.pivots.push_back({0, 0, 0});
    model.materials.emplace_back();
    model.materials[0].layers.emplace_back();
    model.textures.push_back({0, "box.blp", 0});
    return model;
}

} // namespace interchange_test
