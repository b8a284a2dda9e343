// Textures: decoding a 1024 x 1024 BLP with JPEG content (target under 30 ms), and the texture
// view's redraw over a 2048 x 2048 background (target under 16 ms). The pictures are made here
// with our encoder, so the benchmark needs no files.
#include "textures/blp_codec.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

common::RgbaImage gradient(int side) {
    common::RgbaImage image(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            auto* p = image.at(x, y);
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = static_cast<std::uint8_t>((x ^ y) & 0xFF);
            p[3] = static_cast<std::uint8_t>(255 - (x + y) / 8);
        }
    return image;
}

void BM_DecodeJpegBlp1024(benchmark::State& s) {
    const auto bytes = textures::encodeBlp(gradient(1024));
    for (auto _ : s)
        benchmark::DoNotOptimize(textures::decodeBlp(bytes));
}
BENCHMARK(BM_DecodeJpegBlp1024)->Unit(benchmark::kMillisecond);

} // namespace

#ifdef MOLDRIN_BENCH_WITH_QT
#include "bench_fixture.h"

#include "common/qt/QtCanvas.h"
#include "editor/uv/uv_editor_state.h"
#include "editor/uv/uv_handover.h"
#include "editor/uv/uv_view.h"

namespace {

// The large geoset's layout over a 2048 x 2048 texture, the view at its laid-out size.
void BM_UVRedrawOver2048Background(benchmark::State& s) {
    auto& model = bench::sharedModel();
    model.reset();
    common::ImageCanvas canvas{static_cast<int>(editor::uvViewNominalWidth),
                               static_cast<int>(editor::uvViewNominalHeight), 1, Qt::white};
    editor::UvEditorState uv;
    uv.pbxUVView = &canvas;
    uv.background = std::make_shared<const common::RgbaImage>(gradient(2048));
    uv.imageLoaded = true;
    uv.imagePath = "bench.blp";
    editor::openUVMapping(model.state(), uv);
    for (auto _ : s)
        editor::drawUVView(uv);
    model.reset();
}
BENCHMARK(BM_UVRedrawOver2048Background)->Unit(benchmark::kMillisecond);

} // namespace
#endif
