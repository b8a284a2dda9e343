// The model check. On the largest geoset the format allows (the bench model, 32,767 vertices and
// triangles in geoset 4), in memory: target under 100 ms like every command. And the whole
// moldrin-batch --check process over a map's worth of models: the corpus MDX models copied in
// turn until there are 63 files, as in a typical map, on all cores: target under 1 s.
#include "large_model.h"

#include "formats/check/model_check.h"
#include "formats/mdx/mdx_file.h"

#include "run_program.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

void BM_CheckLargeModel(benchmark::State& s) {
    static const mdx::Model model = mdx::readMdl(bench::largeModelText());
    for (auto _ : s) {
        auto problems = check::checkModel(model);
        benchmark::DoNotOptimize(problems.data());
    }
}
BENCHMARK(BM_CheckLargeModel)->Unit(benchmark::kMillisecond);

// 63 models in a folder of their own, copied from the corpus; empty when it is missing.
class MapModels {
  public:
    MapModels() {
        const fs::path corpus = fs::path(MOLDRIN_SOURCE_DIR) / ".." / "shared" / "corpus" / "mdx";
        std::vector<fs::path> sources;
        std::error_code error;
        for (fs::directory_iterator it(corpus, error), end; !error && it != end;
             it.increment(error))
            if (it->path().extension() == ".mdx")
                sources.push_back(it->path());
        if (sources.empty())
            return;
        folder_ = fs::temp_directory_path() / ("moldrin-bench-check-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        for (std::size_t i = 0; i < 63; ++i) {
            const auto& source = sources[i % sources.size()];
            fs::copy_file(source, folder_ / (std::to_string(i) + "_" + source.filename().string()));
            bytes_ += fs::file_size(source);
        }
    }
    ~MapModels() {
        std::error_code error;
        if (!folder_.empty())
            fs::remove_all(folder_, error);
    }
    MapModels(const MapModels&) = delete;
    MapModels& operator=(const MapModels&) = delete;
    const fs::path& folder() const { return folder_; }
    std::uintmax_t bytes() const { return bytes_; }

  private:
    fs::path folder_;
    std::uintmax_t bytes_ = 0;
};

void BM_CheckMapOf63Models(benchmark::State& s) {
    static const MapModels models;
    if (models.folder().empty()) {
        s.SkipWithError("the corpus is missing");
        return;
    }
    // --json, as a map tool would read it.
    for (auto _ : s)
        if (bench::runProgram({MOLDRIN_BATCH_PATH, "--check", models.folder().string(), "--json"}) >
            1)
            s.SkipWithError("moldrin-batch could not read a model");
    s.counters["MB"] = static_cast<double>(models.bytes()) / 1e6;
}
BENCHMARK(BM_CheckMapOf63Models)->Unit(benchmark::kMillisecond);

} // namespace
