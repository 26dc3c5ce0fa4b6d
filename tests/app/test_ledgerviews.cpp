// What the schedule views, the quote and the ledger show while loans,
// payments and terms change: only recorded payments count, the ledger's
// totals add up the rows on screen, a fractional number of payments, and the
// rows asked for lie in view.
#include "app/amortizationpage.h"
#include "app/mainwindow.h"
#include "app/quotepage.h"
#include "controls/grid.h"
#include "ledger/paymentdialog.h"
#include "ledger/paymentspage.h"
#include "loan/numtext.h"
#include "mainwindowfixture.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace LoanTerms;

namespace {

class LedgerViewsTest : public MainWindowFixture {
protected:
    // The standard loan with its computed terms stored as well, so that a
    // calculation changes nothing in it.
    static LoanFileData computedLoan(int payments = 0, double extra = 0)
    {
        LoanFileData d = standardLoan(payments, extra);
        d.terms[MonthlyPayment] = 599.55;
        d.terms[TotalInterest] = 115838.45;
        d.terms[TotalMonthlyPayment] = 599.55;
        d.terms[LastPayment] = 600;
        return d;
    }
    void open(const QString &name, const LoanFileData &d)
    {
        writeLoan(path(name), d);
        w = start(path(name));
    }
    void settle()
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !w->hasDeferredWork(); }));
    }
    void showTab(int tab)
    {
        w->tabs()->setCurrentIndex(tab);
        settle();
    }
    void command(int index)
    {
        w->commandButton(index)->click();
        settle();
    }
    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), mods);
        settle();
    }
    // Types into a loan-term field and presses Enter, which calculates.
    void enterTerm(int field, const QString &text)
    {
        showTab(0);
        QLineEdit *e = w->field(field);
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
        settle();
    }
    void retype(QLineEdit *box, const QString &text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    Grid *schedule() const { return w->amortizationPage()->grid(); }
    Grid *ledger() const { return w->paymentsPage()->grid(); }
    QStringList scheduleCells() const
    {
        QStringList out;
        for (int r = 1; r < schedule()->rows(); ++r)
            for (int c = 0; c < 6; ++c)
                out << schedule()->cell(r, c);
        return out;
    }
    QStringList quoteCells() const
    {
        QStringList out;
        for (int r = 1; r <= 2; ++r)
            for (int c = 1; c <= 3; ++c)
                out << w->quotePage()->grid()->cell(r, c);
        return out;
    }
    QStringList ledgerTotals() const
    {
        QStringList out;
        for (int i = 0; i < 4; ++i)
            out << w->paymentsPage()->totalLabel(i)->text();
        return out;
    }
    // The four amount columns of the payment rows the grid shows, added up.
    QStringList ledgerRowSums() const
    {
        double sums[4] = {};
        for (int r = 1; r < ledger()->rows() - 1; ++r)
            for (int c = 0; c < 4; ++c)
                sums[c] += NumText::value(ledger()->cell(r, c + 2));
        QStringList out;
        for (double s : sums)
            out << NumText::amount(s);
        return out;
    }
    // Every payment row shows the loan payment of the first tab, and the
    // totals are those of the rows.
    void expectLedgerAgrees(const char *when)
    {
        SCOPED_TRACE(when);
        for (int r = 1; r < ledger()->rows() - 1; ++r)
            EXPECT_EQ(ledger()->cell(r, 2), w->field(MonthlyPayment)->text()) << r;
        EXPECT_EQ(ledgerTotals(), ledgerRowSums());
    }
    static bool wholeRowInView(const Grid *g, int row)
    {
        const QRect r = g->visualRect(g->gridModel()->index(row - 1, 0));
        return r.isValid() && g->viewport()->rect().contains(r);
    }

    MainWindow *w = nullptr;
};

} // namespace

