// The scheme sheet: drawing it and writing it in each format.
//   build/bin/bench_sheet
// BM_SheetPicture draws the sheet onto a picture at scale 1 and 2; BM_SheetFile makes the whole
// file (format 0 PNG at scale 1 and 2, 1 SVG, 2 PDF): format:0/scale:1 has a goal, under 150 ms.
// BM_SheetOfScheme is an export from the scheme on: the preview's pixel lists read and painted,
// the ramps computed, the PNG made at 1x.
#include "BenchSupport.h"

#include "preview/PreviewPaint.h"
#include "sheet/SheetPainter.h"
#include "ui/ColorConversion.h"

namespace {

/// A triad around #3366CC on the perceptual wheel.
void makeScheme(scheme::SchemeModel& model) {
    model.setRaster(scheme::WheelRaster::Perceptual);
    model.setRule(core::SchemeType::Triad);
    const core::ColorRGB base{0x33, 0x66, 0xCC};
    model.setBaseColor(base, core::toOklch(core::oklabOf(base)));
}

sheet::SheetContent contentOf(const scheme::SchemeModel& model) {
    const std::array<core::Color, 3> colors = model.swatchColors();
    const QImage preview =
        preview::paintedStyle(model.previewStyle(), {ui::toQRgb(colors[0]), ui::toQRgb(colors[1]),
                                                     ui::toQRgb(colors[2])});
    return sheet::sheetOf(model, sheet::kUntitled, QDate(2024, 3, 9), preview);
}

void BM_SheetPicture(benchmark::State& state) {
    scheme::SchemeModel model;
    makeScheme(model);
    const sheet::SheetContent content = contentOf(model);
    for (auto _ : state)
        benchmark::DoNotOptimize(sheet::sheetImage(content, int(state.range(0))));
}

void BM_SheetFile(benchmark::State& state) {
    scheme::SchemeModel model;
    makeScheme(model);
    const sheet::SheetContent content = contentOf(model);
    const auto format = static_cast<sheet::SheetFormat>(state.range(0));
    for (auto _ : state)
        state.counters["bytes"] =
            double(sheet::sheetBytes(format, content, int(state.range(1))).size());
}

void BM_SheetOfScheme(benchmark::State& state) {
    scheme::SchemeModel model;
    makeScheme(model);
    for (auto _ : state)
        benchmark::DoNotOptimize(sheet::sheetBytes(sheet::SheetFormat::Png, contentOf(model)));
}

BENCHMARK(BM_SheetPicture)->ArgName("scale")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetFile)
    ->Args({int(sheet::SheetFormat::Png), 1})
    ->Args({int(sheet::SheetFormat::Png), 2})
    ->Args({int(sheet::SheetFormat::Svg), 1})
    ->Args({int(sheet::SheetFormat::Pdf), 1})
    ->ArgNames({"format", "scale"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetOfScheme)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return bench::runBenchmarks(argc, argv, nullptr);
}
