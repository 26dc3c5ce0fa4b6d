#include "loan/dates.h"
#include "loan/numtext.h"
#include "loan/schedule.h"

#include <gtest/gtest.h>

using namespace LoanTerms;

namespace {

ScheduleInputs loan(const QString &amount, const QString &rate, const QString &n,
                    const QString &first = QStringLiteral("01/15/08"))
{
    ScheduleInputs in;
    in.texts[LoanAmount] = amount;
    in.texts[AnnualRate] = rate;
    in.texts[NumberOfPayments] = n;
    in.texts[TotalInterest] = QStringLiteral("115,838.45");
    in.firstPaymentDate = first;
    return in;
}

QString money(double v)
{
    return NumText::amount(v);
}

} // namespace

TEST(ScheduleRows, ContractedLoanToTheCent)
{
    const auto t = Schedule::build(0, loan("100,000.00", "6", "360"));
    ASSERT_EQ(t.rows.size(), 361u);
    EXPECT_EQ(t.result.rows, 360);
    EXPECT_FALSE(t.result.paidOff);

    EXPECT_EQ(t.grid[1], QStringList({"1", "01/15/08", "99.55", "500.00", "99,900.45", "500.00"}));
    EXPECT_EQ(t.grid[2], QStringList({"2", "02/15/08", "100.05", "499.50", "99,800.40", "999.50"}));
    // The grid's last row settles the remainder; the table keeps it.
    EXPECT_EQ(t.grid[360][2], "597.01");
    EXPECT_EQ(t.grid[360][4], "0.00");
    EXPECT_EQ(t.grid[360][1], "12/15/37");
    EXPECT_EQ(money(t.rows[360].Balance), "0.45");
    EXPECT_EQ(money(t.rows[360].InterestToDate), "115,838.45");

    const auto all = Schedule::yearTotals(t.rows, "360", QString());
    const auto texts = Schedule::totalsTexts(all);
    EXPECT_EQ(texts[0], "99,999.55");
    EXPECT_EQ(texts[1], "115,838.45");
    EXPECT_EQ(texts[2], "0.45");
    EXPECT_EQ(texts[3], "115,838.45");
    EXPECT_EQ(all.firstRow, 1);
}

TEST(ScheduleRows, RateAsFractionOrPercentGivesTheSameRows)
{
    const auto percent = Schedule::build(0, loan("100,000.00", "6", "360"));
    const auto fraction = Schedule::build(0, loan("100000", "0.06", "360"));
    EXPECT_EQ(percent.grid, fraction.grid);
    // A rate of exactly 1 is a fraction: 100 percent a year.
    const auto full = Schedule::build(0, loan("1200", "1", "12"));
    EXPECT_EQ(full.grid[1][3], "100.00");
}

TEST(ScheduleRows, OverpayingRowPaysTheBalanceOwedAndEndsTheList)
{
    ScheduleInputs in = loan("100,000.00", "6", "360");
    in.plan = {1, 100.0, int16_t(1), false};
    const auto t = Schedule::build(2, in);
    EXPECT_EQ(t.result.rows, 252);
    EXPECT_TRUE(t.result.paidOff);
    EXPECT_EQ(t.grid[1][2], "199.55");
    EXPECT_EQ(t.grid[1][4], "99,800.45");
    EXPECT_EQ(t.grid[252][4], "0.00");
    EXPECT_EQ(t.rows[252].Balance, 0.0);
    EXPECT_TRUE(t.rows[253].DateText.isEmpty());
    EXPECT_TRUE(t.grid[253].isEmpty());
    // The last principal is what was owed before the row.
    EXPECT_NEAR(t.rows[252].Principal, t.rows[251].Balance, 1e-6);
    // The grid's remainder rule does not apply to a paid-off loan.
    EXPECT_FALSE(Schedule::hasRemainder(t.result));
}

