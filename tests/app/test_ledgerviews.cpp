// What the schedule views and the ledger show while loans, payments and terms
// change: the ledger's totals add up the rows on screen, and the rows asked for
// lie in view.
#include "loan/numtext.h"
#include "loan/schedule.h"
#include "mainwindowfixture.h"

using namespace LoanTerms;

namespace {

class LedgerViewsTest : public MainWindowFixture {
protected:
    // Puts a loan term on the first tab and runs Calculate.
    void enterTerm(int field, const QString &text)
    {
        show(w->termsForm());
        w->field(field)->setText(text);
        trigger("&Calculate");
    }
    Grid *schedule() const { return w->amortizationPage()->grid(); }
    Grid *ledger() const { return w->paymentsPage()->grid(); }
    // Every payment row shows the loan payment of the first tab, and the
    // totals are the four amount columns of the rows on screen, added up.
    void expectLedgerAgrees(const char *when)
    {
        SCOPED_TRACE(when);
        double sums[4] = {};
        for (int r = 1; r < ledger()->rows() - 1; ++r) {
            EXPECT_EQ(ledger()->cell(r, 2), w->field(MonthlyPayment)->text()) << r;
            for (int c = 0; c < 4; ++c)
                sums[c] += NumText::value(ledger()->cell(r, c + 2));
        }
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(w->paymentsPage()->totalLabel(c)->text(), NumText::amount(sums[c])) << c;
    }
    static bool wholeRowInView(const Grid *g, int row)
    {
        const QRect r = g->visualRect(g->gridModel()->index(row - 1, 0));
        return r.isValid() && g->viewport()->rect().contains(r);
    }
};

} // namespace

// The ledger's totals, the newest payment in view, the payments made through
// the dialog saved, then the schedule's chosen year in view with its totals.
TEST_F(LedgerViewsTest, LedgerAndScheduleFollowTheTermsAndEveryEdit)
{
    LoanFileData d = standardLoan(40, 100);
    d.firstPaymentDate = 20108;
    open("A.qhv", d);
    enterTerm(AnnualRate, "6.5"); // before the ledger was ever shown
    show(w->paymentsPage());
    expectLedgerAgrees("rate changed before the first visit");
    EXPECT_EQ(w->paymentsPage()->totalLabel(0)->text(), "25,282.80"); // 40 payments of 632.07
    EXPECT_TRUE(wholeRowInView(ledger(), 40));

    enterTerm(AnnualRate, "7"); // while the ledger is filled
    show(w->paymentsPage());
    expectLedgerAgrees("rate changed again");
    // Delete Last twice (the slots keep the payments, the file does not) and
    // Make, by their access keys.
    press(Qt::Key_L, Qt::AltModifier);
    press(Qt::Key_L, Qt::AltModifier);
    expectLedgerAgrees("after Delete Last");
    prompts.paymentDialog = [](PaymentDialog &dlg) {
        dlg.extraBox()->setText("40");
        dlg.okButton()->click();
    };
    press(Qt::Key_M, Qt::AltModifier);
    expectLedgerAgrees("after Make");
    EXPECT_EQ(w->paymentsPage()->totalLabel(2)->text(), "3,840.00");
    ASSERT_TRUE(w->saveLoan(*std::make_unique<QString>(w->document().path())));
    const auto saved = LoanFile::read(w->document().path()).data.payments;
    ASSERT_EQ(saved.size(), 39u);
    // Payment 39 as the dialog proposed it (the due date after 03/01/11) with the extra typed.
    EXPECT_EQ(saved.back(), (PaymentRecord{0, 40, "04/01/11"}));

    // Typing on the empty row below the payments stores nothing, not even in
    // the slot a deleted payment kept.
    const int empty = ledger()->rows() - 1;
    const double kept = w->payments().at(empty).extraPrincipal;
    ledger()->setFocus();
    ledger()->setCurrentCell(empty, 4);
    QTest::keyClicks(ledger(), "5000");
    QTest::keyClick(ledger(), Qt::Key_Return);
    EXPECT_EQ(w->payments().at(empty).extraPrincipal, kept);
    EXPECT_EQ(ledger()->cell(empty, 4), "");

    show(w->amortizationPage());
    trigger("&Schedule");
    AmortizationPage *page = w->amortizationPage();
    for (int year : {2038, 2020}) {
        page->yearList()->setCurrentIndex(page->yearList()->findText(QString::number(year)));
        EXPECT_TRUE(wholeRowInView(schedule(), (year - 2008) * 12)) << year; // January's row
    }
    // The totals are the chosen year's (their figures are the schedule's own test).
    const auto year = Schedule::totalsTexts(Schedule::yearTotals(page->schedule(), 360, "2020"));
    EXPECT_EQ(page->totalLabel(7)->text(), year[0]);
}

TEST_F(LedgerViewsTest, NewAndOpenLeaveNothingOfTheLoanBefore)
{
    LoanFileData b = standardLoan(3, 50);
    b.terms[MonthlyPayment] = 599.55; // saved as computed: the ledger shows it at once
    writeLoan(path("B.qhv"), b);
    open("A.qhv", standardLoan(5, 100));
    // Ctrl+O, then Ctrl+N, on the Payments tab with a schedule built: the
    // other loan's payments at once, and nothing left of the schedule. The
    // new loan's terms are empty, which locks the other tabs.
    const struct { const char *file; Qt::Key key; int tab, made, years; const char *extra3; } steps[] = {
        {"B.qhv", Qt::Key_O, 2, 3, 2, "50.00"}, {"Fresh.qhv", Qt::Key_N, 0, 0, 1, ""}};
    for (const auto &s : steps) {
        show(w->amortizationPage());
        trigger("&Schedule");
        show(w->paymentsPage());
        choose(s.file);
        prompts.answers = {QMessageBox::No}; // the loan before is not saved
        press(s.key, Qt::ControlModifier);
        ASSERT_EQ(w->payments().paymentsMade(), s.made);
        ASSERT_EQ(w->tabs()->currentIndex(), s.tab);
        EXPECT_EQ(ledger()->rows(), s.made + 2);
        EXPECT_EQ(ledger()->cell(3, 4), s.extra3);
        expectLedgerAgrees(s.file);
        EXPECT_EQ(w->paymentsPage()->yearList()->count(), s.years);
        EXPECT_EQ(schedule()->rows(), 2);
        EXPECT_EQ(w->amortizationPage()->yearList()->count(), 0);
    }
}
