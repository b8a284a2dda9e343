// Format version conversion of the whole bench model (the largest geoset the format allows,
// 32,767 vertices and triangles, in geoset 4), in memory, each way: target under 100 ms like
// every command. Each conversion checks the model before and after, and the way to 800 poses
// it at every key when it approximates weights, as the 1000 model made here does not.
#include "large_model.h"

#include "formats/mdx/mdx_file.h"
#include "formats/versions/version_conversion.h"

#include <benchmark/benchmark.h>

namespace {

const mdx::Model& classicModel() {
    static const mdx::Model model = mdx::readMdl(bench::largeModelText());
    return model;
}

void BM_ConvertTo1000(benchmark::State& s) {
    for (auto _ : s) {
        auto converted = versions::convertFormatVersion(classicModel(), 1000);
        benchmark::DoNotOptimize(converted.model.geosets.data());
    }
}
BENCHMARK(BM_ConvertTo1000)->Unit(benchmark::kMillisecond);

void BM_ConvertTo800(benchmark::State& s) {
    static const mdx::Model reforged = versions::convertFormatVersion(classicModel(), 1000).model;
    for (auto _ : s) {
        auto converted = versions::convertFormatVersion(reforged, 800);
        benchmark::DoNotOptimize(converted.model.geosets.data());
    }
}
BENCHMARK(BM_ConvertTo800)->Unit(benchmark::kMillisecond);

} // namespace
