#pragma once

#include "common/rgba_image.h"
#include "editor/preview/preview_maths.h"

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

struct SceneTexture {
    std::string path; // as the model names it; empty for a replaceable one
    // The decoded picture (a 1 x 1 flat colour for team colour and the like); null when the
    // file was not found or could not be read.
    std::shared_ptr<const common::RgbaImage> image;
    // A replaceable texture shown as a flat colour, for want of the game's picture.
    bool flatStandIn = false;
};

struct SceneLayer {
    int texture = -1; // into Scene::textures; -1 (or a picture not found) draws grey
    BlendMode blend = BlendMode::Opaque;
    bool twoSided = false;
    bool unshaded = false;
    float alpha = 1;
    // False for a translucent layer whose texture is missing or a flat team colour or glow: a
    // glow sprite drawn as a solid quad would hide the model.
    bool shown = true;
};

struct SceneMesh {
    int geoset = 0; // 0-based, in the file's order
    std::vector<float> vertices;
    std::vector<std::uint32_t> indices; // triangles
    std::vector<SceneLayer> layers;     // a mesh without layers is drawn opaque and grey
    Bounds bounds;
    std::uint64_t revision = 0;

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
};

struct Scene {
    std::vector<SceneTexture> textures;
    std::vector<SceneMesh> meshes;
    int editedMesh = -1; // into meshes; -1 without a model
    SceneOverlay overlay;
    // Why the other geosets or the textures are missing, for the user; empty when all is well.
    std::string note;
    // Counts every change, so that a renderer can tell a new scene from the one it holds.
    std::uint64_t revision = 0;

    // The box around every drawn mesh and the edited one: what a fit shows.
    Bounds bounds() const;
};

} // namespace editor::preview
