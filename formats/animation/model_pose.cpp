#include "formats/animation/model_pose.h"

#include "formats/animation/node_matrices.h"
#include "formats/animation/quaternion.h"
#include "formats/animation/track_evaluation.h"

namespace animation {

namespace {

void poseGeosetAnimation(const mdx::GeosetAnimation& animation, const AnimationTime& time,
                         GeosetPose& out) {
    out.alpha = scalarValue(animation.tracks, mdx::makeTag("KGAO"), animation.alpha, time);
    // The file stores colours blue first.
    const auto stored = vectorValue(animation.tracks, mdx::makeTag("KGAC"), animation.color, time);
    out.color = {stored[2], stored[1], stored[0]};
}

void poseMaterials(const mdx::Model& model, const AnimationTime& time, Pose& out) {
    out.materials.resize(model.materials.size());
    for (std::size_t m = 0; m < model.materials.size(); ++m) {
        const auto& layers = model.materials[m].layers;
        auto& poses = out.materials[m];
        poses.resize(layers.size());
        for (std::size_t l = 0; l < layers.size(); ++l) {
            const auto& layer = layers[l];
            poses[l].alpha = scalarValue(layer.tracks, mdx::makeTag("KMTA"), layer.alpha, time);
            const auto staticTexture = static_cast<std::int32_t>(
                layer.textures.empty() ? layer.textureId : layer.textures.front().textureId);
            poses[l].textureId =
                integerValue(layer.tracks, mdx::makeTag("KMTF"), staticTexture, time);
        }
    }
}

} // namespace

UvTransform textureAnimationAt(const mdx::TextureAnimation& animation, const AnimationTime& time) {
    const auto& tracks = animation.tracks;
    const auto translation = vectorValue(tracks, mdx::makeTag("KTAT"), {0, 0, 0}, time);
    const auto rotation = rotationValue(tracks, mdx::makeTag("KTAR"), time);
    const auto scaling = vectorValue(tracks, mdx::makeTag("KTAS"), {1, 1, 1}, time);
    const auto m = pivotedTransform(translation, rotation, scaling, {0.5f, 0.5f, 0});
    return {m[0], m[1], m[4], m[5], m[12], m[13]};
}

void evaluatePose(const mdx::Model& model, const Skeleton& skeleton, const PoseRequest& request,
                  Pose& out) {
    const AnimationTime& time = request.time;
    out.billboardsIgnored = nodeWorldMatrices(skeleton, time, request.camera, out.nodeWorld);
    out.nodeVisibility.resize(skeleton.nodes.size());
    for (std::size_t i = 0; i < skeleton.nodes.size(); ++i) {
        const auto& node = skeleton.nodes[i];
        out.nodeVisibility[i] = node.visibilityTracks ? visibilityValue(*node.visibilityTracks,
                                                                        node.visibilityTag, time)
                                                      : 1.0f;
    }

    out.geosets.resize(model.geosets.size());
    out.unskinned = 0;
    for (std::size_t g = 0; g < model.geosets.size(); ++g) {
        auto& geoset = out.geosets[g];
        if (request.skinVertices) {
            skinGeoset(model.geosets[g], skeleton, out.nodeWorld, geoset);
            out.unskinned += geoset.unskinned;
        } else {
            geoset.vertices.clear();
            geoset.normals.clear();
            geoset.unskinned = 0;
        }
        geoset.alpha = 1;
        geoset.color = {1, 1, 1};
    }
    // The first animation naming a geoset is its own.
    std::vector<bool> animated(model.geosets.size(), false);
    for (const auto& animation : model.geosetAnimations)
        if (animation.geosetId < model.geosets.size() && !animated[animation.geosetId]) {
            animated[animation.geosetId] = true;
            poseGeosetAnimation(animation, time, out.geosets[animation.geosetId]);
        }
    for (auto& geoset : out.geosets)
        geoset.drawn = geoset.alpha >= hiddenAlpha;

    poseMaterials(model, time, out);
    out.textureAnimations.resize(model.textureAnimations.size());
    for (std::size_t i = 0; i < model.textureAnimations.size(); ++i)
        out.textureAnimations[i] = textureAnimationAt(model.textureAnimations[i], time);
}

Pose evaluatePose(const mdx::Model& model, const PoseRequest& request) {
    Pose pose;
    evaluatePose(model, Skeleton(model), request, pose);
    return pose;
}

} // namespace animation
