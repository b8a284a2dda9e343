#include "editor/model/selection_queries.h"

#include "editor/model/geoset_model.h"

namespace editor {

int numSelVerts(const GeosetModel& model) {
    if (!model.modelLoaded)
        return -1;
    int count = 0;
    for (const auto& vertex : model.vertices)
        if (vertex.selected)
            ++count;
    return count;
}

int countSelectedFaces(const GeosetModel& model) {
    const auto selected = [&](int corner) {
        return corner >= 0 && static_cast<std::size_t>(corner) < model.vertices.size() &&
               model.vertices[static_cast<std::size_t>(corner)].selected;
    };
    int count = 0;
    for (const auto& face : model.faces)
        if (selected(face.a) && selected(face.b) && selected(face.c))
            ++count;
    return count;
}

double selectionCentre(const GeosetModel& model, char axis) {
    if (numSelVerts(model) <= 0)
        return 0;
    double sum = 0;
    int count = 0;
    for (const auto& vertex : model.vertices) {
        if (!vertex.selected || vertex.deleted)
            continue;
        sum += axis == 'x' ? vertex.x : axis == 'y' ? vertex.y : vertex.z;
        ++count;
    }
    return count == 0 ? 0 : sum / count;
}

} // namespace editor
