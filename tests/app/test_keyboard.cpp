#include "app/frmmain.h"
#include "app/maincode.h"
#include "controls/datebox.h"
#include "controls/mybutton.h"
#include "mainwindowfixture.h"
#include "ledger/payfrm.h"
#include "ledger/paymentspage.h"
#include "storage/loanfile.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>

using namespace LoanTerms;

namespace {

class KeyboardTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        writeLoan(path("Keys.qhv"), standardLoan());
        w = start(path("Keys.qhv"));
    }
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
        // An access key clicks its button the animated way: the button stays
        // down for a moment, then clicks. Wait until no button is down and the
        // window's deferred work has run.
        ASSERT_TRUE(QTest::qWaitFor([this] {
            const auto buttons = QApplication::allWidgets();
            for (QWidget *b : buttons)
                if (auto *ab = qobject_cast<QAbstractButton *>(b); ab && ab->isDown())
                    return false;
            return !w || !w->hasDeferredWork();
        }));
    }
    void showTab(int tab)
    {
        w->SSTab1()->setCurrentIndex(tab);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !w->hasDeferredWork(); }));
    }

    frmMain *w = nullptr;
};

} // namespace

TEST_F(KeyboardTest, TabWalksTheFirstTabInReadingOrder)
{
    w->Text1(Price)->setFocus();
    QApplication::processEvents();
    std::vector<QWidget *> expected = {
        w->Text1(DownPercent), w->Text1(DownAmount), w->Text1(LoanAmount),
        w->Text1(AnnualRate), w->Text1(NumberOfPayments), w->Text1(AnnualTax),
        w->Text1(AnnualInsurance), w->MaskEdBox1(), w->Command(2), w->Command(1),
        w->Command(5), w->MyButton1(0), w->MyButton1(1), w->MyButton1(2),
        w->MyButton1(3), w->MyButton1(4)};
    for (QWidget *next : expected) {
        press(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next)
            << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "none")
            << " instead of " << next->objectName().toStdString();
    }
    // The focused picture button is outlined, and Space runs its command.
    auto *outline = w->findChild<QFrame *>("FocusOutline");
    ASSERT_TRUE(outline);
    EXPECT_TRUE(outline->isVisible());
    EXPECT_TRUE(outline->geometry().contains(w->MyButton1(4)->geometry()));
    press(Qt::Key_Space);
    EXPECT_EQ(prompts.helpContexts, std::vector<int>({0}));
}

TEST_F(KeyboardTest, EveryFieldIsFoundByItsLabel)
{
    // The label is the field's buddy, and its caption names the field.
    std::map<QWidget *, QString> captions;
    for (QLabel *l : w->findChildren<QLabel *>())
        if (l->buddy())
            captions[l->buddy()] = l->text();
    EXPECT_EQ(captions[w->Text1(Price)], "Price :");
    EXPECT_EQ(captions[w->Text1(MonthlyPayment)], "Monthly Principal && Interest :");
    EXPECT_EQ(captions[w->MaskEdBox1()], "First Payment Date :");
    for (int f : {Price, DownPercent, DownAmount, LoanAmount, AnnualRate, NumberOfPayments,
                  AnnualTax, AnnualInsurance, MonthlyPayment, MonthlyTaxInsurance,
                  TotalMonthlyPayment})
        EXPECT_FALSE(w->Text1(f)->accessibleName().isEmpty()) << f;
    EXPECT_EQ(w->Text1(AnnualRate)->accessibleName(), "Annual Percentage Rate");
    EXPECT_EQ(w->MyButton1(1)->accessibleName(), "Open File");
}

TEST_F(KeyboardTest, AccessKeysRunTheCommandsOfEachTab)
{
    w->Text1(NumberOfPayments)->setFocus();
    press(Qt::Key_H, Qt::AltModifier);
    EXPECT_EQ(prompts.helpContexts, std::vector<int>({3}));
    w->Text1(MonthlyPayment)->setText("");
    press(Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->Text1(MonthlyPayment)->text() == "599.55"; }));

    showTab(2);
    int made = 0;
    w->paymentsPage()->runDialog = [&](Payfrm &dlg) {
        ++made;
        dlg.okButton()->click();
    };
    press(Qt::Key_M, Qt::AltModifier);
    press(Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(made, 2);
    EXPECT_EQ(w->payments().paymentsMade(), 2);
    press(Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(w->payments().paymentsMade(), 1);
    press(Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(w->payments().paymentsMade(), 0);

    showTab(1);
    press(Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(w->Shape1(0)->isVisible());

    prompts.answers = {QMessageBox::Cancel};
    press(Qt::Key_E, Qt::AltModifier);
    ASSERT_FALSE(prompts.messages.empty());
    EXPECT_EQ(prompts.messages.back().text, "Would Like to save changes?");
    EXPECT_TRUE(w->isVisible());
}

TEST_F(KeyboardTest, PaymentDialogTakesItsAccessKeys)
{
    Payfrm dlg;
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    // Enter walking the boxes is the dialog's own test; here its access key.
    QTest::keyClicks(dlg.dateBox(), "020308");
    press(Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(dlg.result(), "Ok");
    EXPECT_EQ(dlg.dateBox()->value(), "02/03/08");
}
