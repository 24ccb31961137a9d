// What the benchmarks share: the offscreen application, the main window in "Links2 Style"
// (the heaviest style), a tracked pointer move, and the floor a painting is read against.
#pragma once

#include "mainwindow/MainWindow.h"
#include "platform/Desktop.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace bench {

/// Writes n pixels one after another: what painting n pixels costs at best.
inline void fillFloor(benchmark::State& state, size_t n) {
    std::vector<uint32_t> pixels(n);
    uint32_t value = 0xFF102030u;
    for (auto _ : state) {
        std::fill_n(pixels.data(), n, value);
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
        value ^= 0x00010101u;
    }
    state.counters["pixels"] = static_cast<double>(n);
}

/// The step-th pointer move of a walk over the wheel, so that every move changes the scheme.
inline void trackedMove(QWidget* wheel, int step) {
    const QPointF p(20 + (step * 7) % 220, 20 + (step * 13) % 220);
    QMouseEvent move(QEvent::MouseMove, p, wheel->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(wheel, &move);
}

/// Runs the benchmarks offscreen; with setUp, after giving it the shown main window in
/// "Links2 Style" (it returns false when the window lacks what it needs).
inline int runBenchmarks(int argc, char** argv,
                         const std::function<bool(mainwindow::MainWindow&)>& setUp) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::applyDesktopLook(app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::unique_ptr<mainwindow::MainWindow> window;
    if (setUp) {
        window = std::make_unique<mainwindow::MainWindow>();
        window->show();
        auto* styles = window->findChild<QComboBox*>(QStringLiteral("cmbpreview"));
        styles->setCurrentIndex(styles->findText(QStringLiteral("Links2 Style")));
        emit styles->activated(styles->currentIndex());
        if (!setUp(*window))
            return 1;
        QCoreApplication::processEvents();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
