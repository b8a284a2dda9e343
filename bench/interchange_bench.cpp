// The whole largest corpus model (about 14,000 vertices, 120 nodes and 11 sequences) exported
// to one .glb in memory: meshes, skin, every sequence sampled, textures found beside it
// converted to PNG. Target: under 1 s.
#include "corpus_model.h"

#include "formats/interchange/gltf_export.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ExportGltfLargestCorpusModel(benchmark::State& s) {
    const auto& model = bench::largestCorpusModel();
    if (model.geosets.empty()) {
        s.SkipWithError("no corpus beside the checkout");
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : s) {
        std::vector<std::string> warnings;
        const auto glb =
            interchange::gltfBinary(model, bench::largestCorpusModelFolder(), warnings);
        bytes = glb.size();
        benchmark::DoNotOptimize(glb.data());
    }
    s.counters["vertices"] = static_cast<double>(bench::vertexCount(model));
    s.counters["sequences"] = static_cast<double>(model.sequences.size());
    s.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ExportGltfLargestCorpusModel)->Unit(benchmark::kMillisecond);

} // namespace
