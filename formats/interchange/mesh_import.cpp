#include "formats/interchange/mesh_import.h"

#include "formats/check/model_extents.h"
#include "formats/interchange/gltf_axes.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>

namespace interchange {

namespace {

using common::Vec3;

std::string lowerExtension(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// The file's up axis as a turn into the game's axes (z up). FBX files say theirs; glTF and
// what Assimp reads from Collada are y up; OBJ, PLY, STL and 3DS have no say and are taken as
// z up, the axes the game and our OBJ export use.
std::function<Vec3(Vec3)> axesTurn(const aiScene& scene, const std::filesystem::path& path) {
    int axis = 2, sign = 1;
    const auto ext = lowerExtension(path);
    if (ext == ".gltf" || ext == ".glb" || ext == ".dae")
        axis = 1;
    std::int32_t upAxis = 0, upSign = 1;
    if (scene.mMetaData && scene.mMetaData->Get("UpAxis", upAxis) && upAxis >= 0 && upAxis <= 2) {
        axis = upAxis;
        if (scene.mMetaData->Get("UpAxisSign", upSign) && upSign < 0)
            sign = -1;
    }
    std::function<Vec3(Vec3)> turn;
    if (axis == 1)
        turn = [](Vec3 p) { return modelPoint(p); };
    else if (axis == 0)
        turn = [](Vec3 p) { return Vec3{-p[2], p[1], p[0]}; };
    else
        turn = [](Vec3 p) { return p; };
    if (sign < 0) // down the axis: half a turn about x
        return [turn](Vec3 p) {
            const Vec3 q = turn(p);
            return Vec3{q[0], -q[1], -q[2]};
        };
    return turn;
}

// One mesh placed by its node's transform, in the game's axes.
struct PlacedMesh {
    const aiMesh* mesh = nullptr;
    aiMatrix4x4 transform;
};

void collect(const aiScene& scene, const aiNode& node, const aiMatrix4x4& parent,
             std::vector<PlacedMesh>& out) {
    const aiMatrix4x4 transform = parent * node.mTransformation;
    for (unsigned i = 0; i < node.mNumMeshes; ++i)
        if (node.mMeshes[i] < scene.mNumMeshes)
            out.push_back({scene.mMeshes[node.mMeshes[i]], transform});
    for (unsigned i = 0; i < node.mNumChildren; ++i)
        collect(scene, *node.mChildren[i], transform, out);
}

std::size_t triangleCount(const aiMesh& mesh) {
    std::size_t count = 0;
    for (unsigned f = 0; f < mesh.mNumFaces; ++f)
        count += mesh.mFaces[f].mNumIndices == 3;
    return count;
}

// Appends the mesh's vertices and triangles to the geoset.
void appendMesh(const PlacedMesh& placed, const std::function<Vec3(Vec3)>& turn, float scale,
                mdx::Geoset& geoset) {
    const aiMesh& mesh = *placed.mesh;
    aiMatrix3x3 normalMatrix(placed.transform);
    const bool mirrored = normalMatrix.Determinant() < 0;
    normalMatrix.Inverse().Transpose();
    const auto first = static_cast<std::uint32_t>(geoset.vertices.size());
    auto& uvs = geoset.uvSets.front();
    for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
        const aiVector3D p = placed.transform * mesh.mVertices[v];
        geoset.vertices.push_back(common::operator*(turn({p.x, p.y, p.z}), scale));
        // The file's normals are kept as they are where no transform moves them.
        aiVector3D n = mesh.mNormals ? mesh.mNormals[v] : aiVector3D(0, 0, 1);
        if (!placed.transform.IsIdentity())
            n = (normalMatrix * n).NormalizeSafe();
        geoset.normals.push_back(turn({n.x, n.y, n.z}));
        if (mesh.mTextureCoords[0])
            uvs.push_back({mesh.mTextureCoords[0][v].x, mesh.mTextureCoords[0][v].y});
        else
            uvs.push_back({0, 0});
    }
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (face.mNumIndices != 3)
            continue;
        // A mirroring transform turns the triangles' winding; it is turned back.
        const unsigned order[2][3] = {{0, 1, 2}, {0, 2, 1}};
        for (const unsigned k : order[mirrored ? 1 : 0])
            geoset.faces.push_back(static_cast<std::uint16_t>(first + face.mIndices[k]));
    }
}

mdx::Geoset emptyGeoset(std::uint32_t materialId, std::uint32_t boneId) {
    mdx::Geoset geoset;
    geoset.materialId = materialId;
    geoset.uvSets.emplace_back();
    geoset.matrixGroupSizes = {1};
    geoset.matrixIndices = {boneId};
    return geoset;
}

void finishGeoset(mdx::Geoset& geoset) {
    geoset.faceTypes = {4};
    geoset.faceGroupSizes = {static_cast<std::uint32_t>(geoset.faces.size())};
    geoset.vertexGroups.assign(geoset.vertices.size(), 0);
    if (const auto bounds = check::boundsOf(geoset.vertices))
        geoset.extent = check::extentOf(*bounds, {&geoset.vertices});
}

std::string diffuseTexture(const aiScene& scene, const aiMesh& mesh) {
    if (mesh.mMaterialIndex >= scene.mNumMaterials)
        return {};
    const aiMaterial& material = *scene.mMaterials[mesh.mMaterialIndex];
    aiString path;
    for (const aiTextureType type : {aiTextureType_DIFFUSE, aiTextureType_BASE_COLOR})
        if (material.GetTexture(type, 0, &path) == AI_SUCCESS && path.length > 0 &&
            path.C_Str()[0] != '*') // "*N": a picture inside the file, which has no path
            return path.C_Str();
    return {};
}

void addMaterial(MeshImport& result, const std::string& texturePath) {
    mdx::Texture texture;
    texture.path = texturePath;
    result.textures.push_back(texture);
    mdx::Layer layer;
    layer.textureId = static_cast<std::uint32_t>(result.textures.size() - 1);
    mdx::Material material;
    material.layers.push_back(layer);
    result.materials.push_back(material);
}

std::string limitProblem(const std::string& what, std::size_t vertices, std::size_t triangles) {
    if (vertices <= maxGeosetVertices && triangles <= maxGeosetTriangles)
        return {};
    return what + " has " + std::to_string(vertices) + " vertices and " +
           std::to_string(triangles) +
           " triangles; a geoset holds at most 32,767 vertices and 32,767 triangles";
}

} // namespace

