// The selection commands on the largest geoset. They change only selection flags, so the
// arrays are not copied back between runs. Commands run without view canvases; the redraw of
// the views is measured on its own.
#include "bench_fixture.h"
#include "timed_command.h"

#include "editor/editing/selection_commands.h"
#include "editor/editing/vertex_groups.h"
#include "editor/interaction/viewport_mouse.h"

#include <benchmark/benchmark.h>

namespace {

using editor::EditorState;

void selectEveryOther(EditorState& state) {
    for (std::size_t i = 0; i < state.vertices.size(); ++i)
        state.vertices[i].selected = i % 2 == 0;
}

void selectNone(EditorState& state) {
    for (auto& vertex : state.vertices)
        vertex.selected = false;
}

void selectEverything(EditorState& state) {
    for (auto& vertex : state.vertices)
        vertex.selected = true;
}

void BM_SelectAll(benchmark::State& s) {
    bench::timeInPlace(s, bench::sharedModel(), selectEveryOther, editor::selectAll);
}
BENCHMARK(BM_SelectAll)->Apply(bench::commandRuns);

void BM_InvertSelection(benchmark::State& s) {
    bench::timeInPlace(s, bench::sharedModel(), selectEveryOther, editor::invertSelection);
}
BENCHMARK(BM_InvertSelection)->Apply(bench::commandRuns);

void BM_ExpandSelectionAllSelected(benchmark::State& s) {
    bench::timeInPlace(s, bench::sharedModel(), selectEverything, editor::expandSelection);
}
BENCHMARK(BM_ExpandSelectionAllSelected)->Apply(bench::commandRuns);

// One vertex at an end of the band: the selection spreads through all 32,767 vertices.
void BM_ExpandSelectionFromOneEnd(benchmark::State& s) {
    const auto firstOnly = [](EditorState& state) {
        selectNone(state);
        state.vertices.front().selected = true;
    };
    bench::timeInPlace(s, bench::sharedModel(), firstOnly, editor::expandSelection);
}
BENCHMARK(BM_ExpandSelectionFromOneEnd)->Apply(bench::commandRuns);

// A left drag in the front view whose box holds the whole geoset, nothing selected before.
void BM_BoxSelectEverything(benchmark::State& s) {
    const auto dragOverAll = [](EditorState& state) {
        selectNone(state);
        state.selectionMode = "S";
        state.mouseArmed = true;
        state.dragStartH = -1000;
        state.dragStartV = 1000;
        state.dragEndH = 1000;
        state.dragEndV = -1000;
    };
    bench::timeInPlace(s, bench::sharedModel(), dragOverAll, [](EditorState& state) {
        editor::releaseDrag(state, editor::View::Front, editor::MouseButton::Left);
    });
}
BENCHMARK(BM_BoxSelectEverything)->Apply(bench::commandRuns);

void BM_SelectByVertexGroup(benchmark::State& s) {
    auto& model = bench::sharedModel();
    bench::timeInPlace(
        s, model,
        [&](EditorState& state) {
            state.selectionMode = "S";
            model.dialogs().setAnswers({"1"});
        },
        editor::selectByVertexGroupCommand);
}
BENCHMARK(BM_SelectByVertexGroup)->Apply(bench::commandRuns);

void BM_SelectedVertexCounter(benchmark::State& s) {
    bench::timeInPlace(s, bench::sharedModel(), editor::showSelectedVertexCount);
}
BENCHMARK(BM_SelectedVertexCounter)->Apply(bench::commandRuns);

void BM_SelectedFaceCounter(benchmark::State& s) {
    bench::timeInPlace(s, bench::sharedModel(), editor::showSelectedFaceCount);
}
BENCHMARK(BM_SelectedFaceCounter)->Apply(bench::commandRuns);

} // namespace
