// The whole moldrin-batch process, as a script runs it: start, open the largest geoset's model,
// save it, delete the working copy, exit.
#include "bench_fixture.h"
#include "large_model.h"

#include "run_program.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

void BM_BatchProcessOpenSave(benchmark::State& s) {
    auto& m = bench::sharedModel();
    const std::vector<std::string> command = {MOLDRIN_BATCH_PATH, m.modelPath().string(),
                                              "--geoset", std::to_string(bench::largeGeosetNumber),
                                              "save"};
    for (auto _ : s)
        if (bench::runProgram(command) != 0)
            s.SkipWithError("moldrin-batch failed");
}
BENCHMARK(BM_BatchProcessOpenSave)->Unit(benchmark::kMillisecond);

} // namespace
