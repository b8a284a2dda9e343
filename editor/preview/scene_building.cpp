#include "editor/preview/scene_building.h"

#include "editor/model/geoset_model.h"
#include "editor/model/whole_model.h"
#include "editor/uv/geoset_texture.h"
#include "textures/image_file.h"
#include "textures/replaceable_colour.h"
#include "textures/texture_error.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

namespace editor::preview {

namespace {

constexpr std::uint32_t twoSidedFlag = 16;
constexpr std::uint32_t unshadedFlag = 1;
constexpr std::uint32_t trianglesType = 4;

// Revision numbers are unique across scenes, so a renderer never mistakes a new scene's mesh
// for the one it uploaded before.
std::uint64_t nextRevision() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

// The file stores { p1, p2, p3 }; the editor's axes are x = p2, y = p3, z = p1.
Vec3 editorAxes(const mdx::Vec3& p) {
    return {p[1], p[2], p[0]};
}

void putVertex(std::vector<float>& out, Vec3 position, Vec3 normal, float u, float v) {
    out.insert(out.end(),
               {position[0], position[1], position[2], normal[0], normal[1], normal[2], u, v});
}

// Replaceable textures stand for a picture the game supplies; only team colour (1) is a flat
// colour in the game too.
bool isFlatStandIn(const mdx::Texture& texture) {
    return texture.replaceableId > 1;
}

SceneTexture loadTexture(const mdx::Texture& texture, const std::filesystem::path& folder,
                         std::string& note) {
    SceneTexture result;
    if (texture.replaceableId != 0) {
        const auto colour = textures::replaceableColour(static_cast<int>(texture.replaceableId));
        auto flat = std::make_shared<common::RgbaImage>(1, 1);
        flat->pixels = {colour.red, colour.green, colour.blue, 255};
        result.image = std::move(flat);
        return result;
    }
    result.path = texture.path;
    if (texture.path.empty())
        return result;
    const auto file = locateTextureFile(texture.path, folder);
    if (!file) {
        note += "The texture \"" + texture.path + "\" was not found beside the model. ";
        return result;
    }
    try {
        result.image = std::make_shared<const common::RgbaImage>(textures::readImageFile(*file));
    } catch (const textures::TextureError& error) {
        note += std::string(error.what()) + " ";
    } catch (const std::bad_alloc&) {
        note += "The texture \"" + texture.path + "\" is too large to hold in memory. ";
    }
    return result;
}

std::vector<SceneLayer> layersOf(const mdx::Model& file, const std::vector<SceneTexture>& textures,
                                 std::uint32_t materialId) {
    std::vector<SceneLayer> layers;
    if (materialId >= file.materials.size())
        return layers;
    for (const auto& layer : file.materials[materialId].layers) {
        SceneLayer scene;
        // Layers of the newest files name their textures in a list; the first is the colour.
        const std::uint32_t textureId =
            layer.textures.empty() ? layer.textureId : layer.textures.front().textureId;
        scene.texture = textureId < file.textures.size() ? static_cast<int>(textureId) : -1;
        scene.blend = blendModeOf(layer.filterMode);
        scene.twoSided = (layer.shadingFlags & twoSidedFlag) != 0;
        scene.unshaded = (layer.shadingFlags & unshadedFlag) != 0;
        scene.alpha = layer.alpha;
        if (isTranslucent(scene.blend))
            scene.shown = scene.texture >= 0 &&
                          !isFlatStandIn(file.textures[static_cast<std::size_t>(scene.texture)]) &&
                          textures[static_cast<std::size_t>(scene.texture)].image != nullptr;
        layers.push_back(scene);
    }
    return layers;
}

SceneMesh meshOfFile(const mdx::Geoset& geoset) {
    SceneMesh mesh;
    const std::size_t count = geoset.vertices.size();
    mesh.vertices.reserve(count * floatsPerVertex);
    const auto* uvs = geoset.uvSets.empty() ? nullptr : &geoset.uvSets.front();
    for (std::size_t i = 0; i < count; ++i) {
        const Vec3 position = editorAxes(geoset.vertices[i]);
        const Vec3 normal =
            i < geoset.normals.size() ? editorAxes(geoset.normals[i]) : Vec3{0, 1, 0};
        const auto uv = uvs && i < uvs->size() ? (*uvs)[i] : mdx::Vec2{0, 0};
        putVertex(mesh.vertices, position, normal, uv[0], uv[1]);
        mesh.bounds.add(position);
    }
    // Only the triangle groups are drawn; an MDL file's geoset is one group of triangles.
    std::size_t start = 0;
    const std::size_t groups = geoset.faceGroupSizes.empty() ? 1 : geoset.faceGroupSizes.size();
    for (std::size_t g = 0; g < groups && start < geoset.faces.size(); ++g) {
        const std::size_t size =
            geoset.faceGroupSizes.empty() ? geoset.faces.size() : geoset.faceGroupSizes[g];
        const bool triangles = g >= geoset.faceTypes.size() || geoset.faceTypes[g] == trianglesType;
        const std::size_t end = std::min(geoset.faces.size(), start + size);
        for (std::size_t i = start; triangles && i + 2 < end; i += 3) {
            const std::uint32_t a = geoset.faces[i], b = geoset.faces[i + 1],
                                c = geoset.faces[i + 2];
            if (a < count && b < count && c < count)
                mesh.indices.insert(mesh.indices.end(), {a, b, c});
        }
        start = end;
    }
    return mesh;
}

} // namespace

void updateEditedGeometry(Scene& scene, const GeosetModel& edited) {
    if (scene.editedMesh < 0)
        return;
    auto& mesh = scene.meshes[static_cast<std::size_t>(scene.editedMesh)];
    const std::size_t count = edited.vertices.size();
    mesh.vertices.clear();
    mesh.vertices.reserve(count * floatsPerVertex);
    mesh.bounds = Bounds();
    for (const auto& vertex : edited.vertices) {
        const Vec3 position{static_cast<float>(vertex.x), static_cast<float>(vertex.y),
                            static_cast<float>(vertex.z)};
        putVertex(mesh.vertices, position,
                  {static_cast<float>(vertex.normalX), static_cast<float>(vertex.normalY),
                   static_cast<float>(vertex.normalZ)},
                  static_cast<float>(vertex.u), static_cast<float>(vertex.v));
        if (!vertex.deleted)
            mesh.bounds.add(position);
    }
    mesh.indices.clear();
    auto drawn = [&](int corner) {
        return corner >= 0 && static_cast<std::size_t>(corner) < count &&
               !edited.vertices[static_cast<std::size_t>(corner)].deleted;
    };
    for (const auto& face : edited.faces) {
        if (face.deleted || !drawn(face.a) || !drawn(face.b) || !drawn(face.c))
            continue;
        const auto a = static_cast<std::uint32_t>(face.a), b = static_cast<std::uint32_t>(face.b),
                   c = static_cast<std::uint32_t>(face.c);
        mesh.indices.insert(mesh.indices.end(), {a, b, c});
    }
    mesh.revision = nextRevision();
    scene.revision = nextRevision();
    updateSelection(scene, edited);
}

void updateSelection(Scene& scene, const GeosetModel& edited) {
    auto& selected = scene.overlay.selectedIndices;
    selected.clear();
    for (std::size_t i = 0; i < edited.vertices.size(); ++i)
        if (edited.vertices[i].selected && !edited.vertices[i].deleted)
            selected.push_back(static_cast<std::uint32_t>(i));
    scene.overlay.selectionRevision = nextRevision();
    scene.revision = nextRevision();
}

void updateMarkers(Scene& scene, const GeosetModel& edited) {
    auto& positions = scene.overlay.markerPositions;
    positions.clear();
    for (int slot = 1; slot <= markerSlots; ++slot) {
        const auto& marker = edited.markers[static_cast<std::size_t>(slot)];
        if (marker.used)
            positions.insert(positions.end(),
                             {static_cast<float>(marker.x), static_cast<float>(marker.y),
                              static_cast<float>(marker.z)});
    }
    scene.overlay.markerRevision = nextRevision();
    scene.revision = nextRevision();
}

Scene buildScene(const mdx::Model& file, const GeosetModel& edited,
                 const std::filesystem::path& modelFolder) {
    Scene scene;
    for (const auto& texture : file.textures)
        scene.textures.push_back(loadTexture(texture, modelFolder, scene.note));
    const std::size_t editedIndex =
        edited.geosetNumber > 0 ? static_cast<std::size_t>(edited.geosetNumber - 1) : SIZE_MAX;
    for (std::size_t g = 0; g < file.geosets.size(); ++g) {
        const auto& geoset = file.geosets[g];
        if (g != editedIndex && geoset.lod != 0)
            continue;
        SceneMesh mesh = g == editedIndex ? SceneMesh() : meshOfFile(geoset);
        mesh.geoset = static_cast<int>(g);
        mesh.layers = layersOf(file, scene.textures, geoset.materialId);
        mesh.revision = nextRevision();
        if (g == editedIndex)
            scene.editedMesh = static_cast<int>(scene.meshes.size());
        scene.meshes.push_back(std::move(mesh));
    }
    if (scene.editedMesh < 0 && edited.modelLoaded) {
        // The file has fewer geosets than the editor: the edited one is drawn on its own.
        SceneMesh mesh;
        mesh.geoset = edited.geosetNumber - 1;
        scene.editedMesh = static_cast<int>(scene.meshes.size());
        scene.meshes.push_back(std::move(mesh));
    }
    updateEditedGeometry(scene, edited);
    updateMarkers(scene, edited);
    return scene;
}

Scene loadScene(const GeosetModel& edited) {
    if (!edited.modelLoaded)
        return Scene();
    const auto folder = std::filesystem::path(edited.modelPath).parent_path();
    const auto whole = readWholeModel(edited);
    if (whole.ok())
        return buildScene(whole.model, edited, folder);
    Scene scene = buildScene(mdx::Model(), edited, folder);
    scene.note = "Only the edited geoset is shown: " + whole.error + ".";
    return scene;
}

} // namespace editor::preview
