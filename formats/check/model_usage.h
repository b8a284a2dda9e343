#pragma once

// Which textures, materials, texture animations and global sequences something in the model
// refers to: what the unused rule reports and the fix removes.

#include "formats/mdx/mdx_model.h"

#include <vector>

namespace check {

struct Usage {
    std::vector<bool> textures;
    std::vector<bool> materials;
    std::vector<bool> textureAnimations;
    std::vector<bool> globalSequences;
};

Usage usageOf(const mdx::Model& model);

// A texture id animated by a layer's TextureID track: the key's integer.
std::uint32_t integerValue(const mdx::TrackKey& key);
void setIntegerValue(mdx::TrackKey& key, std::uint32_t value);

extern const mdx::Tag textureIdTrack; // KMTF

} // namespace check