TEST_F(LedgerViewsTest, OnlyRecordedPaymentsCountInTheActualViewAndTheQuote)
{
    writeLoan(path("B.qhv"), computedLoan());
    open("A.qhv", computedLoan(5, 1000));
    showTab(3);
    w->quotePage()->includeActual()->click();
    showTab(1);
    command(1);
    EXPECT_EQ(schedule()->cell(1, 2), "1,099.55");
    EXPECT_EQ(schedule()->rows() - 1, 316);

    // Deleted payments keep their slots, but count no more.
    showTab(2);
    prompts.answers = {QMessageBox::Yes};
    command(2);
    showTab(1);
    command(0);
    const QStringList contract = scheduleCells();
    ASSERT_EQ(contract.size(), 360 * 6);
    command(1);
    EXPECT_EQ(scheduleCells(), contract);

    // Another loan without payments: its Actual view is its schedule, and
    // "Include actual payments data" adds nothing to the plan.
    QString b = path("B.qhv");
    ASSERT_TRUE(w->loadLoan(b));
    showTab(1);
    command(1);
    EXPECT_EQ(scheduleCells(), contract);
    command(2);
    const QStringList projectedWithLedger = scheduleCells();
    showTab(3);
    ASSERT_TRUE(w->quotePage()->includeActual()->isChecked());
    const QStringList quoteWithLedger = quoteCells();
    w->quotePage()->includeActual()->click();
    settle();
    EXPECT_EQ(quoteCells(), quoteWithLedger);
    showTab(1);
    command(2);
    EXPECT_EQ(scheduleCells(), projectedWithLedger);
}

TEST_F(LedgerViewsTest, TypingOnTheEmptyRowStoresNothing)
{
    open("A.qhv", computedLoan(2));
    showTab(2);
    ledger()->setFocus();
    ledger()->setCurrentCell(3, 4);
    QTest::keyClicks(ledger(), "5000");
    QTest::keyClick(ledger(), Qt::Key_Return);
    EXPECT_EQ(w->payments().paymentsMade(), 2);
    EXPECT_EQ(w->payments().at(3).extraPrincipal, 0.0);
    EXPECT_EQ(ledger()->cell(3, 4), "");
    EXPECT_EQ(ledgerTotals()[2], "0.00");
}

TEST_F(LedgerViewsTest, LedgerTotalsFollowTheTermsAndEveryEdit)
{
    open("A.qhv", computedLoan(4, 100));
    enterTerm(AnnualRate, "6.5"); // before the ledger was ever shown
    ASSERT_EQ(w->field(MonthlyPayment)->text(), "632.07");
    showTab(2);
    expectLedgerAgrees("rate changed before the first visit");
    EXPECT_EQ(ledgerTotals()[0], "2,528.28");

    enterTerm(AnnualRate, "7"); // while the ledger is filled
    showTab(2);
    expectLedgerAgrees("rate changed again");

    w->paymentsPage()->runDialog = [](PaymentDialog &dlg) {
        dlg.extraBox()->setText("40");
        dlg.okButton()->click();
    };
    command(0);
    expectLedgerAgrees("after Make");
    command(1);
    expectLedgerAgrees("after Delete Last");
    ledger()->setFocus();
    ledger()->setCurrentCell(2, 3);
    QTest::keyClick(ledger(), Qt::Key_Delete);
    QTest::keyClicks(ledger(), "75");
    QTest::keyClick(ledger(), Qt::Key_Return);
    expectLedgerAgrees("after an edit");
    EXPECT_EQ(ledgerTotals()[1], "825.00");
}

