// The three transformations, with and without the clone toggle, and Extrude of every face.
// Everything is selected. A clone or extrude of the whole largest geoset would pass the format's
// limit of 32,767 vertices and triangles and is refused, so those run on smaller bands of the
// same shape: clones on half of the limit, Extrude on a third (see large_model.h).
#include "bench_fixture.h"
#include "large_model.h"
#include "timed_command.h"

#include "editor/editing/extrude.h"
#include "editor/editing/transforms.h"

#include <benchmark/benchmark.h>

namespace {

using editor::EditorState;

void move(EditorState& state) {
    editor::moveSelection(state, 1.5, -2, 0.25, true);
}

void rotate(EditorState& state) {
    editor::rotateSelection(state, 30, 'z', true);
}

void scale(EditorState& state) {
    editor::scaleSelection(state, 10, 4, true);
}

void cloneOn(EditorState& state) {
    state.cloneMode = true;
}

void BM_Move(benchmark::State& s) {
    bench::timeCommand(s, bench::sharedModel(), move);
}
BENCHMARK(BM_Move)->Apply(bench::commandRuns);

void BM_Rotate(benchmark::State& s) {
    bench::timeCommand(s, bench::sharedModel(), rotate);
}
BENCHMARK(BM_Rotate)->Apply(bench::commandRuns);

void BM_Scale(benchmark::State& s) {
    bench::timeCommand(s, bench::sharedModel(), scale);
}
BENCHMARK(BM_Scale)->Apply(bench::commandRuns);

// With the clone toggle on, on the half-size band: the clone doubles it to 32,766.
template <typename Transform> void cloneAndTransform(benchmark::State& s, Transform transform) {
    auto& model = bench::sharedModel(bench::halfVertexCount);
    const std::size_t doubled = 2 * bench::halfVertexCount;
    if (bench::commandReaches(s, model, cloneOn, transform, doubled, doubled))
        bench::timeCommand(s, model, cloneOn, transform);
}

void BM_MoveCloneHalfSize(benchmark::State& s) {
    cloneAndTransform(s, move);
}
BENCHMARK(BM_MoveCloneHalfSize)->Apply(bench::commandRuns);

void BM_RotateCloneHalfSize(benchmark::State& s) {
    cloneAndTransform(s, rotate);
}
BENCHMARK(BM_RotateCloneHalfSize)->Apply(bench::commandRuns);

void BM_ScaleCloneHalfSize(benchmark::State& s) {
    cloneAndTransform(s, scale);
}
BENCHMARK(BM_ScaleCloneHalfSize)->Apply(bench::commandRuns);

// Every face of the third-size band: n copies, n triangles re-pointed and 2 (n - 2) walls.
void BM_ExtrudeAllFacesThirdSize(benchmark::State& s) {
    auto& model = bench::sharedModel(bench::thirdVertexCount);
    const auto extrude = [](EditorState& state) { editor::extrudeSelection(state, 0, 0, 2, true); };
    const std::size_t n = bench::thirdVertexCount;
    if (bench::commandReaches(
            s, model, [](EditorState&) {}, extrude, 2 * n, 3 * n - 4))
        bench::timeCommand(s, model, extrude);
}
BENCHMARK(BM_ExtrudeAllFacesThirdSize)->Apply(bench::commandRuns);

} // namespace
