#pragma once

#include "common/rgba_image.h"

#include <optional>
#include <string>

namespace editor {

struct UvEditorState;

// The colour of the exported layout's edges, opaque.
inline constexpr std::uint8_t uvExportEdge[4] = {0, 255, 0, 255};
// The longer side of an export when there is no texture to take the size from.
inline constexpr int uvExportDefaultSide = 1024;

struct UvExportSize {
    int width;
    int height;
};

// The size of an export: longerSide (when given) for the longer side with the texture's
// proportions; without it the texture's own size. A square without a texture picture.
UvExportSize uvExportSize(const UvEditorState& uv, std::optional<int> longerSide);

// The UV wireframe (the edges the view draws) at the size, over the background stretched to it
// or over transparency. u = 0 and 1 fall on the first and last pixel column, v likewise on rows.
common::RgbaImage renderUvLayout(const UvEditorState& uv, UvExportSize size, bool overTexture);

// Writes the layout as a PNG. Throws textures::TextureError.
void exportUvLayout(const UvEditorState& uv, const std::string& path, std::optional<int> longerSide,
                    bool overTexture);

// File > "Export UV Layout...": asks for the file, the size (the texture's by default, else
// 1024) and, when a background is shown, whether to draw over it; reports a failure.
void exportUVLayoutCommand(UvEditorState& uv);

} // namespace editor
