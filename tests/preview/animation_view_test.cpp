// Playing sequences in the 3D view: the playback rules, and that the GPU's inputs (each
// vertex's bones and weights, the bone palette) skin every vertex where the animation core puts
// it, the edited geoset from the editor's arrays.
#include "animation/animation_fixture.h"
#include "editor/model/geoset_model.h"
#include "editor/preview/preview_state.h"
#include "editor/preview/scene_building.h"
#include "editor/preview/scene_pose.h"
#include "formats/mdx/mdx_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace editor;
using namespace editor::preview;
using namespace animation_test;

constexpr std::uint32_t linear = 1;

// Bone 0 at the origin; bone 1, its child with its pivot at p3 = 10, turns 90 degrees about p3
// over "Walk" [0, 1000]; "Still" is zero-length. Geoset 1 has groups {0}, {1}, {0, 1};
// geoset 2 is the edited one. Its geoset animation fades it out over Walk.
mdx::Model armModel() {
    mdx::Model model;
    model.sequences = {sequence(0, 1000, "Walk"), sequence(500, 500, "Still")};
    model.bones = {bone(0, mdx::noId),
                   bone(1, 0, {track("KGRT", linear, {key(0, aboutZ(0)), key(1000, aboutZ(90))})})};
    model.pivots = {{0, 0, 0}, {0, 0, 10}};
    auto arm =
        geoset({{0, 0, 0}, {5, 0, 10}, {5, 0, 12}, {2, 1, 11}}, {0, 1, 1, 2}, {{0}, {1}, {0, 1}});
    arm.faceTypes = {4};
    arm.faceGroupSizes = {3};
    arm.faces = {0, 1, 2};
    auto edited = arm;
    model.geosets = {arm, edited};
    mdx::GeosetAnimation fade;
    fade.geosetId = 0;
    fade.tracks = {track("KGAO", linear, {key(0, {1}), key(1000, {0})})};
    model.geosetAnimations = {fade};
    model.textures = {{1, "", 0}};
    return model;
}

// The editor's arrays of geoset 2: two vertices (in groups 0 and 1), the groups {0} and {1}.
GeosetModel editedArm() {
    GeosetModel model;
    model.modelLoaded = true;
    model.geosetNumber = 2;
    for (const auto& [x, y, z, group] : {std::tuple{0.0, 10.0, 5.0, 1}, {0.0, 12.0, 5.0, 0}}) {
        VertexRecord vertex;
        vertex.x = x, vertex.y = y, vertex.z = z, vertex.vertexGroup = group;
        model.vertices.push_back(vertex);
    }
    model.faces = {{0, 1, 0, false}};
    model.groupCount = 2;
    model.matrices.resize(2);
    model.matrices.at(1, 1) = 0;
    model.matrices.at(1, 2) = 1;
    return model;
}

Vec3 editorAxes(const mdx::Vec3& p) {
    return {p[1], p[2], p[0]};
}

// A vertex skinned as the vertex shader does it, from the mesh's skin record and the palette.
Vec3 shaderPosition(const Scene& scene, const SceneMesh& mesh, std::size_t v) {
    const Vec3 p{mesh.vertices[v * floatsPerVertex], mesh.vertices[v * floatsPerVertex + 1],
                 mesh.vertices[v * floatsPerVertex + 2]};
    const auto& skin = mesh.skin[v];
    Vec3 sum{0, 0, 0};
    float total = 0;
    for (int i = 0; i < bonesPerVertex; ++i) {
        if (skin.weights[i] <= 0)
            continue;
        sum = sum + common::transformPoint(scene.pose.bones[skin.bones[i]], p) * skin.weights[i];
        total += skin.weights[i];
    }
    return total > 0 ? sum : p;
}

void expectNear(Vec3 a, Vec3 b, float tolerance, const std::string& what) {
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(a[i], b[i], tolerance) << what << " axis " << i;
}

