#pragma once

#include "common/rgba_image.h"
#include "editor/preview/preview_maths.h"
#include "formats/animation/model_pose.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What the 3D view draws, built from the model without any GPU: vertex and index buffers, the
// textures and how each layer blends. The renderer uploads a part again only when its revision
// number changed.
namespace editor::preview {

// How a layer is combined with what is drawn before it.
enum class BlendMode {
    Opaque,     // replaces, writes depth
    AlphaTest,  // replaces where the texture's alpha is at least 0.75, elsewhere nothing
    Blend,      // mixed by the texture's alpha
    Additive,   // added, scaled by alpha
    AddAlpha,   // added, scaled by alpha (the file's second additive mode)
    Modulate,   // multiplies what is behind
    Modulate2x, // multiplies what is behind, doubled
};

// The blend mode of a layer's filter mode number (0 None ... 6 Modulate2x); an unknown number
// is drawn opaque.
BlendMode blendModeOf(std::uint32_t filterMode);
// Whether the mode draws after the opaque ones, without writing depth.
bool isTranslucent(BlendMode mode);

// The colour behind the model, red green blue.
inline constexpr std::array<std::uint8_t, 3> backgroundColour{58, 62, 70};

// Interleaved per vertex: position x y z, normal x y z, texture u v.
inline constexpr int floatsPerVertex = 8;

// The most bones one vertex follows on the GPU. Classic vertex groups hold up to seven bones
// (the editor's limit) and Reforged vertices four, so every group the editor makes is skinned
// exactly; a larger group of a file from elsewhere follows its first eight bones.
inline constexpr int bonesPerVertex = 8;

// Which bones a vertex follows and how much, as the vertex shader reads it: bones are indices
// into the skeleton's nodes (and the bone palette). A vertex whose weights are all 0 stays
// where it is (no such group or bone).
struct SkinVertex {
    std::array<std::uint16_t, bonesPerVertex> bones{};
    std::array<float, bonesPerVertex> weights{};
};
static_assert(sizeof(SkinVertex) == 48, "the renderer reads skin records at a stride of 48");

// The whole model the scene was built from, with its skeleton, for posing it. Held by the
// scene and shared by its copies; the skeleton points into model, so neither moves.
struct SceneModel {
    mdx::Model model;
    animation::Skeleton skeleton;

    explicit SceneModel(mdx::Model whole) : model(std::move(whole)), skeleton(model) {}
    SceneModel(const SceneModel&) = delete;
    SceneModel& operator=(const SceneModel&) = delete;
};

struct SceneTexture {
    std::string path; // as the model names it; empty for a replaceable one
    std::uint32_t replaceableId = 0;
    // The decoded picture (a 1 x 1 flat colour for team colour and the like); null when the
    // file was not found or could not be read.
    std::shared_ptr<const common::RgbaImage> image;
    // A replaceable texture shown as a flat colour, for want of the game's picture.
    bool flatStandIn = false;
    // A replaceable texture shown with the game's picture, found in the game data.
    bool fromGameData = false;
};

struct SceneLayer {
    int texture = -1; // into Scene::textures; -1 (or a picture not found) draws grey
    BlendMode blend = BlendMode::Opaque;
    bool twoSided = false;
    bool unshaded = false;
    float alpha = 1;
    animation::UvTransform uv = animation::identityUv; // texture animation at the moment
    // False for a translucent layer whose texture is missing or a flat team colour or glow: a
    // glow sprite drawn as a solid quad would hide the model.
    bool shown = true;
};

// A geoset's animated colour at the moment: white and opaque in the bind pose.
struct MeshAnimation {
    float alpha = 1;
    Vec3 colour{1, 1, 1};
    bool hidden = false; // alpha below animation::hiddenAlpha
};

struct SceneMesh {
    int geoset = 0; // 0-based, in the file's order
    std::vector<float> vertices;
    std::vector<SkinVertex> skin;       // one for each vertex, uploaded with them
    std::vector<std::uint32_t> indices; // triangles
    std::vector<SceneLayer> layers;     // a mesh without layers is drawn opaque and grey
    Bounds bounds;
    std::uint64_t revision = 0; // of vertices, skin and indices
    MeshAnimation animation;

    // Whether anything of the mesh is drawn: a layer is shown, or it has no layers.
    bool drawn() const;
};

// Drawn over the model: the edited geoset's selected vertices, as indices into the edited
// mesh's vertices, and the markers as positions. (The edges of the edited geoset are drawn from
// its mesh's own triangles.)
struct SceneOverlay {
    std::vector<std::uint32_t> selectedIndices;
    std::uint64_t selectionRevision = 0;
    std::vector<float> markerPositions; // x y z a marker
    std::uint64_t markerRevision = 0;
    // The skeleton: a line from each node's parent's pivot to its own, x y z two points a line;
    // the lines to the edited geoset's bones apart. Empty while the skeleton is not shown.
    std::vector<float> skeletonLines;
    std::vector<float> highlightedLines;
    std::uint64_t skeletonRevision = 0;
};

// The pose the meshes are drawn in: every node's world matrix in the editor's axes, in the
// skeleton's order (all identity in the bind pose). The vertex shader skins with them.
struct ScenePose {
    std::vector<Mat4> bones;
    std::uint64_t revision = 0;
    animation::Pose values; // the pose last evaluated, its arrays reused frame to frame
};

struct Scene {
    std::vector<SceneTexture> textures;
    std::vector<SceneMesh> meshes;
    int editedMesh = -1; // into meshes; -1 without a model
    SceneOverlay overlay;
    ScenePose pose;
    // The model the scene was built from; null when it could not be read as a whole.
    std::shared_ptr<const SceneModel> model;
    // Why the other geosets or the textures are missing, for the user; empty when all is well.
    std::string note;
    // Counts every change, so that a renderer can tell a new scene from the one it holds.
    std::uint64_t revision = 0;

    // The box around every drawn mesh and the edited one: what a fit shows.
    Bounds bounds() const;
};

} // namespace editor::preview
