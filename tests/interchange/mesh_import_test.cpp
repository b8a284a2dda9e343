// Meshes in from OBJ, glTF and Collada files made here; our OBJ export read back.

#include "common/vector_maths.h"
#include "formats/interchange/gltf_export.h"
#include "formats/interchange/mesh_import.h"
#include "formats/interchange/obj_export.h"
#include "interchange_fixtures.h"
#include "support/temp_folder.h"

#include <assimp/Exporter.hpp>
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace {

using testing_support::TempFolder;

// The box of interchange_fixtures.h as OBJ text, in the game's axes.
std::string boxObj() {
    const auto box = interchange_test::boxGeoset();
    std::string text = "o box\n";
    for (const auto& v : box.vertices)
        text += "v " + std::to_string(v[0]) + " " + std::to_string(v[1]) + " " +
                std::to_string(v[2]) + "\n";
    for (std::size_t i = 0; i < box.faces.size(); i += 3)
        text += "f " + std::to_string(box.faces[i] + 1) + " " +
                std::to_string(box.faces[i + 1] + 1) + " " + std::to_string(box.faces[i + 2] + 1) +
                "\n";
    return text;
}

// A sphere of radius 1 of `rings` rings and `segments` segments, each quad two triangles.
std::string sphereObj(int rings, int segments) {
    std::string text = "o sphere\n";
    const double pi = std::acos(-1.0);
    for (int r = 0; r <= rings; ++r)
        for (int s = 0; s <= segments; ++s) {
            const double polar = pi * r / rings, around = 2 * pi * s / segments;
            text += "v " + std::to_string(std::sin(polar) * std::cos(around)) + " " +
                    std::to_string(std::sin(polar) * std::sin(around)) + " " +
                    std::to_string(std::cos(polar)) + "\n";
        }
    auto at = [&](int r, int s) { return std::to_string(r * (segments + 1) + s + 1); };
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < segments; ++s)
            text += "f " + at(r, s) + " " + at(r + 1, s) + " " + at(r + 1, s + 1) + " " +
                    at(r, s + 1) + "\n";
    return text;
}

std::size_t triangles(const mdx::Geoset& geoset) {
    return geoset.faces.size() / 3;
}

void expectBoxBounds(const interchange::MeshImport& mesh, const std::string& what) {
    ASSERT_TRUE(mesh.ok()) << what << ": " << mesh.error;
    ASSERT_EQ(mesh.geosets.size(), 1u) << what;
    const auto& extent = mesh.geosets[0].extent;
    for (std::size_t c = 0; c < 3; ++c) {
        EXPECT_NEAR(extent.minimum[c], 0, 1e-5) << what << " axis " << c;
        EXPECT_NEAR(extent.maximum[c], float(c + 1), 1e-5) << what << " axis " << c;
    }
    EXPECT_EQ(triangles(mesh.geosets[0]), 12u) << what;
}

TEST(MeshImport, BoxComesInUprightFromObjGltfColladaAndFbx) {
    TempFolder folder;
    expectBoxBounds(interchange::importMesh(folder.write("box.obj", boxObj())), "OBJ");

    const auto box = interchange_test::modelOf(interchange_test::boxGeoset());
    ASSERT_FALSE(interchange::writeGltfFile(box, {}, folder.path() / "box.glb").error);
    expectBoxBounds(interchange::importMesh(folder.path() / "box.glb"), "glTF");

    // Collada and FBX written by Assimp's own exporters from our glTF (FBX as text: this
    // Assimp cannot read the binary FBX it writes).
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(folder.file("box.glb"), 0);
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    for (const auto& [format, name] : {std::pair{"collada", "box.dae"}, {"fbxa", "box.fbx"}}) {
        Assimp::Exporter exporter;
        ASSERT_EQ(exporter.Export(scene, format, folder.file(name)), AI_SUCCESS)
            << exporter.GetErrorString();
        expectBoxBounds(interchange::importMesh(folder.path() / name), format);
    }
}

TEST(MeshImport, SphereIsTriangulatedWithItsVerticesJoined) {
    TempFolder folder;
    const auto mesh = interchange::importMesh(folder.write("sphere.obj", sphereObj(8, 12)));
    ASSERT_TRUE(mesh.ok()) << mesh.error;
    ASSERT_EQ(mesh.geosets.size(), 1u);
    const auto& geoset = mesh.geosets[0];
    // Each quad is two triangles, but at the poles one of them has no area and is dropped.
    EXPECT_EQ(triangles(geoset), 6u * 12u * 2u + 2u * 12u);
    // The poles' copies and the seam join: 7 inner rings of 12, and the two poles.
    EXPECT_EQ(geoset.vertices.size(), 7u * 12u + 2u);
    for (std::size_t v = 0; v < geoset.vertices.size(); ++v) {
        EXPECT_NEAR(common::length(geoset.vertices[v]), 1, 1e-5);
        EXPECT_NEAR(common::length(geoset.normals[v]), 1, 1e-4); // made, as the file has none
    }
    EXPECT_EQ(geoset.vertexGroups.size(), geoset.vertices.size());
    EXPECT_EQ(mesh.materials.size(), 1u);
    EXPECT_EQ(geoset.faceGroupSizes,
              std::vector<std::uint32_t>{std::uint32_t(geoset.faces.size())});
}

