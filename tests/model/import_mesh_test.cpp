// File > Import Mesh… and its core: the meshes of a file made at run time become geosets of the
// document as one undoable step; every refusal changes nothing.

#include "model_fixture.h"

#include "common/text_file.h"
#include "editor/editing/file_save.h"
#include "editor/editing/import_mesh_command.h"
#include "editor/editing/undo_command.h"
#include "editor/model/model_document.h"
#include "formats/mdx/mdx_file.h"
#include "formats/mdx/model_conversion.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using model_test::Editor;
using model_test::fixture;

// Two objects: a cube (8 corners, 12 triangles) and a square (4 corners, 2 triangles).
const char* const twoMeshes = "o Cube\n"
                              "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
                              "v 0 0 1\nv 1 0 1\nv 1 1 1\nv 0 1 1\n"
                              "f 1 3 2\nf 1 4 3\nf 5 6 7\nf 5 7 8\nf 1 2 6\nf 1 6 5\n"
                              "f 2 3 7\nf 2 7 6\nf 3 4 8\nf 3 8 7\nf 4 1 5\nf 4 5 8\n"
                              "o Square\n"
                              "v 5 0 0\nv 6 0 0\nv 6 1 0\nv 5 1 0\n"
                              "f 9 10 11\nf 9 11 12\n";

// A grid of n x n quads: (n + 1)^2 vertices, 2 n^2 triangles.
std::string grid(int n) {
    std::string text;
    for (int y = 0; y <= n; ++y)
        for (int x = 0; x <= n; ++x)
            text += "v " + std::to_string(x) + " " + std::to_string(y) + " 0\n";
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const int a = y * (n + 1) + x + 1, b = a + 1, c = a + n + 1, d = c + 1;
            text += "f " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(d) +
                    "\nf " + std::to_string(a) + " " + std::to_string(d) + " " + std::to_string(c) +
                    "\n";
        }
    return text;
}

TEST(ImportMesh, TheMenuAddsOneGeosetAMeshBoundToTheBoneAndOneUndoTakesItBack) {
    Editor e;
    const auto path = e.openText("three.mdl", fixture("three_geosets.mdl"), {"2"});
    const auto mesh = e.folder.write("two.obj", twoMeshes);
    const auto before = e.state.document;
    const auto vertices = e.state.vertices;
    // file, bone 2 ("B"), scale 2, one geoset a mesh, the offered texture kept
    e.dialogs.setAnswers({mesh, "2", "2", "Textures\\white.blp"});
    e.dialogs.choiceAnswers = {"One geoset per mesh"};
    editor::importMeshCommand(e.state);
    editor::finishCommand(e.state);
    ASSERT_EQ(e.errorCount(), 0);
    const mdx::Model& model = *e.state.document->model();
    ASSERT_EQ(model.geosets.size(), 5u);
    const auto boneB = before->model()->bones[1].node.objectId;
    for (const std::size_t g : {3u, 4u}) {
        EXPECT_EQ(model.geosets[g].matrixIndices, std::vector<std::uint32_t>{boneB});
        EXPECT_EQ(model.geosets[g].materialId, before->model()->materials.size() + g - 3);
        EXPECT_EQ(model.geosets[g].sequenceExtents.size(), model.sequences.size());
    }
    EXPECT_EQ(model.geosets[3].vertices.size(), 8u);
    EXPECT_EQ(model.geosets[3].faces.size(), 36u);
    EXPECT_EQ(model.geosets[4].faces.size(), 6u);
    EXPECT_FLOAT_EQ(model.geosets[4].vertices[0][0], 10.f) << "scaled by 2";
    EXPECT_EQ(model.textures.back().path, "Textures\\white.blp");
    EXPECT_EQ(e.state.geosetNumber, 2);
    EXPECT_EQ(e.state.vertices, vertices);
    EXPECT_EQ(editor::undoEntry(e.state, 1).name(), "Import Mesh");

    // Saved as text and as binary, the geosets read back.
    editor::saveCommand(e.state);
    ASSERT_EQ(e.errorCount(), 0);
    EXPECT_EQ(mdx::readMdl(common::readTextFile(path).value()).geosets.size(), 5u);
    const auto mdx = e.folder.file("three.mdx");
    e.dialogs.setAnswers({mdx});
    editor::saveAsCommand(e.state);
    ASSERT_EQ(e.errorCount(), 0);
    std::ifstream in(mdx, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(mdx::readMdx(bytes).geosets.size(), 5u);

    editor::undoLast(e.state);
    EXPECT_EQ(*e.state.document->model(), *before->model());
    EXPECT_EQ(e.state.vertices, vertices);
}

TEST(ImportMesh, JoinedMeshesAndAModelWithoutBonesGetABoneOfTheirOwn) {
    Editor e;
    e.openText("three.mdl", fixture("three_geosets.mdl"), {"1"});
    editor::MeshImportRequest request;
    request.path = e.folder.write("two.obj", twoMeshes);
    request.joinMeshes = true;
    request.texturePath = "Textures/Own.blp";
    mdx::Model model = *e.state.document->model();
    model.bones.clear();
    ASSERT_EQ(editor::addImportedMesh(model, interchange::importMesh(request.path, {0, 1, true}),
                                      request),
              "");
    ASSERT_EQ(model.bones.size(), 1u);
    EXPECT_EQ(model.bones[0].node.name, "Mesh");
    EXPECT_EQ(model.bones[0].node.objectId, 0u) << "the bones were the model's only objects";
    EXPECT_EQ(model.pivots.at(model.bones[0].node.objectId), (mdx::Vec3{0, 0, 0}));
    EXPECT_EQ(model.geosets.back().vertices.size(), 12u);
    EXPECT_EQ(model.textures.back().path, "Textures\\Own.blp");
    request.boneName = "Nobody";
    const auto unchanged = model;
    EXPECT_NE(editor::addImportedMesh(model, interchange::importMesh(request.path, {}), request),
              "");
    EXPECT_EQ(model, unchanged);
}

TEST(ImportMesh, RefusalsChangeNothing) {
    Editor e;
    e.openText("three.mdl", fixture("three_geosets.mdl"), {"1"});
    const auto before = e.state.document;
    const std::vector<std::pair<std::string, std::string>> files = {
        {"broken.obj", "this is no mesh\n\x01\x02"},
        {"points.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\n"},
        {"big.obj", grid(130)}, // 17,161 vertices, 33,800 triangles
    };
    for (const auto& [name, text] : files) {
        editor::MeshImportRequest request;
        request.path = e.folder.write(name, text);
        EXPECT_FALSE(editor::importMeshFile(e.state, request)) << name;
        EXPECT_EQ(e.dialogs.shown.back().title, "Error");
        EXPECT_NE(e.dialogs.shown.back().text.find(name), std::string::npos)
            << e.dialogs.shown.back().text;
        EXPECT_EQ(e.state.document, before);
        EXPECT_TRUE(e.state.undoHistory.empty());
    }
    EXPECT_NE(e.dialogs.shown.back().text.find("33800 triangles"), std::string::npos);
}

} // namespace
