#pragma once

// Reading an exported glTF back for the tests, with code of their own: the accessors' numbers,
// and the scene posed from the file's own node animations and skin, in double precision.

#include <tiny_gltf.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace gltf_test {

inline std::map<int, std::vector<double>>& numberCache();

inline tinygltf::Model loadGlb(const std::vector<std::uint8_t>& bytes) {
    tinygltf::TinyGLTF loader;
    tinygltf::Model model;
    std::string error, warning;
    loader.SetImageLoader([](tinygltf::Image*, const int, std::string*, std::string*, int, int,
                             const unsigned char*, int, void*) { return true; },
                          nullptr);
    if (!loader.LoadBinaryFromMemory(&model, &error, &warning, bytes.data(),
                                     static_cast<unsigned>(bytes.size())))
        throw std::runtime_error("the glb does not load: " + error);
    numberCache().clear();
    return model;
}

// Every component of the accessor as a double (floats, unsigned bytes and shorts).
inline std::vector<double> readNumbers(const tinygltf::Model& model, int index) {
    const auto& accessor = model.accessors.at(static_cast<std::size_t>(index));
    const auto& view = model.bufferViews.at(static_cast<std::size_t>(accessor.bufferView));
    const auto* data = model.buffers[0].data.data() + view.byteOffset + accessor.byteOffset;
    const int components = tinygltf::GetNumComponentsInType(accessor.type);
    std::vector<double> out;
    for (std::size_t i = 0; i < accessor.count * static_cast<std::size_t>(components); ++i) {
        switch (accessor.componentType) {
        case TINYGLTF_COMPONENT_TYPE_FLOAT: {
            float value;
            std::memcpy(&value, data + i * 4, 4);
            out.push_back(value);
            break;
        }
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: {
            std::uint16_t value;
            std::memcpy(&value, data + i * 2, 2);
            out.push_back(value);
            break;
        }
        default:
            out.push_back(data[i]);
        }
    }
    return out;
}

// The accessors of the glTF loaded last, read once each, for a posing that reads them at every
// time; loadGlb empties it.
inline std::map<int, std::vector<double>>& numberCache() {
    static std::map<int, std::vector<double>> cache;
    return cache;
}

inline const std::vector<double>& numbers(const tinygltf::Model& model, int index) {
    auto& cache = numberCache();
    auto found = cache.find(index);
    if (found == cache.end())
        found = cache.emplace(index, readNumbers(model, index)).first;
    return found->second;
}

using M4 = std::array<double, 16>; // column-major

inline M4 mul(const M4& a, const M4& b) {
    M4 r{};
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                r[c * 4 + row] += a[k * 4 + row] * b[c * 4 + k];
    return r;
}

inline M4 trs(const std::array<double, 3>& t, const std::array<double, 4>& q,
              const std::array<double, 3>& s) {
    const double x = q[0], y = q[1], z = q[2], w = q[3];
    const double rot[9] = {
        1 - 2 * (y * y + z * z), 2 * (x * y + z * w),     2 * (x * z - y * w),
        2 * (x * y - z * w),     1 - 2 * (x * x + z * z), 2 * (y * z + x * w),
        2 * (x * z + y * w),     2 * (y * z - x * w),     1 - 2 * (x * x + y * y)};
    M4 m{};
    for (int c = 0; c < 3; ++c)
        for (int row = 0; row < 3; ++row)
            m[c * 4 + row] = rot[c * 3 + row] * s[static_cast<std::size_t>(c)];
    m[12] = t[0];
    m[13] = t[1];
    m[14] = t[2];
    m[15] = 1;
    return m;
}

// The sample times every channel of the animation has (in seconds).
inline std::vector<double> sharedTimes(const tinygltf::Model& model, const tinygltf::Animation& a) {
    std::map<double, std::size_t> seen;
    for (const auto& sampler : a.samplers) {
        const auto input = numbers(model, sampler.input);
        for (const double t : std::set<double>(input.begin(), input.end()))
            ++seen[t];
    }
    std::vector<double> out;
    for (const auto& [t, n] : seen)
        if (n == a.samplers.size())
            out.push_back(t);
    return out;
}

// The value of a sampler at a time that is one of its inputs.
inline std::vector<double> valueAt(const tinygltf::Model& model,
                                   const tinygltf::AnimationSampler& sampler, double time,
                                   int components) {
    const auto& input = numbers(model, sampler.input);
    const auto& output = numbers(model, sampler.output);
    const auto found = std::lower_bound(input.begin(), input.end(), time);
    if (found == input.end() || *found != time)
        throw std::runtime_error("no sample at that time");
    const auto k = found - input.begin();
    return {output.begin() + k * components, output.begin() + (k + 1) * components};
}

