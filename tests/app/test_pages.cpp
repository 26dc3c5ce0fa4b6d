// The amortization tab in the window: its schedule views against a loop of
// their own.
#include "mainwindowfixture.h"

#include "loan/numtext.h"

#include <QAbstractItemModelTester>

#include <cmath>

using namespace LoanTerms;

namespace {

// A plain loop over the loan with a given extra per row, written from the
// payment rules and independent of the program's own loop (only its cents,
// by the house rule that the number format's own test holds, are shared);
// checked against the grid's principal, interest and balance columns.
double cents(double v)
{
    return NumText::value(NumText::fixed(v, 2));
}

void expectPlainLoop(const Grid *g, const std::function<double(int)> &extra)
{
    const double loan = 100000, r = 0.06 / 12;
    const double a = cents(loan * r / (1 - std::pow(1 + r, -360)));
    double paid = 0; // principal paid so far; the balance is loan − paid
    int i = 1;
    for (; i <= 360; ++i) {
        const double owed = loan - paid, interest = cents(r * owed);
        paid += a - interest + extra(i);
        const bool last = loan - paid <= 0;
        const QStringList expected{NumText::amount(last ? owed : a - interest + extra(i)),
                                   NumText::amount(interest),
                                   NumText::amount(last ? 0 : loan - paid)};
        EXPECT_EQ(QStringList({g->cell(i, 2), g->cell(i, 3), g->cell(i, 4)}), expected) << i;
        if (last)
            break;
    }
    EXPECT_EQ(g->rows() - 1, std::min(i, 360));
}

using AmortizationTab = MainWindowFixture;

} // namespace

TEST_F(AmortizationTab, ScheduleAndLedgerModelsKeepTheModelRules)
{
    writeLoan(path("B.qhv"), standardLoan());
    open("A.qhv", standardLoan(3, 40000));
    using Tester = QAbstractItemModelTester;
    Tester schedule(w->amortizationPage()->grid()->gridModel(), Tester::FailureReportingMode::Fatal);
    Tester ledger(w->paymentsPage()->grid()->gridModel(), Tester::FailureReportingMode::Fatal);
    show(w->amortizationPage());
    trigger("&Schedule");
    trigger("&Actual"); // paid off by the third payment: a shorter schedule
    EXPECT_EQ(w->amortizationPage()->grid()->rows(), 4);
    show(w->paymentsPage());
    Grid *g = w->paymentsPage()->grid();
    trigger("Delete &Last"); // Delete Last
    EXPECT_EQ(g->rows(), 4);
    QString other = path("B.qhv");
    w->loadLoan(other); // no schedule, no payments
    EXPECT_EQ(w->amortizationPage()->grid()->rows(), 2);
    EXPECT_EQ(g->rows(), 2);
}

TEST_F(AmortizationTab, ActualAndProjectedViewsAgainstAPlainLoop)
{
    LoanFileData d = standardLoan();
    for (double extra : {250.0, 0.0, 1000.0, 75.5, 0.0, 3000.0, 500.0})
        d.payments.push_back({300, extra, "01/15/08"});
    open("Loan.qhv", d);
    show(w->paymentsPage());
    trigger("Delete &Last"); // Delete Last: its slot keeps 500.00, which adds nothing
    const PaymentsTable &table = w->payments();
    auto ledger = [&](int i) { return i <= table.paymentsMade() ? table.extraPrincipal(i) : 0.0; };
    show(w->amortizationPage());
    trigger("&Actual");
    expectPlainLoop(w->amortizationPage()->grid(), ledger);

    // 1,200.00 with every remaining payment, the ledger counting.
    show(w->quotePage());
    w->quotePage()->option(ExtraMode::EveryPayment)->click();
    w->quotePage()->amountBox()->setText("1,200");
    w->quotePage()->includeActual()->click();
    show(w->amortizationPage());
    trigger("&Projected");
    expectPlainLoop(w->amortizationPage()->grid(), [&](int i) { return ledger(i) + (i > 6 ? 1200.0 : 0.0); });
}
