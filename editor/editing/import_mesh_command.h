#pragma once

#include "formats/interchange/mesh_import.h"
#include "formats/mdx/mdx_model.h"

#include <optional>
#include <string>

namespace editor {

struct EditingState;

// The file filter of File > Import Mesh…: every format at once first, then one entry each.
inline constexpr const char* meshImportFilter =
    "Meshes|*.obj;*.fbx;*.gltf;*.glb;*.dae;*.3ds;*.ply;*.stl|Wavefront OBJ|*.obj|FBX|*.fbx|"
    "glTF|*.gltf;*.glb|Collada|*.dae|3DS|*.3ds|PLY|*.ply|STL|*.stl|All files|*";

// The texture a mesh without one of its own gets, so that every new material shows something.
inline constexpr const char* plainTexturePath = "Textures\\white.blp";

// What one import needs.
struct MeshImportRequest {
    std::string path;
    std::string boneName; // empty: the model's first bone (a new bone "Mesh" when it has none)
    float scale = 1;
    bool joinMeshes = false;
    std::optional<std::string> texturePath; // every new material's; else each mesh's own
};

// A texture path as the model names it: backslashes between folders; empty gives the plain one.
std::string modelTexturePath(const std::string& path);

// Appends the imported geosets, materials and textures to the model, after what it has, bound
// to the bone named (or the first bone, or a new bone "Mesh" at the origin with its pivot); the
// model's extent grows to hold them. An error (no such bone) leaves the model as it was.
std::string addImportedMesh(mdx::Model& model, interchange::MeshImport imported,
                            const MeshImportRequest& request);

// Imports the file into the document as one "Import Mesh" step; the edited geoset stays the
// edited one. A file that cannot be read, has no triangles or is over a geoset's limits is one
// "Error" and nothing changes. True when the model changed.
bool importMeshFile(EditingState& state, const MeshImportRequest& request);

// File > Import Mesh…: asks the file, the bone, the scale, one geoset per mesh or one for all,
// and the texture, then imports. A cancelled question changes nothing.
void importMeshCommand(EditingState& state);

} // namespace editor
