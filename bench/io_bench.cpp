#include "bench_fixture.h"
#include "large_model.h"

#include "editor/editing/file_open.h"
#include "editor/editing/file_save.h"
#include "editor/editing/geoset_commands.h"
#include "editor/model/geoset_reader.h"
#include "editor/model/model_writer.h"

#include <benchmark/benchmark.h>

namespace {

bench::OpenedLargeModel& model() {
    return bench::sharedModel();
}

void BM_OpenLargeGeoset(benchmark::State& s) {
    auto& m = model();
    for (auto _ : s) {
        std::vector<editor::VertexRecord> vertices;
        std::vector<editor::FaceRecord> faces;
        editor::MatrixTable matrices;
        editor::readGeosetFile(m.state(), m.modelPath().string(), vertices, faces, matrices,
                               bench::largeGeosetNumber, false);
        benchmark::DoNotOptimize(vertices.data());
    }
}
BENCHMARK(BM_OpenLargeGeoset)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& s) {
    auto& m = model();
    m.reset();
    for (auto _ : s)
        editor::saveCommand(m.state());
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

void BM_SaveGeoset(benchmark::State& s) {
    auto& m = model();
    const auto target = (m.folder() / "geoset-only.mdl").string();
    for (auto _ : s) {
        s.PauseTiming();
        // Save geoset moves the editor onto the new file; start each round from the large one.
        m.reopenLargeModelPaths();
        m.dialogs().setAnswers({target});
        s.ResumeTiming();
        editor::saveGeosetCommand(m.state());
    }
    m.reopenLargeModelPaths();
}
BENCHMARK(BM_SaveGeoset)->Unit(benchmark::kMillisecond);

// Switch Geoset from the edited large geoset back onto it: its edits are committed to the
// document and the working copy, and the geoset is read again from the document.
void BM_SwitchGeoset(benchmark::State& s) {
    auto& m = model();
    m.reset();
    for (auto _ : s) {
        m.state().unsavedChanges = true;
        m.dialogs().setAnswers({std::to_string(bench::largeGeosetNumber)});
        editor::switchGeosetCommand(m.state());
    }
    m.reset();
}
BENCHMARK(BM_SwitchGeoset)->Unit(benchmark::kMillisecond);

} // namespace
