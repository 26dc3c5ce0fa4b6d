// The chart's figures without a window: each line is its schedule view row by
// row with the grid's remainder rule, long lines are thinned to the screen,
// and the texts say what the plan saves and what a payment stands at.
#include "loan/chartdata.h"
#include "loan/dates.h"
#include "loan/numtext.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace LoanTerms;

namespace {

ScheduleInputs loan(const QString &n = QStringLiteral("360"), ExtraPlan plan = {},
                    const QString &first = QStringLiteral("01/01/08"))
{
    ScheduleInputs in;
    LoanTerms::Texts texts;
    texts[LoanAmount] = QStringLiteral("100,000.00");
    texts[AnnualRate] = QStringLiteral("6");
    texts[NumberOfPayments] = n;
    in.terms = Terms::read(texts, first);
    in.plan = plan;
    return in;
}

const ExtraPlan kEvery100{ExtraMode::EveryPayment, 100, int16_t(1), false};

QDate dateOf(double x)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(x)).date();
}

} // namespace

TEST(ChartLines, EachViewIsItsGridRowByRow)
{
    ScheduleInputs in = loan(QStringLiteral("360"), {ExtraMode::OnePayment, 5000, int16_t(30), true});
    in.recorded = {[](int i) { return i == 2 ? 1234.56 : 25.0 * i; }, 12};
    const ChartData::Chart chart = ChartData::build(in);
    for (ScheduleView view : {ScheduleView::Contract, ScheduleView::Actual, ScheduleView::Projected}) {
        const auto table = Schedule::build(view, in);
        const ChartData::Line &line = chart.line(view);
        ASSERT_EQ(line.payments, table.result.rows) << int(view);
        for (int i = 1; i <= line.payments; ++i) {
            const ScheduleRow &row = line.rows[size_t(i)];
            ASSERT_EQ(NumText::amount(row.balance), table.grid[size_t(i)][4]) << int(view) << " row " << i;
            ASSERT_EQ(NumText::amount(row.interestToDate), table.grid[size_t(i)][5]);
            ASSERT_EQ(Dates::format(dateOf(line.x[size_t(i)])), row.dateText);
        }
        EXPECT_EQ(line.rows.back().balance, 0.0); // the remainder is paid in the last row
        EXPECT_EQ(line.totalInterest, table.rows[size_t(line.payments)].interestToDate);
    }
}

TEST(ChartSummary, SaysTheRateAndWhatThePlanChanges)
{
    // The figures are the quote's for the same plan (see the schedule's tests).
    const std::pair<ExtraPlan, const char *> cases[] = {
        {kEvery100, "With the plan: paid off 12/01/28, 108 payments sooner, 39,900.41 less interest"},
        {{ExtraMode::OnePayment, 600, int16_t(355), false},
         "With the plan: paid off 11/01/37, 1 payment sooner, 15.07 less interest"},
        {{ExtraMode::OnePayment, 100, int16_t(400), false}, // beyond the last payment
         "With the plan: paid off 12/01/37 as contracted; it saves nothing"},
        {{ExtraMode::EveryPayment, -10, int16_t(1), false},
         "With the plan: paid off 12/01/37 as contracted, 6,445.12 more interest"},
        {{ExtraMode::None, 100, int16_t(1), false},
         "No plan on the Extra Principal Quote tab: paid off 12/01/37 as contracted"},
    };
    for (const auto &[plan, text] : cases)
        EXPECT_EQ(ChartData::summary(ChartData::build(loan(QStringLiteral("360"), plan))),
                  QString("Rate 6 %. ") + text);
    // A rate typed as a fraction reads as the percentage it is; a rate change
    // that reaches the loan is pointed to.
    ScheduleInputs in = loan();
    in.terms[AnnualRate] = Term{0.065, {}};
    EXPECT_TRUE(ChartData::summary(ChartData::build(in)).startsWith("Rate 6.5 %. No plan"));
    in.changes = {{QDate(2010, 1, 1), DatedChange::Kind::Rate, 7}};
    EXPECT_TRUE(ChartData::summary(ChartData::build(in)).startsWith("Rate 6.5 % at first (see the Changes tab). No plan"));
}

TEST(ChartThinning, LongLinesKeepAboutOnePointPerPixelColumn)
{
    for (int n : {ChartData::kThinAbove, ChartData::kThinAbove + 1, 32767}) {
        const ChartData::Chart chart = ChartData::build(loan(QString::number(n)));
        const ChartData::Line &line = chart.line(ScheduleView::Contract);
        const std::vector<int> rows = ChartData::shownRows(line, line.x[1], line.x.back(), 500);
        ASSERT_EQ(rows.front(), 1);
        ASSERT_EQ(rows.back(), n);
        if (n <= ChartData::kThinAbove) {
            EXPECT_EQ(rows.size(), size_t(n));
            continue;
        }
        EXPECT_GE(rows.size(), 490u) << n;
        EXPECT_LE(rows.size(), 502u) << n;
    }
}

TEST(ChartHover, NearestPaymentAndItsFigures)
{
    const ChartData::Chart chart = ChartData::build(loan(QStringLiteral("360"), kEvery100));
    const auto &x = chart.line(ScheduleView::Contract).x;
    const double middle = (x[90] + x[91]) / 2;
    EXPECT_EQ(ChartData::nearestPayment(chart, middle - 1), 90);
    EXPECT_EQ(ChartData::nearestPayment(chart, middle + 1), 91);
    EXPECT_EQ(ChartData::nearestPayment(chart, x[1] - 1e10), 1);
    EXPECT_EQ(ChartData::nearestPayment(chart, x[360] + 1e10), 360);

    EXPECT_EQ(ChartData::hoverText(chart, 1),
              "01/01/08, payment 1\n"
              "As contracted: balance 99,900.45, interest to date 500.00\n"
              "With recorded extra principal: balance 99,900.45, interest to date 500.00\n"
              "With the planned extra principal: balance 99,800.45, interest to date 500.00");
    EXPECT_EQ(ChartData::hoverText(chart, 300).section(u'\n', 3),
              "With the planned extra principal: paid off 12/01/28");
}
