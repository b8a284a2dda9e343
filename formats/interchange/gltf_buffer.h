#pragma once

#include <tiny_gltf.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace interchange {

// The one binary buffer of an exported glTF and the views and accessors over it. Every view
// starts at a multiple of 4 bytes, as accessors of floats need.
class GltfBuffer {
  public:
    explicit GltfBuffer(tinygltf::Model& model);

    // A view of the bytes; target 0 for none (animation data, images).
    int addView(const void* data, std::size_t bytes, int target);
    // An accessor of count elements of the type (TINYGLTF_TYPE_VEC3, ...) of floats, in a view
    // of its own; withBounds gives it min and max (positions and animation times need them).
    int addFloats(const float* values, std::size_t count, int type, int target, bool withBounds);
    int addIndices(const std::vector<std::uint32_t>& indices, std::uint32_t vertexCount);
    int addJoints(const std::vector<std::uint16_t>& joints); // VEC4 of unsigned shorts

  private:
    tinygltf::Model& model_;
};

} // namespace interchange
