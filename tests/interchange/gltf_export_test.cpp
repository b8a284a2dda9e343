// The exported glTF passes the validator and reads back through Assimp as what it was made of.

#include "formats/animation/skeleton.h"
#include "formats/interchange/gltf_export.h"
#include "formats/interchange/gltf_geometry.h"
#include "formats/interchange/gltf_materials.h"
#include "gltf_reading.h"
#include "interchange_fixtures.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <fstream>

namespace {

using testing_support::runProgram;
using testing_support::TempFolder;

const char* const nodeModules = "NODE_PATH=/usr/local/lib/node_modules:/usr/lib/node_modules";

bool validatorInstalled() {
    return runProgram("/usr/bin/env", {nodeModules, "node", "-e", "require('gltf-validator')"})
               .status == 0;
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::filesystem::path> corpusModels() {
    auto files = mdx_test::corpusFiles(".mdx");
    const auto text = mdx_test::corpusFiles(".mdl");
    files.insert(files.end(), text.begin(), text.end());
    return files;
}

std::size_t exportedMeshes(const mdx::Model& model) {
    std::size_t count = 0;
    for (const auto& geoset : model.geosets) {
        std::size_t dropped = 0;
        count += interchange::isExportedGeoset(geoset) &&
                 !interchange::triangleCorners(geoset, dropped).empty();
    }
    return count;
}

TEST(GltfExport, EveryCorpusModelPassesTheValidator) {
    if (mdx_test::corpusDir().empty())
        GTEST_SKIP() << "the corpus is not beside the checkout";
    if (!validatorInstalled())
        GTEST_SKIP() << "node or the gltf-validator package is not installed";
    TempFolder folder;
    for (const auto& file : corpusModels()) {
        const auto read = mdx::readModelFile(mdx_test::readBytes(file));
        if (!read.ok())
            continue; // not a model (the corpus's notes)
        std::vector<std::string> warnings;
        const auto out = folder.file(file.filename().string() + ".glb");
        writeBytes(out, interchange::gltfBinary(read.model, file.parent_path(), warnings));
        const auto run =
            runProgram("/usr/bin/env", {nodeModules, "node", MOLDRIN_GLTF_VALIDATE_SCRIPT, out});
        EXPECT_EQ(run.status, 0) << file << "\n" << run.out << run.err;
    }
}

TEST(GltfExport, AssimpReadsBackMeshesNodesAndAnimations) {
    if (mdx_test::corpusDir().empty())
        GTEST_SKIP() << "the corpus is not beside the checkout";
    for (const auto& file : corpusModels()) {
        const auto read = mdx::readModelFile(mdx_test::readBytes(file));
        if (!read.ok())
            continue;
        const auto& model = read.model;
        std::vector<std::string> warnings;
        const auto bytes = interchange::gltfBinary(model, file.parent_path(), warnings);
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFileFromMemory(bytes.data(), bytes.size(), 0, "glb");
        ASSERT_NE(scene, nullptr) << file << ": " << importer.GetErrorString();
        EXPECT_EQ(scene->mNumMeshes, exportedMeshes(model)) << file;
        const animation::Skeleton skeleton(model);
        for (const auto& node : skeleton.nodes) {
            const auto& name = node.node->name;
            const auto expected =
                name.empty() ? "Node " + std::to_string(node.node->objectId) : name;
            EXPECT_NE(scene->mRootNode->FindNode(expected.c_str()), nullptr)
                << file << ": node " << expected;
        }
        ASSERT_EQ(scene->mNumAnimations, model.sequences.size()) << file;
        for (std::size_t a = 0; a < model.sequences.size(); ++a) {
            const auto& sequence = model.sequences[a];
            const aiAnimation& animation = *scene->mAnimations[a];
            EXPECT_EQ(animation.mName.C_Str(), sequence.name) << file;
            const double length = sequence.interval[1] > sequence.interval[0]
                                      ? sequence.interval[1] - sequence.interval[0]
                                      : 0.0;
            const double ticks = animation.mTicksPerSecond > 0 ? animation.mTicksPerSecond : 1000;
            EXPECT_NEAR(animation.mDuration / ticks, length / 1000, 1e-3)
                << file << ": " << sequence.name;
        }
    }
}

TEST(GltfExport, AssimpsCommandReadsTheFile) {
    if (runProgram("/usr/bin/env", {"sh", "-c", "command -v assimp"}).status != 0)
        GTEST_SKIP() << "assimp-utils is not installed";
    const auto model = interchange_test::corpusModel("mdx/huangzhong.mdx");
    if (!model)
        GTEST_SKIP() << "the corpus model is missing";
    TempFolder folder;
    std::vector<std::string> warnings;
    writeBytes(folder.file("hero.glb"), interchange::gltfBinary(*model, {}, warnings));
    const auto run = runProgram("/usr/bin/env", {"assimp", "info", folder.file("hero.glb")});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("Animations:         11"), std::string::npos) << run.out;
}

TEST(GltfExport, LayersGiveAlphaModeAndSides) {
    const struct {
        std::uint32_t filterMode, shadingFlags;
        const char* alphaMode;
        bool doubleSided;
    } cases[] = {{0, 0, "OPAQUE", false}, {1, 16, "MASK", true},  {2, 0, "BLEND", false},
                 {3, 0, "BLEND", false},  {4, 0, "BLEND", false}, {5, 16, "BLEND", true}};
    for (const auto& c : cases) {
        mdx::Layer layer;
        layer.filterMode = c.filterMode;
        layer.shadingFlags = c.shadingFlags;
        const auto look = interchange::layerLook(layer);
        EXPECT_EQ(look.alphaMode, c.alphaMode) << c.filterMode;
        EXPECT_EQ(look.doubleSided, c.doubleSided) << c.filterMode;
    }
}

TEST(GltfExport, MaterialsTexturesAndTeamColour) {
    TempFolder folder;
    auto model = interchange_test::modelOf(interchange_test::boxGeoset());
    model.materials[0].layers[0].filterMode = 1;
    model.textures[0].path = "Textures\\Box.tga";
    model.textures.push_back({1, "", 0}); // team colour
    model.materials.emplace_back();
    model.materials[1].layers.emplace_back();
    model.materials[1].layers[0].textureId = 1;
    model.geosets.push_back(interchange_test::boxGeoset());
    model.geosets[1].materialId = 1;
    // A 2 x 1 TGA beside the model, in the folder the path names, in another case.
    std::filesystem::create_directory(folder.path() / "textures");
    const unsigned char tga[] = {0, 0, 2, 0,  0, 0,   0, 0, 0,   0, 0,   0, 2,
                                 0, 1, 0, 32, 8, 255, 0, 0, 255, 0, 255, 0, 255};
    std::ofstream(folder.file("textures/box.tga"), std::ios::binary)
        .write(reinterpret_cast<const char*>(tga), sizeof tga);
    std::vector<std::string> warnings;
    const auto gltf = gltf_test::loadGlb(interchange::gltfBinary(model, folder.path(), warnings));
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    ASSERT_EQ(gltf.materials.size(), 2u);
    EXPECT_EQ(gltf.materials[0].alphaMode, "MASK");
    EXPECT_DOUBLE_EQ(gltf.materials[0].alphaCutoff, 0.75);
    ASSERT_EQ(gltf.images.size(), 1u);
    EXPECT_EQ(gltf.images[0].mimeType, "image/png");
    EXPECT_EQ(gltf.materials[0].pbrMetallicRoughness.baseColorTexture.index, 0);
    EXPECT_EQ(gltf.materials[1].pbrMetallicRoughness.baseColorTexture.index, -1);
    EXPECT_NEAR(gltf.materials[1].pbrMetallicRoughness.baseColorFactor[0], 1.0, 1e-9);
    EXPECT_NEAR(gltf.materials[1].pbrMetallicRoughness.baseColorFactor[1], 3 / 255.0, 1e-9);

    // A texture not found is named, and the material is left without it.
    model.textures[0].path = "missing.blp";
    warnings.clear();
    const auto untextured =
        gltf_test::loadGlb(interchange::gltfBinary(model, folder.path(), warnings));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("missing.blp"), std::string::npos);
    EXPECT_TRUE(untextured.images.empty());
}

