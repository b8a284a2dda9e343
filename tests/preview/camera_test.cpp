#include "editor/preview/preview_camera.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace editor::preview;

std::vector<Vec3> cornersOf(const Bounds& box) {
    std::vector<Vec3> corners;
    for (int i = 0; i < 8; ++i)
        corners.push_back({i & 1 ? box.maximum[0] : box.minimum[0],
                           i & 2 ? box.maximum[1] : box.minimum[1],
                           i & 4 ? box.maximum[2] : box.minimum[2]});
    return corners;
}

// The point in normalised device coordinates, or nothing behind the eye.
Vec3 project(const OrbitCamera& camera, float aspect, Vec3 p) {
    const Vec4 clip = transform(viewProjection(camera, aspect), p);
    EXPECT_GT(clip[3], 0) << "behind the eye";
    return {clip[0] / clip[3], clip[1] / clip[3], clip[2] / clip[3]};
}

TEST(PreviewCamera, FitPutsTheWholeBoxInsideTheFrustumFromAnyAngle) {
    Bounds box;
    box.add({-30, 0, -5});
    box.add({50, 180, 12}); // tall and flat, off the origin
    for (float aspect : {0.4f, 1.0f, 2.5f})
        for (float yaw : {0.0f, 30.0f, 135.0f, -90.0f})
            for (float pitch : {-89.0f, 0.0f, 15.0f, 89.0f}) {
                OrbitCamera camera;
                camera.yaw = yaw;
                camera.pitch = pitch;
                fitCamera(camera, box, aspect);
                float widest = 0;
                for (const auto& corner : cornersOf(box)) {
                    const Vec3 ndc = project(camera, aspect, corner);
                    for (int axis = 0; axis < 3; ++axis) {
                        EXPECT_LE(std::abs(ndc[axis]), 1.0f)
                            << "aspect " << aspect << " yaw " << yaw << " pitch " << pitch;
                    }
                    widest = std::max({widest, std::abs(ndc[0]), std::abs(ndc[1])});
                }
                // Fitted, not lost in the distance.
                EXPECT_GT(widest, 0.8f) << "aspect " << aspect << " yaw " << yaw;
            }
}

TEST(PreviewCamera, FitOfNothingOrOfOnePointGivesAUsableCamera) {
    for (const Bounds& box : {Bounds(), Bounds{{5, 5, 5}, {5, 5, 5}, false}}) {
        OrbitCamera camera;
        fitCamera(camera, box, 1.5f);
        EXPECT_GT(camera.distance, 0);
        for (float value : viewProjection(camera, 1.5f))
            EXPECT_TRUE(std::isfinite(value));
    }
}

TEST(PreviewCamera, OrbitKeepsThePitchShortOfTheVerticalAndTheTargetInPlace) {
    OrbitCamera camera;
    camera.target = {1, 2, 3};
    orbitCamera(camera, 0, 10000);
    EXPECT_FLOAT_EQ(camera.pitch, 89);
    orbitCamera(camera, 0, -100000);
    EXPECT_FLOAT_EQ(camera.pitch, -89);
    const float yaw = camera.yaw;
    orbitCamera(camera, 20, 0);
    EXPECT_NE(camera.yaw, yaw);
    EXPECT_EQ(camera.target, (Vec3{1, 2, 3}));
    // Straight above or below the view matrix is still defined.
    for (float value : viewMatrix(camera))
        EXPECT_TRUE(std::isfinite(value));
}

TEST(PreviewCamera, ZoomIsBoundedAndTheModelStaysWithinTheDepthRange) {
    Bounds box{{-10, -10, -10}, {10, 10, 10}, false};
    OrbitCamera camera;
    fitCamera(camera, box, 1);
    const float fitted = camera.distance;
    zoomCamera(camera, 1);
    EXPECT_LT(camera.distance, fitted);
    zoomCamera(camera, 1000);
    EXPECT_GT(camera.distance, 0);
    zoomCamera(camera, -5000);
    EXPECT_LT(camera.distance, camera.sceneRadius * 101);
    // Far away, the whole model is still between the near and far planes.
    for (const auto& corner : cornersOf(box))
        EXPECT_LE(std::abs(project(camera, 1, corner)[2]), 1.0f);
}

TEST(PreviewCamera, PanMovesTheModelWithThePointer) {
    Bounds box{{-10, -10, -10}, {10, 10, 10}, false};
    OrbitCamera camera;
    camera.yaw = 40;
    camera.pitch = 25;
    fitCamera(camera, box, 1);
    const Vec3 point = camera.target;
    const float height = 400;
    panCamera(camera, 30, 20, height); // right and down, in pixels
    const Vec3 ndc = project(camera, 1, point);
    EXPECT_NEAR(ndc[0] * height / 2, 30, 0.1);
    EXPECT_NEAR(ndc[1] * height / 2, -20, 0.1); // down on the screen
}

} // namespace
