// Raster synthesis at start-up and a tracked pointer move end to end on the real window.
#include "core/Wheel.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/WheelSurface.h"
#include "platform/Desktop.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>

#include <benchmark/benchmark.h>

namespace {

void BM_GenerateWheel(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(core::GenerateWheel());
}
BENCHMARK(BM_GenerateWheel)->Unit(benchmark::kMillisecond);

void BM_AllRasters(benchmark::State& state) {
    for (auto _ : state) {
        const core::Raster def = core::GenerateWheel();
        benchmark::DoNotOptimize(core::makeStartRaster(def));
        benchmark::DoNotOptimize(core::makeWebSafeRaster());
    }
}
BENCHMARK(BM_AllRasters)->Unit(benchmark::kMillisecond);

/// One tracked move: the handler runs the rule, writes every field and places the lines;
/// the wheel's repaint is included by processing the pending paint events.
void trackedMove(benchmark::State& state, bool followPreview) {
    MainWindow window;
    window.show();
    window.chkpreview->setChecked(followPreview);
    const int index = static_cast<int>(state.range(0));
    window.chktype[static_cast<size_t>(index)]->setChecked(true);
    int step = 0;
    for (auto _ : state) {
        const float x = static_cast<float>(20 + (step * 7) % 220);
        const float y = static_cast<float>(20 + (step * 13) % 220);
        ++step;
        window.wheel_MouseMove(0, 0, x, y);
        QApplication::processEvents();
    }
}

void BM_TrackedMove(benchmark::State& state) {
    trackedMove(state, false);
}
BENCHMARK(BM_TrackedMove)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::applyDesktopLook(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