// Every file geoset's vertices, skinned from the scene's GPU inputs, where the core's pose puts
// them.
int compareWithCorePose(Scene& scene, const GeosetModel& edited, int sequence, double time) {
    AnimationPlayback playback;
    chooseSequence(playback, &scene.model->model, sequence);
    seekPlayback(playback, &scene.model->model, time);
    poseScene(scene, playback, edited, OrbitCamera());
    animation::PoseRequest request;
    request.time = animation::sequenceTime(scene.model->model, static_cast<std::size_t>(sequence),
                                           playback.time, playback.globalTime);
    request.camera = fileAxesView(viewMatrix(OrbitCamera()));
    const auto pose = animation::evaluatePose(scene.model->model, request);
    int compared = 0;
    for (std::size_t m = 0; m < scene.meshes.size(); ++m) {
        const auto& mesh = scene.meshes[m];
        if (static_cast<int>(m) == scene.editedMesh)
            continue;
        const auto& expected = pose.geosets[static_cast<std::size_t>(mesh.geoset)].vertices;
        for (std::size_t v = 0; v < expected.size(); ++v, ++compared) {
            const auto want = editorAxes(expected[v]);
            const float tolerance = 1e-3f + 1e-4f * common::length(want);
            expectNear(shaderPosition(scene, mesh, v), want, tolerance,
                       "geoset " + std::to_string(mesh.geoset) + " vertex " + std::to_string(v));
        }
    }
    return compared;
}

TEST(AnimationPlayback, StepsLoopsStopsAndKeepsItsRanges) {
    const auto model = armModel();
    struct Case {
        const char* what;
        int sequence;
        double time;
        bool loop;
        double speed;
        double elapsed;
        double expectedTime;
        bool stillPlaying;
    };
    const Case cases[] = {
        {"moves on", 0, 100, true, 1, 250, 350, true},
        {"wraps round when looping", 0, 900, true, 1, 250, 150, true},
        {"stops at the end without looping", 0, 900, false, 1, 250, 1000, false},
        {"at half speed", 0, 0, true, 0.5, 400, 200, true},
        {"a zero-length sequence stays at its start", 1, 0, true, 1, 250, 0, true},
        {"no time passed", 0, 100, true, 1, 0, 100, true},
    };
    for (const auto& c : cases) {
        AnimationPlayback playback;
        chooseSequence(playback, &model, c.sequence);
        playback.time = c.time;
        playback.loop = c.loop;
        playback.speed = c.speed;
        togglePlaying(playback, &model);
        stepPlayback(playback, &model, c.elapsed);
        EXPECT_DOUBLE_EQ(playback.time, c.expectedTime) << c.what;
        EXPECT_EQ(playback.playing, c.stillPlaying) << c.what;
    }

    AnimationPlayback playback;
    chooseSequence(playback, &model, 7); // no such sequence: the bind pose, which never plays
    togglePlaying(playback, &model);
    EXPECT_EQ(playback.sequence, -1);
    EXPECT_FALSE(playback.playing);
    chooseSequence(playback, &model, 0);
    playback.loop = false;
    playback.time = 1000;
    togglePlaying(playback, &model); // played again from the start after it stopped at the end
    EXPECT_TRUE(playback.playing);
    EXPECT_EQ(playback.time, 0);
    seekPlayback(playback, &model, 5000);
    EXPECT_EQ(playback.time, 1000);
    setPlaybackSpeed(playback, 9);
    EXPECT_EQ(playback.speed, fastestSpeed);
    setPlaybackSpeed(playback, 0.01);
    EXPECT_EQ(playback.speed, slowestSpeed);
    EXPECT_EQ(sequenceLabels(&model),
              (std::vector<std::string>{"(bind pose)", "Walk (1000 ms)", "Still (0 ms)"}));
    playback.time = 250;
    EXPECT_EQ(frameText(&model, playback), "frame 250");
}

TEST(AnimationScene, ThePaletteAndSkinRecordsPutEveryVertexWhereThePoseDoes) {
    const auto edited = editedArm();
    auto scene = buildScene(armModel(), edited, "/none");
    EXPECT_GT(compareWithCorePose(scene, edited, 0, 500), 0);
    // The arm's tip turned away from where it was drawn at rest.
    const auto& mesh = scene.meshes[0];
    EXPECT_GT(common::length(shaderPosition(scene, mesh, 2) - Vec3{0, 12, 5}), 1.0f);

    const std::filesystem::path corpus = MOLDRIN_CORPUS_DIR;
    const auto file = corpus / "mdx" / "huangzhong.mdx";
    if (!std::filesystem::is_regular_file(file))
        GTEST_SKIP() << "no corpus model at " << file;
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    GeosetModel none; // no edited geoset: every mesh is the file's
    auto hero = buildScene(mdx::readMdx(bytes.str()), none, "/none");
    for (int sequence : {0, 3, 6})
        for (double time : {0.0, 333.0, 900.0})
            EXPECT_GT(compareWithCorePose(hero, none, sequence, time), 0);
}

