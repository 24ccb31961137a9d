// Raster synthesis at start-up and a tracked pointer move end to end on the real window.
#include "BenchSupport.h"

#include "app/CommandLine.h"
#include "core/Wheel.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTemporaryDir>

#include <sstream>

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

/// An undo and a redo of a whole scheme (the perceptual wheel, Triad, frozen) with the
/// accessibility check and the ramps open: every window shows the state taken back, and the
/// pending repaints are processed. Goal: under 2 ms a step, beside BM_TrackedMove.
void BM_UndoRedo(benchmark::State& state) {
    mainwindow::MainWindow window;
    window.show();
    for (const char* key : {"mnuaccess", "mnuramps", "mnuperceptual"})
        window.findChild<QAction*>(QString::fromLatin1(key))->trigger();
    window.findChild<QRadioButton*>(QStringLiteral("chktype[3]"))->setChecked(true);
    QWidget* wheel = window.findChild<QWidget*>(QStringLiteral("wheel"));
    bench::trackedMove(wheel, 3);
    const QPointF at(80, 80);
    QMouseEvent press(QEvent::MouseButtonPress, at, wheel->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(wheel, &press);
    QAction* undo = window.findChild<QAction*>(QStringLiteral("mnuundo"));
    QAction* redo = window.findChild<QAction*>(QStringLiteral("mnuredo"));
    if (!undo->isEnabled() || undo->text() != QStringLiteral("Undo Freeze at ") +
                                                  window.findChild<QLineEdit*>("txthtml2")->text())
        state.SkipWithError("the freeze was not recorded");
    for (auto _ : state) {
        undo->trigger();
        QApplication::processEvents();
        redo->trigger();
        QApplication::processEvents();
    }
    state.counters["steps"] = benchmark::Counter(2, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_UndoRedo)->Unit(benchmark::kMicrosecond);

/// Opening a saved scheme with the check and the ramps open: reading and checking the
/// document, the step, and every window showing it. Goal: under 20 ms beside the repaint.
void BM_OpenDocument(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.tokens.json"));
    // the recent documents go to a folder of the benchmark's own
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
    std::ostringstream out, err;
    app::runCommandLine({"--export", path.toStdString(), "--rule=triad", "--at=60,200"}, out, err);
    mainwindow::MainWindow window;
    window.show();
    for (const char* key : {"mnuaccess", "mnuramps"})
        window.findChild<QAction*>(QString::fromLatin1(key))->trigger();
    QAction* undo = window.findChild<QAction*>(QStringLiteral("mnuundo"));
    for (auto _ : state) {
        if (!window.openDocument(path))
            state.SkipWithError("the scheme did not open");
        QApplication::processEvents();
        state.PauseTiming();
        undo->trigger();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenDocument)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return bench::runBenchmarks(argc, argv, {});
}
