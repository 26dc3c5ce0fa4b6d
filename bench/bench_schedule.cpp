// The schedule and the quote: plain arithmetic, grid texts, and the
// Amortization tab's build shown offscreen: the rows computed, then shown.
#include "app/amortizationpage.h"
#include "document/loandocument.h"
#include "controls/grid.h"
#include "loan/schedule.h"

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

} // namespace
