// Resizing the main window while the longest schedule (32,767 rows) is shown
// on the Amortization tab: one step of a drag, from the new size asked for to
// the window laid out and painted again.
#include "app/amortizationpage.h"
#include "app/mainwindow.h"
#include "benchloan.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

void BM_ResizeStepWithLongestSchedule(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Longest.qhv");
    writeBenchLoan(file, 0, 32767);
    MainWindow w;
    w.setStartFile(file);
    w.show();
    while (!w.windowTitle().contains("Longest.qhv"))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    w.tabs()->setCurrentIndex(1);
    while (w.hasDeferredWork())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    w.amortizationPage()->build(ScheduleView::Contract);

    // To and fro between the designed size and 1100 × 800, 16 px a step, as
    // a corner dragged with the mouse.
    const QSize small(493, 399), large(1100, 800);
    int step = 0, direction = 1;
    double slowest = 0;
    for (auto _ : state) {
        step += direction;
        const QSize target = (small + QSize(16, 16) * step).boundedTo(large);
        if (target == large || step == 0)
            direction = -direction;
        QElapsedTimer clock;
        clock.start();
        w.resize(target);
        while (w.size() != target)
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        w.repaint();
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        slowest = std::max(slowest, seconds);
        state.SetIterationTime(seconds);
    }
    // Each step must stay smooth, not only the average one.
    state.counters["slowest_ms"] = slowest * 1e3;
}
BENCHMARK(BM_ResizeStepWithLongestSchedule)->UseManualTime()->Unit(benchmark::kMillisecond)
    ->Iterations(200);

} // namespace
