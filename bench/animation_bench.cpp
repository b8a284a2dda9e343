// A whole model's pose (node matrices, skinning, animated values): the largest corpus model
// (about 14,000 vertices and 120 nodes) halfway through its first sequence, and the bench
// model with the largest geoset. Target: under 1 ms.
#include "corpus_model.h"
#include "large_model.h"

#include "formats/animation/model_pose.h"
#include "formats/mdx/mdx_file.h"

#include <benchmark/benchmark.h>

namespace {

using bench::vertexCount;

void posePerIteration(benchmark::State& s, const mdx::Model& model) {
    const animation::Skeleton skeleton(model);
    animation::PoseRequest request;
    const auto length = model.sequences.empty() ? 0.0
                                                : double(model.sequences[0].interval[1]) -
                                                      model.sequences[0].interval[0];
    request.time = animation::sequenceTime(model, 0, length / 2);
    animation::Pose pose;
    for (auto _ : s) {
        animation::evaluatePose(model, skeleton, request, pose);
        benchmark::DoNotOptimize(pose.geosets.data());
    }
    s.counters["vertices"] = static_cast<double>(vertexCount(model));
    s.counters["nodes"] = static_cast<double>(skeleton.nodes.size());
}

void BM_PoseLargestCorpusModel(benchmark::State& s) {
    const auto& model = bench::largestCorpusModel();
    if (model.geosets.empty()) {
        s.SkipWithError("no corpus beside the checkout");
        return;
    }
    posePerIteration(s, model);
}
BENCHMARK(BM_PoseLargestCorpusModel)->Unit(benchmark::kMillisecond);

void BM_PoseLargeGeoset(benchmark::State& s) {
    static const mdx::Model model = mdx::readMdl(bench::largeModelText());
    posePerIteration(s, model);
}
BENCHMARK(BM_PoseLargeGeoset)->Unit(benchmark::kMillisecond);

} // namespace
