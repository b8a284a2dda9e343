#include "editor/preview/preview_state.h"

#include "editor/model/geoset_model.h"
#include "editor/preview/scene_building.h"

namespace editor {

void loadPreview(PreviewFields& preview, const GeosetModel& model) {
    preview.previewScene = preview::loadScene(model);
    resetPreviewCamera(preview);
}

void updatePreview(PreviewFields& preview, const GeosetModel& model, Changes changes) {
    if (!preview.previewShown)
        return;
    if (changes.has(Change::GeosetRead)) {
        loadPreview(preview, model);
        return;
    }
    // The model around the edited geoset changed: the whole scene is built again, seen as
    // before.
    if (changes.has(Change::Structure) || changes.has(Change::Materials)) {
        preview.previewScene = preview::loadScene(model);
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
