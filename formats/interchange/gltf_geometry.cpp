#include "formats/interchange/gltf_geometry.h"

#include "formats/interchange/gltf_axes.h"

#include <cmath>

namespace interchange {

namespace {

constexpr std::uint32_t trianglesType = 4;

bool finite(common::Vec3 v) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

std::vector<float> positions(const mdx::Geoset& geoset, std::size_t& repaired) {
    std::vector<float> out;
    out.reserve(geoset.vertices.size() * 3);
    for (const auto& vertex : geoset.vertices) {
        const auto p = finite(vertex) ? gltfPoint(vertex) : (++repaired, common::Vec3{});
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

// Unit normals; one of length 0 or not finite points up.
std::vector<float> normals(const mdx::Geoset& geoset, std::size_t& repaired) {
    std::vector<float> out;
    out.reserve(geoset.vertices.size() * 3);
    for (const auto& normal : geoset.normals) {
        auto n = finite(normal) ? common::normalised(gltfPoint(normal)) : common::Vec3{};
        if (common::length(n) < 0.5f) {
            n = {0, 1, 0};
            ++repaired;
        }
        out.insert(out.end(), n.begin(), n.end());
    }
    return out;
}

// Unit tangents with w of 1 or -1; nothing when one has no direction.
std::vector<float> tangents(const std::vector<mdx::Vec4>& tangents) {
    std::vector<float> out;
    out.reserve(tangents.size() * 4);
    for (const auto& tangent : tangents) {
        const auto t = common::normalised(gltfPoint({tangent[0], tangent[1], tangent[2]}));
        if (!finite(t) || common::length(t) < 0.5f)
            return {};
        out.insert(out.end(), {t[0], t[1], t[2], tangent[3] < 0 ? -1.0f : 1.0f});
    }
    return out;
}

std::vector<float> texcoords(const std::vector<mdx::Vec2>& uvs) {
    std::vector<float> out;
    out.reserve(uvs.size() * 2);
    for (const auto& uv : uvs)
        out.insert(out.end(),
                   {std::isfinite(uv[0]) ? uv[0] : 0.0f, std::isfinite(uv[1]) ? uv[1] : 0.0f});
    return out;
}

} // namespace

bool isExportedGeoset(const mdx::Geoset& geoset) {
    return geoset.lod == 0 || geoset.lod == mdx::noId; // -1: a geoset of every level
}

std::vector<std::uint32_t> triangleCorners(const mdx::Geoset& geoset, std::size_t& dropped) {
    std::vector<std::uint32_t> corners;
    std::size_t start = 0;
    for (std::size_t group = 0; group < geoset.faceGroupSizes.size(); ++group) {
        const std::size_t size =
            std::min<std::size_t>(geoset.faceGroupSizes[group], geoset.faces.size() - start);
        const bool triangles =
            group < geoset.faceTypes.size() && geoset.faceTypes[group] == trianglesType;
        for (std::size_t i = start; triangles && i + 3 <= start + size; i += 3) {
            const auto a = geoset.faces[i], b = geoset.faces[i + 1], c = geoset.faces[i + 2];
            const auto count = geoset.vertices.size();
            if (a >= count || b >= count || c >= count) {
                ++dropped;
                continue;
            }
            corners.insert(corners.end(), {a, b, c});
        }
        start += size;
    }
    return corners;
}

int addGeosetMesh(const mdx::Model& model, std::size_t geosetIndex, const SkinSets* skin,
                  tinygltf::Model& gltf, GltfBuffer& buffer, std::vector<std::string>& warnings) {
    const auto& geoset = model.geosets[geosetIndex];
    const std::string name = "Geoset " + std::to_string(geosetIndex + 1);
    std::size_t dropped = 0;
    const auto corners = triangleCorners(geoset, dropped);
    if (dropped > 0)
        warnings.push_back(name + ": " + std::to_string(dropped) +
                           " triangles that name vertices the geoset does not have are left out");
    if (corners.empty()) {
        warnings.push_back(name + " has no triangle and is left out");
        return -1;
    }
    const std::size_t count = geoset.vertices.size();
    tinygltf::Primitive primitive;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    std::size_t repaired = 0;
    const auto places = positions(geoset, repaired);
    primitive.attributes["POSITION"] = buffer.addFloats(places.data(), count, TINYGLTF_TYPE_VEC3,
                                                        TINYGLTF_TARGET_ARRAY_BUFFER, true);
    if (repaired > 0)
        warnings.push_back(name + ": " + std::to_string(repaired) +
                           " vertices whose position is not a number are put at the origin");
    if (geoset.normals.size() == count) {
        repaired = 0;
        const auto values = normals(geoset, repaired);
        primitive.attributes["NORMAL"] = buffer.addFloats(values.data(), count, TINYGLTF_TYPE_VEC3,
                                                          TINYGLTF_TARGET_ARRAY_BUFFER, false);
        if (repaired > 0)
            warnings.push_back(name + ": " + std::to_string(repaired) +
                               " normals without a direction are written pointing up");
    }
    if (!geoset.uvSets.empty() && geoset.uvSets.front().size() == count) {
        const auto values = texcoords(geoset.uvSets.front());
        primitive.attributes["TEXCOORD_0"] = buffer.addFloats(
            values.data(), count, TINYGLTF_TYPE_VEC2, TINYGLTF_TARGET_ARRAY_BUFFER, false);
    }
    if (geoset.tangents && geoset.tangents->size() == count &&
        primitive.attributes.count("NORMAL")) {
        const auto values = tangents(*geoset.tangents);
        if (values.empty())
            warnings.push_back(name + ": a tangent without a direction; no tangents are written");
        else
            primitive.attributes["TANGENT"] = buffer.addFloats(
                values.data(), count, TINYGLTF_TYPE_VEC4, TINYGLTF_TARGET_ARRAY_BUFFER, false);
    }
    if (skin) {
        for (std::size_t set = 0; set < skin->joints.size(); ++set) {
            const auto suffix = std::to_string(set);
            primitive.attributes["JOINTS_" + suffix] = buffer.addJoints(skin->joints[set]);
            primitive.attributes["WEIGHTS_" + suffix] =
                buffer.addFloats(skin->weights[set].data(), count, TINYGLTF_TYPE_VEC4,
                                 TINYGLTF_TARGET_ARRAY_BUFFER, false);
        }
    }
    primitive.indices = buffer.addIndices(corners, static_cast<std::uint32_t>(count));
    if (geoset.materialId < model.materials.size())
        primitive.material = static_cast<int>(geoset.materialId);
    tinygltf::Mesh mesh;
    mesh.name = name;
    mesh.primitives.push_back(std::move(primitive));
    gltf.meshes.push_back(std::move(mesh));
    return static_cast<int>(gltf.meshes.size() - 1);
}

} // namespace interchange
