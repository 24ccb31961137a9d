// The accessibility window following a scheme change, against what writing its pictures'
// pixels costs at best.
//   build/bin/bench_accessibility
// BM_SequentialFillFloor writes as many pixels as the four simulated pictures hold, one
// after another: the floor that BM_SchemeChangeWindowOpen (goal: within 3 times it, and
// under 0.5 ms) is read against. BM_SchemeChangeWindowOpen is one scheme change with the
// window shown over "Links2 Style", the heaviest style: new swatch colours (contrast table,
// APCA, simulated pairs) and the preview's new list colours (four pictures).
// BM_TrackedMoveWindowOpen is the whole road of a pointer move on the real main window with
// Follow-Preview on and the accessibility window open: rule, fields, lines, preview and the
// window's update (repaints not included). BM_StyleChange simulates the bare mock-up four
// times, as a style change does; BM_SchemeChangeAndRepaint adds the window's repaint on this
// platform, for reference.

#include "accessibility/AccessibilityWindow.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MenuBar.h"
#include "platform/Desktop.h"
#include "preview/Mockups.h"
#include "preview/PreviewSurface.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

/// The main window showing "Links2 Style" and the accessibility window fed from it, made and
/// ended by main().
mainwindow::MainWindow* g_window = nullptr;
accessibility::AccessibilityWindow* g_access = nullptr;

constexpr size_t kPicturePixels =
    size_t(4) * preview::PreviewSurface::kDrawWidth * preview::PreviewSurface::kDrawHeight;

/// Two schemes to alternate, so that every change changes every colour.
const std::array<QRgb, 3> kSchemes[2] = {
    {qRgb(204, 51, 51), qRgb(0, 102, 51), qRgb(51, 102, 204)},
    {qRgb(250, 240, 10), qRgb(90, 0, 90), qRgb(0, 200, 200)},
};

void BM_SequentialFillFloor(benchmark::State& state) {
    std::vector<uint32_t> pixels(kPicturePixels);
    uint32_t value = 0xFF102030u;
    for (auto _ : state) {
        std::fill_n(pixels.data(), kPicturePixels, value);
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
        value ^= 0x00010101u;
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kPicturePixels));
    state.counters["pixels"] = static_cast<double>(kPicturePixels);
}

void schemeChange(size_t i) {
    const std::array<QRgb, 3>& scheme = kSchemes[i % 2];
    g_access->setSchemeColors(scheme);
    // the preview paints list 1 with colour 1, list 2 with colour 3 and list 3 with colour 2
    g_access->setPreviewPaint(std::array<QRgb, 3>{scheme[0], scheme[2], scheme[1]});
}

void BM_SchemeChangeWindowOpen(benchmark::State& state) {
    size_t i = 0;
    for (auto _ : state) {
        schemeChange(i++);
        benchmark::ClobberMemory();
    }
    state.counters["pixels"] = static_cast<double>(kPicturePixels);
}

void BM_SchemeChangeAndRepaint(benchmark::State& state) {
    size_t i = 0;
    for (auto _ : state) {
        schemeChange(i++);
        g_access->repaint();
    }
}

void BM_StyleChange(benchmark::State& state) {
    const QImage bare =
        preview::PreviewSurface::composeDrawingArea(preview::mockupPicture("Links2"));
    for (auto _ : state) {
        g_access->setPreview(
            bare,
            g_window->findChild<preview::PreviewSurface*>(QStringLiteral("preview"))->lists());
        benchmark::ClobberMemory();
    }
}

void BM_TrackedMoveWindowOpen(benchmark::State& state) {
    QWidget* wheel = g_window->findChild<QWidget*>(QStringLiteral("wheel"));
    int step = 0;
    for (auto _ : state) {
        const QPointF p(20 + (step * 7) % 220, 20 + (step * 13) % 220);
        ++step;
        QMouseEvent move(QEvent::MouseMove, p, wheel->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(wheel, &move);
    }
}

BENCHMARK(BM_SequentialFillFloor);
BENCHMARK(BM_TrackedMoveWindowOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SchemeChangeWindowOpen);
BENCHMARK(BM_SchemeChangeAndRepaint);
BENCHMARK(BM_StyleChange);

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
    // as a user does: the heaviest style, the preview following, the check opened from Tools
    auto* styles = window.findChild<QComboBox*>(QStringLiteral("cmbpreview"));
    styles->setCurrentIndex(styles->findText(QStringLiteral("Links2 Style")));
    emit styles->activated(styles->currentIndex());
    window.findChild<QCheckBox*>(QStringLiteral("chkpreview"))->setChecked(true);
    window.findChild<mainwindow::MenuBar*>(QStringLiteral("SmartMenuXP1"))
        ->action(QStringLiteral("mnuaccess"))
        ->trigger();
    auto* access =
        window.findChild<accessibility::AccessibilityWindow*>(QStringLiteral("frmaccess"));
    if (access == nullptr)
        return 1;
    QCoreApplication::processEvents();
    g_window = &window;
    g_access = access;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
