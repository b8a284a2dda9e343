// The geometry tools, the normal tools and the vertex group and marker commands on the largest
// geoset with every vertex selected. Commands run without view canvases.
#include "bench_fixture.h"
#include "timed_command.h"

#include "editor/editing/geometry_tools.h"
#include "editor/editing/markers.h"
#include "editor/editing/normals.h"
#include "editor/editing/vertex_groups.h"

#include <benchmark/benchmark.h>

namespace {

using editor::EditorState;

void BM_Snap(benchmark::State& s) {
    bench::timeCommand(s, bench::sharedModel(), editor::snapCommand);
}
BENCHMARK(BM_Snap)->Apply(bench::commandRuns);

void BM_Weld(benchmark::State& s) {
    bench::timeCommand(s, bench::sharedModel(), editor::weldCommand);
}
BENCHMARK(BM_Weld)->Apply(bench::commandRuns);

void BM_Delete(benchmark::State& s) {
    bench::timeCommand(s, bench::sharedModel(), editor::deleteCommand);
}
BENCHMARK(BM_Delete)->Apply(bench::commandRuns);

void BM_DeleteFace(benchmark::State& s) {
    bench::timeCommand(s, bench::sharedModel(), editor::deleteFaceCommand);
}
BENCHMARK(BM_DeleteFace)->Apply(bench::commandRuns);

void BM_Mirror(benchmark::State& s) {
    bench::timeCommand(s, bench::sharedModel(),
                       [](EditorState& state) { editor::mirrorCommand(state, 'x'); });
}
BENCHMARK(BM_Mirror)->Apply(bench::commandRuns);

void BM_Align(benchmark::State& s) {
    bench::timeCommand(s, bench::sharedModel(),
                       [](EditorState& state) { editor::alignCommand(state, 'y'); });
}
BENCHMARK(BM_Align)->Apply(bench::commandRuns);

void BM_SetVertexCoordinates(benchmark::State& s) {
    auto& model = bench::sharedModel();
    bench::timeCommand(
        s, model,
        [&](EditorState&) {
            model.dialogs().setAnswers({"1", "2.5", "-3"});
        },
        editor::setCoordinatesCommand);
}
BENCHMARK(BM_SetVertexCoordinates)->Apply(bench::commandRuns);

void BM_RecalculateNormals(benchmark::State& s) {
    bench::timeCommand(s, bench::sharedModel(), editor::recalcNormals);
}
BENCHMARK(BM_RecalculateNormals)->Apply(bench::commandRuns);

void BM_SnapNormals(benchmark::State& s) {
    bench::timeCommand(s, bench::sharedModel(), editor::snapNormalsCommand);
}
BENCHMARK(BM_SnapNormals)->Apply(bench::commandRuns);

void BM_AssignVertexGroup(benchmark::State& s) {
    auto& model = bench::sharedModel();
    bench::timeCommand(
        s, model, [&](EditorState&) { model.dialogs().setAnswers({"2"}); },
        editor::assignVertexGroupCommand);
}
BENCHMARK(BM_AssignVertexGroup)->Apply(bench::commandRuns);

void BM_VertexGroupOfSelection(benchmark::State& s) {
    bench::timeInPlace(s, bench::sharedModel(), editor::vertexGroupOfSelectionCommand);
}
BENCHMARK(BM_VertexGroupOfSelection)->Apply(bench::commandRuns);

void BM_AddMarkerAtSelection(benchmark::State& s) {
    bench::timeInPlace(
        s, bench::sharedModel(), [](EditorState& state) { state.markers = {}; },
        editor::addMarkerAtSelectionCommand);
}
BENCHMARK(BM_AddMarkerAtSelection)->Apply(bench::commandRuns);

} // namespace
