// Painting the preview against what writing the same number of pixels costs at best.
//   build/bin/bench_preview
// BM_SequentialFillFloor writes as many pixels as "Links2 Style" paints, one after another:
// the floor that BM_ShowPreviewLinks2 (goal: within 3 times it) is read against.
// BM_TrackedMoveFollowPreview is one pointer move over the wheel with Follow-Preview
// checked (goal: under a tenth of a 120 Hz frame, 833 us).

#include "mainwindow/MainWindow.h"
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

/// The preview of the main window showing "Links2 Style", the heaviest style.
preview::PreviewSurface* g_preview = nullptr;

size_t links2Pixels() {
    const preview::PixelLists& lists = g_preview->lists();
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
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * links2Pixels()));
    state.counters["pixels"] = static_cast<double>(links2Pixels());
}

/// One pointer move over the wheel with Follow-Preview checked.
void BM_TrackedMoveFollowPreview(benchmark::State& state) {
    QWidget* w = g_preview->window();
    w->findChild<QCheckBox*>(QStringLiteral("chkpreview"))->setChecked(true);
    QWidget* wheel = w->findChild<QWidget*>(QStringLiteral("wheel"));
    // alternate between two points so that every move changes the scheme
    const QPointF points[] = {QPointF(190, 80), QPointF(70, 170)};
    size_t i = 0;
    for (auto _ : state) {
        const QPointF p = points[i++ % 2];
        QMouseEvent move(QEvent::MouseMove, p, wheel->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(wheel, &move);
    }
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
    mainwindow::MainWindow window;
    window.show();
    auto* combo = window.findChild<QComboBox*>(QStringLiteral("cmbpreview"));
    combo->setCurrentIndex(combo->findText(QStringLiteral("Links2 Style")));
    emit combo->activated(combo->currentIndex());
    QCoreApplication::processEvents();
    g_preview = window.findChild<preview::PreviewSurface*>(QStringLiteral("preview"));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
