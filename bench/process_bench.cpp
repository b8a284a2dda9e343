// The whole moldrin-batch process, as a script runs it: start, open the largest geoset's model,
// save it, delete the working copy, exit.
#include "bench_fixture.h"
#include "large_model.h"

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

int runProgram(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_BatchProcessOpenSave(benchmark::State& s) {
    auto& m = bench::sharedModel();
    const std::vector<std::string> command = {MOLDRIN_BATCH_PATH, m.modelPath().string(),
                                              "--geoset", std::to_string(bench::largeGeosetNumber),
                                              "save"};
    for (auto _ : s)
        if (runProgram(command) != 0)
            s.SkipWithError("moldrin-batch failed");
}
BENCHMARK(BM_BatchProcessOpenSave)->Unit(benchmark::kMillisecond);

} // namespace
