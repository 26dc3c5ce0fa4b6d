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

TEST(PaymentDialog, EnterMovesOnLikeTabUntilTheOkButton)
{
    PaymentDialog dlg;
    dlg.setDateText("01/15/27");
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