TEST(MeshImport, OptionsBindScaleAndJoin) {
    TempFolder folder;
    // The sphere's indices follow the box's 8 vertices in one file.
    std::string two = boxObj() + "o sphere\n";
    const auto sphere = sphereObj(4, 6);
    for (std::size_t at = sphere.find('\n') + 1, end; at < sphere.size(); at = end + 1) {
        end = sphere.find('\n', at);
        std::string line = sphere.substr(at, end - at);
        if (line[0] == 'f') {
            std::string shifted = "f";
            std::size_t pos = 2;
            while (pos < line.size()) {
                const auto space = std::min(line.find(' ', pos), line.size());
                shifted += " " + std::to_string(std::stoi(line.substr(pos, space - pos)) + 8);
                pos = space + 1;
            }
            line = shifted;
        }
        two += line + "\n";
    }
    folder.write("two.obj", two);
    interchange::MeshImportOptions options;
    options.boneId = 7;
    options.scale = 2;
    const auto apart = interchange::importMesh(folder.path() / "two.obj", options);
    ASSERT_TRUE(apart.ok()) << apart.error;
    ASSERT_EQ(apart.geosets.size(), 2u);
    EXPECT_EQ(apart.names, (std::vector<std::string>{"box", "sphere"}));
    EXPECT_EQ(apart.geosets[1].materialId, 1u);
    EXPECT_EQ(apart.geosets[0].matrixIndices, std::vector<std::uint32_t>{7});
    EXPECT_NEAR(apart.geosets[0].extent.maximum[2], 6, 1e-5);
    options.joinMeshes = true;
    const auto joined = interchange::importMesh(folder.path() / "two.obj", options);
    ASSERT_TRUE(joined.ok()) << joined.error;
    ASSERT_EQ(joined.geosets.size(), 1u);
    EXPECT_EQ(triangles(joined.geosets[0]), 12u + 2u * 6u * 2u + 2u * 6u);
}

TEST(MeshImport, RefusalsNameTheFileAndWhy) {
    TempFolder folder;
    // A grid of 182 x 182 vertices: 33,124 vertices and 65,522 triangles.
    std::string grid;
    for (int y = 0; y < 182; ++y)
        for (int x = 0; x < 182; ++x)
            grid += "v " + std::to_string(x) + " " + std::to_string(y) + " 0\n";
    for (int y = 0; y < 181; ++y)
        for (int x = 0; x < 181; ++x) {
            const int a = y * 182 + x + 1;
            grid += "f " + std::to_string(a) + " " + std::to_string(a + 1) + " " +
                    std::to_string(a + 183) + " " + std::to_string(a + 182) + "\n";
        }
    const struct {
        std::string name, content, says;
    } cases[] = {
        {"noise.xyz9", "\x01\x02 not a mesh at all", "cannot be read: "},
        {"lines.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nl 1 2 3\n", "has no triangles"},
        {"grid.obj", grid, "33124 vertices and 65522 triangles"},
    };
    for (const auto& c : cases) {
        const auto path = folder.write(c.name, c.content);
        const auto mesh = interchange::importMesh(path);
        EXPECT_FALSE(mesh.ok()) << c.name;
        EXPECT_TRUE(mesh.geosets.empty()) << c.name;
        EXPECT_NE(mesh.error.find(path), std::string::npos) << mesh.error;
        EXPECT_NE(mesh.error.find(c.says), std::string::npos) << mesh.error;
    }
    // Assimp's own message follows the file's name.
    const auto unreadable = interchange::importMesh(folder.file("noise.xyz9"));
    EXPECT_GT(unreadable.error.size(), unreadable.error.find("cannot be read: ") + 16);
}

// Rounds to the 6 decimals the OBJ file has.
double rounded(double value) {
    return std::round(value * 1e6) / 1e6;
}

TEST(ObjExport, ImportGivesBackPositionsNormalsUvsAndFaces) {
    const auto model = interchange_test::corpusModel("mdx/huangzhong.mdx");
    if (!model)
        GTEST_SKIP() << "the corpus model is missing";
    TempFolder folder;
    const std::size_t g = 2;
    const auto& original = model->geosets[g];
    ASSERT_FALSE(interchange::writeObjFiles(*model, g, folder.path() / "part.obj"));
    const auto mtl = testing_support::readFile(folder.path() / "part.mtl");
    EXPECT_NE(mtl.find("newmtl Material"), std::string::npos) << mtl;
    const auto mesh = interchange::importMesh(folder.path() / "part.obj");
    ASSERT_TRUE(mesh.ok()) << mesh.error;
    ASSERT_EQ(mesh.geosets.size(), 1u);
    const auto& back = mesh.geosets[0];
    ASSERT_EQ(back.faces.size(), original.faces.size());
    const auto near = [](double read, double written) {
        return std::abs(read - rounded(written)) <= 1e-6 + 1e-7 * std::abs(written);
    };
    for (std::size_t i = 0; i < original.faces.size(); ++i) {
        const auto a = original.faces[i], b = back.faces[i];
        for (std::size_t c = 0; c < 3; ++c) {
            ASSERT_TRUE(near(back.vertices[b][c], original.vertices[a][c])) << "corner " << i;
            ASSERT_TRUE(near(back.normals[b][c], original.normals[a][c])) << "corner " << i;
        }
        for (std::size_t c = 0; c < 2; ++c)
            ASSERT_TRUE(near(back.uvSets[0][b][c], original.uvSets[0][a][c])) << "corner " << i;
    }
}

TEST(ObjExport, MtlNamesTheTextureOrTheTeamColour) {
    auto model = interchange_test::modelOf(interchange_test::boxGeoset());
    model.textures[0].path = "Textures\\Box.blp";
    EXPECT_NE(interchange::mtlText(model, 0, "M").find("map_Kd Textures/Box.blp\n"),
              std::string::npos);
    model.textures[0] = {1, "", 0};
    const auto team = interchange::mtlText(model, 0, "M");
    EXPECT_EQ(team.find("map_Kd"), std::string::npos);
    EXPECT_NE(team.find("Kd 1.000000 0.011765 0.011765"), std::string::npos) << team;
}

} // namespace
