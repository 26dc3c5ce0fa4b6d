// The schedule without a window: rows to the cent, dates, years and their
// totals, the extra each view adds, and the quote.
#include "loan/dates.h"
#include "loan/numtext.h"
#include "loan/schedule.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace LoanTerms;

namespace {

ScheduleInputs loan(const QString &amount, const QString &rate, const QString &n,
                    const QString &first = QStringLiteral("01/15/08"))
{
    ScheduleInputs in;
    LoanTerms::Texts texts;
    texts[LoanAmount] = amount;
    texts[AnnualRate] = rate;
    texts[NumberOfPayments] = n;
    texts[TotalInterest] = QStringLiteral("115,838.45");
    in.terms = Terms::read(texts, first);
    return in;
}

} // namespace

TEST(ScheduleRows, ContractedLoanToTheCent)
{
    const auto t = Schedule::build(ScheduleView::Contract, loan("100,000.00", "6", "360"));
    ASSERT_EQ(t.rows.size(), 361u);
    EXPECT_EQ(t.grid[1], QStringList({"1", "01/15/08", "99.55", "500.00", "99,900.45", "500.00"}));
    EXPECT_EQ(t.grid[2], QStringList({"2", "02/15/08", "100.05", "499.50", "99,800.40", "999.50"}));
    // The last row settles the remainder, and the totals are those of the rows shown.
    EXPECT_EQ(t.grid[360], QStringList({"360", "12/15/37", "597.01", "2.99", "0.00", "115,838.45"}));
    const auto all = Schedule::yearTotals(t.rows, 360, QString());
    EXPECT_EQ(Schedule::totalsTexts(all), (std::array<QString, 4>{"100,000.00", "115,838.45", "0.00", "115,838.45"}));

    // 280,000.00 at 6.5 %: the last year's rows and "All" agree with the rows.
    const auto t2 = Schedule::build(ScheduleView::Contract, loan("280,000.00", "6.5", "360", "01/01/27"));
    EXPECT_EQ(t2.grid[360][4], "0.00");
    const auto y2056 = Schedule::totalsTexts(Schedule::yearTotals(t2.rows, 360, "2056"));
    EXPECT_EQ(QStringList({y2056[0], y2056[2]}), QStringList({"20,508.93", "0.00"}));
    EXPECT_EQ(Schedule::totalsTexts(Schedule::yearTotals(t2.rows, 360, QString()))[0], "280,000.00");

    // The rate as a fraction gives the same rows; exactly 1 is 100 percent.
    EXPECT_EQ(Schedule::build(ScheduleView::Contract, loan("100000", "0.06", "360")).grid, t.grid);
    EXPECT_EQ(Schedule::build(ScheduleView::Contract, loan("1200", "1", "12")).grid[1][3], "100.00");
}

TEST(ScheduleRows, OverpayingRowPaysTheBalanceOwedAndEndsTheList)
{
    ScheduleInputs in = loan("100,000.00", "6", "360");
    in.plan = {ExtraMode::EveryPayment, 100.0, int16_t(1), false};
    const auto t = Schedule::build(ScheduleView::Projected, in);
    EXPECT_EQ(t.result.rows, 252);
    EXPECT_TRUE(t.result.paidOff);
    EXPECT_EQ(t.grid[252][4], "0.00");
    EXPECT_TRUE(t.grid[253].isEmpty());
    EXPECT_NEAR(t.rows[252].principal, t.rows[251].balance, 1e-6);
    EXPECT_FALSE(Schedule::hasRemainder(t.result));
}

TEST(ScheduleDates, MonthsCountFromTheFirstDateOrTodayAndClampTheDay)
{
    const auto t = Schedule::build(ScheduleView::Contract, loan("1000", "6", "4", "01/31/08"));
    EXPECT_EQ(t.rows[2].dateText, "02/29/08");
    EXPECT_EQ(t.rows[3].dateText, "03/31/08"); // counted from the first date, not the row before
    EXPECT_EQ(Schedule::dateText(QDate(2099, 11, 30), 3, nullptr), "02/28/00"); // 2100: no leap year

    // A first date that is no date (here the empty mask) counts from today.
    Dates::setToday(QDate(2031, 7, 9));
    const auto fromToday = Schedule::build(ScheduleView::Contract, loan("12,000", "6", "24", "  /  /  "));
    EXPECT_EQ(fromToday.rows[1].dateText, "07/09/31");
    EXPECT_EQ(fromToday.years, QStringList({"All", "2031", "2032", "2033"}));
    Dates::setToday(QDate());
}

TEST(ScheduleYears, ListAndTotalsPerYear)
{
    const auto twelve = Schedule::build(ScheduleView::Contract, loan("12,000", "6", "12", "01/01/08"));
    EXPECT_EQ(twelve.years, QStringList({"All", "2008", "2009"}));
    const auto none = Schedule::yearTotals(twelve.rows, 12, "2009");
    EXPECT_EQ(Schedule::totalsTexts(none), (std::array<QString, 4>{"0.00", "0.00", "0.00", "0.00"}));
    // A count grown since the build, or not a 16-bit number, stays within the table.
    for (const double n : {360.0, 1e9})
        EXPECT_EQ(NumText::amount(Schedule::yearTotals(twelve.rows, n, QString()).principal), "12,000.00")
            << n;

    const auto t = Schedule::build(ScheduleView::Contract, loan("100,000.00", "6", "360", "07/15/08"));
    const auto y = Schedule::yearTotals(t.rows, 360, " 2009 "); // rows 7 to 18
    EXPECT_EQ(y.firstRow, 7);
    EXPECT_EQ(Schedule::totalsTexts(y), (std::array<QString, 4>{"1,265.30", "5,929.30", "98,129.88", "8,921.78"}));
}

