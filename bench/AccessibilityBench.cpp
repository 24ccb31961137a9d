// The accessibility window following a scheme change, against what writing its pictures'
// pixels costs at best.
//   build/bin/bench_accessibility
// BM_SequentialFillFloor writes as many pixels as the four simulated pictures hold, one
// after another: the floor that BM_SchemeChangeWindowOpen (goal: within 3 times it, and
// under 0.5 ms) is read against. BM_SchemeChangeWindowOpen is one scheme change with the
// window shown over "Links2 Style": new swatch colours (contrast table, APCA, simulated
// pairs) and the preview's new list colours (four pictures). BM_TrackedMoveWindowOpen is
// the whole road of a pointer move on the real main window with Follow-Preview on and the
// window open: rule, fields, lines, preview and the window's update (repaints not included;
// the window's pictures, tables and fixes follow once a display frame, not at every move).

#include "BenchSupport.h"

#include "accessibility/AccessibilityWindow.h"
#include "preview/PreviewSurface.h"

#include <QAction>
#include <QCheckBox>

namespace {

QWidget* g_wheel = nullptr;
accessibility::AccessibilityWindow* g_access = nullptr;

void BM_SequentialFillFloor(benchmark::State& state) {
    bench::fillFloor(state, size_t(4) * preview::PreviewSurface::kDrawWidth *
                                preview::PreviewSurface::kDrawHeight);
}

void BM_SchemeChangeWindowOpen(benchmark::State& state) {
    // two schemes in turn, so that every change changes every colour
    const std::array<QRgb, 3> schemes[2] = {
        {qRgb(204, 51, 51), qRgb(0, 102, 51), qRgb(51, 102, 204)},
        {qRgb(250, 240, 10), qRgb(90, 0, 90), qRgb(0, 200, 200)}};
    size_t i = 0;
    for (auto _ : state) {
        const std::array<QRgb, 3>& scheme = schemes[i++ % 2];
        g_access->setSchemeColors(scheme);
        // the preview paints list 1 with colour 1, list 2 with colour 3 and list 3 with colour 2
        g_access->setPreviewPaint(std::array<QRgb, 3>{scheme[0], scheme[2], scheme[1]});
        // what the window does once a frame, done here for every change
        g_access->showLatest();
        benchmark::ClobberMemory();
    }
}

void BM_TrackedMoveWindowOpen(benchmark::State& state) {
    int step = 0;
    for (auto _ : state)
        bench::trackedMove(g_wheel, step++);
}

BENCHMARK(BM_SequentialFillFloor);
BENCHMARK(BM_TrackedMoveWindowOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SchemeChangeWindowOpen);

} // namespace

int main(int argc, char** argv) {
    // as a user does: the preview following, the check opened from Tools
    return bench::runBenchmarks(argc, argv, [](mainwindow::MainWindow& window) {
        window.findChild<QCheckBox*>(QStringLiteral("chkpreview"))->setChecked(true);
        window.findChild<QAction*>(QStringLiteral("mnuaccess"))->trigger();
        g_wheel = window.findChild<QWidget*>(QStringLiteral("wheel"));
        g_access =
            window.findChild<accessibility::AccessibilityWindow*>(QStringLiteral("frmaccess"));
        return g_access != nullptr;
    });
}
