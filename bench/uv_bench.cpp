// The texture coordinate editor on the largest geoset, everything selected, drawing into an
// offscreen image of the view's laid-out size: the hand-over from the main window (which
// redraws), Remap (which redraws too), a redraw alone, and the copy back into the vertices.
#ifdef MOLDRIN_BENCH_WITH_QT
#include "bench_fixture.h"

#include "common/qt/QtCanvas.h"
#include "editor/uv/uv_editor_state.h"
#include "editor/uv/uv_handover.h"
#include "editor/uv/uv_remap.h"
#include "editor/uv/uv_view.h"

#include <benchmark/benchmark.h>

namespace {

// The editor with its view attached, handed the large geoset once.
struct OpenedUVEditor {
    bench::OpenedLargeModel& model = bench::sharedModel();
    common::ImageCanvas canvas{static_cast<int>(editor::uvViewNominalWidth),
                               static_cast<int>(editor::uvViewNominalHeight), 1, Qt::white};
    editor::UvEditorState uv;

    OpenedUVEditor() {
        model.reset();
        uv.pbxUVView = &canvas;
        editor::openUVMapping(model.state(), uv);
    }
    ~OpenedUVEditor() { model.reset(); }
};

void BM_UVHandOver(benchmark::State& s) {
    OpenedUVEditor opened;
    for (auto _ : s)
        editor::openUVMapping(opened.model.state(), opened.uv);
}
BENCHMARK(BM_UVHandOver)->Unit(benchmark::kMillisecond);

void BM_UVRemap(benchmark::State& s) {
    OpenedUVEditor opened;
    for (auto _ : s)
        editor::remapUV(opened.uv, opened.model.state(), "Front");
}
BENCHMARK(BM_UVRemap)->Unit(benchmark::kMillisecond);

// As generated, the band's texture is a strip: every triangle spans the full width of the view.
void BM_UVRedraw(benchmark::State& s) {
    OpenedUVEditor opened;
    for (auto _ : s)
        editor::drawUVView(opened.uv);
}
BENCHMARK(BM_UVRedraw)->Unit(benchmark::kMillisecond);

// After Remap from the front the band is a ring of short edges, so far fewer pixels are drawn.
void BM_UVRedrawAfterRemap(benchmark::State& s) {
    OpenedUVEditor opened;
    editor::remapUV(opened.uv, opened.model.state(), "Front");
    for (auto _ : s)
        editor::drawUVView(opened.uv);
}
BENCHMARK(BM_UVRedrawAfterRemap)->Unit(benchmark::kMillisecond);

void BM_UVHandBack(benchmark::State& s) {
    OpenedUVEditor opened;
    editor::remapUV(opened.uv, opened.model.state(), "Front");
    for (auto _ : s)
        editor::saveUVChanges(opened.model.state(), opened.uv.texU, opened.uv.texV);
}
BENCHMARK(BM_UVHandBack)->Unit(benchmark::kMillisecond);

} // namespace
#endif
