// The site preview following the scheme: its page painted, and a tracked move with it open.
//   build/bin/bench_sitepreview
// BM_SitePage paints one page (both pages in light and dark are two of these) at 1x or 2x,
// as it is (simulation -1) or seen with a colour-vision deficiency (0..3), against filling as
// many pixels (BM_SitePageFloor). BM_SiteChange is one scheme change shown: the roles derived
// for light and dark, every element's words and marks, the table, and (repaint:1) both pages
// painted anew. BM_TrackedMove is a pointer move on the real main window with the site
// preview open, its repaints processed; it sits beside the tracked move of bench_wheel.
// Goal for all but the floor: well within one display frame (16 ms), so the preview follows
// a dragging user at every frame.
#include "BenchSupport.h"

#include "sitepreview/PageView.h"
#include "sitepreview/SitePreviewWindow.h"

#include <QAction>

namespace {

QWidget* g_wheel = nullptr;
sitepreview::SitePreviewWindow* g_site = nullptr;

sitepreview::RoleColors sampleColors(int variant) {
    sitepreview::RoleColors colors{};
    for (size_t k = 0; k < colors.size(); ++k)
        colors[k] = qRgb(int(k * 19 + variant) % 256, int(k * 37) % 256, int(k * 53) % 256);
    return colors;
}

void BM_SitePageFloor(benchmark::State& state) {
    const QSize size = sitepreview::pageSize() * state.range(0);
    bench::fillFloor(state, size_t(size.width()) * size_t(size.height()));
}

void BM_SitePage(benchmark::State& state) {
    const qreal ratio = qreal(state.range(0));
    const std::optional<colorscience::Simulation> simulation =
        state.range(1) < 0 ? std::nullopt
                           : std::optional(static_cast<colorscience::Simulation>(state.range(1)));
    const std::vector<bool> failing(sitepreview::pageElements().size(), false);
    int variant = 0;
    for (auto _ : state) {
        QImage picture =
            sitepreview::pagePicture(sampleColors(variant++ % 2), ratio, simulation, failing);
        benchmark::DoNotOptimize(picture.constBits());
    }
}

void BM_SiteChange(benchmark::State& state) {
    const std::vector<core::ColorRGB> schemes[2] = {
        {core::ColorRGB{204, 51, 51}, {0, 102, 51}, {51, 102, 204}},
        {core::ColorRGB{250, 240, 10}, {90, 0, 90}, {0, 200, 200}}};
    const bool repaint = state.range(0) != 0;
    size_t i = 0;
    for (auto _ : state) {
        g_site->showRoles(colorscience::deriveRoles(schemes[i++ % 2]));
        if (repaint)
            for (colorscience::Theme t : {colorscience::Theme::Light, colorscience::Theme::Dark})
                g_site->page(t)->repaint();
        benchmark::ClobberMemory();
    }
}

void BM_TrackedMove(benchmark::State& state) {
    int step = 0;
    for (auto _ : state) {
        bench::trackedMove(g_wheel, step++);
        QCoreApplication::processEvents();
    }
}

BENCHMARK(BM_SitePageFloor)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SitePage)
    ->ArgsProduct({{1, 2}, {-1, 0, 3}})
    ->ArgNames({"scale", "simulation"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SiteChange)->Arg(0)->Arg(1)->ArgName("repaint")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrackedMove)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return bench::runBenchmarks(argc, argv, [](mainwindow::MainWindow& window) {
        window.findChild<QAction*>(QStringLiteral("mnusite"))->trigger();
        g_wheel = window.findChild<QWidget*>(QStringLiteral("wheel"));
        g_site = window.findChild<sitepreview::SitePreviewWindow*>(QStringLiteral("frmsite"));
        return g_wheel != nullptr && g_site != nullptr;
    });
}
