#include "formats/interchange/gltf_buffer.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace interchange {

namespace {

int componentsOf(int type) {
    switch (type) {
    case TINYGLTF_TYPE_SCALAR:
        return 1;
    case TINYGLTF_TYPE_VEC2:
        return 2;
    case TINYGLTF_TYPE_VEC3:
        return 3;
    case TINYGLTF_TYPE_MAT4:
        return 16;
    default:
        return 4;
    }
}

} // namespace

GltfBuffer::GltfBuffer(tinygltf::Model& model) : model_(model) {
    if (model_.buffers.empty())
        model_.buffers.emplace_back();
}

int GltfBuffer::addView(const void* data, std::size_t bytes, int target) {
    auto& buffer = model_.buffers[0].data;
    buffer.resize((buffer.size() + 3) / 4 * 4, 0);
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = buffer.size();
    view.byteLength = bytes;
    view.target = target;
    buffer.resize(buffer.size() + bytes);
    if (bytes > 0)
        std::memcpy(buffer.data() + view.byteOffset, data, bytes);
    model_.bufferViews.push_back(view);
    return static_cast<int>(model_.bufferViews.size() - 1);
}

int GltfBuffer::addFloats(const float* values, std::size_t count, int type, int target,
                          bool withBounds) {
    const int components = componentsOf(type);
    tinygltf::Accessor accessor;
    accessor.bufferView =
        addView(values, count * static_cast<std::size_t>(components) * sizeof(float), target);
    accessor.componentType = TINYGLTF_COMPONENT_TYPE_FLOAT;
    accessor.count = count;
    accessor.type = type;
    if (withBounds) {
        accessor.minValues.assign(static_cast<std::size_t>(components),
                                  std::numeric_limits<double>::infinity());
        accessor.maxValues.assign(static_cast<std::size_t>(components),
                                  -std::numeric_limits<double>::infinity());
        for (std::size_t i = 0; i < count; ++i)
            for (std::size_t c = 0; c < static_cast<std::size_t>(components); ++c) {
                const double value = values[i * static_cast<std::size_t>(components) + c];
                accessor.minValues[c] = std::min(accessor.minValues[c], value);
                accessor.maxValues[c] = std::max(accessor.maxValues[c], value);
            }
    }
    model_.accessors.push_back(accessor);
    return static_cast<int>(model_.accessors.size() - 1);
}

int GltfBuffer::addIndices(const std::vector<std::uint32_t>& indices, std::uint32_t vertexCount) {
    tinygltf::Accessor accessor;
    accessor.count = indices.size();
    accessor.type = TINYGLTF_TYPE_SCALAR;
    // Geosets hold at most 65,535 vertices, so 16-bit indices always do.
    if (vertexCount <= 65535) {
        std::vector<std::uint16_t> narrow(indices.begin(), indices.end());
        accessor.bufferView = addView(narrow.data(), narrow.size() * sizeof(std::uint16_t),
                                      TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
        accessor.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT;
    } else {
        accessor.bufferView = addView(indices.data(), indices.size() * sizeof(std::uint32_t),
                                      TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
        accessor.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT;
    }
    model_.accessors.push_back(accessor);
    return static_cast<int>(model_.accessors.size() - 1);
}

int GltfBuffer::addJoints(const std::vector<std::uint16_t>& joints) {
    tinygltf::Accessor accessor;
    accessor.bufferView =
        addView(joints.data(), joints.size() * sizeof(std::uint16_t), TINYGLTF_TARGET_ARRAY_BUFFER);
    accessor.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT;
    accessor.count = joints.size() / 4;
    accessor.type = TINYGLTF_TYPE_VEC4;
    model_.accessors.push_back(accessor);
    return static_cast<int>(model_.accessors.size() - 1);
}

} // namespace interchange
