#include "formats/animation/skinning.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace animation {

namespace {

using common::Mat4;

constexpr std::size_t skinBytes = 8;

void addScaled(Mat4& sum, const Mat4& m, float weight) {
    for (std::size_t i = 0; i < 15; ++i) // the last element stays 1
        sum[i] += m[i] * weight;
}

// The matrix of each vertex group, or nothing for a group with no bones or a missing one.
std::vector<std::optional<Mat4>> groupMatrices(const mdx::Geoset& geoset, const Skeleton& skeleton,
                                               const std::vector<Mat4>& world) {
    std::vector<std::optional<Mat4>> groups;
    groups.reserve(geoset.matrixGroupSizes.size());
    std::size_t next = 0;
    for (const std::uint32_t size : geoset.matrixGroupSizes) {
        std::optional<Mat4> matrix;
        if (size > 0 && size <= geoset.matrixIndices.size() - next) {
            Mat4 sum{};
            bool complete = true;
            for (std::size_t i = next; i < next + size && complete; ++i) {
                const int node = skeleton.indexOf(geoset.matrixIndices[i]);
                complete = node >= 0;
                if (complete)
                    addScaled(sum, world[static_cast<std::size_t>(node)], 1.0f / size);
            }
            sum[15] = 1;
            if (complete)
                matrix = sum;
        }
        next += std::min<std::size_t>(size, geoset.matrixIndices.size() - next);
        groups.push_back(matrix);
    }
    return groups;
}

// The matrix of a skin-weighted vertex, or nothing.
std::optional<Mat4> weightedMatrix(const std::uint8_t* skin, const std::vector<int>& listNodes,
                                   const std::vector<Mat4>& world) {
    Mat4 sum{};
    bool weighted = false;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint8_t weight = skin[4 + i];
        if (weight == 0)
            continue;
        const std::size_t entry = skin[i];
        if (entry >= listNodes.size() || listNodes[entry] < 0)
            return std::nullopt;
        addScaled(sum, world[static_cast<std::size_t>(listNodes[entry])], weight / 255.0f);
        weighted = true;
    }
    if (!weighted)
        return std::nullopt;
    sum[15] = 1;
    return sum;
}

void place(const mdx::Geoset& geoset, std::size_t v, const Mat4* matrix, SkinnedGeoset& out) {
    const mdx::Vec3 normal = v < geoset.normals.size() ? geoset.normals[v] : mdx::Vec3{};
    if (!matrix) {
        out.vertices[v] = geoset.vertices[v];
        out.normals[v] = normal;
        ++out.unskinned;
        return;
    }
    out.vertices[v] = common::transformPoint(*matrix, geoset.vertices[v]);
    out.normals[v] = common::normalised(common::transformDirection(*matrix, normal));
}

} // namespace

bool hasSkinWeights(const mdx::Geoset& geoset) {
    return geoset.skin && !geoset.vertices.empty() &&
           geoset.skin->size() == geoset.vertices.size() * skinBytes;
}

void skinGeoset(const mdx::Geoset& geoset, const Skeleton& skeleton, const std::vector<Mat4>& world,
                SkinnedGeoset& out) {
    const std::size_t count = geoset.vertices.size();
    out.vertices.resize(count);
    out.normals.resize(count);
    out.unskinned = 0;
    if (hasSkinWeights(geoset)) {
        std::vector<int> listNodes;
        listNodes.reserve(geoset.matrixIndices.size());
        for (const std::uint32_t id : geoset.matrixIndices)
            listNodes.push_back(skeleton.indexOf(id));
        for (std::size_t v = 0; v < count; ++v) {
            const auto matrix =
                weightedMatrix(geoset.skin->data() + v * skinBytes, listNodes, world);
            place(geoset, v, matrix ? &*matrix : nullptr, out);
        }
        return;
    }
    const auto groups = groupMatrices(geoset, skeleton, world);
    for (std::size_t v = 0; v < count; ++v) {
        const std::size_t group =
            v < geoset.vertexGroups.size() ? geoset.vertexGroups[v] : SIZE_MAX;
        const Mat4* matrix = group < groups.size() && groups[group] ? &*groups[group] : nullptr;
        place(geoset, v, matrix, out);
    }
}

} // namespace animation
