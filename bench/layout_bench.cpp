// Models in other layouts: normalising the large model written with four spaces a level, and
// opening its geoset from that layout.
#include "bench_fixture.h"
#include "large_model.h"

#include "editor/editing/file_open.h"
#include "formats/mdl_normaliser.h"

#include <benchmark/benchmark.h>

#include <fstream>

namespace {

// The large model with every tab of indentation made four spaces.
std::string spacedLargeModel() {
    const auto tabs = bench::largeModelText(bench::largeVertexCount);
    std::string spaced;
    spaced.reserve(tabs.size() * 2);
    bool lineStart = true;
    for (char c : tabs) {
        if (lineStart && c == '\t') {
            spaced += "    ";
            continue;
        }
        lineStart = c == '\n';
        spaced += c;
    }
    return spaced;
}

void BM_NormaliseLargeModelFromSpaces(benchmark::State& s) {
    const auto text = spacedLargeModel();
    for (auto _ : s) {
        auto normalised = formats::normaliseModelText(text);
        benchmark::DoNotOptimize(normalised.text.data());
    }
}
BENCHMARK(BM_NormaliseLargeModelFromSpaces)->Unit(benchmark::kMillisecond);

void BM_OpenLargeGeosetFromSpaces(benchmark::State& s) {
    auto& m = bench::sharedModel();
    const auto path = m.folder() / "spaced.mdl";
    std::ofstream(path, std::ios::binary) << spacedLargeModel();
    for (auto _ : s) {
        std::vector<editor::VertexRecord> vertices;
        std::vector<editor::FaceRecord> faces;
        editor::MatrixTable matrices;
        editor::readGeosetFile(m.state(), path.string(), vertices, faces, matrices,
                               bench::largeGeosetNumber, false);
        benchmark::DoNotOptimize(vertices.data());
    }
}
BENCHMARK(BM_OpenLargeGeosetFromSpaces)->Unit(benchmark::kMillisecond);

} // namespace