TEST(ScheduleDates, MonthsCountFromTheFirstDateAndClampTheDay)
{
    const auto t = Schedule::build(0, loan("1000", "6", "4", "01/31/08"));
    EXPECT_EQ(t.rows[1].DateText, "01/31/08");
    EXPECT_EQ(t.rows[2].DateText, "02/29/08");
    EXPECT_EQ(t.rows[3].DateText, "03/31/08");
    EXPECT_EQ(t.rows[4].DateText, "04/30/08");

    const QDate first(2099, 11, 30);
    int year = 0;
    EXPECT_EQ(Schedule::dateText(first, 3, &year), "02/28/00");
    EXPECT_EQ(year, 2100); // 2100 is no leap year
}

TEST(ScheduleDates, InvalidFirstDateCountsFromToday)
{
    Dates::setToday(QDate(2031, 7, 9));
    for (const QString bad : {"  /  /  ", "13/01/08", "02/30/08", ""}) {
        const auto t = Schedule::build(0, loan("12,000", "6", "24", bad));
        EXPECT_EQ(t.rows[1].DateText, "07/09/31") << bad.toStdString();
        EXPECT_EQ(t.rows[7].DateText, "01/09/32");
        EXPECT_EQ(t.years, QStringList({"All", "2031", "2032", "2033"}));
    }
    Dates::setToday(QDate());
}

TEST(ScheduleYears, ListAndTotalsPerYear)
{
    const auto twelve = Schedule::build(0, loan("12,000", "6", "12", "01/01/08"));
    EXPECT_EQ(twelve.years, QStringList({"All", "2008", "2009"}));
    const auto empty = Schedule::totalsTexts(Schedule::yearTotals(twelve.rows, "12", "2009"));
    for (const auto &text : empty)
        EXPECT_EQ(text, "0.00");
    EXPECT_EQ(Schedule::yearTotals(twelve.rows, "12", "2009").firstRow, 0);

    const auto t = Schedule::build(0, loan("100,000.00", "6", "360", "07/15/08"));
    EXPECT_EQ(t.years.size(), 32); // "All" and 31 years
    EXPECT_EQ(t.years.last(), "2038");
    // 2009: rows 7..18. Sums against the rows themselves.
    double p = 0, i = 0;
    for (int k = 7; k <= 18; ++k) {
        p += t.rows[k].Principal;
        i += t.rows[k].Interest;
    }
    const auto y = Schedule::yearTotals(t.rows, "360", " 2009 ");
    EXPECT_EQ(y.firstRow, 7);
    EXPECT_EQ(money(y.principal), money(p));
    EXPECT_EQ(money(y.interest), money(i));
    EXPECT_EQ(y.balance, t.rows[18].Balance);
    EXPECT_EQ(y.interestToDate, t.rows[18].InterestToDate);
    // Years are compared as text: "02009" is no year of the list.
    EXPECT_EQ(Schedule::yearTotals(t.rows, "360", "02009").firstRow, 0);
}

TEST(ScheduleYears, CountStaysWithinTheTable)
{
    const auto t = Schedule::build(0, loan("12,000", "6", "12", "01/01/08"));
    // A number of payments grown since the build, or not a number: the table's rows.
    for (const QString n : {"360", "abc", "99999"}) {
        const auto all = Schedule::yearTotals(t.rows, n, QString());
        EXPECT_EQ(money(all.principal), "12,000.00") << n.toStdString();
    }
    EXPECT_EQ(money(Schedule::yearTotals(t.rows, "6", QString()).principal),
              money(t.rows[1].Principal + t.rows[2].Principal + t.rows[3].Principal
                    + t.rows[4].Principal + t.rows[5].Principal + t.rows[6].Principal));
}

