#include "editor/preview/scene_building.h"

#include "editor/preview/scene_skin.h"

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

// The file stores { p1, p2, p3 }; the editor's axes are x = p2, y = p3, z = p1.
Vec3 editorAxes(const mdx::Vec3& p) {
    return {p[1], p[2], p[0]};
}

void putVertex(std::vector<float>& out, Vec3 position, Vec3 normal, float u, float v) {
    out.insert(out.end(),
               {position[0], position[1], position[2], normal[0], normal[1], normal[2], u, v});
}

SceneTexture loadTexture(const mdx::Texture& texture, const std::filesystem::path& folder,
                         const textures::TextureSource& source, std::string& note) {
    SceneTexture result;
    result.replaceableId = texture.replaceableId;
    if (texture.replaceableId != 0) {
        auto game = source.decodeReplaceable(static_cast<int>(texture.replaceableId));
        if (!game.problem.empty())
            note += game.problem + ". ";
        if (game.image) {
            result.image = std::move(game.image);
            result.fromGameData = true;
            return result;
        }
        const auto colour = textures::replaceableColour(static_cast<int>(texture.replaceableId));
        auto flat = std::make_shared<common::RgbaImage>(1, 1);
        flat->pixels = {colour.red, colour.green, colour.blue, 255};
        result.image = std::move(flat);
        // Only team colour (1) is a flat colour in the game too.
        result.flatStandIn = texture.replaceableId > 1;
        return result;
    }
    result.path = texture.path;
    if (texture.path.empty())
        return result;
    auto decoded = source.decode(texture.path, folder);
    if (!decoded.origin)
        note += "The texture \"" + texture.path + "\" was not found beside the model" +
                (source.asksGameData() ? " or in the game data. " : ". ");
    else if (!decoded.problem.empty())
        note += decoded.problem + ". ";
    result.image = std::move(decoded.image);
    return result;
}

std::vector<SceneLayer> layersOf(const mdx::Model& file, const Scene& owner,
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
        scene.shown = layerShown(owner, scene.blend, scene.texture);
        layers.push_back(scene);
    }
    return layers;
}

SceneMesh meshOfFile(const mdx::Geoset& geoset, const animation::Skeleton* skeleton) {
    SceneMesh mesh;
    mesh.skin = skinOfFile(geoset, skeleton);
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

std::uint64_t nextSceneRevision() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

bool layerShown(const Scene& scene, BlendMode blend, int texture) {
    if (!isTranslucent(blend))
        return true;
    if (texture < 0 || static_cast<std::size_t>(texture) >= scene.textures.size())
        return false;
    const auto& picture = scene.textures[static_cast<std::size_t>(texture)];
    // A replaceable texture without the game's picture is a flat stand-in: only team colour (1)
    // is a flat colour in the game too.
    return !picture.flatStandIn && picture.image != nullptr;
}

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
    mesh.skin = skinOfEdited(edited, scene.model ? &scene.model->skeleton : nullptr);
    mesh.revision = nextSceneRevision();
    scene.revision = nextSceneRevision();
    updateSelection(scene, edited);
}

void updateSelection(Scene& scene, const GeosetModel& edited) {
    auto& selected = scene.overlay.selectedIndices;
    selected.clear();
    for (std::size_t i = 0; i < edited.vertices.size(); ++i)
        if (edited.vertices[i].selected && !edited.vertices[i].deleted)
            selected.push_back(static_cast<std::uint32_t>(i));
    scene.overlay.selectionRevision = nextSceneRevision();
    scene.revision = nextSceneRevision();
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
    scene.overlay.markerRevision = nextSceneRevision();
    scene.revision = nextSceneRevision();
}

Scene buildScene(std::shared_ptr<const SceneModel> whole, const GeosetModel& edited,
                 const std::filesystem::path& modelFolder, const textures::TextureSource& source) {
    static const mdx::Model noModel;
    Scene scene;
    scene.model = std::move(whole);
    const mdx::Model& file = scene.model ? scene.model->model : noModel;
    const animation::Skeleton* skeleton = scene.model ? &scene.model->skeleton : nullptr;
    for (const auto& texture : file.textures)
        scene.textures.push_back(loadTexture(texture, modelFolder, source, scene.note));
    const std::size_t editedIndex =
        edited.geosetNumber > 0 ? static_cast<std::size_t>(edited.geosetNumber - 1) : SIZE_MAX;
    for (std::size_t g = 0; g < file.geosets.size(); ++g) {
        const auto& geoset = file.geosets[g];
        if (g != editedIndex && geoset.lod != 0)
            continue;
        SceneMesh mesh = g == editedIndex ? SceneMesh() : meshOfFile(geoset, skeleton);
        mesh.geoset = static_cast<int>(g);
        mesh.layers = layersOf(file, scene, geoset.materialId);
        mesh.revision = nextSceneRevision();
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

Scene buildScene(const mdx::Model& file, const GeosetModel& edited,
                 const std::filesystem::path& modelFolder, const textures::TextureSource& source) {
    return buildScene(std::make_shared<const SceneModel>(file), edited, modelFolder, source);
}

Scene loadScene(const GeosetModel& edited, const textures::TextureSource& source) {
    if (!edited.modelLoaded)
        return Scene();
    const auto folder = std::filesystem::path(edited.modelPath).parent_path();
    auto whole = readWholeModel(edited);
    if (whole.ok())
        return buildScene(whole.model, edited, folder, source);
    Scene scene = buildScene(mdx::Model(), edited, folder, source);
    scene.note = "Only the edited geoset is shown: " + whole.error + ".";
    return scene;
}

} // namespace editor::preview
