// Undo and redo of every change to the loan, through the keys, with the exact
// figures on every tab after each step; the caption's "*" for a loan changed
// since it was loaded or saved, and Open asking nothing once it is undone.
#include "app/chartpage.h"
#include "mainwindowfixture.h"

#include <QLabel>

using namespace LoanTerms;

namespace {

class UndoTest : public MainWindowFixture {
protected:
    void undo() { press(Qt::Key_Z, Qt::ControlModifier); }
    void redo() { press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
    // What every tab shows of the loan: the payment, the ledger's totals, the
    // Actual view's last row and the quote.
    QStringList figures()
    {
        show(w->termsForm());
        QStringList out{w->field(MonthlyPayment)->text()};
        show(w->paymentsPage());
        for (int i = 0; i < 4; ++i)
            out << w->paymentsPage()->totalLabel(i)->text();
        show(w->amortizationPage());
        trigger("&Actual");
        const Grid *g = w->amortizationPage()->grid();
        out << QString::number(g->rows()) << g->cell(g->rows() - 1, 4);
        show(w->quotePage());
        out << w->quotePage()->grid()->cell(2, 2);
        return out;
    }
};

} // namespace

TEST_F(UndoTest, TermsPaymentsAndCellsComeBackExactlyAndGoAgain)
{
    open("Loan.qhv", standardLoan(3, 100));
    const QStringList saved = figures();

    // A rate typed and committed by Enter: one change, with the payment it made.
    show(w->termsForm());
    typeInto(w->field(AnnualRate), "6.5");
    QTest::keyClick(w->field(AnnualRate), Qt::Key_Return);
    settle();
    EXPECT_EQ(w->field(MonthlyPayment)->text(), "632.07");
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (Loan.qhv)*");
    const QStringList changed = figures();
    show(w->termsForm());
    w->field(NumberOfPayments)->setFocus();
    undo();
    EXPECT_EQ(w->field(AnnualRate)->text(), "6");
    EXPECT_TRUE(w->field(AnnualRate)->hasFocus()); // the field it changed is selected
    EXPECT_EQ(figures(), saved);
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (Loan.qhv)"); // back to the saved loan
    press(Qt::Key_Y, Qt::ControlModifier); // redo, the other way
    EXPECT_EQ(figures(), changed);

    // Typing not yet committed is the field's own to undo first.
    show(w->termsForm());
    typeInto(w->field(Price), "1");
    undo();
    EXPECT_EQ(w->field(Price)->text(), "");
    EXPECT_EQ(w->field(AnnualRate)->text(), "6.5"); // the loan's change is still there
    undo();
    EXPECT_EQ(w->field(AnnualRate)->text(), "6");

    // Make, a cell typed into, Delete Last and Delete All, each undone and redone.
    prompts.paymentDialog = [](PaymentDialog &dlg) {
        dlg.extraBox()->setText("40");
        dlg.okButton()->click();
    };
    show(w->paymentsPage());
    trigger("&Make");
    Grid *ledger = w->paymentsPage()->grid();
    ledger->setFocus();
    ledger->setCurrentCell(2, 3);
    QTest::keyClicks(ledger, "480");
    QTest::keyClick(ledger, Qt::Key_Return);
    trigger("Delete &Last");
    prompts.answers = {QMessageBox::Yes};
    trigger("Delete &All");
    QStringList steps[4];
    for (int i = 3; i >= 0; --i) {
        undo();
        steps[i] = figures();
    }
    EXPECT_EQ(steps[0], saved); // every payment back, as loaded
    EXPECT_EQ(w->document().payments().at(2).escrow, 250);
    for (int i = 1; i < 4; ++i) {
        EXPECT_NE(steps[i], steps[i - 1]) << i;
        redo();
        EXPECT_EQ(figures(), steps[i]) << i;
    }
    EXPECT_EQ(w->document().payments().at(2).escrow, 480);

    // Back at the loan as saved, Open asks nothing and starts the changes anew.
    while (w->document().undoStack().canUndo())
        undo();
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (Loan.qhv)");
    writeLoan(path("Other.qhv"), standardLoan());
    prompts.messages.clear();
    choose("Other.qhv");
    w->runPictureAction(PictureAction::Open);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (Other.qhv)");
    EXPECT_EQ(w->document().undoStack().count(), 0);
}
