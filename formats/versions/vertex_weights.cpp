#include "formats/versions/vertex_weights.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace versions {

namespace {

constexpr std::size_t skinBytes = 8;
constexpr std::uint32_t triangles = 4;

// Where each vertex group's entries start in the matrix index list; groups running past the
// list's end are cut at it.
std::vector<std::pair<std::size_t, std::size_t>> groupEntries(const mdx::Geoset& geoset) {
    std::vector<std::pair<std::size_t, std::size_t>> entries;
    std::size_t next = 0;
    for (const std::uint32_t size : geoset.matrixGroupSizes) {
        const std::size_t start = std::min(next, geoset.matrixIndices.size());
        const std::size_t end = std::min<std::size_t>(start + size, geoset.matrixIndices.size());
        entries.emplace_back(start, end - start);
        next = start + size;
    }
    return entries;
}

// Fills the part's vertex arrays with the given source vertices and its groups with the given
// bone lists.
void fillPart(GroupedPart& part, const mdx::Geoset& source,
              const std::vector<std::vector<std::uint32_t>>& groups,
              const std::vector<std::uint32_t>& groupOf) {
    auto& g = part.geoset;
    std::unordered_map<std::uint32_t, std::uint8_t> local;
    g.vertices.clear();
    g.normals.clear();
    g.vertexGroups.clear();
    g.matrixGroupSizes.clear();
    g.matrixIndices.clear();
    if (!source.uvSets.empty())
        g.uvSets.assign(1, {});
    for (const std::uint32_t v : part.sourceVertex) {
        g.vertices.push_back(source.vertices[v]);
        g.normals.push_back(v < source.normals.size() ? source.normals[v] : mdx::Vec3{});
        if (!source.uvSets.empty())
            g.uvSets[0].push_back(v < source.uvSets[0].size() ? source.uvSets[0][v] : mdx::Vec2{});
        const std::uint32_t group = groupOf[v];
        auto found = local.find(group);
        if (found == local.end()) {
            found =
                local.emplace(group, static_cast<std::uint8_t>(g.matrixGroupSizes.size())).first;
            g.matrixGroupSizes.push_back(static_cast<std::uint32_t>(groups[group].size()));
            g.matrixIndices.insert(g.matrixIndices.end(), groups[group].begin(),
                                   groups[group].end());
        }
        g.vertexGroups.push_back(found->second);
    }
}

} // namespace

