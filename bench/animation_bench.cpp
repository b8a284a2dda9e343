// A whole model's pose (node matrices, skinning, animated values): the largest corpus model
// (about 14,000 vertices and 120 nodes) halfway through its first sequence, and the bench
// model with the largest geoset. Target: under 1 ms.
#include "large_model.h"

#include "formats/animation/model_pose.h"
#include "formats/mdx/mdx_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::size_t vertexCount(const mdx::Model& model) {
    std::size_t count = 0;
    for (const auto& g : model.geosets)
        count += g.vertices.size();
    return count;
}

// The corpus model with the most vertices; an empty model without a corpus.
const mdx::Model& largestCorpusModel() {
    static const mdx::Model model = [] {
        mdx::Model best;
        const fs::path corpus = fs::path(MOLDRIN_SOURCE_DIR) / ".." / "shared" / "corpus";
        for (const auto& folder : {corpus, corpus / "mdx"}) {
            if (!fs::is_directory(folder))
                continue;
            for (const auto& entry : fs::directory_iterator(folder)) {
                const auto ext = entry.path().extension();
                if (ext != ".mdx" && ext != ".mdl")
                    continue;
                std::ifstream in(entry.path(), std::ios::binary);
                std::stringstream bytes;
                bytes << in.rdbuf();
                try {
                    const auto text = bytes.str();
                    auto read = mdx::hasMdxMagic(text) ? mdx::readMdx(text) : mdx::readMdl(text);
                    if (vertexCount(read) > vertexCount(best))
                        best = std::move(read);
                } catch (const std::exception&) {
                }
            }
        }
        return best;
    }();
    return model;
}

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
    const auto& model = largestCorpusModel();
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
