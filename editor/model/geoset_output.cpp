#include "editor/model/geoset_output.h"

#include "common/number_text.h"
#include "editor/model/geoset_model.h"

#include <algorithm>

namespace editor {

namespace {

double rounded(double value) {
    return common::roundHalfEven(value, 6);
}

} // namespace

int keptVertexCount(const GeosetModel& model) {
    return static_cast<int>(std::count_if(model.vertices.begin(), model.vertices.end(),
                                          [](const VertexRecord& v) { return !v.deleted; }));
}

bool isWrittenFace(const GeosetModel& model, const FaceRecord& face) {
    const auto kept = [&](int corner) {
        return corner >= 0 && static_cast<std::size_t>(corner) < model.vertices.size() &&
               !model.vertices[static_cast<std::size_t>(corner)].deleted;
    };
    return !face.deleted && kept(face.a) && kept(face.b) && kept(face.c);
}

std::vector<int> outputIndices(const GeosetModel& model) {
    std::vector<int> index(model.vertices.size(), -1);
    int next = 0;
    for (std::size_t i = 0; i < model.vertices.size(); ++i)
        if (!model.vertices[i].deleted)
            index[i] = next++;
    return index;
}

std::array<double, 3> writtenPosition(const VertexRecord& v) {
    return {v.z, v.x, v.y};
}

namespace {

const ValuesAsRead* asRead(const GeosetModel& model, std::size_t i) {
    return i < model.valuesAsRead.size() ? &model.valuesAsRead[i] : nullptr;
}

} // namespace

std::array<double, 3> writtenNormal(const GeosetModel& model, std::size_t i) {
    const auto& v = model.vertices[i];
    const auto* read = asRead(model, i);
    if (read && read->normalX == v.normalX && read->normalY == v.normalY &&
        read->normalZ == v.normalZ)
        return {v.normalZ, v.normalX, v.normalY};
    return {rounded(v.normalZ), rounded(v.normalX), rounded(v.normalY)};
}

std::array<double, 2> writtenTextureCoordinates(const GeosetModel& model, std::size_t i, int set) {
    const auto& v = model.vertices[i];
    const auto* read = asRead(model, i);
    if (set > 0 && set <= maxExtraUvSets) {
        const auto& extra = v.extraUvs[static_cast<std::size_t>(set - 1)];
        if (read && read->extraUvs[static_cast<std::size_t>(set - 1)] == extra)
            return {extra[0], extra[1]};
        return {rounded(extra[0]), rounded(extra[1])};
    }
    if (read && read->u == v.u && read->v == v.v)
        return {v.u, v.v};
    return {rounded(v.u), rounded(v.v)};
}

std::array<double, 4> writtenTangent(const GeosetModel& model, std::size_t i) {
    const auto& v = model.vertices[i];
    const auto* read = asRead(model, i);
    if (read && read->tangent == v.tangent)
        return {v.tangent[2], v.tangent[0], v.tangent[1], v.tangent[3]};
    return {rounded(v.tangent[2]), rounded(v.tangent[0]), rounded(v.tangent[1]),
            rounded(v.tangent[3])};
}

std::vector<std::vector<int>> writtenMatrixGroups(const GeosetModel& model) {
    const int groups = std::min(model.groupCount, model.matrices.columnCount());
    std::vector<std::vector<int>> written(static_cast<std::size_t>(std::max(groups, 0)));
    for (int g = 1; g <= groups; ++g) {
        auto& ids = written[static_cast<std::size_t>(g - 1)];
        ids.push_back(model.matrices.at(1, g));
        for (int slot = 2; slot <= matrixSlots && model.matrices.at(slot, g) != -1; ++slot)
            ids.push_back(model.matrices.at(slot, g));
    }
    return written;
}

} // namespace editor
