// The schedule and the quote: plain arithmetic, grid texts, and the
// Amortization tab's build shown offscreen: the rows computed, then shown.
#include "app/amortizationpage.h"
#include "document/loandocument.h"
#include "controls/grid.h"
#include "loan/chartdata.h"
#include "loan/schedule.h"
#include "storage/loanextension.h"

#include <QTemporaryDir>

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

ScheduleInputs loan(int payments)
{
    ScheduleInputs in;
    LoanTerms::Texts texts;
    texts[LoanTerms::LoanAmount] = QStringLiteral("100,000.00");
    texts[LoanTerms::AnnualRate] = QStringLiteral("6");
    texts[LoanTerms::NumberOfPayments] = QString::number(payments);
    texts[LoanTerms::TotalInterest] = QStringLiteral("115,838.45");
    in.terms = Terms::read(texts, QStringLiteral("01/15/08"));
    return in;
}

void BM_Quote(benchmark::State &state)
{
    const auto in = loan(int(state.range(0)));
    ExtraPlan plan{ExtraMode::EveryPayment, 100.0, int16_t(1), false};
    const auto rule = Schedule::ruleForQuote(ExtraMode::OnePayment, plan, RecordedExtra{});
    const double scheduled = in.terms.payment()->totalInterest; // worked out with the terms
    for (auto _ : state) {
        auto q = Schedule::quote(in.terms, rule);
        auto cells = Schedule::quoteCells(in.terms, scheduled, q);
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(BM_Quote)->Arg(360)->Arg(32767)->Unit(benchmark::kMicrosecond);

void BM_ScheduleRows(benchmark::State &state)
{
    const auto in = loan(int(state.range(0)));
    for (auto _ : state) {
        auto t = Schedule::build(ScheduleView::Contract, in);
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_ScheduleRows)->Arg(360)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_AmortizationPageBuild(benchmark::State &state)
{
    const auto in = loan(int(state.range(0)));
    LoanDocument document;
    AmortizationPage page(document);
    page.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        page.build(ScheduleView::Contract, in);
        benchmark::DoNotOptimize(page.schedule().data());
    }
}
BENCHMARK(BM_AmortizationPageBuild)->Arg(360)->Arg(32767)->Unit(benchmark::kMillisecond);

// The longest loan with and without a rate change on its first row: the
// schedule, the quote and the chart's figures (Arg 1: with the change).
void BM_RateChangeOnRowOne(benchmark::State &state, int what)
{
    ScheduleInputs in = loan(32767);
    if (state.range(0) == 1)
        in.changes = {{QDate(2008, 1, 15), DatedChange::Kind::Rate, 6.5}};
    const auto rule = Schedule::ruleForQuote(ExtraMode::OnePayment,
                                             {ExtraMode::OnePayment, 100.0, int16_t(1), false}, {});
    for (auto _ : state) {
        if (what == 0)
            benchmark::DoNotOptimize(Schedule::build(ScheduleView::Contract, in));
        else if (what == 1)
            benchmark::DoNotOptimize(Schedule::quote(in.terms, rule, in.changes));
        else
            benchmark::DoNotOptimize(ChartData::build(in));
    }
    state.SetLabel(state.range(0) == 1 ? "with the change" : "without");
}
BENCHMARK_CAPTURE(BM_RateChangeOnRowOne, schedule, 0)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RateChangeOnRowOne, quote, 1)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RateChangeOnRowOne, chart, 2)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Load (Arg 0) or save (Arg 1) through the document of a loan with 100
// dated changes and 1,600 payments.
void BM_LoadAndSave100Changes(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("Changes.qhv");
    LoanDocument document;
    document.setTerms(loan(360).terms);
    DatedChanges changes;
    for (int k = 0; k < 100; ++k)
        changes.push_back({QDate(2008, 1, 15).addMonths(3 * k),
                           k % 2 ? DatedChange::Kind::Escrow : DatedChange::Kind::Rate,
                           k % 2 ? 400.0 + k : 5.0 + k / 50.0});
    document.setChanges(changes);
    for (int k = 0; k < 1600; ++k)
        document.appendPayment({250, 0, QDate(2008, 1, 15).addMonths(k).toString("MM/dd/yy")});
    document.save(file);
    const bool save = state.range(0) == 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(save ? document.save(file) : document.load(file));
    state.SetLabel(save ? "save" : "load");
}
BENCHMARK(BM_LoadAndSave100Changes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
