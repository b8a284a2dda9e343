#pragma once

#include "editor/model/shared_types.h"
#include "editor/preview/animation_playback.h"
#include "editor/preview/preview_camera.h"
#include "editor/preview/preview_scene.h"
#include "textures/texture_source.h"

namespace editor {

struct GeosetModel;

// The 3D view's part of the editor state: the scene built from the model and the camera. The
// scene is kept current only while a view shows it (previewShown), so batch runs and windows
// without OpenGL build nothing.
struct PreviewFields {
    bool previewShown = false;
    preview::Scene previewScene;
    preview::OrbitCamera previewCamera;
    // The view's width over its height, for fitting.
    float previewAspect = 4.0f / 3.0f;
    // Which sequence the view plays, and where; a model read anew keeps the choice while it has
    // that sequence.
    preview::AnimationPlayback previewPlayback;
};

// Brings the scene in line after a command, doing only what the changes need: a geoset read
// anew rebuilds the whole scene and fits the camera to it; an edit rebuilds the edited
// geoset's buffers; a selection its list of selected vertices; markers their positions.
void updatePreview(PreviewFields& preview, const GeosetModel& model, Changes changes,
                   const textures::TextureSource& source = textures::besideModelOnly());

// Builds the scene from the model and fits the camera (the view opening, a batch preview).
void loadPreview(PreviewFields& preview, const GeosetModel& model,
                 const textures::TextureSource& source = textures::besideModelOnly());

// The controls under the 3D view, each followed by a new pose of the scene: the sequence
// list, Play/Pause, the time slider, Loop, speed, Skeleton and team colour; and the window's
// timer while playing (elapsed ms of its clock).
void choosePreviewSequence(PreviewFields& preview, const GeosetModel& model, int sequence);
void togglePreviewPlaying(PreviewFields& preview, const GeosetModel& model);
void seekPreview(PreviewFields& preview, const GeosetModel& model, double time);
void setPreviewLoop(PreviewFields& preview, bool loop);
void setPreviewSpeed(PreviewFields& preview, double speed);
void showPreviewSkeleton(PreviewFields& preview, const GeosetModel& model, bool shown);
void setPreviewTeamColour(PreviewFields& preview, int player);
void previewTimerTick(PreviewFields& preview, const GeosetModel& model, double elapsed);
// The model the 3D view plays, or null (no scene, or a model that could not be read whole).
const mdx::Model* previewModel(const PreviewFields& preview);
// Poses the scene anew at the playback's moment: after a camera move, billboards turn.
void posePreview(PreviewFields& preview, const GeosetModel& model);

// Fits the whole model keeping the angles (a double-click), or from the opening angles
// (View > Reset 3D View).
void fitPreview(PreviewFields& preview);
void resetPreviewCamera(PreviewFields& preview);

} // namespace editor
