#include "app/amortizationpage.h"
#include "app/quotepage.h"
#include "controls/grid.h"
#include "loan/dates.h"
#include "loan/numtext.h"

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
#include <gtest/gtest.h>

using namespace LoanTerms;

namespace {

Texts loanTexts()
{
    Texts t;
    t[LoanAmount] = "100,000.00";
    t[AnnualRate] = "6";
    t[NumberOfPayments] = "360";
    t[TotalInterest] = "115,838.45";
    return t;
}

ScheduleInputs inputs(const PaymentsTable *table, const ExtraPlan &plan = {},
                      const QString &first = "01/15/08")
{
    ScheduleInputs in;
    in.texts = loanTexts();
    in.firstPaymentDate = first;
    in.plan = plan;
    in.table = table;
    return in;
}

QStringList gridRow(const Grid *g, int row)
{
    QStringList out;
    for (int c = 0; c < g->cols(); ++c)
        out << g->cell(row, c);
    return out;
}

QStringList quoteCells(const QuotePage &page)
{
    QStringList out;
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            out << page.grid()->cell(r, c);
    return out;
}

// A plain loop over the loan with a given extra per row, written from the
// payment rules and independent of the program's own loop.
struct PlainRow {
    double principal, interest, balance;
};
std::vector<PlainRow> plainLoop(double loan, double annualPercent, int n,
                                const std::function<double(int)> &extra)
{
    auto cents = [](double v) { return std::round(v * 100) / 100; };
    const double r = annualPercent / 100 / 12;
    const double a = cents(loan * r / (1 - std::pow(1 + r, -n)));
    std::vector<PlainRow> rows;
    double paid = 0; // principal paid so far; the balance is loan − paid
    for (int i = 1; i <= n; ++i) {
        const double owed = loan - paid;
        const double interest = cents(r * owed);
        const double principal = a - interest + extra(i);
        paid += principal;
        if (loan - paid <= 0) {
            rows.push_back({owed, interest, 0});
            break;
        }
        rows.push_back({principal, interest, loan - paid});
    }
    return rows;
}

void expectGridMatches(const Grid *g, const std::vector<PlainRow> &expected)
{
    ASSERT_EQ(g->rows() - 1, int(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        const int row = int(i) + 1;
        EXPECT_EQ(g->cell(row, 2), NumText::amount(expected[i].principal)) << "row " << row;
        EXPECT_EQ(g->cell(row, 3), NumText::amount(expected[i].interest)) << "row " << row;
        EXPECT_EQ(g->cell(row, 4), NumText::amount(expected[i].balance)) << "row " << row;
    }
}

// The quote tab wired as the main window wires it: a recomputation runs
// Calculate, which quotes the first selected plan.
struct QuoteHost {
    QuotePage page;
    Texts texts = loanTexts();
    PaymentsTable table;
    bool command2Enabled = true;
    int recomputed = 0;

    QuoteHost()
    {
        QObject::connect(&page, &QuotePage::recomputeRequested, &page, [this] {
            ++recomputed;
            if (command2Enabled)
                page.ExtraPrn(page.selectedMode(), texts, table);
        });
        page.show();
        page.activateWindow();
        QApplication::setActiveWindow(&page);
    }
};

void retype(QLineEdit *box, const QString &text)
{
    // Typed over the selection: emptying the payment number first would
    // already turn it into "1".
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

} // namespace

TEST(AmortizationPage, ContractedScheduleFillsGridYearsAndTotals)
{
    PaymentsTable table;
    AmortizationPage page;
    page.setupGrid();
    page.show();
    QSignalSpy built(&page, &AmortizationPage::built);

    page.build(0, inputs(&table));
    const Grid *g = page.grid();
    EXPECT_EQ(g->cell(0, 1), "Date");
    EXPECT_EQ(g->cell(0, 5), "Total Interest");
    EXPECT_EQ(g->rows(), 361);
    EXPECT_EQ(gridRow(g, 1), QStringList({"1", "01/15/08", "99.55", "500.00", "99,900.45", "500.00"}));
    EXPECT_EQ(gridRow(g, 2), QStringList({"2", "02/15/08", "100.05", "499.50", "99,800.40", "999.50"}));
    EXPECT_EQ(g->cell(360, 0), "360");
    EXPECT_EQ(g->cell(360, 2), "597.01");
    EXPECT_EQ(g->cell(360, 4), "0.00");
    EXPECT_EQ(g->row(), 0);
    EXPECT_EQ(g->col(), 0);

    EXPECT_EQ(page.total(7)->text(), "99,999.55");
    EXPECT_EQ(page.total(6)->text(), "115,838.45");
    EXPECT_EQ(page.total(5)->text(), "0.45");
    EXPECT_EQ(page.total(4)->text(), "115,838.45");
    EXPECT_EQ(g->topRow(), 1);
    EXPECT_EQ(page.yearList()->count(), 32);
    EXPECT_EQ(page.yearList()->currentText(), "All");
    EXPECT_EQ(page.yearList()->itemText(31), "2038");
    EXPECT_EQ(QApplication::focusWidget(), page.yearList());
    EXPECT_FALSE(QApplication::overrideCursor());
    ASSERT_EQ(built.count(), 1);
    EXPECT_EQ(built.at(0).at(0).toInt(), 0);

    // Picking a year shows its totals and scrolls to its first payment.
    page.yearList()->setCurrentIndex(3); // 2010: rows 25..36
    const auto &rows = page.schedule();
    double principal = 0;
    for (int k = 25; k <= 36; ++k)
        principal += rows[size_t(k)].Principal;
    EXPECT_EQ(page.total(7)->text(), NumText::amount(principal));
    EXPECT_EQ(page.total(5)->text(), NumText::amount(rows[36].Balance));
    EXPECT_EQ(page.total(4)->text(), NumText::amount(rows[36].InterestToDate));
    EXPECT_EQ(g->topRow(), 25);
    // The last year lies too near the end to scroll to the top: rows − 15.
    page.yearList()->setCurrentIndex(30); // 2037: rows 349..360
    EXPECT_EQ(page.total(5)->text(), "0.45");
    EXPECT_TRUE(g->topRow() == 349 || g->topRow() == 361 - 15) << g->topRow();
}

TEST(AmortizationPage, YearWithoutRowsAndShortLoans)
{
    PaymentsTable table;
    AmortizationPage page;
    page.setupGrid();
    page.show();
    ScheduleInputs in = inputs(&table, {}, "01/01/08");
    in.texts[NumberOfPayments] = "12";
    page.build(0, in);
    EXPECT_EQ(page.yearList()->count(), 3); // All, 2008, 2009
    page.yearList()->setCurrentIndex(2);
    for (int i = 4; i <= 7; ++i)
        EXPECT_EQ(page.total(i)->text(), "0.00") << i;
    page.yearList()->setCurrentIndex(1);
    double principal = 0;
    for (int k = 1; k <= 12; ++k)
        principal += page.schedule()[size_t(k)].Principal;
    EXPECT_EQ(page.total(7)->text(), NumText::amount(principal));
    EXPECT_EQ(page.grid()->cell(12, 4), "0.00");
}

TEST(AmortizationPage, InvalidFirstDateCountsFromToday)
{
    Dates::setToday(QDate(2029, 3, 31));
    PaymentsTable table;
    AmortizationPage page;
    page.setupGrid();
    page.build(0, inputs(&table, {}, "  /  /  "));
    EXPECT_EQ(page.grid()->cell(1, 1), "03/31/29");
    EXPECT_EQ(page.grid()->cell(2, 1), "04/30/29");
    EXPECT_EQ(page.yearList()->itemText(1), "2029");
    Dates::setToday(QDate());
}

TEST(AmortizationPage, SecondRequestDuringABuildIsIgnored)
{
    PaymentsTable table;
    AmortizationPage page;
    page.setupGrid();
    page.show();
    QSignalSpy built(&page, &AmortizationPage::built);
    bool sawBuilding = false;
    // Fires from the build's own event processing.
    QTimer::singleShot(0, &page, [&] {
        sawBuilding = page.building();
        page.build(2, inputs(&table, {1, 100, int16_t(1), false}));
    });
    page.build(0, inputs(&table));
    EXPECT_TRUE(sawBuilding);
    EXPECT_FALSE(page.building());
    ASSERT_EQ(built.count(), 1);
    EXPECT_EQ(built.at(0).at(0).toInt(), 0);
    EXPECT_EQ(page.grid()->rows(), 361);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(AmortizationPage, ActualAndProjectedViewsAgainstAPlainLoop)
{
    PaymentsTable table;
    const double paid[] = {250, 0, 1000, 75.5, 0, 3000};
    for (double extra : paid)
        table.append({300, extra, "01/15/08"});
    table.set(8, {0, 500, "08/15/08"}); // a deleted payment still counts in the ledger's slot
    auto ledger = [&](int i) { return table.extraPrincipal(i); };

    AmortizationPage page;
    page.setupGrid();

    page.build(1, inputs(&table));
    expectGridMatches(page.grid(), plainLoop(100000, 6, 360, ledger));

    QuoteHost quote;
    quote.table = table;
    quote.page.onTabShown(table.paymentsMade(), true);
    quote.page.option(1)->click();
    retype(quote.page.amountBox(), "1,200");
    quote.page.includeActual()->click();
    page.build(2, inputs(&table, quote.page.plan()));
    expectGridMatches(page.grid(), plainLoop(100000, 6, 360, [&](int i) {
                          return ledger(i) + (i > 6 ? 1200.0 : 0.0);
                      }));

    quote.page.option(2)->click();
    retype(quote.page.paymentBox(), "40");
    page.build(2, inputs(&table, quote.page.plan()));
    expectGridMatches(page.grid(), plainLoop(100000, 6, 360, [&](int i) {
                          return ledger(i) + (i == 40 ? 1200.0 : 0.0);
                      }));

    quote.page.includeActual()->click();
    quote.page.option(1)->click();
    retype(quote.page.amountBox(), "100.00");
    page.build(2, inputs(&table, quote.page.plan()));
    EXPECT_EQ(page.grid()->rows(), 253);
    EXPECT_EQ(page.grid()->cell(1, 2), "199.55");
    EXPECT_EQ(page.grid()->cell(1, 4), "99,800.45");
}

TEST(QuotePage, LayoutAndFirstShow)
{
    QuoteHost host;
    QuotePage &page = host.page;
    const Grid *g = page.grid();
    EXPECT_EQ(g->objectName(), "Grid3");
    EXPECT_EQ(gridRow(g, 0), QStringList({"", "Scheduled", "Projected", "Difference"}));
    EXPECT_EQ(g->cell(1, 0), " Payments");
    EXPECT_EQ(g->cell(2, 0), " Interest");
    EXPECT_EQ(page.amountBox()->text(), "100.00");
    EXPECT_EQ(page.paymentBox()->text(), "1");
    EXPECT_EQ(page.spinner()->value(), 1);
    EXPECT_FALSE(page.includeActual()->isEnabled());
    EXPECT_EQ(page.selectedMode(), 0);

    page.onTabShown(0, true);
    EXPECT_TRUE(page.option(2)->isChecked());
    EXPECT_FALSE(page.includeActual()->isEnabled());
    EXPECT_EQ(quoteCells(page), QStringList({"360", "360", "0", "115,838.45", "115,339.42", "499.03"}));

    // Not computable: nothing is picked, and the quote is not asked for.
    QuoteHost idle;
    idle.command2Enabled = false;
    idle.page.onTabShown(3, false);
    EXPECT_EQ(idle.page.selectedMode(), 0);
    EXPECT_TRUE(idle.page.includeActual()->isEnabled());
    EXPECT_EQ(idle.page.grid()->cell(1, 2), "");
}

TEST(QuotePage, PlansThroughTheControls)
{
    QuoteHost host;
    QuotePage &page = host.page;
    page.onTabShown(0, true);

    page.option(1)->click();
    EXPECT_EQ(quoteCells(page), QStringList({"360", "252", "108", "115,838.45", "75,938.04", "39,900.41"}));
    EXPECT_FALSE(page.paymentBox()->isEnabled());
    EXPECT_FALSE(page.spinner()->isEnabled());
    EXPECT_FALSE(page.paymentLabel()->isEnabled());

    page.option(2)->click();
    EXPECT_TRUE(page.paymentBox()->isEnabled());
    EXPECT_TRUE(page.spinner()->isEnabled());
    EXPECT_TRUE(page.paymentLabel()->isEnabled());

    // "10,000" counts as 10: the same quote as typing 10.
    retype(page.amountBox(), "10");
    const QStringList ten = quoteCells(page);
    retype(page.amountBox(), "10,000");
    EXPECT_EQ(quoteCells(page), ten);
    EXPECT_EQ(page.plan().amount, 10000.0); // the Projected view reads the whole text

    // A payment number past the end adds nothing.
    retype(page.paymentBox(), "400");
    EXPECT_EQ(page.spinner()->value(), 400);
    EXPECT_EQ(quoteCells(page), QStringList({"360", "360", "0", "115,838.45", "115,838.45", "0.00"}));

    // Not a 16-bit whole number: the previous quote stays.
    // Typed key by key, 4, 40, 400 and 4000 move the spinner; 40000 is past
    // its end and leaves it.
    retype(page.paymentBox(), "40000");
    EXPECT_EQ(page.spinner()->value(), 4000);
    const QStringList before = quoteCells(page);
    retype(page.amountBox(), "5000");
    EXPECT_EQ(quoteCells(page), before);
    EXPECT_FALSE(page.plan().payment.has_value());
    retype(page.paymentBox(), "2");
    EXPECT_NE(quoteCells(page), before);
}

TEST(QuotePage, PaymentNumberSpinnerAndCheckBox)
{
    QuoteHost host;
    QuotePage &page = host.page;
    for (int k = 1; k <= 5; ++k)
        host.table.append({0, 0, "01/01/08"});
    page.onTabShown(5, true);
    ASSERT_TRUE(page.includeActual()->isEnabled());

    for (const char *bad : {"", "0", "-3", "x"}) {
        retype(page.paymentBox(), "12");
        ASSERT_EQ(page.spinner()->value(), 12);
        page.paymentBox()->selectAll();
        page.paymentBox()->insert(bad); // as pasted: one change
        EXPECT_EQ(page.paymentBox()->text(), "1") << bad;
        EXPECT_EQ(page.spinner()->value(), 1) << bad;
    }

    page.includeActual()->click();
    EXPECT_EQ(page.spinner()->minimum(), 6);
    EXPECT_EQ(page.spinner()->value(), 6);
    EXPECT_EQ(page.paymentBox()->text(), "6");
    EXPECT_EQ(page.option(1)->text(), "Every remaining payment");
    // Below the lower end the text is used as typed; the spinner stays.
    retype(page.paymentBox(), "3");
    EXPECT_EQ(page.spinner()->value(), 6);
    EXPECT_EQ(page.plan().payment, int16_t(3));

    retype(page.paymentBox(), "6");
    page.includeActual()->click();
    EXPECT_EQ(page.option(1)->text(), "Every payment");
    EXPECT_EQ(page.paymentBox()->text(), "6");
    EXPECT_EQ(page.spinner()->minimum(), 1);

    // The spinner's upper arrow raises K, its lower arrow lowers it.
    QScrollBar *s = page.spinner();
    const QPoint upper(s->width() / 2, 2), lower(s->width() / 2, s->height() - 3);
    QTest::mouseClick(s, Qt::LeftButton, {}, upper);
    EXPECT_EQ(page.paymentBox()->text(), "7");
    QTest::mouseClick(s, Qt::LeftButton, {}, lower);
    QTest::mouseClick(s, Qt::LeftButton, {}, lower);
    EXPECT_EQ(page.paymentBox()->text(), "5");
    EXPECT_EQ(s->value(), 5);
    retype(page.paymentBox(), "1");
    QTest::mouseClick(s, Qt::LeftButton, {}, lower); // already at the lower end
    EXPECT_EQ(page.paymentBox()->text(), "1");
    QTest::mouseClick(s, Qt::LeftButton, {}, upper);
    EXPECT_EQ(page.paymentBox()->text(), "2");
}

TEST(QuotePage, KeysAndFocus)
{
    QuoteHost host;
    QuotePage &page = host.page;
    page.onTabShown(0, true);

    page.paymentBox()->setFocus();
    page.amountBox()->setFocus();
    QTRY_COMPARE_WITH_TIMEOUT(page.amountBox()->selectedText(), QString("100.00"), 1000);
    EXPECT_EQ(page.amountBox()->selectedText(), "100.00");

    const int before = host.recomputed;
    QTest::keyClick(page.amountBox(), Qt::Key_Return);
    EXPECT_EQ(page.amountBox()->text(), "100.00");
    EXPECT_NE(QApplication::focusWidget(), page.amountBox());
    EXPECT_EQ(host.recomputed, before + 1);

    page.paymentBox()->setFocus();
    QTest::keyClick(page.paymentBox(), Qt::Key_Enter);
    EXPECT_NE(QApplication::focusWidget(), page.paymentBox());
    EXPECT_EQ(host.recomputed, before + 2);

    // The spinner hands the focus to its box.
    page.spinner()->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), page.paymentBox());
}
