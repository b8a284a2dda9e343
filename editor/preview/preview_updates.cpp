#include "editor/preview/preview_state.h"

#include <algorithm>

#include "editor/model/geoset_model.h"
#include "editor/preview/scene_building.h"
#include "editor/preview/scene_pose.h"

namespace editor {

namespace {

// The scene built anew from the model, keeping the chosen sequence where the model still has it
// and the chosen team colour; the camera is left as it is.
void rebuildPreviewScene(PreviewFields& preview, const GeosetModel& model,
                         const textures::TextureSource& source) {
    preview.previewScene = preview::loadScene(model, source);
    auto& playback = preview.previewPlayback;
    if (playback.sequence >= 0) {
        const auto* whole = previewModel(preview);
        if (!whole || static_cast<std::size_t>(playback.sequence) >= whole->sequences.size())
            preview::chooseSequence(playback, whole, -1);
        else
            preview::seekPlayback(playback, whole, playback.time);
    }
    preview::applyTeamColour(preview.previewScene, playback.teamColour);
}

} // namespace

void loadPreview(PreviewFields& preview, const GeosetModel& model,
                 const textures::TextureSource& source) {
    rebuildPreviewScene(preview, model, source);
    resetPreviewCamera(preview);
    posePreview(preview, model);
}

const mdx::Model* previewModel(const PreviewFields& preview) {
    const auto& whole = preview.previewScene.model;
    return whole ? &whole->model : nullptr;
}

void posePreview(PreviewFields& preview, const GeosetModel& model) {
    preview::poseScene(preview.previewScene, preview.previewPlayback, model, preview.previewCamera);
}

void choosePreviewSequence(PreviewFields& preview, const GeosetModel& model, int sequence) {
    preview::chooseSequence(preview.previewPlayback, previewModel(preview), sequence);
    posePreview(preview, model);
}

void togglePreviewPlaying(PreviewFields& preview, const GeosetModel& model) {
    preview::togglePlaying(preview.previewPlayback, previewModel(preview));
    posePreview(preview, model);
}

void seekPreview(PreviewFields& preview, const GeosetModel& model, double time) {
    preview::seekPlayback(preview.previewPlayback, previewModel(preview), time);
    posePreview(preview, model);
}

void setPreviewLoop(PreviewFields& preview, bool loop) {
    preview.previewPlayback.loop = loop;
}

void setPreviewSpeed(PreviewFields& preview, double speed) {
    preview::setPlaybackSpeed(preview.previewPlayback, speed);
}

void showPreviewSkeleton(PreviewFields& preview, const GeosetModel& model, bool shown) {
    preview.previewPlayback.skeleton = shown;
    posePreview(preview, model);
}

void setPreviewTeamColour(PreviewFields& preview, int player) {
    preview.previewPlayback.teamColour = std::clamp(player, 0, preview::playerCount - 1);
    preview::applyTeamColour(preview.previewScene, preview.previewPlayback.teamColour);
}

void previewTimerTick(PreviewFields& preview, const GeosetModel& model, double elapsed) {
    if (!preview.previewPlayback.playing)
        return;
    preview::stepPlayback(preview.previewPlayback, previewModel(preview), elapsed);
    posePreview(preview, model);
}

void updatePreview(PreviewFields& preview, const GeosetModel& model, Changes changes,
                   const textures::TextureSource& source) {
    if (!preview.previewShown)
        return;
    if (changes.has(Change::GeosetRead)) {
        loadPreview(preview, model, source);
        return;
    }
    // The model around the edited geoset changed: the whole scene is built again, seen as
    // before.
    if (changes.has(Change::Structure) || changes.has(Change::Materials)) {
        rebuildPreviewScene(preview, model, source);
        posePreview(preview, model);
        return;
    }
    auto& scene = preview.previewScene;
    if (changes.has(Change::Geometry))
        preview::updateEditedGeometry(scene, model); // takes the selection along
    else if (changes.has(Change::Selection))
        preview::updateSelection(scene, model);
    if (changes.has(Change::Markers))
        preview::updateMarkers(scene, model);
    // The edited geoset's bones may be others now.
    if (changes.has(Change::Geometry) && preview.previewPlayback.skeleton)
        posePreview(preview, model);
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
