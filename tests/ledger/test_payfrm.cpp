// The payment dialog on its own: its controls, their order, and how Enter,
// OK, Cancel and the close box behave.
#include "controls/datebox.h"
#include "ledger/payfrm.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QWidget *buddyOf(const Payfrm &dlg, const QString &labelText)
{
    for (QLabel *label : dlg.findChildren<QLabel *>())
        if (label->text() == labelText)
            return label->buddy();
    return nullptr;
}

void showActive(Payfrm &dlg)
{
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
}

} // namespace

TEST(PaymentDialog, FreshDialogOffersItsBoxesInOrder)
{
    Payfrm dlg;
    EXPECT_EQ(dlg.windowTitle(), "Payment");
    EXPECT_EQ(dlg.result(), "Cancel");
    EXPECT_EQ(buddyOf(dlg, "Date:"), dlg.findChild<DateBox *>("MaskEdBox1"));
    EXPECT_EQ(buddyOf(dlg, "Escrow:"), dlg.findChild<QLineEdit *>("Text1_0"));
    EXPECT_EQ(buddyOf(dlg, "Extra Principal:"), dlg.findChild<QLineEdit *>("Text1_1"));
    EXPECT_EQ(dlg.okButton()->text(), "&Ok");
    EXPECT_EQ(dlg.cancelButton()->text(), "&Cancel");
    EXPECT_EQ(dlg.escrowText(), "");
    EXPECT_EQ(dlg.extraText(), "");
    // Read back with its separators, unfilled places as the prompt character.
    EXPECT_EQ(dlg.dateText(), "__/__/__");
    dlg.setDateText("05/31/08");
    EXPECT_EQ(dlg.dateText(), "05/31/08");

    QWidget *w = dlg.dateBox();
    const QList<QWidget *> expected{dlg.escrowBox(), dlg.extraBox(), dlg.okButton(),
                                    dlg.cancelButton()};
    for (QWidget *next : expected) {
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus)
            w = w->nextInFocusChain();
        EXPECT_EQ(w, next);
    }
    // Small and fixed.
    EXPECT_EQ(dlg.minimumSize(), dlg.maximumSize());
    EXPECT_LT(dlg.width(), 360);
}

TEST(PaymentDialog, EnterMovesOnLikeTabUntilTheOkButton)
{
    Payfrm dlg;
    showActive(dlg);
    dlg.dateBox()->setFocus();
    ASSERT_TRUE(dlg.dateBox()->hasFocus());
    QTest::keyClick(dlg.dateBox(), Qt::Key_Return);
    EXPECT_TRUE(dlg.escrowBox()->hasFocus());
    QTest::keyClick(dlg.escrowBox(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(dlg.extraBox()->hasFocus());
    QTest::keyClick(dlg.extraBox(), Qt::Key_Return);
    EXPECT_TRUE(dlg.okButton()->hasFocus());
    // None of those Enters closed or accepted the dialog.
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), "Cancel");
    // Enter on the focused OK button accepts.
    QTest::keyClick(dlg.okButton(), Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), "Ok");
}

TEST(PaymentDialog, BoxGainingFocusSelectsItsWholeText)
{
    Payfrm dlg;
    dlg.setEscrowText("1,250.00");
    dlg.setExtraText("87.5");
    showActive(dlg);
    dlg.dateBox()->setFocus();
    QTest::mouseClick(dlg.extraBox(), Qt::LeftButton, {}, QPoint(4, 4));
    QTRY_COMPARE(dlg.extraBox()->selectedText(), QString("87.5"));
    QTest::keyClick(dlg.extraBox(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTRY_COMPARE(dlg.escrowBox()->selectedText(), QString("1,250.00"));
    // Typing replaces the selected amount.
    QTest::keyClicks(dlg.escrowBox(), "300");
    EXPECT_EQ(dlg.escrowText(), "300");
}

TEST(PaymentDialog, OnlyTheOkButtonGivesOk)
{
    {
        Payfrm dlg;
        showActive(dlg);
        QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), "Cancel");
    }
    {
        Payfrm dlg;
        showActive(dlg);
        dlg.close(); // the close box
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), "Cancel");
    }
    {
        Payfrm dlg;
        showActive(dlg);
        QTest::keyClick(dlg.escrowBox(), Qt::Key_Escape);
        EXPECT_EQ(dlg.result(), "Cancel");
    }
    {
        Payfrm dlg;
        showActive(dlg);
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), "Ok");
    }
}
