#ifdef MOLDRIN_BENCH_WITH_QT
#include "bench_fixture.h"

#include "common/qt/QtCanvas.h"
#include "editor/views/viewports.h"

#include <benchmark/benchmark.h>

namespace {

// The three views at the layout's size (209 by 201 pixels) and at a large window's size.
void redrawThreeViews(benchmark::State& s, int width, int height) {
    auto& model = bench::sharedModel();
    auto& state = model.state();
    model.reset();
    for (std::size_t i = 0; i < state.vertices.size() / 2; ++i)
        state.vertices[i].selected = false;
    common::ImageCanvas front(width, height, 15, Qt::white);
    common::ImageCanvas top(width, height, 15, Qt::white);
    common::ImageCanvas left(width, height, 15, Qt::white);
    state.pbxFront = &front;
    state.pbxTop = &top;
    state.pbxLeft = &left;
    for (auto _ : s)
        editor::refreshViews(state, state);
    state.pbxFront = state.pbxTop = state.pbxLeft = nullptr;
    model.reset();
}

void BM_RedrawThreeViews(benchmark::State& s) {
    redrawThreeViews(s, 209, 201);
}
BENCHMARK(BM_RedrawThreeViews)->Unit(benchmark::kMillisecond);

void BM_RedrawThreeViewsLarge(benchmark::State& s) {
    redrawThreeViews(s, 600, 560);
}
BENCHMARK(BM_RedrawThreeViewsLarge)->Unit(benchmark::kMillisecond);

} // namespace
#endif