// Every mesh node's vertices, posed: the nodes' rest TRS with the animation's channels at the
// time (an animation of -1: the rest pose), the world matrices down from the scene's roots, and
// each vertex as sum of weight * world(joint) * inverse bind (joint), or the node's world.
inline std::vector<std::vector<std::array<double, 3>>> posedMeshes(const tinygltf::Model& model,
                                                                   int animation, double time) {
    const std::size_t count = model.nodes.size();
    std::vector<std::array<double, 3>> t(count), s(count, {1, 1, 1});
    std::vector<std::array<double, 4>> r(count, {0, 0, 0, 1});
    for (std::size_t i = 0; i < count; ++i) {
        const auto& node = model.nodes[i];
        for (std::size_t c = 0; c < node.translation.size(); ++c)
            t[i][c] = node.translation[c];
        for (std::size_t c = 0; c < node.rotation.size(); ++c)
            r[i][c] = node.rotation[c];
        for (std::size_t c = 0; c < node.scale.size(); ++c)
            s[i][c] = node.scale[c];
    }
    if (animation >= 0) {
        const auto& a = model.animations[static_cast<std::size_t>(animation)];
        for (const auto& channel : a.channels) {
            const auto& sampler = a.samplers[static_cast<std::size_t>(channel.sampler)];
            const auto n = static_cast<std::size_t>(channel.target_node);
            if (channel.target_path == "rotation") {
                const auto v = valueAt(model, sampler, time, 4);
                r[n] = {v[0], v[1], v[2], v[3]};
            } else {
                const auto v = valueAt(model, sampler, time, 3);
                (channel.target_path == "translation" ? t[n] : s[n]) = {v[0], v[1], v[2]};
            }
        }
    }
    std::vector<M4> world(count);
    std::vector<int> parent(count, -1);
    for (std::size_t i = 0; i < count; ++i)
        for (const int child : model.nodes[i].children)
            parent[static_cast<std::size_t>(child)] = static_cast<int>(i);
    std::vector<bool> done(count, false);
    std::function<const M4&(std::size_t)> worldOf = [&](std::size_t i) -> const M4& {
        if (!done[i]) {
            const M4 local = trs(t[i], r[i], s[i]);
            world[i] =
                parent[i] < 0 ? local : mul(worldOf(static_cast<std::size_t>(parent[i])), local);
            done[i] = true;
        }
        return world[i];
    };
    std::vector<std::vector<std::array<double, 3>>> out;
    for (std::size_t i = 0; i < count; ++i) {
        const auto& node = model.nodes[i];
        if (node.mesh < 0)
            continue;
        const auto& primitive = model.meshes[static_cast<std::size_t>(node.mesh)].primitives[0];
        const auto positions = numbers(model, primitive.attributes.at("POSITION"));
        std::vector<M4> joints;
        if (node.skin >= 0) {
            const auto& skin = model.skins[static_cast<std::size_t>(node.skin)];
            const auto inverse = numbers(model, skin.inverseBindMatrices);
            for (std::size_t j = 0; j < skin.joints.size(); ++j) {
                M4 ibm;
                std::copy(inverse.begin() + static_cast<long>(j) * 16,
                          inverse.begin() + static_cast<long>(j + 1) * 16, ibm.begin());
                joints.push_back(mul(worldOf(static_cast<std::size_t>(skin.joints[j])), ibm));
            }
        }
        std::vector<std::vector<double>> jointSets, weightSets;
        for (int set = 0; primitive.attributes.count("JOINTS_" + std::to_string(set)); ++set) {
            jointSets.push_back(
                numbers(model, primitive.attributes.at("JOINTS_" + std::to_string(set))));
            weightSets.push_back(
                numbers(model, primitive.attributes.at("WEIGHTS_" + std::to_string(set))));
        }
        std::vector<std::array<double, 3>> vertices;
        for (std::size_t v = 0; v * 3 < positions.size(); ++v) {
            const double p[4] = {positions[v * 3], positions[v * 3 + 1], positions[v * 3 + 2], 1};
            M4 m{};
            if (jointSets.empty()) {
                m = worldOf(i);
            } else {
                for (std::size_t set = 0; set < jointSets.size(); ++set)
                    for (std::size_t k = 0; k < 4; ++k) {
                        const double weight = weightSets[set][v * 4 + k];
                        const auto& joint =
                            joints[static_cast<std::size_t>(jointSets[set][v * 4 + k])];
                        for (std::size_t e = 0; e < 16; ++e)
                            m[e] += weight * joint[e];
                    }
            }
            std::array<double, 3> q{};
            for (int row = 0; row < 3; ++row)
                for (int c = 0; c < 4; ++c)
                    q[static_cast<std::size_t>(row)] += m[c * 4 + row] * p[c];
            vertices.push_back(q);
        }
        out.push_back(std::move(vertices));
    }
    return out;
}

} // namespace gltf_test
