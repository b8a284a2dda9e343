#pragma once

#include "editor/preview/preview_maths.h"

namespace editor::preview {

// The 3D view's camera: it orbits a target point at a distance. Yaw turns it about the up axis
// (+y), 0 looking from +z towards -z; pitch raises it above the target's level. Angles in
// degrees, positions in the model's units with the editor's axes.
struct OrbitCamera {
    float yaw = 30;
    float pitch = 15;
    float distance = 200;
    Vec3 target{0, 0, 0};
    float fovY = 40;
    // The sphere around the whole model, set by a fit; the depth range covers it.
    Vec3 sceneCentre{0, 0, 0};
    float sceneRadius = 100;
};

// The angles the view opens with, and a batch preview's when none are given.
inline constexpr float defaultYaw = 30;
inline constexpr float defaultPitch = 15;

Vec3 eyePosition(const OrbitCamera& camera);
Mat4 viewMatrix(const OrbitCamera& camera);
// The projection for a viewport of the given width over height; the near and far planes keep
// the whole model's sphere in range wherever the camera is.
Mat4 projectionMatrix(const OrbitCamera& camera, float aspect);
Mat4 viewProjection(const OrbitCamera& camera, float aspect);

// Aims at the box's centre from just far enough that all of the box is inside the field of view
// of a viewport with the given aspect, seen from the camera's angles, which stay as they are.
// An empty box fits the unit box around the origin.
void fitCamera(OrbitCamera& camera, const Bounds& bounds, float aspect);

// A drag of (dx, dy) pixels: right turns the model right, down tilts the view down. The pitch
// stays within 89 degrees of level.
void orbitCamera(OrbitCamera& camera, float dx, float dy);
// Wheel notches: positive comes closer, by a fixed ratio a notch.
void zoomCamera(OrbitCamera& camera, float notches);
// A drag of (dx, dy) pixels in a viewport of the given height moves the model with the pointer
// at the target's depth.
void panCamera(OrbitCamera& camera, float dx, float dy, float viewportHeight);

} // namespace editor::preview