TEST_F(LedgerViewsTest, NewAndOpenLeaveNothingOfTheLoanBefore)
{
    writeLoan(path("B.qhv"), computedLoan(3, 50));
    open("A.qhv", computedLoan(5, 100));
    showTab(1);
    command(0);
    showTab(2);
    ASSERT_EQ(ledger()->rows(), 7);

    // Ctrl+O on the Payments tab: the other loan's payments at once.
    prompts.fileResults.push_back({true, path("B.qhv"), 1});
    press(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(w->payments().paymentsMade(), 3);
    ASSERT_EQ(w->tabs()->currentIndex(), 2);
    EXPECT_EQ(ledger()->rows(), 5);
    EXPECT_EQ(ledger()->cell(3, 4), "50.00");
    expectLedgerAgrees("after Open");
    EXPECT_EQ(schedule()->rows(), 2);
    EXPECT_EQ(schedule()->cell(1, 2), "");
    EXPECT_EQ(w->amortizationPage()->yearList()->count(), 0);
    EXPECT_FALSE(w->viewOutline(0)->isVisible());

    showTab(1);
    command(0);
    showTab(2);
    prompts.fileResults.push_back({true, path("Fresh.qhv"), 1});
    press(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(w->payments().paymentsMade(), 0);
    EXPECT_EQ(ledger()->rows(), 2);
    EXPECT_EQ(ledgerTotals(), QStringList(4, "0.00"));
    EXPECT_EQ(w->paymentsPage()->yearList()->count(), 1);
    EXPECT_EQ(schedule()->rows(), 2);
    EXPECT_EQ(w->amortizationPage()->yearList()->count(), 0);
}

TEST_F(LedgerViewsTest, FractionalNumberOfPaymentsEndsWithTheRemainder)
{
    const struct { double n; int rows; const char *remainder, *scheduled, *difference; } cases[] = {
        {360.6, 360, "361.97", "360.6", "0.6"},
        {1.5, 1, "33,416.49", "1.5", "0.5"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.scheduled);
        LoanFileData d = standardLoan();
        d.terms[NumberOfPayments] = c.n;
        open("F.qhv", d);
        showTab(1);
        command(0);
        ASSERT_EQ(schedule()->rows(), c.rows + 1);
        EXPECT_EQ(schedule()->cell(c.rows, 4), "0.00");
        // "All" keeps the remainder as the final balance, beside the
        // principal of every row and all their interest.
        const AmortizationPage *page = w->amortizationPage();
        EXPECT_EQ(page->totalLabel(5)->text(), c.remainder);
        const double principal = NumText::value(page->totalLabel(7)->text());
        EXPECT_EQ(NumText::amount(principal + NumText::value(c.remainder)), "100,000.00");
        EXPECT_EQ(page->totalLabel(4)->text(), schedule()->cell(c.rows, 5));
        showTab(3);
        EXPECT_EQ(quoteCells().mid(0, 3),
                  QStringList({c.scheduled, QString::number(c.rows), c.difference}));
    }
}

TEST_F(LedgerViewsTest, TermsWithoutAWholePaymentOrAFinitePaymentLockTheTabs)
{
    open("A.qhv", computedLoan());
    ASSERT_TRUE(w->tabs()->isTabEnabled(1));
    const std::pair<int, const char *> cases[] = {
        {NumberOfPayments, "0.5"}, {NumberOfPayments, "360"},
        {AnnualRate, "0.0000000000000001"}, {AnnualRate, "6"}};
    for (const auto &[field, text] : cases) {
        enterTerm(field, text);
        const bool valid = QString(text) == "360" || QString(text) == "6";
        EXPECT_EQ(w->tabs()->isTabEnabled(1), valid) << text;
        EXPECT_EQ(w->commandButton(0)->isEnabled(), valid) << text;
    }
}

TEST_F(LedgerViewsTest, NewestPaymentLiesWhollyInView)
{
    // Make #20 and #30.
    for (int made : {19, 29}) {
        open("Made.qhv", computedLoan(made));
        showTab(2);
        w->paymentsPage()->runDialog = [](PaymentDialog &dlg) { dlg.okButton()->click(); };
        command(0);
        ASSERT_EQ(w->payments().paymentsMade(), made + 1);
        EXPECT_TRUE(wholeRowInView(ledger(), made + 1)) << made + 1;
    }
    // On arrival with 40, and after Delete Last.
    open("Forty.qhv", computedLoan(40));
    showTab(2);
    EXPECT_TRUE(wholeRowInView(ledger(), 40));
    command(1);
    EXPECT_TRUE(wholeRowInView(ledger(), 39));
}

TEST_F(LedgerViewsTest, ChosenYearsFirstRowLiesWhollyInView)
{
    LoanFileData d = computedLoan();
    d.firstPaymentDate = 20108;
    open("A.qhv", d);
    showTab(1);
    command(0);
    QComboBox *years = w->amortizationPage()->yearList();
    for (const char *year : {"2038", "2037", "2020"}) {
        years->setCurrentIndex(years->findText(year));
        const int first = (QString(year).toInt() - 2008) * 12; // January's row
        EXPECT_TRUE(wholeRowInView(schedule(), first)) << year;
    }
}

TEST_F(LedgerViewsTest, OnePaymentNumberRoundsHalvesToEven)
{
    open("A.qhv", computedLoan());
    showTab(3);
    QuotePage *quote = w->quotePage();
    ASSERT_TRUE(quote->option(ExtraMode::OnePayment)->isChecked());
    for (const auto &[half, even] : {std::pair{"2.5", "2"}, {"4.5", "4"}}) {
        retype(quote->paymentBox(), even);
        const QStringList expected = quoteCells();
        retype(quote->paymentBox(), half);
        EXPECT_EQ(quoteCells(), expected) << half;
        EXPECT_EQ(quote->spinner()->value(), QString(even).toInt()) << half;
    }
}
