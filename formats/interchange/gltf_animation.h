#pragma once

#include "formats/interchange/gltf_buffer.h"
#include "formats/mdx/mdx_model.h"

#include <string>
#include <vector>

namespace interchange {

// The rate between keys at which the nodes are sampled, in samples a second.
inline constexpr double samplesPerSecond = 30;

// One glTF animation a sequence, in the file's order, named as it is; its time 0 is the
// sequence's start. Every node that moves gets its translation, rotation and scale sampled at
// each of its keys and every 1/30 s between, LINEAR, or STEP for a track of DontInterp keys.
// Node i of the skeleton is glTF node i; fallbackNode carries a constant channel for a sequence
// in which nothing moves, so that it still has its name and length (-1: no node at all).
void addAnimations(const mdx::Model& model, tinygltf::Model& gltf, GltfBuffer& buffer,
                   int fallbackNode, std::vector<std::string>& warnings);

} // namespace interchange
