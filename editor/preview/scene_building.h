#pragma once

#include "editor/preview/preview_scene.h"
#include "textures/texture_source.h"

#include <cstdint>
#include <filesystem>

namespace editor {
struct GeosetModel;
}

namespace editor::preview {

// A revision number no scene part has had yet: numbers are unique across scenes, so a renderer
// never mistakes a new scene's part for the one it uploaded before.
std::uint64_t nextSceneRevision();

// Whether a layer is drawn with the given texture: a translucent one only with a picture that
// is neither missing nor a flat stand-in, as a glow sprite drawn as a solid quad would hide the
// model.
bool layerShown(const Scene& scene, BlendMode blend, int texture);

// The scene of a whole model with geoset model.geosetNumber taken from the editor's live data
// and every other geoset as the file holds it. Textures come from the source (beside the model,
// then the game data); team colour and team glow are the game's pictures when it has them, the
// other replaceable textures flat colours. Second and further levels of detail are left out, as
// they would cover the first.
// The scene keeps the model for posing; without one (null) only the edited geoset is drawn.
Scene buildScene(std::shared_ptr<const SceneModel> file, const GeosetModel& edited,
                 const std::filesystem::path& modelFolder,
                 const textures::TextureSource& source = textures::besideModelOnly());
// The same of a copy of the model.
Scene buildScene(const mdx::Model& file, const GeosetModel& edited,
                 const std::filesystem::path& modelFolder,
                 const textures::TextureSource& source = textures::besideModelOnly());

// The scene of the editor's model: the working copy (the model itself when there is none) read
// as a whole model. When it cannot be read so, the scene holds the edited geoset alone and its
// note says why. An empty scene while no model is loaded.
Scene loadScene(const GeosetModel& edited,
                const textures::TextureSource& source = textures::besideModelOnly());

// After an edit: the edited geoset's vertices and triangles again, and its selection.
// The other meshes and the textures are left as they are.
void updateEditedGeometry(Scene& scene, const GeosetModel& edited);
// After a change of the selection: only the list of selected vertices.
void updateSelection(Scene& scene, const GeosetModel& edited);
void updateMarkers(Scene& scene, const GeosetModel& edited);

} // namespace editor::preview
