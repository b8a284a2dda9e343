#include "editor/preview/scene_pose.h"

#include "editor/model/geoset_model.h"
#include "editor/preview/scene_building.h"

#include <algorithm>
#include <unordered_set>

namespace editor::preview {

namespace {

// The file's axis each editor axis is: x = p2, y = p3, z = p1 (the fourth stays).
constexpr std::array<std::size_t, 4> fileAxisOf{1, 2, 0, 3};
constexpr std::array<std::size_t, 4> editorAxisOf{2, 0, 1, 3};

constexpr std::uint32_t teamColourId = 1;
constexpr std::uint32_t teamGlowId = 2;

Vec3 pivotPosition(const animation::SkeletonNode& node, const Mat4& world) {
    const auto p = common::transformPoint(world, node.pivot);
    return {p[1], p[2], p[0]};
}

void putLine(std::vector<float>& out, Vec3 a, Vec3 b) {
    out.insert(out.end(), {a[0], a[1], a[2], b[0], b[1], b[2]});
}

void poseLayers(const Scene& scene, const mdx::Model& model, const animation::Pose& pose,
                const mdx::Geoset* geoset, SceneMesh& mesh) {
    if (!geoset || geoset->materialId >= model.materials.size())
        return;
    const auto& fileLayers = model.materials[geoset->materialId].layers;
    const auto& posed = pose.materials[geoset->materialId];
    for (std::size_t l = 0; l < mesh.layers.size() && l < fileLayers.size(); ++l) {
        auto& layer = mesh.layers[l];
        layer.alpha = posed[l].alpha;
        const auto texture = posed[l].textureId;
        layer.texture = texture >= 0 && static_cast<std::size_t>(texture) < scene.textures.size()
                            ? texture
                            : -1;
        const auto animation = fileLayers[l].textureAnimationId;
        layer.uv = animation < pose.textureAnimations.size() ? pose.textureAnimations[animation]
                                                             : animation::identityUv;
        layer.shown = layerShown(scene, layer.blend, layer.texture);
    }
}

void poseSkeleton(Scene& scene, const animation::Skeleton& skeleton, const std::vector<Mat4>& world,
                  const GeosetModel& edited, bool shown) {
    auto& overlay = scene.overlay;
    overlay.skeletonLines.clear();
    overlay.highlightedLines.clear();
    overlay.skeletonRevision = nextSceneRevision();
    if (!shown)
        return;
    std::unordered_set<int> bones;
    for (const auto& column : edited.matrices.columns())
        bones.insert(column.begin(), column.end());
    bones.erase(-1); // an empty slot
    for (std::size_t i = 0; i < skeleton.nodes.size(); ++i) {
        const auto& node = skeleton.nodes[i];
        if (node.parent < 0)
            continue;
        const auto parent = static_cast<std::size_t>(node.parent);
        const bool highlighted = bones.count(static_cast<int>(node.node->objectId)) > 0;
        putLine(highlighted ? overlay.highlightedLines : overlay.skeletonLines,
                pivotPosition(skeleton.nodes[parent], world[parent]),
                pivotPosition(node, world[i]));
    }
}

} // namespace

Mat4 editorAxesMatrix(const Mat4& fileAxes) {
    Mat4 out{};
    for (std::size_t column = 0; column < 4; ++column)
        for (std::size_t row = 0; row < 4; ++row)
            out[column * 4 + row] = fileAxes[fileAxisOf[column] * 4 + fileAxisOf[row]];
    return out;
}

Mat4 fileAxesView(const Mat4& editorView) {
    // The view takes editor points; a file point's editor coordinates are its axes reordered,
    // so each column of the file's matrix is the editor column of the same axis.
    Mat4 out{};
    for (std::size_t column = 0; column < 4; ++column)
        for (std::size_t row = 0; row < 4; ++row)
            out[column * 4 + row] = editorView[editorAxisOf[column] * 4 + row];
    return out;
}

void poseScene(Scene& scene, const AnimationPlayback& playback, const GeosetModel& edited,
               const OrbitCamera& camera) {
    if (!scene.model)
        return;
    const auto& model = scene.model->model;
    const auto& skeleton = scene.model->skeleton;
    const bool animated = playback.sequence >= 0 &&
                          static_cast<std::size_t>(playback.sequence) < model.sequences.size();
    animation::PoseRequest request;
    request.skinVertices = false; // the vertex shader skins
    if (animated) {
        request.time = animation::sequenceTime(model, static_cast<std::size_t>(playback.sequence),
                                               playback.time, playback.globalTime);
        request.camera = fileAxesView(viewMatrix(camera));
    } else {
        request.time = animation::bindPoseTime(model);
    }
    auto& pose = scene.pose.values;
    animation::evaluatePose(model, skeleton, request, pose);

    scene.pose.bones.resize(pose.nodeWorld.size());
    for (std::size_t i = 0; i < pose.nodeWorld.size(); ++i)
        scene.pose.bones[i] = editorAxesMatrix(pose.nodeWorld[i]);
    scene.pose.revision = nextSceneRevision();

    for (auto& mesh : scene.meshes) {
        const auto g = static_cast<std::size_t>(mesh.geoset);
        const mdx::Geoset* geoset = g < model.geosets.size() ? &model.geosets[g] : nullptr;
        mesh.animation = MeshAnimation();
        if (animated && g < pose.geosets.size()) {
            mesh.animation.alpha = pose.geosets[g].alpha;
            mesh.animation.colour = pose.geosets[g].color;
            mesh.animation.hidden = !pose.geosets[g].drawn;
        }
        poseLayers(scene, model, pose, geoset, mesh);
    }
    poseSkeleton(scene, skeleton, pose.nodeWorld, edited, playback.skeleton);
    scene.revision = nextSceneRevision();
}

void applyTeamColour(Scene& scene, int player) {
    const auto colour = playerColour(player);
    for (auto& texture : scene.textures) {
        // The game's own picture, from the game data, stays as it is.
        if ((texture.replaceableId != teamColourId && texture.replaceableId != teamGlowId) ||
            texture.fromGameData)
            continue;
        auto flat = std::make_shared<common::RgbaImage>(1, 1);
        flat->pixels = {colour[0], colour[1], colour[2], 255};
        texture.image = std::move(flat);
    }
    scene.revision = nextSceneRevision();
}

} // namespace editor::preview
