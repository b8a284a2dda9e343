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

std::string workingCopyPath(const std::string& modelPath) {
    const auto keep = modelPath.size() >= 4 ? modelPath.size() - 4 : 0;
    return modelPath.substr(0, keep) + "_TMP.tdl";
}

} // namespace editor
