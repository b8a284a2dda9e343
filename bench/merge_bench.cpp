// The merger: the largest geoset, saved alone by the editor's Save geoset, merged into the cube
// example as the base model, bound to its second bone, with a Team Color texture.
#include "bench_fixture.h"

#include "editor/editing/file_save.h"
#include "editor/model/model_writer.h"
#include "merger/merge_writer.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

void BM_MergeLargeGeosetIntoCube(benchmark::State& s) {
    auto& model = bench::sharedModel();
    const auto geosetPath = model.folder() / "large-geoset.mdl";
    model.reopenLargeModelPaths();
    model.dialogs().setAnswers({geosetPath.string()});
    editor::saveGeosetCommand(model.state());
    model.reopenLargeModelPaths();
    if (!std::filesystem::exists(geosetPath)) {
        s.SkipWithError("Save geoset wrote no file");
        return;
    }

    merger::MergeRequest request;
    request.basePath = std::filesystem::path(MOLDRIN_SOURCE_DIR) / "examples" / "cube.mdl";
    request.geosetPath = geosetPath.string();
    request.outputPath = (model.folder() / "merged.mdl").string();
    request.texture = {"Textures\\Large.blp", false, merger::TextureType::TeamColor};
    request.boneIndex = 1;
    for (auto _ : s) {
        const auto result = merger::mergeModels(request);
        if (!result.ok()) {
            s.SkipWithError(result.error.c_str());
            break;
        }
    }
    // The merged model holds the whole geoset, so it cannot be smaller than the geoset's file.
    std::error_code error;
    if (std::filesystem::file_size(request.outputPath, error) <
        std::filesystem::file_size(geosetPath, error))
        s.SkipWithError("the merged model lacks the geoset");
}
BENCHMARK(BM_MergeLargeGeosetIntoCube)->Unit(benchmark::kMillisecond);

} // namespace