TEST(AnimationScene, AnEditOfTheGroupsShowsOnTheMovingMeshAtOnce) {
    PreviewFields preview;
    preview.previewShown = true;
    auto edited = editedArm();
    preview.previewScene = buildScene(armModel(), edited, "/none");
    showPreviewSkeleton(preview, edited, true);
    choosePreviewSequence(preview, edited, 0);
    seekPreview(preview, edited, 1000);
    auto& scene = preview.previewScene;
    const auto& mesh = scene.meshes[static_cast<std::size_t>(scene.editedMesh)];
    // Vertex 1 follows bone 0, which stays: it is where it was.
    expectNear(shaderPosition(scene, mesh, 1), {0, 12, 5}, 1e-4f, "before");
    const auto bonesBefore = scene.overlay.highlightedLines.size();

    // Assign Vertex Group: vertex 1 into group 1 (bone 1), which turned 90 degrees about its
    // pivot (p3 = 10): from p = (5, 0, 12) to (0, 5, 12), editor (5, 12, 0).
    edited.vertices[1].vertexGroup = 1;
    updatePreview(preview, edited, Change::Geometry);
    expectNear(shaderPosition(scene, mesh, 1), {5, 12, 0}, 1e-4f, "after");

    // A group of both bones: halfway between.
    edited.groupCount = 3;
    edited.matrices.resize(3);
    edited.matrices.at(1, 3) = 0;
    edited.matrices.at(2, 3) = 1;
    edited.vertices[1].vertexGroup = 2;
    updatePreview(preview, edited, Change::Geometry);
    expectNear(shaderPosition(scene, mesh, 1), {2.5f, 12, 2.5f}, 1e-4f, "both bones");

    // A group naming no bone of the model: the vertex stays where it is.
    edited.matrices.at(1, 3) = 77;
    updatePreview(preview, edited, Change::Geometry);
    expectNear(shaderPosition(scene, mesh, 1), {0, 12, 5}, 1e-4f, "missing bone");

    // Only bone 1 hangs off a parent: its line is highlighted while the geoset names it.
    EXPECT_EQ(bonesBefore, 6u);
    edited.matrices.at(1, 2) = 0;
    edited.matrices.at(2, 3) = 0;
    updatePreview(preview, edited, Change::Geometry);
    EXPECT_TRUE(scene.overlay.highlightedLines.empty());
    EXPECT_EQ(scene.overlay.skeletonLines.size(), 6u);
}

TEST(AnimationScene, GeosetAlphaHidesOnlyInASequenceAndTeamColourFollowsThePlayer) {
    const auto edited = editedArm();
    auto scene = buildScene(armModel(), edited, "/none");
    AnimationPlayback playback;
    poseScene(scene, playback, edited, OrbitCamera());
    EXPECT_FALSE(scene.meshes[0].animation.hidden); // the bind pose shows every geoset
    chooseSequence(playback, &scene.model->model, 0);
    seekPlayback(playback, &scene.model->model, 500);
    poseScene(scene, playback, edited, OrbitCamera());
    EXPECT_NEAR(scene.meshes[0].animation.alpha, 0.5f, 1e-6f);
    EXPECT_FALSE(scene.meshes[0].animation.hidden);
    seekPlayback(playback, &scene.model->model, 995); // alpha 0.005
    poseScene(scene, playback, edited, OrbitCamera());
    EXPECT_TRUE(scene.meshes[0].animation.hidden);

    applyTeamColour(scene, 1);
    const auto blue = playerColour(1);
    ASSERT_TRUE(scene.textures[0].image);
    EXPECT_EQ(scene.textures[0].image->pixels,
              (std::vector<std::uint8_t>{blue[0], blue[1], blue[2], 255}));
}

} // namespace
