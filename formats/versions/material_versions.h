#pragma once

// Materials between the classic form (layers drawn one over the other) and the Reforged one (a
// shader reading its layers by place: diffuse, normal, ORM, emissive, team colour, reflections).
// FormatVersion 1000 stores one layer a texture; 1100 one layer holding the textures, each with
// its place as its semantic.

#include "formats/mdx/mdx_model.h"

#include <cstddef>
#include <string>
#include <vector>

namespace versions {

inline constexpr const char* defaultShader = "Shader_HD_DefaultUnit";

// The places of a Reforged material's textures.
enum Semantic : std::uint32_t { Diffuse = 0, Normal = 1, Orm = 2, Emissive = 3, TeamColour = 4 };

// 1100 layers as 1000 ones: a layer holding several textures becomes one layer a texture, in
// the order of their semantics, each with the layer's settings; a layer's flipbook track comes
// from its texture, its other tracks go to the first layer. A material of such layers without a
// shader name gets the default shader's, which is what marks it in the 1000 layout.
void toSeparateLayers(mdx::Model& model);
// 1000 layers as 1100 ones: a shader material's layers become one layer holding their textures,
// a classic layer holds its own texture. The combined layer has the first layer's settings;
// returns how many layers had settings of their own, which are lost.
std::size_t toCombinedLayers(mdx::Model& model);

struct ClassicMaterials {
    std::size_t converted = 0;     // shader materials made classic
    std::size_t teamColour = 0;    // of them, with a team colour layer under the diffuse one
    std::size_t emissive = 0;      // with an additive layer for the emissive texture
    std::size_t tracksDropped = 0; // layer tracks the classic form cannot hold
    std::vector<std::string> renamedTextures; // the ".dds" paths, now ending in ".blp"
};
// Shader materials (in the 1000 layout) as classic ones: the diffuse layer first, keeping its
// filter mode, a team colour layer under it where the material used one, the emissive texture
// as an additive unshaded layer over it. Every ".dds" texture path ends in ".blp".
ClassicMaterials toClassicMaterials(mdx::Model& model);

// Classic materials get the default shader, their first layer read as the diffuse one; returns
// how many.
std::size_t toShaderMaterials(mdx::Model& model);

} // namespace versions
