// The Tonal Ramps window following a scheme change, against what filling its swatches' pixels
// costs at best, and a tracked move with every window that follows the scheme open.
//   build/bin/bench_ramps
// BM_SwatchFillFloor writes as many pixels as the window's 44 steps, three twins and the dark
// panel hold, one after another: the floor BM_RampsChange is read against. BM_RampsChange is
// one scheme change with the window shown: its ramps and dark twins computed and every swatch
// and text told (/0), and with the repaint of what changed (/1); goal under 0.5 ms.
// BM_TrackedMove is a pointer move on the real main window with Follow-Preview on and the
// accessibility check and the ramps open, without (repaint:0) and with (repaint:1) the
// repaints of every window; goal under 1.5 ms, also with the check showing its fixes
// (ramps:2; ramps:0 has the ramps closed). The ramps, the check's tables and its fixes follow
// at most once a display frame, so a run of moves pays for them once every 16 ms, as a
// dragging user does.
#include "BenchSupport.h"

#include "designsystem/RampsWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QRegularExpression>
#include <QTabWidget>

namespace {

QWidget* g_wheel = nullptr;
designsystem::RampsWindow* g_ramps = nullptr;
QTabWidget* g_checkTabs = nullptr;
size_t g_swatchPixels = 0;

void BM_SwatchFillFloor(benchmark::State& state) {
    bench::fillFloor(state, g_swatchPixels);
}

void BM_RampsChange(benchmark::State& state) {
    // two schemes in turn, so that every change changes every colour
    const std::vector<core::ColorRGB> schemes[2] = {
        {core::ColorRGB{204, 51, 51}, {0, 102, 51}, {51, 102, 204}},
        {core::ColorRGB{250, 240, 10}, {90, 0, 90}, {0, 200, 200}}};
    const bool repaint = state.range(0) != 0;
    size_t i = 0;
    for (auto _ : state) {
        g_ramps->setSchemeColors(schemes[i++ % 2]);
        if (repaint)
            QCoreApplication::processEvents();
        benchmark::ClobberMemory();
    }
}

void BM_TrackedMove(benchmark::State& state) {
    const bool repaint = state.range(0) != 0;
    // the same move with the ramps closed, to tell their share (0), and with the check's
    // fixes shown instead of its ratios (2)
    g_ramps->setVisible(state.range(1) != 0);
    g_checkTabs->setCurrentIndex(state.range(1) == 2 ? 2 : 0);
    QCoreApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        bench::trackedMove(g_wheel, step++);
        if (repaint)
            QCoreApplication::processEvents();
    }
    g_ramps->show();
    g_checkTabs->setCurrentIndex(0);
}

BENCHMARK(BM_SwatchFillFloor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RampsChange)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrackedMove)
    ->ArgsProduct({{0, 1}, {0, 1, 2}})
    ->ArgNames({"repaint", "ramps"})
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // as a user does: the preview following, the check and the ramps opened from Tools
    return bench::runBenchmarks(argc, argv, [](mainwindow::MainWindow& window) {
        window.findChild<QCheckBox*>(QStringLiteral("chkpreview"))->setChecked(true);
        window.findChild<QAction*>(QStringLiteral("mnuaccess"))->trigger();
        window.findChild<QAction*>(QStringLiteral("mnuramps"))->trigger();
        g_wheel = window.findChild<QWidget*>(QStringLiteral("wheel"));
        g_ramps = window.findChild<designsystem::RampsWindow*>(QStringLiteral("frmramps"));
        g_checkTabs = window.findChild<QTabWidget*>(QStringLiteral("tabcontrast"));
        if (g_ramps == nullptr || g_checkTabs == nullptr)
            return false;
        // the four ramps and the dark twin's panel
        const QRegularExpression painted(QStringLiteral("^(ramp\\d|rampneutral|darktwin)$"));
        for (const QWidget* w : g_ramps->findChildren<QWidget*>(painted))
            g_swatchPixels += size_t(w->width()) * size_t(w->height());
        return true;
    });
}
