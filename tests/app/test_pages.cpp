// The amortization tab as a page: its schedule views against a loop of their
// own, and a build interrupted.
#include "app/amortizationpage.h"
#include "controls/grid.h"
#include "ledger/paymentstable.h"
#include "loan/numtext.h"
#include "loan/schedule.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <gtest/gtest.h>

using namespace LoanTerms;

namespace {

// The standard loan, with the payments of `table` recorded when one is given.
ScheduleInputs inputs(const PaymentsTable *table = nullptr, const ExtraPlan &plan = {})
{
    ScheduleInputs in;
    in.texts[LoanAmount] = "100,000.00";
    in.texts[AnnualRate] = "6";
    in.texts[NumberOfPayments] = "360";
    in.texts[TotalInterest] = "115,838.45";
    in.firstPaymentDate = "01/15/08";
    in.plan = plan;
    if (table)
        in.recorded = table->recordedExtra();
    return in;
}

// A plain loop over the loan with a given extra per row, written from the
// payment rules and independent of the program's own loop; checked against
// the grid's principal, interest and balance columns.
// Cents by the house rule, written anew from it: the value as a decimal of
// 15 significant digits, that decimal rounded half away from zero. (Rounding
// v * 100 in binary gives other cents for values such as 1.005.)
double cents(double v)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", std::fabs(v));
    std::string digits(text);
    const auto dot = digits.find('.');
    std::string whole = digits.substr(0, dot);
    std::string fraction = dot == std::string::npos ? std::string() : digits.substr(dot + 1);
    fraction.resize(3, '0');
    long long hundredths = std::atoll(whole.c_str()) * 100 + std::atoi(fraction.substr(0, 2).c_str());
    if (fraction[2] >= '5')
        ++hundredths;
    return std::copysign(double(hundredths) / 100, v);
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

class AmortizationTab : public ::testing::Test {
protected:
    PaymentsTable table;
    AmortizationPage page;
    void SetUp() override
    {
        page.setupGrid();
        page.show();
    }
};

} // namespace

TEST_F(AmortizationTab, SecondRequestDuringABuildIsIgnored)
{
    QSignalSpy built(&page, &AmortizationPage::built);
    bool sawBuilding = false;
    QTimer::singleShot(0, &page, [&] { // fires from the build's own event processing
        sawBuilding = page.building();
        page.build(ScheduleView::Projected, inputs(&table, {ExtraMode::EveryPayment, 100, int16_t(1), false}));
    });
    page.build(ScheduleView::Contract, inputs(&table));
    EXPECT_TRUE(sawBuilding);
    EXPECT_EQ(built.count(), 1);
    EXPECT_EQ(page.grid()->rows(), 361); // the contracted schedule, not the plan's 252 rows
}

TEST_F(AmortizationTab, ClearedDuringABuildShowsNoSchedule)
{
    page.build(ScheduleView::Contract, inputs(&table));
    QSignalSpy built(&page, &AmortizationPage::built);
    QTimer::singleShot(0, &page, [&] { page.clear(); }); // another loan came meanwhile
    page.build(ScheduleView::Actual, inputs(&table));
    EXPECT_FALSE(page.building());
    EXPECT_EQ(built.count(), 0);
    EXPECT_EQ(page.grid()->rows(), 2); // the empty row
    EXPECT_EQ(page.yearList()->count(), 0);
    EXPECT_EQ(page.totalLabel(7)->text(), "0.00");
    EXPECT_FALSE(QApplication::overrideCursor());
    page.build(ScheduleView::Contract, inputs(&table)); // and the next build runs
    EXPECT_EQ(page.grid()->rows(), 361);
}

TEST_F(AmortizationTab, ActualAndProjectedViewsAgainstAPlainLoop)
{
    for (double extra : {250.0, 0.0, 1000.0, 75.5, 0.0, 3000.0})
        table.append({300, extra, "01/15/08"});
    table.set(8, {0, 500, "08/15/08"}); // a slot above the count: no payment, adds nothing
    auto ledger = [&](int i) { return i <= table.paymentsMade() ? table.extraPrincipal(i) : 0.0; };

    page.build(ScheduleView::Actual, inputs(&table));
    expectPlainLoop(page.grid(), ledger);
    // 1,200.00 with every remaining payment, the ledger counting.
    page.build(ScheduleView::Projected, inputs(&table, {ExtraMode::EveryPayment, 1200, int16_t(1), true}));
    expectPlainLoop(page.grid(), [&](int i) { return ledger(i) + (i > 6 ? 1200.0 : 0.0); });
}
