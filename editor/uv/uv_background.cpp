#include "editor/uv/uv_background.h"

#include "common/text_file.h"
#include "editor/model/geoset_model.h"
#include "editor/model/whole_model.h"
#include "editor/uv/geoset_texture.h"
#include "editor/uv/uv_editor_state.h"
#include "textures/image_file.h"
#include "textures/replaceable_colour.h"
#include "textures/texture_error.h"

#include <filesystem>

namespace editor {

namespace {

void clearBackground(UvEditorState& uv) {
    uv.imageLoaded = false;
    uv.imagePath.clear();
    uv.background.reset();
}

} // namespace

bool loadBackgroundFile(UvEditorState& uv, const std::string& path, std::string& error) {
    try {
        auto picture = std::make_shared<const common::RgbaImage>(textures::readImageFile(path));
        uv.background = std::move(picture);
        uv.imageLoaded = true;
        uv.imagePath = path;
        return true;
    } catch (const textures::TextureError& failure) {
        error = failure.what();
        return false;
    } catch (const std::bad_alloc&) {
        error = "\"" + path + "\" is too large to hold in memory";
        return false;
    }
}

void showGeosetTexture(UvEditorState& uv, const GeosetModel& model,
                       const textures::TextureSource& source) {
    if (!model.modelLoaded || model.modelPath.empty())
        return;
    const std::string key = model.modelPath + "#" + std::to_string(model.geosetNumber);
    if (uv.textureLookedUpFor == key)
        return;
    uv.textureLookedUpFor = key;
    clearBackground(uv);

    const auto whole = readWholeModel(model);
    if (!whole.ok()) {
        uv.textureNote = "The model could not be read to find the geoset's texture.";
        return;
    }
    const auto texture = findGeosetTexture(whole.model, model.geosetNumber);
    switch (texture.kind) {
    case GeosetTexture::Kind::None:
        uv.textureNote = "No texture shown: " + texture.whyNone + ".";
        return;
    case GeosetTexture::Kind::Replaceable: {
        auto game = source.decodeReplaceable(texture.replaceableId);
        if (game.image) {
            uv.background = std::move(game.image);
            uv.imageLoaded = true;
            uv.imagePath = game.origin->where();
            return;
        }
        const auto colour = textures::replaceableColour(texture.replaceableId);
        auto flat = std::make_shared<common::RgbaImage>(1, 1);
        flat->pixels = {colour.red, colour.green, colour.blue, 255};
        uv.background = std::move(flat);
        uv.imageLoaded = true;
        return;
    }
    case GeosetTexture::Kind::Image:
        break;
    }
    const auto folder = std::filesystem::path(model.modelPath).parent_path();
    auto decoded = source.decode(texture.imagePath, folder);
    if (!decoded.origin) {
        uv.textureNote = "The geoset's texture \"" + texture.imagePath +
                         "\" was not found beside the model or in the folders above it" +
                         (source.asksGameData() ? " or in the game data." : ".");
        return;
    }
    if (!decoded.image) {
        uv.textureNote = "The geoset's texture cannot be shown: " + decoded.problem;
        return;
    }
    uv.background = std::move(decoded.image);
    uv.imageLoaded = true;
    uv.imagePath = decoded.origin->where();
}

} // namespace editor
