#include "editor/preview/preview_state.h"

#include "editor/model/geoset_model.h"
#include "editor/preview/scene_building.h"

namespace editor {

void loadPreview(PreviewFields& preview, const GeosetModel& model,
                 const textures::TextureSource& source) {
    preview.previewScene = preview::loadScene(model, source);
    resetPreviewCamera(preview);
}

void updatePreview(PreviewFields& preview, const GeosetModel& model, Changes changes,
                   const textures::TextureSource& source) {
    if (!preview.previewShown)
        return;
    if (changes.has(Change::GeosetRead)) {
        loadPreview(preview, model, source);
        return;
    }
    auto& scene = preview.previewScene;
    if (changes.has(Change::Geometry))
        preview::updateEditedGeometry(scene, model); // takes the selection along
    else if (changes.has(Change::Selection))
        preview::updateSelection(scene, model);
    if (changes.has(Change::Markers))
        preview::updateMarkers(scene, model);
}

void fitPreview(PreviewFields& preview) {
    preview::fitCamera(preview.previewCamera, preview.previewScene.bounds(), preview.previewAspect);
}

void resetPreviewCamera(PreviewFields& preview) {
    preview.previewCamera.yaw = preview::defaultYaw;
    preview.previewCamera.pitch = preview::defaultPitch;
    fitPreview(preview);
}

} // namespace editor