MeshImport importMesh(const std::filesystem::path& path, const MeshImportOptions& options) {
    MeshImport result;
    const std::string file = path.string();
    Assimp::Importer importer;
    // Triangles of no area (a sphere's poles) are dropped, so that no normal is made from
    // them; meshes of points or lines are passed over below: a geoset holds triangles only.
    importer.SetPropertyBool(AI_CONFIG_PP_FD_REMOVE, true);
    const aiScene* scene = importer.ReadFile(
        file, aiProcess_Triangulate | aiProcess_JoinIdenticalVertices | aiProcess_GenSmoothNormals |
                  aiProcess_FlipUVs | aiProcess_FindDegenerates | aiProcess_SortByPType |
                  aiProcess_ValidateDataStructure);
    if (!scene || !scene->mRootNode) {
        result.error = file + " cannot be read: " + importer.GetErrorString();
        return result;
    }
    std::vector<PlacedMesh> placed;
    collect(*scene, *scene->mRootNode, aiMatrix4x4(), placed);
    std::erase_if(placed, [](const PlacedMesh& p) { return triangleCount(*p.mesh) == 0; });
    if (placed.empty()) {
        result.error = file + " has no triangles";
        return result;
    }
    const auto turn = axesTurn(*scene, path);
    if (options.joinMeshes) {
        std::size_t vertices = 0, triangles = 0;
        for (const auto& p : placed) {
            vertices += p.mesh->mNumVertices;
            triangles += triangleCount(*p.mesh);
        }
        if (auto problem = limitProblem("the joined mesh", vertices, triangles); !problem.empty()) {
            result.error = file + ": " + problem;
            return result;
        }
        auto geoset = emptyGeoset(0, options.boneId);
        for (const auto& p : placed)
            appendMesh(p, turn, options.scale, geoset);
        finishGeoset(geoset);
        result.geosets.push_back(std::move(geoset));
        result.names.push_back(path.stem().string());
        addMaterial(result, diffuseTexture(*scene, *placed.front().mesh));
        return result;
    }
    for (const auto& p : placed) {
        const std::string name = p.mesh->mName.length > 0
                                     ? p.mesh->mName.C_Str()
                                     : "mesh " + std::to_string(result.geosets.size() + 1);
        if (auto problem =
                limitProblem("mesh \"" + name + "\"", p.mesh->mNumVertices, triangleCount(*p.mesh));
            !problem.empty()) {
            result = MeshImport{};
            result.error = file + ": " + problem;
            return result;
        }
        auto geoset =
            emptyGeoset(static_cast<std::uint32_t>(result.geosets.size()), options.boneId);
        appendMesh(p, turn, options.scale, geoset);
        finishGeoset(geoset);
        result.geosets.push_back(std::move(geoset));
        result.names.push_back(name);
        addMaterial(result, diffuseTexture(*scene, *p.mesh));
    }
    return result;
}

} // namespace interchange
