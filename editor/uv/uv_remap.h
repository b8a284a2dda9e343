#pragma once

#include <string>

namespace editor {

struct GeosetModel;
struct UvEditorState;

// "Remap": replaces the selected vertices' texture coordinates by a planar projection of their
// positions seen from the view named by the text ("Top", "Front" or "Left"), each axis
// stretched to 0..1 and v flipped so the top of the model lies at v = 0, then redraws. An axis
// the selection spans no extent on keeps its coordinates; any other view text changes nothing.
void remapUV(UvEditorState& uv, const GeosetModel& model, const std::string& viewText);

} // namespace editor
