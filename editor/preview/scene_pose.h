#pragma once

#include "editor/preview/animation_playback.h"
#include "editor/preview/preview_camera.h"
#include "editor/preview/preview_scene.h"

namespace editor {
struct GeosetModel;
}

namespace editor::preview {

// A matrix of the file's axes ({ p1, p2, p3 }) in the editor's (x = p2, y = p3, z = p1).
Mat4 editorAxesMatrix(const Mat4& fileAxes);
// A view matrix of the editor's axes as one of the file's, as billboards are turned by it.
Mat4 fileAxesView(const Mat4& editorView);

// Poses the scene at the playback's moment: the bone palette, each geoset's alpha and colour,
// each layer's alpha, flipbook texture and texture animation, and the skeleton's lines when it
// is shown (those to the edited geoset's bones apart). Billboards turn toward the camera. The
// bind pose draws every geoset opaque and white, its layers at their static values, and the
// palette all identity. A scene without a model is left unposed.
void poseScene(Scene& scene, const AnimationPlayback& playback, const GeosetModel& edited,
               const OrbitCamera& camera);

// Team colour (and team glow) shown in the player's colour.
void applyTeamColour(Scene& scene, int player);

} // namespace editor::preview
