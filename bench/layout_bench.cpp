// Models in other layouts: normalising the large model written with four spaces a level, and
// opening its geoset from that layout; the check that tab-layout text needs no rewriting, on the
// large model and on the largest MDL file of the corpus.
#include "bench_fixture.h"
#include "corpus_model.h"
#include "large_model.h"

#include "editor/editing/file_open.h"
#include "formats/mdl_normaliser.h"
#include "formats/tab_layout.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

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

void BM_TabLayoutCheckLargeModel(benchmark::State& s) {
    const auto text = bench::largeModelText(bench::largeVertexCount);
    for (auto _ : s)
        benchmark::DoNotOptimize(formats::isTabLayout(text));
}
BENCHMARK(BM_TabLayoutCheckLargeModel)->Unit(benchmark::kMillisecond);

// The bytes of the corpus's largest MDL file; empty without a corpus.
std::string largestCorpusMdl() {
    namespace fs = std::filesystem;
    fs::path largest;
    std::error_code error;
    for (fs::directory_iterator it(bench::corpusFolder(), error), end; !error && it != end;
         it.increment(error))
        if (it->path().extension() == ".mdl" &&
            (largest.empty() || fs::file_size(it->path()) > fs::file_size(largest)))
            largest = it->path();
    if (largest.empty())
        return {};
    std::ifstream in(largest, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void BM_TabLayoutCheckLargestCorpusMdl(benchmark::State& s) {
    const auto text = largestCorpusMdl();
    if (text.empty()) {
        s.SkipWithError("no corpus beside the checkout");
        return;
    }
    for (auto _ : s)
        benchmark::DoNotOptimize(formats::isTabLayout(text));
}
BENCHMARK(BM_TabLayoutCheckLargestCorpusMdl)->Unit(benchmark::kMillisecond);

} // namespace
