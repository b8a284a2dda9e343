// The binary model format on the largest geoset: the bench model's MDL text (32,767 vertices and
// triangles in geoset 4) read by the format library's MDL reader, then read and written as MDX
// in memory; and the editor's open and save of that model as an .mdx file. Target: under 20 ms
// each.
#include "large_model.h"

#include "common/file_replacement.h"
#include "common/scripted_dialogs.h"
#include "editor/editing/file_open.h"
#include "editor/editing/file_save.h"
#include "editor/editing/working_copy.h"
#include "editor/interaction/editor_state.h"
#include "formats/mdx/mdx_file.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <unistd.h>

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

// The large model as an .mdx file in a folder of its own, and an editor on it.
class MdxFileModel {
  public:
    MdxFileModel() {
        folder_ = std::filesystem::temp_directory_path() /
                  ("moldrin-bench-mdx-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        path_ = (folder_ / "large.mdx").string();
        const std::string& bytes = largeModelBytes();
        common::FileReplacement file(path_);
        if (!file.write(bytes.data(), bytes.size()) || !file.commit())
            throw std::runtime_error("cannot write " + path_);
        state_.dialogs = &dialogs_;
        open();
    }
    ~MdxFileModel() {
        editor::releaseWorkingCopy(state_);
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    MdxFileModel(const MdxFileModel&) = delete;
    MdxFileModel& operator=(const MdxFileModel&) = delete;

    // The whole open of geoset 4: working copy claimed and written, geoset read.
    void open() {
        if (!editor::openModelFile(state_, path_, bench::largeGeosetNumber) ||
            state_.vertices.size() != static_cast<std::size_t>(bench::largeVertexCount))
            throw std::runtime_error("the large .mdx did not open");
    }
    // Save: the model written as MDX, the working copy refreshed.
    void save() {
        editor::saveCommand(state_);
        if (!dialogs_.shown.empty())
            throw std::runtime_error("the large .mdx was not saved: " + dialogs_.shown[0].text);
    }

  private:
    std::filesystem::path folder_;
    std::string path_;
    common::ScriptedDialogs dialogs_;
    editor::EditorState state_;
};

MdxFileModel& mdxFileModel() {
    static MdxFileModel model;
    return model;
}

void BM_MdxOpenLargeGeoset(benchmark::State& s) {
    auto& m = mdxFileModel();
    for (auto _ : s)
        m.open();
}
BENCHMARK(BM_MdxOpenLargeGeoset)->Unit(benchmark::kMillisecond);

void BM_MdxSaveLargeGeoset(benchmark::State& s) {
    auto& m = mdxFileModel();
    for (auto _ : s)
        m.save();
}
BENCHMARK(BM_MdxSaveLargeGeoset)->Unit(benchmark::kMillisecond);

void BM_MdxOpenSaveLargeGeoset(benchmark::State& s) {
    auto& m = mdxFileModel();
    for (auto _ : s) {
        m.open();
        m.save();
    }
}
BENCHMARK(BM_MdxOpenSaveLargeGeoset)->Unit(benchmark::kMillisecond);

} // namespace
