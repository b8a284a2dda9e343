#pragma once

#include "common/canvas.h"
#include "textures/texture_source.h"

#include <string>

namespace editor {

struct GeosetModel;
struct UvEditorState;

// Decodes a picture file (BLP, TGA, PNG, JPEG, GIF or BMP) and makes it the background, held
// in memory until the next load. On failure the background stays as it was and error says why.
bool loadBackgroundFile(UvEditorState& uv, const std::string& path, std::string& error);

// Shows the geoset's own texture, found through its material in the working copy (the model
// itself when there is none): a picture from the source (beside the model, then the game data),
// for team colour and team glow the game's picture, else a flat colour for a replaceable
// texture. Done once per model and geoset; a texture that cannot be shown leaves the background
// empty and puts one sentence in uv.textureNote. Draws nothing.
void showGeosetTexture(UvEditorState& uv, const GeosetModel& model,
                       const textures::TextureSource& source = textures::besideModelOnly());

} // namespace editor
