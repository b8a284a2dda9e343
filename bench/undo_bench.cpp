// Undo of each kind of step on the largest geoset, everything selected: only the undo is timed,
// the step is recorded before it outside the timed region. Clone and Extrude run on the smaller
// bands they fit in (see transform_bench.cpp). Also the recording of full steps and the memory
// a full history holds.
#include "bench_fixture.h"
#include "large_model.h"
#include "timed_command.h"

#include "editor/editing/extrude.h"
#include "editor/editing/geometry_tools.h"
#include "editor/editing/selection_commands.h"
#include "editor/editing/tool_modes.h"
#include "editor/editing/transforms.h"
#include "editor/editing/undo_history.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <unistd.h>

namespace {

using editor::EditorState;

void BM_UndoSelectAll(benchmark::State& s) {
    bench::timeUndo(s, bench::sharedModel(), [](EditorState& state) {
        for (std::size_t i = 0; i < state.vertices.size(); i += 2)
            state.vertices[i].selected = false;
        editor::selectAll(state);
    });
}
BENCHMARK(BM_UndoSelectAll)->Apply(bench::commandRuns);

void BM_UndoMove(benchmark::State& s) {
    bench::timeUndo(s, bench::sharedModel(),
                    [](EditorState& state) { editor::moveSelection(state, 1.5, -2, 0.25, true); });
}
BENCHMARK(BM_UndoMove)->Apply(bench::commandRuns);

void BM_UndoRotate(benchmark::State& s) {
    bench::timeUndo(s, bench::sharedModel(),
                    [](EditorState& state) { editor::rotateSelection(state, 30, 'z', true); });
}
BENCHMARK(BM_UndoRotate)->Apply(bench::commandRuns);

void BM_UndoScale(benchmark::State& s) {
    bench::timeUndo(s, bench::sharedModel(),
                    [](EditorState& state) { editor::scaleSelection(state, 10, 4, true); });
}
BENCHMARK(BM_UndoScale)->Apply(bench::commandRuns);

void BM_RedoMove(benchmark::State& s) {
    bench::timeRedo(s, bench::sharedModel(),
                    [](EditorState& state) { editor::moveSelection(state, 1.5, -2, 0.25, true); });
}
BENCHMARK(BM_RedoMove)->Apply(bench::commandRuns);

void BM_RedoRotate(benchmark::State& s) {
    bench::timeRedo(s, bench::sharedModel(),
                    [](EditorState& state) { editor::rotateSelection(state, 30, 'z', true); });
}
BENCHMARK(BM_RedoRotate)->Apply(bench::commandRuns);

void BM_RedoScale(benchmark::State& s) {
    bench::timeRedo(s, bench::sharedModel(),
                    [](EditorState& state) { editor::scaleSelection(state, 10, 4, true); });
}
BENCHMARK(BM_RedoScale)->Apply(bench::commandRuns);

void BM_RedoCloneHalfSize(benchmark::State& s) {
    bench::timeRedo(s, bench::sharedModel(bench::halfVertexCount), [](EditorState& state) {
        state.cloneMode = true;
        editor::moveSelection(state, 1.5, -2, 0.25, true);
    });
}
BENCHMARK(BM_RedoCloneHalfSize)->Apply(bench::commandRuns);

void BM_RedoDelete(benchmark::State& s) {
    bench::timeRedo(s, bench::sharedModel(),
                    [](EditorState& state) { editor::deleteCommand(state); });
}
BENCHMARK(BM_RedoDelete)->Apply(bench::commandRuns);

void BM_UndoCloneHalfSize(benchmark::State& s) {
    bench::timeUndo(s, bench::sharedModel(bench::halfVertexCount), [](EditorState& state) {
        state.cloneMode = true;
        editor::moveSelection(state, 1.5, -2, 0.25, true);
    });
}
BENCHMARK(BM_UndoCloneHalfSize)->Apply(bench::commandRuns);

void BM_UndoExtrudeThirdSize(benchmark::State& s) {
    bench::timeUndo(s, bench::sharedModel(bench::thirdVertexCount),
                    [](EditorState& state) { editor::extrudeSelection(state, 0, 0, 2, true); });
}
BENCHMARK(BM_UndoExtrudeThirdSize)->Apply(bench::commandRuns);

void BM_UndoWeld(benchmark::State& s) {
    bench::timeUndo(s, bench::sharedModel(), editor::weldCommand);
}
BENCHMARK(BM_UndoWeld)->Apply(bench::commandRuns);

void BM_UndoSnap(benchmark::State& s) {
    bench::timeUndo(s, bench::sharedModel(), editor::snapCommand);
}
BENCHMARK(BM_UndoSnap)->Apply(bench::commandRuns);

void BM_UndoDelete(benchmark::State& s) {
    bench::timeUndo(s, bench::sharedModel(), editor::deleteCommand);
}
BENCHMARK(BM_UndoDelete)->Apply(bench::commandRuns);

void BM_UndoDeleteFace(benchmark::State& s) {
    bench::timeUndo(s, bench::sharedModel(), editor::deleteFaceCommand);
}
BENCHMARK(BM_UndoDeleteFace)->Apply(bench::commandRuns);

void BM_UndoSetActiveAxes(benchmark::State& s) {
    bench::timeUndo(s, bench::sharedModel(),
                    [](EditorState& state) { editor::toggleAxis(state, 'x'); });
}
BENCHMARK(BM_UndoSetActiveAxes)->Apply(bench::commandRuns);

// The largest step there is: vertices, faces and selection flags all copied.
void recordFullStep(EditorState& state) {
    editor::UndoEntry entry;
    entry.used = true;
    entry.kind = editor::UndoKind::Clone;
    entry.selectionFlags.reserve(state.vertices.size());
    for (const auto& vertex : state.vertices)
        entry.selectionFlags.push_back(vertex.selected);
    entry.savedVertices = state.vertices;
    entry.savedFaces = state.faces;
    editor::pushUndoStep(state, std::move(entry));
}

double historyMegabytes(const EditorState& state) {
    std::size_t bytes = 0;
    for (const auto& entry : state.undoHistory)
        bytes += entry.savedVertices.capacity() * sizeof(editor::VertexRecord) +
                 entry.savedFaces.capacity() * sizeof(editor::FaceRecord) +
                 entry.selectionFlags.capacity() / 8;
    return static_cast<double>(bytes) / (1024 * 1024);
}

double residentMegabytes() {
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) /
           (1024 * 1024);
}

// 40 full steps in a row from an empty history, until it is full. Afterwards the counters give
// the size of the full history and the resident memory of the process while it is held.
void BM_FortyFullUndoSteps(benchmark::State& s) {
    auto& model = bench::sharedModel();
    for (auto _ : s) {
        s.PauseTiming();
        model.reset();
        s.ResumeTiming();
        for (int step = 0; step < editor::undoHistorySize; ++step)
            recordFullStep(model.state());
    }
    s.counters["history_MB"] = historyMegabytes(model.state());
    s.counters["resident_MB"] = residentMegabytes();
    model.reset();
}
BENCHMARK(BM_FortyFullUndoSteps)->Unit(benchmark::kMillisecond)->Iterations(20);

// One full step while the history is full, so the oldest step is dropped too.
void BM_FullUndoStepOnFullHistory(benchmark::State& s) {
    auto& model = bench::sharedModel();
    model.reset();
    for (int step = 0; step < editor::undoHistorySize; ++step)
        recordFullStep(model.state());
    for (auto _ : s)
        recordFullStep(model.state());
    model.reset();
}
BENCHMARK(BM_FullUndoStepOnFullHistory)->Unit(benchmark::kMillisecond);

} // namespace
