#include "editor/model/geoset_model.h"

namespace editor {

bool samePosition(const GeosetModel& model, int i, int j) {
    const auto& first = model.vertices.at(static_cast<std::size_t>(i));
    const auto& second = model.vertices.at(static_cast<std::size_t>(j));
    return first.x == second.x && first.y == second.y && first.z == second.z;
}

bool inMatrixGroup(const GeosetModel& model, const VertexRecord& vertex) {
    return model.groupCount <= 0 || vertex.vertexGroup < model.groupCount;
}

std::string workingCopyPath(const std::string& modelPath, int number) {
    const auto slash = modelPath.find_last_of('/');
    const auto nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = modelPath.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && dot > nameStart;
    const std::string stem = modelPath.substr(0, hasExtension ? dot : modelPath.size());
    return stem + "_TMP" + (number > 1 ? std::to_string(number) : "") + ".tdl";
}

} // namespace editor

namespace editor {

ValuesAsRead valuesOf(const VertexRecord& vertex) {
    return {vertex.normalX, vertex.normalY, vertex.normalZ, vertex.u,
            vertex.v,       vertex.tangent, vertex.extraUvs};
}

} // namespace editor
