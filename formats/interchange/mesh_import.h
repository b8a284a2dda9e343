#pragma once

#include "formats/mdx/mdx_model.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace interchange {

// The largest geoset the format allows.
inline constexpr std::size_t maxGeosetVertices = 32767;
inline constexpr std::size_t maxGeosetTriangles = 32767;

struct MeshImportOptions {
    std::uint32_t boneId = 0; // the ObjectId every vertex is bound to (one group of one bone)
    float scale = 1;
    bool joinMeshes = false; // one geoset of every mesh instead of one a mesh
};

// Geosets made from a mesh file, each with a material of its own (one layer naming a new
// texture). materialId of geoset i is i and texture i is material i's, so a caller adding
// them to a model offsets those numbers by what the model has. Extents are set; the
// sequences' extents are left to the caller, who knows the sequences.
struct MeshImport {
    std::vector<mdx::Geoset> geosets;
    std::vector<mdx::Material> materials;
    std::vector<mdx::Texture> textures; // the mesh's diffuse texture path, or empty
    std::vector<std::string> names;     // the mesh's name, for each geoset
    std::string error;                  // names the file; empty when read
    bool ok() const { return error.empty(); }
};

// Reads OBJ, FBX, glTF/GLB, Collada, 3DS, PLY, STL and what else Assimp reads: triangulated,
// identical vertices joined, normals made where missing, UVs of the first set with V turned to
// the game's top-down convention, every node's transform applied. The axes turn from the
// file's up axis (FBX's and Collada's as the file says, glTF's y, the others z, as the game
// has it) to the game's. A file Assimp cannot read, or without triangles, and a geoset over the
// format's limits are one error naming the file.
MeshImport importMesh(const std::filesystem::path& path, const MeshImportOptions& options = {});

} // namespace interchange