KeptBones keptBones(const std::uint8_t* skin, const std::vector<std::uint32_t>& matrixIndices) {
    KeptBones kept;
    std::vector<std::pair<std::uint32_t, int>> weighted; // object id, weight
    int sum = 0;
    for (std::size_t i = 0; i < maxBonesPerVertex; ++i) {
        const int weight = skin[maxBonesPerVertex + i];
        if (weight == 0)
            continue;
        if (skin[i] >= matrixIndices.size()) {
            kept.missingBone = true;
            continue;
        }
        sum += weight;
        const std::uint32_t id = matrixIndices[skin[i]];
        const auto same = std::find_if(weighted.begin(), weighted.end(),
                                       [id](const auto& w) { return w.first == id; });
        if (same != weighted.end())
            same->second += weight;
        else
            weighted.emplace_back(id, weight);
    }
    if (weighted.empty())
        return kept;
    std::stable_sort(weighted.begin(), weighted.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    const int largest = weighted.front().second;
    int least = largest;
    for (const auto& [id, weight] : weighted) {
        if (weight * 4 < largest || kept.bones.size() == maxBonesPerVertex) {
            kept.approximated = true;
            continue;
        }
        kept.bones.push_back(id);
        least = std::min(least, weight);
    }
    // Equal shares as the file stores them: 255 in all, differing by the remainder at most.
    if (sum != 255 || largest - least > 1)
        kept.approximated = true;
    std::sort(kept.bones.begin(), kept.bones.end());
    return kept;
}

GroupedGeoset skinToGroups(const mdx::Geoset& geoset) {
    GroupedGeoset result;
    const std::size_t count = geoset.vertices.size();
    std::vector<std::vector<std::uint32_t>> groups;
    std::vector<std::uint32_t> groupOf(count);
    std::map<std::vector<std::uint32_t>, std::uint32_t> groupIndex;
    for (std::size_t v = 0; v < count; ++v) {
        auto kept = keptBones(geoset.skin->data() + v * skinBytes, geoset.matrixIndices);
        result.approximated += kept.approximated && !kept.missingBone && !kept.bones.empty();
        result.missingBone += kept.missingBone;
        if (kept.bones.empty()) {
            ++result.unweighted;
            if (!geoset.matrixIndices.empty())
                kept.bones.push_back(geoset.matrixIndices.front());
        }
        const auto [at, added] =
            groupIndex.emplace(kept.bones, static_cast<std::uint32_t>(groups.size()));
        if (added)
            groups.push_back(std::move(kept.bones));
        groupOf[v] = at->second;
    }

    GroupedPart whole;
    whole.geoset = geoset;
    whole.geoset.skin.reset();
    whole.geoset.tangents.reset();
    if (groups.size() <= maxVertexGroups) {
        whole.sourceVertex.resize(count);
        for (std::size_t v = 0; v < count; ++v)
            whole.sourceVertex[v] = static_cast<std::uint32_t>(v);
        fillPart(whole, geoset, groups, groupOf);
        result.parts.push_back(std::move(whole));
        return result;
    }
    if (std::any_of(geoset.faceTypes.begin(), geoset.faceTypes.end(),
                    [](std::uint32_t type) { return type != triangles; })) {
        result.unsplittable = true;
        return result;
    }

    // Triangles in order, a new part whenever the next one's groups would not fit; vertices no
    // triangle uses go where their group fits, the same way.
    std::vector<std::vector<std::uint16_t>> partFaces;
    std::vector<std::vector<std::uint32_t>> partVertices;
    std::vector<std::unordered_map<std::uint32_t, std::uint16_t>> localVertex;
    std::vector<char> used(count, 0);
    std::unordered_map<std::uint32_t, bool> partGroups;
    const auto startPart = [&] {
        partFaces.emplace_back();
        partVertices.emplace_back();
        localVertex.emplace_back();
        partGroups.clear();
    };
    const auto fits = [&](const std::uint32_t* corners, std::size_t n) {
        std::size_t added = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const auto group = groupOf[corners[i]];
            bool seen = partGroups.count(group) > 0;
            for (std::size_t j = 0; j < i && !seen; ++j)
                seen = groupOf[corners[j]] == group;
            added += !seen;
        }
        return partGroups.size() + added <= maxVertexGroups;
    };
    const auto place = [&](std::uint32_t v) {
        partGroups[groupOf[v]] = true;
        auto& map = localVertex.back();
        const auto [at, added] =
            map.emplace(v, static_cast<std::uint16_t>(partVertices.back().size()));
        if (added)
            partVertices.back().push_back(v);
        used[v] = 1;
        return at->second;
    };
    startPart();
    for (std::size_t f = 0; f + 3 <= geoset.faces.size(); f += 3) {
        const std::uint32_t corners[3] = {geoset.faces[f], geoset.faces[f + 1],
                                          geoset.faces[f + 2]};
        if (corners[0] >= count || corners[1] >= count || corners[2] >= count)
            continue; // named by the check before the conversion
        if (!fits(corners, 3))
            startPart();
        for (const auto corner : corners)
            partFaces.back().push_back(place(corner));
    }
    for (std::uint32_t v = 0; v < count; ++v) {
        if (used[v])
            continue;
        if (!fits(&v, 1))
            startPart();
        place(v);
    }
    for (std::size_t p = 0; p < partVertices.size(); ++p) {
        GroupedPart part;
        part.geoset = whole.geoset;
        part.sourceVertex = std::move(partVertices[p]);
        part.geoset.faces = std::move(partFaces[p]);
        part.geoset.faceTypes = {triangles};
        part.geoset.faceGroupSizes = {static_cast<std::uint32_t>(part.geoset.faces.size())};
        fillPart(part, geoset, groups, groupOf);
        result.parts.push_back(std::move(part));
    }
    return result;
}

std::vector<std::uint8_t> equalShares(std::size_t n) {
    std::vector<std::uint8_t> shares;
    if (n == 0)
        return shares;
    for (std::size_t i = 0; i < n; ++i)
        shares.push_back(static_cast<std::uint8_t>(255 / n + (i < 255 % n ? 1 : 0)));
    return shares;
}

SkinFromGroups groupsToSkin(const mdx::Geoset& geoset) {
    SkinFromGroups result;
    const auto entries = groupEntries(geoset);
    const auto& list = geoset.matrixIndices;
    // The skin names bones by their place in the matrix index list, a byte.
    const auto placeOf = [&](std::size_t entry) -> int {
        if (entry < 256)
            return static_cast<int>(entry);
        const auto first = std::find(list.begin(), list.end(), list[entry]);
        const auto at = static_cast<std::size_t>(first - list.begin());
        return at < 256 ? static_cast<int>(at) : -1;
    };
    result.skin.assign(geoset.vertices.size() * skinBytes, 0);
    for (std::size_t v = 0; v < geoset.vertices.size(); ++v) {
        std::uint8_t* out = result.skin.data() + v * skinBytes;
        const std::size_t group =
            v < geoset.vertexGroups.size() ? geoset.vertexGroups[v] : entries.size();
        std::vector<int> places;
        if (group < entries.size()) {
            const auto [start, size] = entries[group];
            result.capped += size > maxBonesPerVertex;
            for (std::size_t k = 0; k < std::min(size, maxBonesPerVertex); ++k)
                places.push_back(placeOf(start + k));
        }
        if (places.empty() || std::find(places.begin(), places.end(), -1) != places.end()) {
            ++result.unplaced;
            places.assign(1, 0); // the first bone of the list, so that the weights sum to 255
        }
        const auto shares = equalShares(places.size());
        for (std::size_t k = 0; k < places.size(); ++k) {
            out[k] = static_cast<std::uint8_t>(places[k]);
            out[maxBonesPerVertex + k] = shares[k];
        }
    }
    return result;
}

} // namespace versions
