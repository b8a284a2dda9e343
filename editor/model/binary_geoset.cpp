#include "editor/model/binary_geoset.h"

#include "common/number_text.h"
#include "editor/model/geoset_model.h"
#include "editor/model/geoset_output.h"
#include "formats/mdx/float_text.h"

#include <cmath>

namespace editor {

std::optional<float> savedFloat(double value) {
    if (value == 0.0)
        return 0.0f; // written "0", whatever the sign
    // The text holds at most 15 significant digits and so lies within a few parts in 10^15 of
    // the value; the nearest float to the text is the value's own nearest float unless a point
    // halfway between two floats lies that close. Only those few values, and the ones near the
    // ends of the float range, are written and read.
    const double magnitude = std::fabs(value);
    if (magnitude > 1e-30 && magnitude < 1e38) {
        const float nearest = static_cast<float>(value);
        const double here = nearest;
        const double above = (here + static_cast<double>(std::nextafter(nearest, HUGE_VALF))) / 2;
        const double below = (here + static_cast<double>(std::nextafter(nearest, -HUGE_VALF))) / 2;
        const double margin = magnitude * 1e-13;
        if (above - value > margin && value - below > margin)
            return nearest;
    }
    return mdx::parseFloat(common::formatNumber(value));
}

namespace {

template <std::size_t N> bool savedFloats(const std::array<double, N>& values, float* out) {
    for (std::size_t k = 0; k < N; ++k) {
        const auto f = savedFloat(values[k]);
        if (!f)
            return false;
        out[k] = *f;
    }
    return true;
}

bool keepsOwnFaceGroups(const mdx::Geoset& base) {
    return base.faceTypes.size() != 1 || base.faceTypes[0] != 4 ||
           base.faceGroupSizes.size() != 1 || base.faceGroupSizes[0] != base.faces.size();
}

} // namespace

std::optional<mdx::Geoset> savedBinaryGeoset(const GeosetModel& model, const mdx::Geoset& base) {
    if (keepsOwnFaceGroups(base))
        return std::nullopt;
    mdx::Geoset g = base;
    const auto kept = static_cast<std::size_t>(keptVertexCount(model));
    g.vertices.assign(kept, {});
    g.normals.assign(kept, {});
    for (auto& set : g.uvSets)
        set.assign(kept, {});
    if (g.tangents)
        g.tangents->assign(kept, {});
    if (g.skin)
        g.skin->assign(kept * static_cast<std::size_t>(skinWeightValues), 0);
    g.vertexGroups.assign(kept, 0);

    std::size_t i = 0;
    for (std::size_t source = 0; source < model.vertices.size(); ++source) {
        const auto& v = model.vertices[source];
        if (v.deleted)
            continue;
        if (!savedFloats(writtenPosition(v), g.vertices[i].data()) ||
            !savedFloats(writtenNormal(model, source), g.normals[i].data()))
            return std::nullopt;
        for (std::size_t set = 0; set < g.uvSets.size(); ++set)
            if (!savedFloats(writtenTextureCoordinates(model, source, static_cast<int>(set)),
                             g.uvSets[set][i].data()))
                return std::nullopt;
        if (g.tangents && !savedFloats(writtenTangent(model, source), (*g.tangents)[i].data()))
            return std::nullopt;
        if (g.skin)
            std::copy(v.skinWeights.begin(), v.skinWeights.end(),
                      g.skin->begin() + static_cast<std::ptrdiff_t>(
                                            i * static_cast<std::size_t>(skinWeightValues)));
        if (v.vertexGroup < 0 || v.vertexGroup > 255)
            return std::nullopt;
        g.vertexGroups[i] = static_cast<std::uint8_t>(v.vertexGroup);
        ++i;
    }

    const auto index = outputIndices(model);
    g.faces.clear();
    g.faces.reserve(model.faces.size() * 3);
    for (const auto& face : model.faces) {
        if (!isWrittenFace(model, face))
            continue;
        for (int corner : {face.a, face.b, face.c}) {
            const int out = index[static_cast<std::size_t>(corner)];
            if (out > 65535)
                return std::nullopt;
            g.faces.push_back(static_cast<std::uint16_t>(out));
        }
    }
    if (g.faces.empty())
        return std::nullopt;
    g.faceGroupSizes = {static_cast<std::uint32_t>(g.faces.size())};

    g.matrixGroupSizes.clear();
    g.matrixIndices.clear();
    for (const auto& ids : writtenMatrixGroups(model)) {
        g.matrixGroupSizes.push_back(static_cast<std::uint32_t>(ids.size()));
        for (int id : ids) {
            if (id < 0)
                return std::nullopt;
            g.matrixIndices.push_back(static_cast<std::uint32_t>(id));
        }
    }
    return g;
}

} // namespace editor
