// The amortization and quote tabs as pages: what they show of the schedule,
// their year filter, and how the quote controls turn into a plan.
#include "app/amortizationpage.h"
#include "app/quotepage.h"
#include "controls/grid.h"
#include "ledger/paymentstable.h"
#include "loan/numtext.h"
#include "loan/schedule.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
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

QStringList quoteCells(const QuotePage &page)
{
    QStringList out;
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            out << page.grid()->cell(r, c);
    return out;
}

// The quote tab wired as the main window wires it: a recomputation runs
// Calculate, which quotes the first selected plan.
struct QuoteHost {
    QuotePage page;
    Texts texts = inputs().texts;
    PaymentsTable table;
    int recomputed = 0;

    QuoteHost()
    {
        QObject::connect(&page, &QuotePage::recomputeRequested, &page, [this] {
            ++recomputed;
            page.quoteExtraPrincipal(page.selectedMode(), texts, table.recordedExtra());
        });
        page.show();
        page.activateWindow();
        QApplication::setActiveWindow(&page);
    }
};

// Typed over the selection: emptying the payment number first would already
// turn it into "1".
void retype(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
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

TEST_F(AmortizationTab, ShowsTheScheduleAndTheTotalsOfTheChosenYear)
{
    page.build(ScheduleView::Contract, inputs(&table));
    const Grid *g = page.grid();
    const auto expected = Schedule::build(ScheduleView::Contract, inputs(&table));
    ASSERT_EQ(g->rows(), 361);
    for (int r = 1; r <= 360; ++r)
        for (int c = 0; c < 6; ++c)
            ASSERT_EQ(g->cell(r, c), expected.grid[size_t(r)][c]) << r << "," << c;
    // "All" and each year show the schedule's totals; a year scrolls to its first row.
    const auto pageTotals = [&] {
        return std::array<QString, 4>{page.totalLabel(7)->text(), page.totalLabel(6)->text(),
                                      page.totalLabel(5)->text(), page.totalLabel(4)->text()};
    };
    EXPECT_EQ(pageTotals(), Schedule::totalsTexts(Schedule::yearTotals(expected.rows, "360", {})));
    EXPECT_EQ(page.yearList()->count(), 32);
    EXPECT_FALSE(QApplication::overrideCursor());
    page.yearList()->setCurrentIndex(3);
    EXPECT_EQ(pageTotals(), Schedule::totalsTexts(Schedule::yearTotals(expected.rows, "360", "2010")));
    EXPECT_EQ(g->topRow(), 25);
}

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
    EXPECT_FALSE(page.building());
    ASSERT_EQ(built.count(), 1);
    EXPECT_EQ(built.at(0).at(0).value<ScheduleView>(), ScheduleView::Contract);
    EXPECT_EQ(page.grid()->rows(), 361);
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

    QuoteHost quote;
    quote.table = table;
    quote.page.onTabShown(table.paymentsMade(), true);
    quote.page.option(ExtraMode::EveryPayment)->click();
    retype(quote.page.amountBox(), "1,200");
    quote.page.includeActual()->click();
    page.build(ScheduleView::Projected, inputs(&table, quote.page.plan()));
    expectPlainLoop(page.grid(), [&](int i) { return ledger(i) + (i > 6 ? 1200.0 : 0.0); });
}

TEST(QuotePage, PlansThroughTheControls)
{
    // Not computable: nothing is picked; once payments are recorded, the ledger may count.
    QuoteHost idle;
    idle.page.onTabShown(3, false);
    EXPECT_EQ(idle.page.selectedMode(), ExtraMode::None);
    EXPECT_TRUE(idle.page.includeActual()->isEnabled());

    // Computable and no payment recorded: one payment is quoted.
    QuoteHost host;
    QuotePage &page = host.page;
    page.onTabShown(0, true);
    EXPECT_FALSE(page.includeActual()->isEnabled());
    page.option(ExtraMode::EveryPayment)->click();
    EXPECT_FALSE(page.paymentBox()->isEnabled());
    page.option(ExtraMode::OnePayment)->click();
    EXPECT_TRUE(page.paymentBox()->isEnabled());

    // "10,000" counts as 10 in the quote; the Projected view reads the whole text.
    retype(page.amountBox(), "10");
    const QStringList ten = quoteCells(page);
    retype(page.amountBox(), "10,000");
    EXPECT_EQ(quoteCells(page), ten);
    EXPECT_EQ(page.plan().amount, 10000.0);

    // Not a 16-bit whole number: the previous quote stays.
    retype(page.paymentBox(), "40000");
    const QStringList before = quoteCells(page);
    retype(page.amountBox(), "5000");
    EXPECT_EQ(quoteCells(page), before);
    EXPECT_FALSE(page.plan().payment.has_value());
}