TEST(GltfExport, GeometryInGltfAxesAndVertexOrder) {
    auto box = interchange_test::boxGeoset();
    box.tangents = std::vector<mdx::Vec4>(8, {1, 0, 0, -1});
    auto model = interchange_test::modelOf(box);
    model.version = 1000;
    mdx::Geoset secondLevel = box;
    secondLevel.lod = 1;
    model.geosets.push_back(secondLevel);
    std::vector<std::string> warnings;
    const auto gltf = gltf_test::loadGlb(interchange::gltfBinary(model, {}, warnings));
    ASSERT_EQ(gltf.meshes.size(), 1u); // the second level of detail is left out
    const auto& attributes = gltf.meshes[0].primitives[0].attributes;
    const auto positions = gltf_test::numbers(gltf, attributes.at("POSITION"));
    for (std::size_t v = 0; v < 8; ++v) {
        EXPECT_FLOAT_EQ(positions[v * 3], box.vertices[v][0]);
        EXPECT_FLOAT_EQ(positions[v * 3 + 1], box.vertices[v][2]);
        EXPECT_FLOAT_EQ(positions[v * 3 + 2], -box.vertices[v][1]);
    }
    const auto tangents = gltf_test::numbers(gltf, attributes.at("TANGENT"));
    EXPECT_EQ(std::vector<double>(tangents.begin(), tangents.begin() + 4),
              (std::vector<double>{1, 0, 0, -1}));
    const auto uvs = gltf_test::numbers(gltf, attributes.at("TEXCOORD_0"));
    EXPECT_FLOAT_EQ(uvs[7 * 2 + 1], box.uvSets[0][7][1]); // V as the game has it, top down
    const auto indices = gltf_test::numbers(gltf, gltf.meshes[0].primitives[0].indices);
    EXPECT_EQ(indices, std::vector<double>(box.faces.begin(), box.faces.end()));
}

TEST(GltfExport, TextFormWritesItsFilesBeside) {
    if (!validatorInstalled())
        GTEST_SKIP() << "node or the gltf-validator package is not installed";
    const auto model = interchange_test::corpusModel("mdx/diaochan.mdx");
    if (!model)
        GTEST_SKIP() << "the corpus model is missing";
    TempFolder folder;
    const auto out = folder.path() / "two words.gltf";
    const auto result = interchange::writeGltfFile(*model, mdx_test::corpusDir() / "mdx", out);
    ASSERT_FALSE(result.error) << *result.error;
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "two words.bin"));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "two words_0.png"));
    EXPECT_NE(testing_support::readFile(out).find("two%20words.bin"), std::string::npos);
    const auto run = runProgram("/usr/bin/env",
                                {nodeModules, "node", MOLDRIN_GLTF_VALIDATE_SCRIPT, out.string()});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
}

} // namespace
