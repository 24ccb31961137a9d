// Raster synthesis at start-up and a tracked pointer move end to end on the real window.
#include "BenchSupport.h"

#include "core/Wheel.h"

#include <QAction>
#include <QRadioButton>

namespace {

void BM_GenerateWheel(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(core::makeDefaultRaster());
}
BENCHMARK(BM_GenerateWheel)->Unit(benchmark::kMillisecond);

/// One tracked move under the rule of the argument's index: the pointer event on the wheel
/// runs the rule, writes every field and places the lines; the wheel's repaint is included
/// by processing the pending paint events. On the perceptual wheel, whose colours are computed
/// and gamut-mapped, it must stay within the classic move's budget.
void BM_TrackedMove(benchmark::State& state, bool perceptual) {
    mainwindow::MainWindow window;
    window.show();
    if (perceptual)
        window.findChild<QAction*>(QStringLiteral("mnuperceptual"))->trigger();
    window.findChild<QRadioButton*>(QStringLiteral("chktype[%1]").arg(state.range(0)))
        ->setChecked(true);
    QWidget* wheel = window.findChild<QWidget*>(QStringLiteral("wheel"));
    int step = 0;
    for (auto _ : state) {
        bench::trackedMove(wheel, step++);
        QApplication::processEvents();
    }
}
BENCHMARK_CAPTURE(BM_TrackedMove, classic, false)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TrackedMove, perceptual, true)
    ->DenseRange(0, 4)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return bench::runBenchmarks(argc, argv, {});
}
