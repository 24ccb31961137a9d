// Painting the preview against what writing the same number of pixels costs at best.
//   build/bin/bench_preview
// BM_SequentialFillFloor writes as many pixels as "Links2 Style" paints, one after another:
// the floor that BM_ShowPreviewLinks2 (goal: within 3 times it) is read against.
// BM_TrackedMoveFollowPreview is one pointer move over the wheel with Follow-Preview
// checked (goal: under a tenth of a 120 Hz frame, 833 us).

#include "mainwindow/MainWindow.h"
#include "mainwindow/WheelSurface.h"
#include "platform/Desktop.h"
#include "preview/PreviewSurface.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

/// The main window showing "Links2 Style", the heaviest style, made and ended by main().
MainWindow* g_window = nullptr;

size_t links2Pixels() {
    const preview::PixelLists& lists = g_window->preview->lists();
    return lists.paintedPixels(1) + lists.paintedPixels(2) + lists.paintedPixels(3);
}

void BM_SequentialFillFloor(benchmark::State& state) {
    const size_t n = links2Pixels();
    std::vector<uint32_t> pixels(n);
    uint32_t value = 0xFF102030u;
    for (auto _ : state) {
        std::fill_n(pixels.data(), n, value);
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
        value ^= 0x00010101u;
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * n));
    state.counters["pixels"] = static_cast<double>(n);
}

void BM_ShowPreviewLinks2(benchmark::State& state) {
    for (auto _ : state) {
        g_window->show_preview();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * links2Pixels()));
    state.counters["pixels"] = static_cast<double>(links2Pixels());
}

void BM_TrackedMoveFollowPreview(benchmark::State& state) {
    MainWindow& w = *g_window;
    w.chkpreview->setChecked(true);
    if (w.wheel_locked)
        w.wheel_MouseDown(1, 0, 0, 0);
    // alternate between two points so that every move changes the scheme
    const QPointF points[] = {QPointF(190, 80), QPointF(70, 170)};
    size_t i = 0;
    for (auto _ : state) {
        const QPointF p = points[i++ % 2];
        QMouseEvent move(QEvent::MouseMove, p, w.wheel->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(w.wheel, &move);
    }
    w.chkpreview->setChecked(false);
}

BENCHMARK(BM_SequentialFillFloor);
BENCHMARK(BM_ShowPreviewLinks2);
BENCHMARK(BM_TrackedMoveFollowPreview);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::applyDesktopLook(app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    MainWindow window;
    window.show();
    window.cmbpreview->setCurrentIndex(window.cmbpreview->findText("Links2 Style"));
    window.cmbpreview_Click();
    QCoreApplication::processEvents();
    g_window = &window;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
