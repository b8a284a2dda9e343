#ifdef MOLDRIN_BENCH_WITH_PREVIEW
#include "bench_fixture.h"
#include "corpus_model.h"

#include "editor/editing/transforms.h"
#include "editor/preview/gl/offscreen_render.h"
#include "editor/preview/preview_state.h"
#include "editor/preview/scene_building.h"
#include "editor/preview/scene_pose.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int frameWidth = 800;
constexpr int frameHeight = 600;

// The large model's scene as the 3D view holds it, fitted to an 800 x 600 view.
editor::EditorState& sceneOfLargeModel() {
    auto& model = bench::sharedModel();
    model.reset();
    auto& state = model.state();
    state.previewShown = true;
    state.previewAspect = static_cast<float>(frameWidth) / frameHeight;
    editor::loadPreview(state, state);
    return state;
}

// One frame of the 3D view while the camera orbits: nothing is uploaded, everything is drawn,
// and the frame is waited for.
void BM_PreviewFrameOrbiting(benchmark::State& s) {
    auto& state = sceneOfLargeModel();
    editor::preview::OffscreenRenderer offscreen(frameWidth, frameHeight);
    if (!offscreen.ready()) {
        s.SkipWithError(offscreen.error().c_str());
        return;
    }
    offscreen.render(state.previewScene, state.previewCamera); // the first upload
    for (auto _ : s) {
        editor::preview::orbitCamera(state.previewCamera, 3, 0.5f);
        offscreen.render(state.previewScene, state.previewCamera);
    }
    state.previewShown = false;
}
BENCHMARK(BM_PreviewFrameOrbiting)->Unit(benchmark::kMillisecond);

// After a move of every vertex: the edited geoset's buffers built again from the editor's data
// (the move itself not timed), uploaded and drawn in the next frame.
void BM_PreviewRebuildAfterEditingEveryVertex(benchmark::State& s) {
    auto& state = sceneOfLargeModel();
    editor::preview::OffscreenRenderer offscreen(frameWidth, frameHeight);
    if (!offscreen.ready()) {
        s.SkipWithError(offscreen.error().c_str());
        return;
    }
    offscreen.render(state.previewScene, state.previewCamera);
    for (auto _ : s) {
        s.PauseTiming();
        editor::moveSelection(state, 0.5, 0, 0, false);
        s.ResumeTiming();
        editor::updatePreview(state, state, editor::Change::Geometry | editor::Change::Selection);
        offscreen.render(state.previewScene, state.previewCamera);
    }
    state.previewShown = false;
    bench::sharedModel().reset();
}
BENCHMARK(BM_PreviewRebuildAfterEditingEveryVertex)->Unit(benchmark::kMillisecond);

// One frame of the largest corpus model playing its first sequence that moves, from its
// middle on: the time stepped by a 60 Hz frame, the pose evaluated, the bone palette uploaded
// and every geoset skinned on the GPU, drawn and waited for.
void BM_PreviewFrameAnimating(benchmark::State& s) {
    const auto& model = bench::largestCorpusModel();
    if (model.geosets.empty()) {
        s.SkipWithError("no corpus beside the checkout");
        return;
    }
    editor::PreviewFields preview;
    const editor::GeosetModel none; // every geoset as the file holds it
    preview.previewAspect = static_cast<float>(frameWidth) / frameHeight;
    preview.previewScene =
        editor::preview::buildScene(model, none, bench::largestCorpusModelFolder());
    editor::fitPreview(preview);
    int sequence = 0;
    while (sequence + 1 < static_cast<int>(model.sequences.size()) &&
           editor::preview::sequenceLength(&model, sequence) <= 0)
        ++sequence;
    editor::choosePreviewSequence(preview, none, sequence);
    editor::seekPreview(preview, none, editor::preview::sequenceLength(&model, sequence) / 2);
    editor::togglePreviewPlaying(preview, none);
    editor::preview::OffscreenRenderer offscreen(frameWidth, frameHeight);
    if (!offscreen.ready()) {
        s.SkipWithError(offscreen.error().c_str());
        return;
    }
    offscreen.render(preview.previewScene, preview.previewCamera); // the first upload
    for (auto _ : s) {
        editor::previewTimerTick(preview, none, 1000.0 / 60);
        offscreen.render(preview.previewScene, preview.previewCamera);
    }
    s.counters["vertices"] = static_cast<double>(bench::vertexCount(model));
    s.counters["nodes"] = static_cast<double>(preview.previewScene.pose.bones.size());
}
BENCHMARK(BM_PreviewFrameAnimating)->Unit(benchmark::kMillisecond);

} // namespace
#endif
