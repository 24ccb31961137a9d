// Painting the preview against what writing the same number of pixels costs at best.
//   build/bin/bench_preview
// BM_SequentialFillFloor writes as many pixels as "Links2 Style" paints, one after another:
// the floor that BM_ShowPreviewLinks2 (goal: within 3 times it) is read against.

#include "BenchSupport.h"

#include "preview/PreviewSurface.h"

namespace {

/// The preview of the main window showing "Links2 Style".
preview::PreviewSurface* g_preview = nullptr;

size_t links2Pixels() {
    const preview::PixelLists& lists = g_preview->lists();
    return lists.paintedPixels(1) + lists.paintedPixels(2) + lists.paintedPixels(3);
}

void BM_SequentialFillFloor(benchmark::State& state) {
    bench::fillFloor(state, links2Pixels());
}

/// What the main window does to show the preview: the three lists in the swatch colours,
/// the later ones over the earlier, then a refresh.
void BM_ShowPreviewLinks2(benchmark::State& state) {
    for (auto _ : state) {
        g_preview->paintList(1, qRgb(200, 10, 10));
        g_preview->paintList(3, qRgb(10, 200, 10));
        g_preview->paintList(2, qRgb(10, 10, 200));
        g_preview->refresh();
        benchmark::ClobberMemory();
    }
    state.counters["pixels"] = static_cast<double>(links2Pixels());
}

BENCHMARK(BM_SequentialFillFloor);
BENCHMARK(BM_ShowPreviewLinks2);

} // namespace

int main(int argc, char** argv) {
    return bench::runBenchmarks(argc, argv, [](mainwindow::MainWindow& window) {
        g_preview = window.findChild<preview::PreviewSurface*>(QStringLiteral("preview"));
        return g_preview != nullptr;
    });
}
