#pragma once

#include "formats/animation/animation_time.h"
#include "formats/animation/skeleton.h"
#include "formats/animation/skinning.h"

#include <array>
#include <optional>
#include <vector>

namespace animation {

// A geoset drawn below this alpha is not drawn at all.
inline constexpr float hiddenAlpha = 0.01f;

struct GeosetPose : SkinnedGeoset {
    float alpha = 1;
    common::Vec3 color{1, 1, 1}; // red, green, blue
    bool drawn = true;           // alpha at least hiddenAlpha
};

struct LayerPose {
    float alpha = 1;
    std::int32_t textureId = 0; // the flipbook's texture at the moment
};

// A 2D affine map of texture coordinates: u' = m[0] u + m[2] v + m[4], v' = m[1] u + m[3] v
// + m[5].
using UvTransform = std::array<float, 6>;
inline constexpr UvTransform identityUv{1, 0, 0, 1, 0, 0};

// Everything that moves in a model at one moment.
struct Pose {
    std::vector<common::Mat4> nodeWorld; // in Skeleton::nodes order
    std::vector<float> nodeVisibility;   // 1 or 0; 1 for kinds without a visibility track
    std::vector<GeosetPose> geosets;     // in file order
    std::vector<std::vector<LayerPose>> materials;
    std::vector<UvTransform> textureAnimations;
    int unskinned = 0;         // over all geosets
    int billboardsIgnored = 0; // billboarded nodes posed without a camera
};

struct PoseRequest {
    AnimationTime time;
    std::optional<common::Mat4> camera; // the view matrix, world to camera, in the file's axes
    // False leaves every geoset's vertices and normals empty (a view that skins on the GPU).
    bool skinVertices = true;
};

// The pose of the model at the request's moment. The skeleton is the model's (made once per
// model and kept while it does not change). out's arrays are reused, so a view that poses
// every frame allocates nothing after the first.
void evaluatePose(const mdx::Model& model, const Skeleton& skeleton, const PoseRequest& request,
                  Pose& out);
Pose evaluatePose(const mdx::Model& model, const PoseRequest& request);

// A texture animation's map at the moment: scaling about (0.5, 0.5), rotation about it, then
// the translation added.
UvTransform textureAnimationAt(const mdx::TextureAnimation& animation, const AnimationTime& time);

} // namespace animation
