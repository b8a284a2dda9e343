// The binary model format on the largest geoset: the bench model's MDL text (32,767 vertices and
// triangles in geoset 4) read by the format library's MDL reader, then read and written as MDX
// in memory. Target: under 20 ms each.
#include "large_model.h"

#include "formats/mdx/mdx_file.h"

#include <benchmark/benchmark.h>

namespace {

const mdx::Model& largeModel() {
    static const mdx::Model model = mdx::readMdl(bench::largeModelText());
    return model;
}

const std::string& largeModelBytes() {
    static const std::string bytes = mdx::writeMdx(largeModel());
    return bytes;
}

void BM_MdxReadLargeGeoset(benchmark::State& s) {
    const std::string& bytes = largeModelBytes();
    for (auto _ : s) {
        auto model = mdx::readMdx(bytes);
        benchmark::DoNotOptimize(model.geosets.data());
    }
    s.counters["vertices"] =
        static_cast<double>(largeModel().geosets.at(bench::largeGeosetNumber - 1).vertices.size());
}
BENCHMARK(BM_MdxReadLargeGeoset)->Unit(benchmark::kMillisecond);

void BM_MdxWriteLargeGeoset(benchmark::State& s) {
    const mdx::Model& model = largeModel();
    for (auto _ : s) {
        auto bytes = mdx::writeMdx(model);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_MdxWriteLargeGeoset)->Unit(benchmark::kMillisecond);

} // namespace