TEST(ExtraRules, EachViewAndPlanAddsItsOwnExtra)
{
    PaymentsTable ledger;
    for (int k = 1; k <= 3; ++k)
        ledger.append({0, 10.0 * k, "01/01/08"});
    ledger.set(5, {0, 7, "05/01/08"}); // a slot above the count is read all the same

    struct Case {
        const char *name;
        int view;
        ExtraPlan plan;
        std::array<double, 6> extra; // rows 1..6
    };
    const Case cases[] = {
        {"contracted", 0, {1, 100, int16_t(1), true}, {0, 0, 0, 0, 0, 0}},
        {"actual", 1, {1, 100, int16_t(1), false}, {10, 20, 30, 0, 7, 0}},
        {"every payment", 2, {1, 100, int16_t(1), false}, {100, 100, 100, 100, 100, 100}},
        {"every remaining payment", 2, {1, 100, int16_t(1), true}, {10, 20, 30, 100, 107, 100}},
        {"one payment", 2, {2, 100, int16_t(4), false}, {0, 0, 0, 100, 0, 0}},
        {"one payment with ledger", 2, {2, 100, int16_t(2), true}, {10, 120, 30, 0, 7, 0}},
        {"one payment, no number", 2, {2, 100, std::nullopt, false}, {0, 0, 0, 0, 0, 0}},
        {"no plan", 2, {0, 100, int16_t(1), true}, {0, 0, 0, 0, 0, 0}},
    };
    for (const auto &c : cases) {
        const auto rule = Schedule::ruleForView(c.view, c.plan, &ledger);
        for (int i = 1; i <= 6; ++i)
            EXPECT_DOUBLE_EQ(rule(i), c.extra[size_t(i - 1)]) << c.name << " row " << i;
    }
    // Slots beyond the ledger's 1600 read as 0.
    EXPECT_EQ(Schedule::ruleForView(1, {}, &ledger)(2000), 0.0);
}

TEST(Quote, PlansAgainstTheSchedule)
{
    const auto in = loan("100,000.00", "6", "360");
    struct Case {
        const char *name;
        int mode;
        ExtraPlan plan;
        std::array<const char *, 6> cells;
    };
    const Case cases[] = {
        {"every payment", 1, {0, 100, int16_t(1), false},
         {"360", "252", "108", "115,838.45", "75,938.04", "39,900.41"}},
        {"first payment", 2, {0, 100, int16_t(1), false},
         {"360", "360", "0", "115,838.45", "115,339.42", "499.03"}},
        {"past the end", 2, {0, 100, int16_t(400), false},
         {"360", "360", "0", "115,838.45", "115,838.45", "0.00"}},
        {"no plan", 0, {0, 100, int16_t(1), false},
         {"360", "360", "0", "115,838.45", "115,838.45", "0.00"}},
        {"nothing extra", 1, {0, 0, int16_t(1), false},
         {"360", "360", "0", "115,838.45", "115,838.45", "0.00"}},
    };
    for (const auto &c : cases) {
        const auto q = Schedule::quote(in.texts, Schedule::ruleForQuote(c.mode, c.plan, nullptr));
        const auto cells = Schedule::quoteCells(in.texts, q);
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(cells[size_t(k)], c.cells[size_t(k)]) << c.name << " cell " << k;
    }
}

TEST(Quote, LongestLoanRunsEveryRow)
{
    const auto in = loan("100,000.00", "6", "32767");
    const auto q = Schedule::quote(in.texts, {});
    EXPECT_EQ(q.payments, 32767);
    const auto t = Schedule::build(0, in);
    EXPECT_EQ(t.rows.size(), 32768u);
    EXPECT_EQ(t.grid[32767][0], "32767");
    EXPECT_EQ(money(q.interest), money(t.rows[size_t(t.result.rows)].InterestToDate));
}

TEST(ScheduleText, QuickAmountsMatchTheAmountFormat)
{
    // Exact cents, half cents, tiny and huge values, negatives, every grouping width.
    std::vector<double> values{0.0, -0.0, 0.004, -0.004, 0.005, -0.005, 1.005, 2.675, 99.55,
                               999.995, 1000, 99999.995, 123456789.125, 999999999.99, 1e9,
                               1e15, -1234.5, 0.45, 597.01};
    for (double v = 0.001; v < 2e9; v = v * 1.37 + 0.0007)
        values.push_back(v), values.push_back(-v);
    const auto t = Schedule::build(0, loan("100,000.00", "6", "360"));
    for (size_t i = 1; i < t.rows.size(); ++i)
        values.push_back(t.rows[i].Balance), values.push_back(t.rows[i].InterestToDate);
    for (double v : values)
        EXPECT_EQ(Schedule::money(v), NumText::amount(v)) << v;
}