TEST(ExtraRules, EachViewAndPlanAddsItsOwnExtra)
{
    // Three payments recorded with 10, 20 and 30 extra; a slot above the
    // count still holds 7 (a deleted payment) and adds nothing.
    const RecordedExtra ledger{[](int i) { return i >= 1 && i <= 3 ? 10.0 * i : i == 5 ? 7.0 : 0.0; }, 3};

    const struct {
        const char *name;
        ScheduleView view;
        ExtraPlan plan;
        std::array<double, 6> extra; // rows 1..6
    } cases[] = {
        {"contracted", ScheduleView::Contract, {ExtraMode::EveryPayment, 100, int16_t(1), true}, {0, 0, 0, 0, 0, 0}},
        {"actual", ScheduleView::Actual, {ExtraMode::EveryPayment, 100, int16_t(1), false}, {10, 20, 30, 0, 0, 0}},
        {"every payment", ScheduleView::Projected, {ExtraMode::EveryPayment, 100, int16_t(1), false}, {100, 100, 100, 100, 100, 100}},
        {"every remaining payment", ScheduleView::Projected, {ExtraMode::EveryPayment, 100, int16_t(1), true}, {10, 20, 30, 100, 100, 100}},
        {"one payment with ledger", ScheduleView::Projected, {ExtraMode::OnePayment, 100, int16_t(2), true}, {10, 120, 30, 0, 0, 0}},
        {"one payment, no number", ScheduleView::Projected, {ExtraMode::OnePayment, 100, std::nullopt, false}, {0, 0, 0, 0, 0, 0}},
        {"no plan", ScheduleView::Projected, {ExtraMode::None, 100, int16_t(1), true}, {0, 0, 0, 0, 0, 0}},
    };
    for (const auto &c : cases) {
        const auto rule = Schedule::ruleForView(c.view, c.plan, ledger);
        for (int i = 1; i <= 6; ++i)
            EXPECT_DOUBLE_EQ(rule(i), c.extra[size_t(i - 1)]) << c.name << " row " << i;
    }
}

TEST(Quote, PlansAgainstTheSchedule)
{
    const auto in = loan("100,000.00", "6", "360");
    const std::pair<ExtraPlan, QStringList> cases[] = { // scheduled, projected, difference: n, interest
        {{ExtraMode::EveryPayment, 100, int16_t(1), false}, {"360", "252", "108", "115,838.45", "75,938.04", "39,900.41"}},
        {{ExtraMode::OnePayment, 100, int16_t(1), false}, {"360", "360", "0", "115,838.45", "115,339.42", "499.03"}},
        {{ExtraMode::OnePayment, 100, int16_t(400), false}, {"360", "360", "0", "115,838.45", "115,838.45", "0.00"}},
        {{ExtraMode::None, 100, int16_t(1), false}, {"360", "360", "0", "115,838.45", "115,838.45", "0.00"}},
    };
    for (const auto &[plan, expected] : cases) {
        const auto q = Schedule::quote(in.terms, Schedule::ruleForQuote(plan.mode, plan, RecordedExtra{}));
        const auto cells = Schedule::quoteCells(in.terms, in.terms.payment()->totalInterest, q);
        EXPECT_EQ(QStringList(cells.begin(), cells.end()), expected);
    }

    // The plan's amount is read whole, as the chart and the Projected view read it.
    const auto house = loan("280,000.00", "6.5", "360", "01/01/27");
    const ExtraPlan tenThousand{ExtraMode::OnePayment, *Schedule::planAmount("$10,000"), int16_t(1), false};
    const auto hq = Schedule::quote(house.terms, Schedule::ruleForQuote(tenThousand.mode, tenThousand, {}));
    const auto contract = Schedule::quote(house.terms, {});
    EXPECT_EQ(contract.payments - hq.payments, 35);
    EXPECT_EQ(NumText::amount(contract.interest - hq.interest), "53,217.23");
    for (const char *bad : {"10k", "100,5", "1,,000", "-5", "1000000000", "1e5"})
        EXPECT_EQ(Schedule::planAmount(bad), std::nullopt) << bad;

    // A fraction of a payment adds no row; the difference is as exact as n.
    const auto fraction = loan("100,000.00", "6", "360.6");
    const auto fq = Schedule::quoteCells(fraction.terms, 0, Schedule::quote(fraction.terms, {}));
    EXPECT_EQ(QStringList(fq.begin(), fq.begin() + 3), QStringList({"360.6", "360", "0.6"}));
    const auto ft = Schedule::build(ScheduleView::Contract, fraction);
    ASSERT_EQ(ft.rows.size(), 361u); // the last row pays the remainder
    EXPECT_EQ(QStringList({ft.grid[360][2], ft.grid[360][4]}), QStringList({"956.38", "0.00"}));
    // Its last whole row pays the remainder: 1.5 payments are one of it all.
    const auto half = Schedule::build(ScheduleView::Contract, loan("100,000.00", "6", "1.5"));
    ASSERT_EQ(half.rows.size(), 2u);
    EXPECT_EQ(QStringList({half.grid[1][2], half.grid[1][4]}), QStringList({"100,000.00", "0.00"}));

    // The longest loan runs every row.
    const auto longest = loan("100,000.00", "6", "32767");
    const auto q = Schedule::quote(longest.terms, {});
    const auto t = Schedule::build(ScheduleView::Contract, longest);
    EXPECT_EQ(q.payments, 32767);
    EXPECT_EQ(NumText::amount(q.interest), NumText::amount(t.rows[32767].interestToDate));
}
