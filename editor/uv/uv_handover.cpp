#include "editor/uv/uv_handover.h"

#include "editor/editing/editing_state.h"

#include "editor/model/geoset_model.h"
#include "editor/uv/uv_background.h"
#include "editor/uv/uv_editor_state.h"
#include "editor/uv/uv_window.h"

#include <algorithm>
#include <cmath>

namespace editor {

namespace {

double coordinate(const VertexRecord& vertex, const std::string& axis) {
    return axis == "X" ? vertex.x : axis == "Y" ? vertex.y : vertex.z;
}

bool isSelected(const std::vector<bool>& selected, std::size_t i) {
    return i < selected.size() && selected[i];
}

} // namespace

void openUVMapping(const GeosetModel& model, UvEditorState& uv,
                   const textures::TextureSource& source) {
    if (!uv.windowOpen)
        loadUVEditor(uv);
    std::vector<double> u, v;
    std::vector<bool> deleted, selected;
    for (const auto& vertex : model.vertices) {
        u.push_back(vertex.u);
        v.push_back(vertex.v);
        deleted.push_back(vertex.deleted);
        selected.push_back(vertex.selected);
    }
    std::vector<std::array<int, 3>> corners;
    for (const auto& face : model.faces)
        corners.push_back({face.a, face.b, face.c});
    showGeosetTexture(uv, model, source);
    getArray(uv, std::move(u), std::move(v), std::move(deleted), std::move(selected),
             std::move(corners));
}

std::optional<std::vector<double>>
remap(const GeosetModel& model, const std::vector<bool>& selected, const std::string& axis) {
    std::vector<double> result(model.vertices.size(), 0.0);
    double low = 6400.0;
    double high = -6400.0;
    for (std::size_t i = 0; i < model.vertices.size(); ++i) {
        if (!isSelected(selected, i))
            continue;
        const double c = coordinate(model.vertices[i], axis);
        if (c < low)
            low = c;
        if (c > high)
            high = c;
    }
    if (!(high > low))
        return std::nullopt; // no vertex selected, or all at one coordinate
    // Halving keeps the extent finite for coordinates near the limits of a double.
    const bool halve = !std::isfinite(high - low);
    const double scale = halve ? 0.5 : 1.0;
    const double extent = high * scale - low * scale;
    for (std::size_t i = 0; i < model.vertices.size(); ++i)
        if (isSelected(selected, i))
            result[i] = (coordinate(model.vertices[i], axis) * scale - low * scale) / extent;
    return result;
}

void saveUVChanges(GeosetModel& model, const std::vector<double>& u, const std::vector<double>& v) {
    const auto count = std::min({model.vertices.size(), u.size(), v.size()});
    for (std::size_t i = 0; i < count; ++i) {
        model.vertices[i].u = u[i];
        model.vertices[i].v = v[i];
    }
}

void saveUVChanges(EditingState& state, const std::vector<double>& u,
                   const std::vector<double>& v) {
    saveUVChanges(static_cast<GeosetModel&>(state), u, v);
    state.unsavedChanges = true;
    // The 3D view draws with the texture coordinates: its buffers are built again.
    state.changed(Change::Geometry);
}

} // namespace editor
