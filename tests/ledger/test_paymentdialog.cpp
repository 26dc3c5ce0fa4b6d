// The payment dialog on its own: Enter walks the boxes to OK, and only OK
// answers "Ok".
#include "controls/datebox.h"
#include "fakeprompts.h"
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

TEST(PaymentDialog, OnlyTheOkButtonGivesOkAndEnterWalksToIt)
{
    const std::pair<const char *, std::function<void(PaymentDialog &)>> ways[] = {
        {"Ok", [](PaymentDialog &d) { QTest::mouseClick(d.okButton(), Qt::LeftButton); }},
        {"Cancel", [](PaymentDialog &d) { QTest::mouseClick(d.cancelButton(), Qt::LeftButton); }},
        {"Cancel", [](PaymentDialog &d) { d.close(); }}, // the close box
        {"Cancel", [](PaymentDialog &d) { QTest::keyClick(d.escrowBox(), Qt::Key_Escape); }},
        // The access key clicks its button the animated way, a moment later.
        {"Ok", [](PaymentDialog &d) { QTest::keyClick(d.dateBox(), Qt::Key_O, Qt::AltModifier); }},
        // Enter moves on like Tab through the boxes to OK, and there presses it.
        {"Ok", [](PaymentDialog &d) {
             d.dateBox()->setFocus();
             QTest::keyClick(d.dateBox(), Qt::Key_Return);
             EXPECT_TRUE(d.escrowBox()->hasFocus());
             QTest::keyClick(d.escrowBox(), Qt::Key_Enter, Qt::KeypadModifier);
             EXPECT_TRUE(d.extraBox()->hasFocus());
             QTest::keyClick(d.extraBox(), Qt::Key_Return);
             EXPECT_TRUE(d.okButton()->hasFocus());
             EXPECT_EQ(d.result(), "Cancel");
             QTest::keyClick(d.okButton(), Qt::Key_Return);
         }},
    };
    for (const auto &[expected, close] : ways) {
        PaymentDialog dlg;
        dlg.setDateText("01/15/27");
        showActive(dlg);
        close(dlg);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dlg.isVisible(); })) << expected;
        EXPECT_EQ(dlg.result(), expected);
    }
}

// OK stores nothing that would read as another amount or fit no year: the
// box is named and the dialog stays open.
TEST(PaymentDialog, OkRefusesWhatIsNoAmountOrNoDate)
{
    FakePrompts prompts;
    const struct { const char *date, *escrow, *extra, *told; } cases[] = {
        {"01/15/27", "1e5", "", "Escrow: \"1e5\" is not an amount."},
        {"01/15/27", "", "NaN", "Extra principal: \"NaN\" is not an amount."},
        {"01/15/27", "250", "12abc", "Extra principal: \"12abc\" is not an amount."},
        {"02/30/27", "250", "", "Date: \"02/30/27\" is not a date."},
        {"01/15/27", "$1,250.00", "", nullptr},
    };
    for (const auto &c : cases) {
        PaymentDialog dlg;
        showActive(dlg);
        dlg.setDateText(c.date);
        dlg.setEscrowText(c.escrow);
        dlg.setExtraText(c.extra);
        prompts.messages.clear();
        dlg.okButton()->click();
        SCOPED_TRACE(c.escrow + std::string(" ") + c.extra);
        EXPECT_EQ(dlg.isVisible(), c.told != nullptr);
        EXPECT_EQ(dlg.result(), c.told ? "Cancel" : "Ok");
        if (c.told)
            EXPECT_EQ(prompts.messages.at(0).text, c.told);
        else
            EXPECT_EQ(dlg.escrow(), 1250.0);
    }
}
