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
    const float radius = box.radius() > 0 ? box.radius() : 1;
    const float halfFovY = camera.fovY * degrees / 2;
    const float halfFovX = std::atan(std::tan(halfFovY) * (aspect > 0 ? aspect : 1));
    camera.target = camera.sceneCentre = box.centre();
    camera.sceneRadius = radius;
    // A small margin so that the silhouette does not touch the edge.
    camera.distance = radius * 1.05f / std::sin(std::min(halfFovY, halfFovX));
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
