// The servicer's statement set beside the loan: 1,600 recorded payments
// (the most a ledger holds) against a statement whose servicer charged
// 0.125 % more than the loan says on one payment and as much less on the
// next, so that every payment runs through the findings up to the rate
// while the two balances stay close. The payments are a week apart, so that
// their two-digit years stay within the years the program reads them as.
// Arg 0: the rows and their findings; Arg 1: the same and the CSV the
// command line writes.
#include "loan/numtext.h"
#include "loan/reconciliation.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kPayments = PaymentRecord::kMaxPayments;

void BM_Reconciliation(benchmark::State &state)
{
    LoanTerms::Texts texts;
    texts[LoanTerms::LoanAmount] = QStringLiteral("260,000.00");
    texts[LoanTerms::AnnualRate] = QStringLiteral("6.25");
    texts[LoanTerms::NumberOfPayments] = QString::number(kPayments);
    ScheduleInputs in;
    in.terms = Terms::read(texts, QStringLiteral("01/01/26"));
    std::vector<PaymentRecord> ledger;
    for (int k = 0; k < kPayments; ++k)
        ledger.push_back({445, 0, QDate(2026, 1, 1).addDays(7 * k).toString("MM/dd/yy")});
    const Schedule::Table actual = Schedule::build(ScheduleView::Actual, in);

    Statement statement;
    double balance = 260000;
    for (int k = 1; k <= kPayments; ++k) {
        const double interest = NumText::roundCents(balance * (k % 2 ? 6.375 : 6.125) / 1200);
        const double principal = NumText::roundCents(actual.rows[size_t(k)].payment - interest);
        balance = NumText::roundCents(balance - principal);
        statement.lines.push_back({QDate(2026, 1, 1).addDays(7 * (k - 1)), principal, interest, 445.0,
                                   std::nullopt, std::nullopt, balance});
    }
    const StatementMatch match = Statements::match(statement, ledger);

    const bool csv = state.range(0) == 1;
    for (auto _ : state) {
        const auto report = Reconciliation::reconcile(statement, match, ledger, in, actual);
        if (csv)
            benchmark::DoNotOptimize(Reconciliation::plainTable(report).csv());
        benchmark::DoNotOptimize(report);
    }
    state.SetLabel(csv ? "with the CSV" : "rows");
}
BENCHMARK(BM_Reconciliation)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
