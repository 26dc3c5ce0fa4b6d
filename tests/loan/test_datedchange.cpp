// Rate changes and recasts in the payment loop, checked against the loans
// worked out by hand; the payment a dated change applies from.
#include "loan/numtext.h"
#include "loan/schedule.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace LoanTerms;

namespace {

ScheduleInputs loan(const QString &amount, const QString &rate, DatedChanges changes)
{
    Texts texts;
    texts[LoanAmount] = amount;
    texts[AnnualRate] = rate;
    texts[NumberOfPayments] = "360";
    ScheduleInputs in;
    in.terms = Terms::read(texts, "01/01/27");
    in.changes = std::move(changes);
    return in;
}

DatedChange rate(int year, int month, double percent)
{
    return {QDate(year, month, 1), DatedChange::Kind::Rate, percent};
}

QStringList figures(const ScheduleRow &row)
{
    return {NumText::amount(row.payment), NumText::amount(row.interest),
            NumText::amount(row.principal), NumText::amount(row.balance)};
}

} // namespace

TEST(DatedChanges, ARateChangeReamortizesTheBalanceLeft)
{
    const auto t = Schedule::build(ScheduleView::Contract, loan("100,000.00", "6", {rate(2032, 1, 7.25)}));
    EXPECT_EQ(NumText::amount(t.rows[60].payment), "599.55");
    EXPECT_EQ(NumText::amount(t.rows[60].balance), "93,054.37");
    EXPECT_EQ(figures(t.rows[61]), QStringList({"672.60", "562.20", "110.40", "92,943.97"}));
    EXPECT_EQ(NumText::amount(t.rows[360].interestToDate), "137,755.84");
    EXPECT_EQ(t.grid[360][4], "0.00"); // the last row settles the remainder

    const auto two = Schedule::build(ScheduleView::Contract,
                                     loan("200,000.00", "5.5", {rate(2032, 1, 6.75), rate(2033, 1, 7.5)}));
    EXPECT_EQ(NumText::amount(two.rows[1].payment), "1,135.58");
    EXPECT_EQ(NumText::amount(two.rows[61].payment), "1,277.64");
    EXPECT_EQ(NumText::amount(two.rows[61].interest), "1,040.18");
    EXPECT_EQ(NumText::amount(two.rows[73].payment), "1,364.14");
    EXPECT_EQ(NumText::amount(two.rows[360].interestToDate), "276,342.15");
}

TEST(DatedChanges, ARecastAfterALumpSumWorksThePaymentOutOnTheActualBalance)
{
    ScheduleInputs in = loan("100,000.00", "6", {{QDate(2028, 12, 1), DatedChange::Kind::Recast, 0}});
    in.recorded = {[](int k) { return k == 24 ? 10000.0 : 0.0; }, 24};
    const auto t = Schedule::build(ScheduleView::Actual, in);
    EXPECT_EQ(NumText::amount(t.rows[24].principal), "10,111.65");
    EXPECT_EQ(NumText::amount(t.rows[24].balance), "87,468.26");
    EXPECT_EQ(NumText::amount(t.rows[25].payment), "538.04");
    EXPECT_EQ(t.result.rows, 360);
    EXPECT_EQ(NumText::amount(t.result.totalInterest), "105,169.22");
    // The contract has no lump sum, and the recast finds its own balance.
    EXPECT_EQ(NumText::amount(Schedule::build(ScheduleView::Contract, in).rows[25].payment), "599.55");
}

TEST(DatedChanges, AChangeAppliesFromTheFirstPaymentDueOnOrAfterItsDate)
{
    const QDate first(2027, 1, 31);
    const struct { QDate from; int row; } cases[] = {
        {QDate(2027, 1, 31), 1}, {QDate(2027, 2, 28), 2}, {QDate(2027, 3, 1), 3},
        {QDate(2027, 1, 30), 0}, // before the first payment: outside the loan
        {QDate(2057, 1, 1), 0},  // after the last
    };
    for (const auto &c : cases)
        EXPECT_EQ(Changes::rowOf({c.from, DatedChange::Kind::Rate, 7}, first, 360), c.row)
            << c.from.toString().toStdString();
    EXPECT_EQ(Changes::rowOf({QDate(2027, 3, 1), DatedChange::Kind::Rate, 7}, QDate(), 360), 0);
}
