#include "editor/preview/preview_camera.h"

#include <algorithm>
#include <numbers>

namespace editor::preview {

namespace {

constexpr float degrees = std::numbers::pi_v<float> / 180;
constexpr float maxPitch = 89;
constexpr float degreesPerPixel = 0.5f;
constexpr float zoomPerNotch = 0.85f;

Vec3 viewDirection(const OrbitCamera& camera) {
    const float yaw = camera.yaw * degrees;
    const float pitch = camera.pitch * degrees;
    return {std::cos(pitch) * std::sin(yaw), std::sin(pitch), std::cos(pitch) * std::cos(yaw)};
}

float sceneRadiusOf(const OrbitCamera& camera) {
    return camera.sceneRadius > 0 ? camera.sceneRadius : 1;
}

} // namespace

Vec3 eyePosition(const OrbitCamera& camera) {
    return camera.target + viewDirection(camera) * camera.distance;
}

Mat4 viewMatrix(const OrbitCamera& camera) {
    return lookAt(eyePosition(camera), camera.target, {0, 1, 0});
}

Mat4 projectionMatrix(const OrbitCamera& camera, float aspect) {
    const float radius = sceneRadiusOf(camera);
    const float toCentre = length(eyePosition(camera) - camera.sceneCentre);
    const float farPlane = toCentre + radius * 1.1f;
    const float nearPlane = std::max(toCentre - radius * 1.1f, farPlane * 0.0005f);
    return perspective(camera.fovY, aspect > 0 ? aspect : 1, nearPlane, farPlane);
}

Mat4 viewProjection(const OrbitCamera& camera, float aspect) {
    return multiply(projectionMatrix(camera, aspect), viewMatrix(camera));
}

void fitCamera(OrbitCamera& camera, const Bounds& bounds, float aspect) {
    const Bounds box = bounds.empty ? Bounds{{-1, -1, -1}, {1, 1, 1}, false} : bounds;
    const float tanY = std::tan(camera.fovY * degrees / 2);
    const float tanX = tanY * (aspect > 0 ? aspect : 1);
    camera.target = camera.sceneCentre = box.centre();
    camera.sceneRadius = box.radius() > 0 ? box.radius() : 1;
    // The nearest distance from which every corner of the box is inside the field of view,
    // corner by corner in the camera's axes (z towards the eye), with a small margin so that
    // the silhouette does not touch the edge.
    const Vec3 towardsEye = viewDirection(camera);
    const Vec3 side = normalised(cross(towardsEye * -1.0f, {0, 1, 0}));
    const Vec3 up = cross(side, towardsEye * -1.0f);
    constexpr float margin = 1.05f;
    float distance = 0;
    for (int i = 0; i < 8; ++i) {
        const Vec3 corner =
            Vec3{i & 1 ? box.maximum[0] : box.minimum[0], i & 2 ? box.maximum[1] : box.minimum[1],
                 i & 4 ? box.maximum[2] : box.minimum[2]} -
            box.centre();
        const float z = dot(corner, towardsEye);
        distance = std::max({distance, z + margin * std::abs(dot(corner, side)) / tanX,
                             z + margin * std::abs(dot(corner, up)) / tanY});
    }
    // A flat or point-like box is still seen from a little way off.
    camera.distance = std::max(distance, camera.sceneRadius * 0.5f);
}

void orbitCamera(OrbitCamera& camera, float dx, float dy) {
    camera.yaw = std::fmod(camera.yaw - dx * degreesPerPixel, 360.0f);
    camera.pitch = std::clamp(camera.pitch + dy * degreesPerPixel, -maxPitch, maxPitch);
}

void zoomCamera(OrbitCamera& camera, float notches) {
    const float radius = sceneRadiusOf(camera);
    camera.distance = std::clamp(camera.distance * std::pow(zoomPerNotch, notches), radius * 0.01f,
                                 radius * 100.0f);
}

void panCamera(OrbitCamera& camera, float dx, float dy, float viewportHeight) {
    if (viewportHeight <= 0)
        return;
    const Vec3 forward = viewDirection(camera) * -1.0f;
    const Vec3 side = normalised(cross(forward, {0, 1, 0}));
    const Vec3 up = cross(side, forward);
    const float perPixel =
        2 * camera.distance * std::tan(camera.fovY * degrees / 2) / viewportHeight;
    camera.target = camera.target - side * (dx * perPixel) + up * (dy * perPixel);
}

} // namespace editor::preview