TEST(QuotePage, PaymentNumberSpinnerAndCheckBox)
{
    QuoteHost host;
    QuotePage &page = host.page;
    for (int k = 1; k <= 5; ++k)
        host.table.append({0, 0, "01/01/08"});
    page.onTabShown(5, true);

    for (const char *bad : {"", "0", "-3", "x"}) {
        retype(page.paymentBox(), "12");
        page.paymentBox()->selectAll();
        page.paymentBox()->insert(bad); // as pasted: one change
        EXPECT_EQ(page.paymentBox()->text(), "1") << bad;
        EXPECT_EQ(page.spinner()->value(), 1) << bad;
    }
    // A half rounds to the even number, in the quote and on the spinner.
    for (const auto &[half, even] : {std::pair{"2.5", "2"}, {"4.5", "4"}}) {
        retype(page.paymentBox(), even);
        const QStringList expected = quoteCells(page);
        retype(page.paymentBox(), half);
        EXPECT_EQ(quoteCells(page), expected) << half;
        EXPECT_EQ(page.spinner()->value(), QString(even).toInt()) << half;
    }

    page.includeActual()->click();
    EXPECT_EQ(page.paymentBox()->text(), "6");
    EXPECT_EQ(page.option(ExtraMode::EveryPayment)->text(), "Every remaining payment");
    retype(page.paymentBox(), "3"); // below the lower end: used as typed
    EXPECT_EQ(page.spinner()->value(), 6);
    EXPECT_EQ(page.plan().payment, int16_t(3));
    retype(page.paymentBox(), "6");
    page.includeActual()->click();
    EXPECT_EQ(page.option(ExtraMode::EveryPayment)->text(), "Every payment");
    EXPECT_EQ(page.paymentBox()->text(), "6");

    // The upper arrow raises the number, the lower one lowers it down to 1.
    QScrollBar *s = page.spinner();
    const QPoint upper(s->width() / 2, 2), lower(s->width() / 2, s->height() - 3);
    QTest::mouseClick(s, Qt::LeftButton, {}, upper);
    EXPECT_EQ(page.paymentBox()->text(), "7");
    QTest::mouseClick(s, Qt::LeftButton, {}, lower);
    EXPECT_EQ(page.paymentBox()->text(), "6");
    retype(page.paymentBox(), "1");
    QTest::mouseClick(s, Qt::LeftButton, {}, lower);
    EXPECT_EQ(page.paymentBox()->text(), "1");
}

// Enter recomputes and moves on, Tab only moves on; the payment number
// reached so keeps its caret.
TEST(QuotePage, EnterRecomputesAndMovesOn)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Tab}) {
        QuoteHost host;
        QuotePage &page = host.page;
        page.onTabShown(0, true);
        retype(page.paymentBox(), "123");
        page.paymentBox()->setCursorPosition(1);
        page.amountBox()->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([&] { return page.amountBox()->selectedText() == "100.00"; }))
            << page.amountBox()->selectedText().toStdString();
        const int before = host.recomputed;
        QTest::keyClick(page.amountBox(), key);
        ASSERT_EQ(QApplication::focusWidget(), page.paymentBox()) << key;
        EXPECT_EQ(page.paymentBox()->selectedText(), QString()) << key;
        EXPECT_EQ(page.paymentBox()->cursorPosition(), 1) << key;
        QTest::keyClick(page.paymentBox(), Qt::Key_Enter);
        EXPECT_NE(QApplication::focusWidget(), page.paymentBox());
        EXPECT_EQ(host.recomputed, before + (key == Qt::Key_Return ? 2 : 1)) << key;
        page.spinner()->setFocus(); // the spinner hands the focus to its box
        EXPECT_EQ(QApplication::focusWidget(), page.paymentBox());
    }
}
