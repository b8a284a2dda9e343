// Runs every benchmark and prints a table of median times against the targets, and the peak
// memory of the process.
#include "common/memory_tuning.h"

#include "editor/editing/undo_history.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#ifdef MOLDRIN_BENCH_WITH_QT
#include <QGuiApplication>
#endif

namespace {

// Target in milliseconds for a benchmark name. The frame budget: opening and saving the largest
// geoset 20 ms each, the three views at a large window's size and a frame of the 3D view one
// frame at 60 Hz, a whole model's pose 1 ms, 40 full undo steps 40 ms, the whole batch process
// that opens and saves it 50 ms, the check of a map's 63 models by the batch process and the
// glTF export of the largest corpus model 1 s, the listing of a 5,000-file map 200 ms. Other
// commands get 100 ms.
double targetFor(const std::string& name) {
    const auto has = [&name](const char* part) { return name.find(part) != std::string::npos; };
    if (has("Pose"))
        return 1;
    if (has("Preview") || name == "BM_RedrawThreeViewsLarge")
        return 16;
    if (name == "BM_BatchProcessOpenSave")
        return 50;
    if (name == "BM_CheckMapOf63Models" || name == "BM_ExportGltfLargestCorpusModel")
        return 1000;
    if (name == "BM_ListArchiveOf5000Files")
        return 200;
    // An open and a save of a binary model, 20 ms each.
    if (name == "BM_FortyFullUndoSteps" || name == "BM_MdxOpenSaveLargeGeoset")
        return 40;
    if (has("Normalise") || has("FromSpaces"))
        return 30;
    if (has("Mdx") || name == "BM_OpenLargeGeoset" || name == "BM_Save" ||
        name == "BM_SaveGeoset" || name == "BM_SwitchGeoset")
        return 20;
    if (has("Redraw"))
        return 30;
    return 100;
}

class MedianTable : public benchmark::ConsoleReporter {
  public:
    // Colours only on a terminal (the base class would colour a redirected output too).
    MedianTable() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            const double ms = run.GetAdjustedRealTime() *
                              benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                              benchmark::GetTimeUnitMultiplier(run.time_unit);
            medians_[run.run_name.function_name] = ms;
            if (run.run_type == Run::RT_Aggregate)
                aggregated_[run.run_name.function_name] = true;
            for (const auto& [counter, value] : run.counters)
                counters_[run.run_name.function_name][counter] = value;
        }
    }

    void printTable() const {
        std::printf("\n| benchmark | median (ms) | target (ms) | within target |\n");
        std::printf("|---|---:|---:|---|\n");
        for (const auto& [name, ms] : medians_) {
            const double target = targetFor(name);
            std::printf("| %s | %.3f | %.0f | %s |\n", name.c_str(), ms, target,
                        ms <= target ? "yes" : "NO");
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("\nPeak memory (resident): %.1f MB\n", usage.ru_maxrss / 1024.0);
        if (const auto full = counters_.find("BM_FortyFullUndoSteps"); full != counters_.end())
            std::printf("With a full undo history of %d full steps of the largest geoset: the "
                        "history holds %.1f MB, the process %.1f MB resident.\n",
                        editor::undoHistorySize, full->second.at("history_MB").value,
                        full->second.at("resident_MB").value);
    }

  private:
    std::map<std::string, double> medians_;
    std::map<std::string, bool> aggregated_;
    std::map<std::string, benchmark::UserCounters> counters_;
};

} // namespace

int main(int argc, char** argv) {
    // As the editor's programs do at start.
    common::keepFreedMemoryForReuse();
#ifdef MOLDRIN_BENCH_WITH_QT
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    MedianTable reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printTable();
    benchmark::Shutdown();
    return 0;
}
