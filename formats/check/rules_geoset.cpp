// The rules on each geoset's arrays: counts, indices, matrix groups, skin weights, extents.
#include "formats/check/model_extents.h"
#include "formats/check/model_rules.h"
#include "formats/check/model_walk.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_set>

namespace check::rules {

namespace {

constexpr std::uint32_t triangles = 4; // the primitive type of a face group of triangles
constexpr std::size_t maxMatrixGroups = 255;
constexpr std::size_t classicVertexLimit = 7433;
constexpr int skinWeightSum = 255;

template <class F> void forEachGeoset(const CheckContext& c, F&& f) {
    for (std::size_t g = 0; g < c.model.geosets.size(); ++g)
        f(c.model.geosets[g], static_cast<int>(g), geosetName(g));
}

void countMismatch(Report& report, int g, const std::string& where, const char* what,
                   std::size_t count, std::size_t vertices) {
    report.add(where + ": " + std::to_string(count) + " " + what + " for " +
                   std::to_string(vertices) + " vertices",
               g);
}

// The matrix indices of a geoset's groups, group by group, clamped to what is stored.
template <class F> void forEachMatrixIndex(const mdx::Geoset& geoset, F&& f) {
    std::size_t at = 0;
    for (std::size_t group = 0; group < geoset.matrixGroupSizes.size(); ++group)
        for (std::uint32_t k = 0; k < geoset.matrixGroupSizes[group]; ++k, ++at) {
            if (at >= geoset.matrixIndices.size())
                return;
            f(group, geoset.matrixIndices[at]);
        }
}

// The vertices bound to the given matrix group.
std::vector<std::uint32_t> verticesOfGroup(const mdx::Geoset& geoset, std::size_t group) {
    std::vector<std::uint32_t> found;
    for (std::size_t i = 0; i < geoset.vertexGroups.size(); ++i)
        if (geoset.vertexGroups[i] == group)
            found.push_back(static_cast<std::uint32_t>(i));
    return found;
}

// Matrix entries whose node is not acceptable, one problem a node id.
template <class Bad>
void matrixNodes(const CheckContext& c, Report& report, const char* why, Bad&& bad) {
    forEachGeoset(c, [&](const mdx::Geoset& geoset, int g, const std::string& where) {
        std::unordered_set<std::uint32_t> reported;
        forEachMatrixIndex(geoset, [&](std::size_t group, std::uint32_t id) {
            const auto* entry = c.nodeWithId(id);
            if (!bad(entry) || !reported.insert(id).second)
                return;
            const std::string node =
                entry ? "node \"" + entry->node->name + "\" (" + mdx::tagText(entry->kind) + ")"
                      : "";
            auto& p =
                report.add(where + ": matrix group " + std::to_string(group) + " names object id " +
                               std::to_string(id) + ", " + (entry ? node + ", " : "") + why,
                           g);
            // Only the first few groups get their vertices: a damaged geoset may have thousands.
            if (reported.size() <= 16)
                p.vertices = verticesOfGroup(geoset, group);
            if (entry)
                p.node = entry->node->name;
        });
    });
}

} // namespace

void vertexCounts(const CheckContext& c, Report& report) {
    forEachGeoset(c, [&](const mdx::Geoset& geoset, int g, const std::string& where) {
        const auto n = geoset.vertices.size();
        if (geoset.normals.size() != n)
            countMismatch(report, g, where, "normals", geoset.normals.size(), n);
        for (std::size_t s = 0; s < geoset.uvSets.size(); ++s)
            if (geoset.uvSets[s].size() != n)
                countMismatch(report, g, where,
                              ("texture coordinates in set " + std::to_string(s)).c_str(),
                              geoset.uvSets[s].size(), n);
        if (geoset.vertexGroups.size() != n)
            countMismatch(report, g, where, "vertex groups", geoset.vertexGroups.size(), n);
        if (geoset.tangents && geoset.tangents->size() != n)
            countMismatch(report, g, where, "tangents", geoset.tangents->size(), n);
        if (geoset.skin && geoset.skin->size() != 8 * n)
            countMismatch(report, g, where, "bytes of skin weights (8 a vertex)",
                          geoset.skin->size(), n);
    });
}

void faceIndex(const CheckContext& c, Report& report) {
    forEachGeoset(c, [&](const mdx::Geoset& geoset, int g, const std::string& where) {
        const auto n = geoset.vertices.size();
        std::vector<std::uint32_t> faces, vertices;
        for (std::size_t i = 0; i < geoset.faces.size(); ++i)
            if (geoset.faces[i] >= n) {
                const auto face = static_cast<std::uint32_t>(i / 3);
                if (faces.empty() || faces.back() != face)
                    faces.push_back(face);
                vertices.push_back(geoset.faces[i]);
            }
        if (!faces.empty()) {
            auto& p = report.add(where + ": " + std::to_string(faces.size()) +
                                     " faces name a vertex past the " + std::to_string(n) +
                                     " vertices (" + placeList("face", faces) + "; corner " +
                                     std::to_string(vertices.front()) + ")",
                                 g);
            p.faces = std::move(faces);
        }
        // Face groups of triangles hold three corners a face; a geoset without recorded groups
        // is one group of triangles.
        for (std::size_t k = 0; k < geoset.faceGroupSizes.size(); ++k) {
            const auto type = k < geoset.faceTypes.size() ? geoset.faceTypes[k] : triangles;
            if (type == triangles && geoset.faceGroupSizes[k] % 3 != 0)
                report.add(where + ": face group " + std::to_string(k) + " holds " +
                               std::to_string(geoset.faceGroupSizes[k]) +
                               " corners, not a multiple of 3",
                           g);
        }
        if (geoset.faceGroupSizes.empty() && geoset.faces.size() % 3 != 0)
            report.add(where + ": " + std::to_string(geoset.faces.size()) +
                           " face corners, not a multiple of 3",
                       g);
    });
}

void vertexGroup(const CheckContext& c, Report& report) {
    forEachGeoset(c, [&](const mdx::Geoset& geoset, int g, const std::string& where) {
        const auto groups = geoset.matrixGroupSizes.size();
        std::vector<std::uint32_t> vertices;
        for (std::size_t i = 0; i < geoset.vertexGroups.size(); ++i)
            if (geoset.vertexGroups[i] >= groups)
                vertices.push_back(static_cast<std::uint32_t>(i));
        if (vertices.empty())
            return;
        auto& p = report.add(where + ": " + std::to_string(vertices.size()) +
                                 " vertices are in a group past the " + std::to_string(groups) +
                                 " matrix groups (" + placeList("vertex", vertices) + ")",
                             g);
        p.vertices = std::move(vertices);
    });
}

void matrixNode(const CheckContext& c, Report& report) {
    matrixNodes(c, report, "which no node has",
                [](const NodeEntry* entry) { return entry == nullptr; });
}

void matrixNotBone(const CheckContext& c, Report& report) {
    matrixNodes(c, report, "which is not a bone", [](const NodeEntry* entry) {
        return entry && entry->kind != mdx::makeTag("BONE");
    });
}

void matrixLimits(const CheckContext& c, Report& report) {
    forEachGeoset(c, [&](const mdx::Geoset& geoset, int g, const std::string& where) {
        const auto groups = geoset.matrixGroupSizes.size();
        if (groups > maxMatrixGroups)
            report.add(where + ": " + std::to_string(groups) + " matrix groups, more than " +
                           std::to_string(maxMatrixGroups),
                       g);
        std::uint64_t total = 0;
        std::vector<std::uint32_t> empty;
        std::array<bool, 256> emptyGroup{}; // vertex groups are bytes
        for (std::size_t k = 0; k < groups; ++k) {
            total += geoset.matrixGroupSizes[k];
            if (geoset.matrixGroupSizes[k] == 0) {
                empty.push_back(static_cast<std::uint32_t>(k));
                if (k < emptyGroup.size())
                    emptyGroup[k] = true;
            }
        }
        if (!empty.empty()) {
            auto& p = report.add(where + ": " + placeList("matrix group", empty) +
                                     (empty.size() == 1 ? " names" : " name") + " no node",
                                 g);
            for (std::size_t i = 0; i < geoset.vertexGroups.size(); ++i)
                if (emptyGroup[geoset.vertexGroups[i]])
                    p.vertices.push_back(static_cast<std::uint32_t>(i));
        }
        if (total != geoset.matrixIndices.size())
            report.add(where + ": the matrix groups name " + std::to_string(total) +
                           " indices, but the geoset holds " +
                           std::to_string(geoset.matrixIndices.size()),
                       g);
    });
}

void skinWeights(const CheckContext& c, Report& report) {
    forEachGeoset(c, [&](const mdx::Geoset& geoset, int g, const std::string& where) {
        if (!geoset.skin)
            return;
        const auto& skin = *geoset.skin;
        const auto bones = geoset.matrixIndices.size();
        std::vector<std::uint32_t> badSum, badBone;
        for (std::size_t v = 0; v + 8 <= skin.size(); v += 8) {
            int sum = 0;
            bool past = false;
            for (int k = 0; k < 4; ++k) {
                sum += skin[v + 4 + k];
                past = past || (skin[v + 4 + k] != 0 && skin[v + k] >= bones);
            }
            if (sum != skinWeightSum)
                badSum.push_back(static_cast<std::uint32_t>(v / 8));
            if (past)
                badBone.push_back(static_cast<std::uint32_t>(v / 8));
        }
        if (!badSum.empty()) {
            auto& p =
                report.add(where + ": the skin weights of " + std::to_string(badSum.size()) +
                               " vertices do not sum to 255 (" + placeList("vertex", badSum) + ")",
                           g);
            p.vertices = std::move(badSum);
        }
        if (!badBone.empty()) {
            auto& p = report.add(where + ": " + std::to_string(badBone.size()) +
                                     " vertices are weighted to a bone past the " +
                                     std::to_string(bones) + " matrix indices (" +
                                     placeList("vertex", badBone) + ")",
                                 g);
            p.vertices = std::move(badBone);
        }
    });
}

void geosetEmpty(const CheckContext& c, Report& report) {
    forEachGeoset(c, [&](const mdx::Geoset& geoset, int g, const std::string& where) {
        if (geoset.vertices.empty())
            report.add(where + " has no vertex", g);
        else if (geoset.faces.empty())
            report.add(where + " has no face", g);
    });
}

void sdVertexLimit(const CheckContext& c, Report& report) {
    if (c.model.version >= 900)
        return;
    forEachGeoset(c, [&](const mdx::Geoset& geoset, int g, const std::string& where) {
        if (geoset.vertices.size() > classicVertexLimit)
            report.add(where + " has " + std::to_string(geoset.vertices.size()) +
                           " vertices, more than the " + std::to_string(classicVertexLimit) +
                           " the classic game draws",
                       g);
    });
}

void sequenceExtents(const CheckContext& c, Report& report) {
    const auto sequences = c.model.sequences.size();
    forEachGeoset(c, [&](const mdx::Geoset& geoset, int g, const std::string& where) {
        if (geoset.sequenceExtents.size() != sequences)
            report.add(where + " has " + std::to_string(geoset.sequenceExtents.size()) +
                           " sequence extents for " + std::to_string(sequences) + " sequences",
                       g);
    });
}

void extentsStale(const CheckContext& c, Report& report) {
    std::optional<Bounds> all;
    forEachGeoset(c, [&](const mdx::Geoset& geoset, int g, const std::string& where) {
        const auto bounds = boundsOf(geoset.vertices);
        if (!bounds)
            return;
        if (all)
            all->add(*bounds);
        else
            all = bounds;
        if (!extentFits(geoset.extent, *bounds))
            report.add(where + ": its extent does not fit its vertices", g);
    });
    if (all && !extentFits(c.model.info.extent, *all))
        report.add("the model's extent does not fit the vertices of its geosets");
}

} // namespace check::rules
