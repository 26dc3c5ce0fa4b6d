// The program as a user meets it: start to the first painted window with a
// loan loaded, loading and saving a loan of 1,600 payments, the longest
// schedule shown, and the peak memory of each (run each in its own process,
// see tools/measure.sh, so the peaks do not mix).
#include "app/amortizationpage.h"
#include "benchloan.h"
#include "app/mainwindow.h"
#include "ledger/paymentspage.h"
#include "document/loandocument.h"
#include "controls/grid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace LoanTerms;

namespace {

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // ru_maxrss is in kilobytes
}

// Counts paints of a window, so a benchmark can wait for the first one.
class PaintWatch : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Lets the window's start-up run until its caption names the loan file.
void waitForLoad(const MainWindow &w, const QString &name)
{
    while (!w.windowTitle().contains(name))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// From creating the main window to its first paint after the loan is loaded.
void BM_StartToFirstPaint(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Sample.qhv");
    writeBenchLoan(file, 12);
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        MainWindow w;
        w.setStartFile(file);
        PaintWatch watch;
        w.field(Price)->installEventFilter(&watch);
        w.show();
        // Loaded when the caption names the file; painted when Price repaints.
        while (!w.windowTitle().contains("Sample.qhv") || watch.paints == 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// A start with 1,600 recorded payments, the payments tab shown: peak memory.
void BM_StartWith1600Payments(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Long.qhv");
    writeBenchLoan(file, 1600);
    for (auto _ : state) {
        MainWindow w;
        w.setStartFile(file);
        w.show();
        waitForLoad(w, "Long.qhv");
        w.tabs()->setCurrentIndex(2);
        QTest::qWait(20);
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_StartWith1600Payments)->Unit(benchmark::kMillisecond)->Iterations(1);

// loadLoan and Save of a loan with 1,600 payments, through the main window.
void BM_LoadAndSave1600(benchmark::State &state)
{
    QTemporaryDir dir;
    QString file = dir.filePath("Long.qhv");
    writeBenchLoan(file, 1600);
    MainWindow w;
    w.setStartFile(dir.filePath("Other.qhv"));
    QTest::qWait(5);
    const bool save = state.range(0) == 1;
    for (auto _ : state) {
        if (save)
            w.saveLoan(file);
        else
            w.loadLoan(file);
    }
    state.SetLabel(save ? "save" : "load");
}
BENCHMARK(BM_LoadAndSave1600)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Undo, or redo, of a cell typed into on the Payments tab of a loan with 1,600
// payments: the ledger's rows and totals follow.
void BM_UndoRedoCellEdit1600(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Long.qhv");
    writeBenchLoan(file, 1600);
    MainWindow w;
    w.setStartFile(file);
    w.show();
    waitForLoad(w, "Long.qhv");
    w.tabs()->setCurrentWidget(w.paymentsPage());
    QTest::qWait(20);
    LoanDocument &document = w.document();
    PaymentRecord changed = document.payments().at(800);
    changed.escrow += 1;
    document.setPayment(800, changed);
    QUndoStack &stack = document.undoStack();
    const bool timeUndo = state.range(0) == 0;
    for (auto _ : state) {
        if (!timeUndo) {
            state.PauseTiming();
            stack.undo();
            state.ResumeTiming();
            stack.redo();
        } else {
            stack.undo();
            state.PauseTiming();
            stack.redo();
            state.ResumeTiming();
        }
    }
    state.SetLabel(timeUndo ? "undo" : "redo");
}
BENCHMARK(BM_UndoRedoCellEdit1600)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The longest schedule built and shown on the Amortization tab: time and peak memory.
void BM_LongestScheduleShown(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Longest.qhv");
    writeBenchLoan(file, 0, 32767);
    MainWindow w;
    w.setStartFile(file);
    w.show();
    waitForLoad(w, "Longest.qhv");
    w.tabs()->setCurrentIndex(1);
    QTest::qWait(5);
    for (auto _ : state) {
        w.amortizationPage()->build(ScheduleView::Contract);
        // Shown means painted: the grid formats the rows it shows only then.
        w.repaint();
        benchmark::DoNotOptimize(w.amortizationPage()->grid()->rows());
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_LongestScheduleShown)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
