// The payment dialog on its own: Enter walks the boxes to OK, and only OK
// answers "Ok".
#include "controls/datebox.h"
#include "ledger/paymentdialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

void showActive(PaymentDialog &dlg)
{
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
}

} // namespace

TEST(PaymentDialog, EnterMovesOnLikeTabUntilTheOkButton)
{
    PaymentDialog dlg;
    showActive(dlg);
    dlg.dateBox()->setFocus();
    QTest::keyClick(dlg.dateBox(), Qt::Key_Return);
    EXPECT_TRUE(dlg.escrowBox()->hasFocus());
    QTest::keyClick(dlg.escrowBox(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(dlg.extraBox()->hasFocus());
    QTest::keyClick(dlg.extraBox(), Qt::Key_Return);
    EXPECT_TRUE(dlg.okButton()->hasFocus());
    EXPECT_EQ(dlg.result(), "Cancel");
    QTest::keyClick(dlg.okButton(), Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), "Ok");
}

TEST(PaymentDialog, OnlyTheOkButtonGivesOk)
{
    const std::pair<const char *, std::function<void(PaymentDialog &)>> ways[] = {
        {"Ok", [](PaymentDialog &d) { QTest::mouseClick(d.okButton(), Qt::LeftButton); }},
        {"Cancel", [](PaymentDialog &d) { QTest::mouseClick(d.cancelButton(), Qt::LeftButton); }},
        {"Cancel", [](PaymentDialog &d) { d.close(); }}, // the close box
        {"Cancel", [](PaymentDialog &d) { QTest::keyClick(d.escrowBox(), Qt::Key_Escape); }},
        // The access key clicks its button the animated way, a moment later.
        {"Ok", [](PaymentDialog &d) { QTest::keyClick(d.dateBox(), Qt::Key_O, Qt::AltModifier); }},
    };
    for (const auto &[expected, close] : ways) {
        PaymentDialog dlg;
        showActive(dlg);
        close(dlg);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dlg.isVisible(); })) << expected;
        EXPECT_EQ(dlg.result(), expected);
    }
}
