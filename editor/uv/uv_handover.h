#pragma once

#include "textures/texture_source.h"

#include <optional>
#include <string>
#include <vector>

namespace editor {

struct EditingState;
struct GeosetModel;
struct UvEditorState;

// Tools > "UV Mapping": loads the texture coordinate editor when it is not open, shows the
// geoset's own texture the first time this geoset comes, then hands it fresh copies of every
// vertex's u, v, deleted and selected flags and every face's corners.
void openUVMapping(const GeosetModel& model, UvEditorState& uv,
                   const textures::TextureSource& source = textures::besideModelOnly());

// Stretches one coordinate of the selected vertices ("X", "Y", anything else for Z) to 0..1:
// (coordinate - low) / (high - low), low starting at 6400 and high at -6400. Entry i belongs to
// vertices[i]; unselected ones get 0. Nothing when no vertex is selected or the selected ones
// span no extent on that axis, so the caller keeps the coordinates it had.
std::optional<std::vector<double>>
remap(const GeosetModel& model, const std::vector<bool>& selected, const std::string& axis);

// Copies the texture coordinates back into the vertices; no undo step, no redraw. Given the
// editing state, the model then has unsaved changes and records a change of its geometry (the
// 3D view draws the texture coordinates).
void saveUVChanges(GeosetModel& model, const std::vector<double>& u, const std::vector<double>& v);
void saveUVChanges(EditingState& state, const std::vector<double>& u, const std::vector<double>& v);

} // namespace editor
