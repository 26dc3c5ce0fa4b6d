// The loan taken out of the window: the CSV of the longest schedule, the PDF
// of a 30-year one, and a start with a file argument against one on the
// remembered loan.
#include "app/commandline.h"
#include "app/mainwindow.h"
#include "benchloan.h"
#include "controls/tableprint.h"
#include "loan/plaintable.h"
#include "loan/schedule.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace LoanTerms;

namespace {

ScheduleInputs loan(int payments)
{
    ScheduleInputs in;
    LoanTerms::Texts texts;
    texts[LoanAmount] = QStringLiteral("100,000.00");
    texts[AnnualRate] = QStringLiteral("6");
    texts[NumberOfPayments] = QString::number(payments);
    in.terms = Terms::read(texts, QStringLiteral("01/15/08"));
    return in;
}

// Arg 0: the CSV of a schedule already built (an export from the window);
// arg 1: built and written, as --csv schedule does.
void BM_ScheduleCsv(benchmark::State &state)
{
    const auto in = loan(32767);
    const Schedule::Table built = Schedule::build(ScheduleView::Contract, in);
    for (auto _ : state) {
        const QByteArray csv = state.range(0) == 0
                                   ? PlainCells::schedule(built).csv()
                                   : PlainCells::schedule(Schedule::build(ScheduleView::Contract, in)).csv();
        benchmark::DoNotOptimize(csv.size());
    }
    state.SetLabel(state.range(0) == 0 ? "from the built rows" : "with the build");
}
BENCHMARK(BM_ScheduleCsv)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The PDF of the 360-row schedule, laid out and written in memory.
void BM_SchedulePdf(benchmark::State &state)
{
    const Schedule::Table built = Schedule::build(ScheduleView::Contract, loan(360));
    PrintedTable table;
    table.heading = {QStringLiteral("Loan Amount: $100,000.00     Annual Percentage Rate: 6     "
                                    "No of Monthly Payments: 360")};
    table.title = QStringLiteral("As contracted");
    table.columns = QStringList{QString()} + PlainCells::scheduleHeader().mid(1);
    table.widths = {7, 11, 13, 13, 15, 15};
    table.rightAligned = {true, false, true, true, true, true};
    for (int i = 1; i <= built.result.rows; ++i)
        table.rows.push_back(built.grid[size_t(i)]);
    table.totals = {QStringLiteral("Total:"), QString(), QStringLiteral("99,999.55"),
                    QStringLiteral("115,838.45"), QStringLiteral("0.45"), QStringLiteral("115,838.45")};
    for (auto _ : state) {
        const QByteArray pdf = TablePrint::pdf(table, table.title);
        benchmark::DoNotOptimize(pdf.size());
    }
}
BENCHMARK(BM_SchedulePdf)->Unit(benchmark::kMillisecond);

// From creating the main window to the loan loaded, with the loan remembered
// (arg 0) or named on the command line (arg 1).
void BM_StartWithFileArgument(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Given.qhv");
    writeBenchLoan(file, 0);
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        QString start = file;
        if (state.range(0) == 1)
            CommandLine::prepareWindow({QStringLiteral("quillhaven"), file}, &start);
        MainWindow w;
        w.setStartFile(start);
        w.show();
        while (!w.windowTitle().contains(QStringLiteral("Given.qhv")))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
    state.SetLabel(state.range(0) == 1 ? "file argument" : "remembered loan");
}
BENCHMARK(BM_StartWithFileArgument)->Arg(0)->Arg(1)->UseManualTime()
    ->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
