// The payments tab through the real page, its grid and the payment dialog:
// recording, totals, the year filter, editing in the grid and the limits.
// (Make and Delete Last, the totals after each edit and typing on the empty
// row are followed through the main window in tests/app.)
#include "controls/datebox.h"
#include "controls/grid.h"
#include "fakeprompts.h"
#include "ledger/paymentdialog.h"
#include "ledger/paymentspage.h"
#include "document/loandocument.h"
#include "loan/dates.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

class PaymentsTab : public ::testing::Test {
protected:
    FakePrompts prompts;
    LoanDocument document;
    PaymentsPage page{document};
    // What each dialog showed: its caption, date, escrow and extra principal.
    std::vector<QStringList> seen;

    void SetUp() override
    {
        Dates::setToday(QDate(2026, 3, 10));
        // A monthly payment of 1,000.00 and escrow of 1,250.00.
        LoanTerms::Texts texts;
        texts[LoanTerms::LoanAmount] = "11,255.08";
        texts[LoanTerms::AnnualRate] = "12";
        texts[LoanTerms::NumberOfPayments] = "12";
        texts[LoanTerms::MonthlyTaxInsurance] = "1,250.00";
        document.setTerms(Terms::read(texts, "01/15/08"));
        page.show();
        answerDialog(true);
    }
    void TearDown() override { Dates::setToday(QDate()); }

    // The next dialogs record what they show, take the given texts (left as
    // prefilled when null) and are closed with OK or Cancel.
    void answerDialog(bool ok, const QString &escrow = {}, const QString &extra = {},
                      const QString &date = {})
    {
        prompts.paymentDialog = [=, this](PaymentDialog &dlg) {
            seen.push_back({dlg.windowTitle(), dlg.dateText(), dlg.escrowText(), dlg.extraText()});
            if (!escrow.isNull())
                dlg.escrowBox()->setText(escrow);
            if (!extra.isNull())
                dlg.extraBox()->setText(extra);
            if (!date.isNull())
                dlg.dateBox()->setValue(date);
            QTest::mouseClick(ok ? dlg.okButton() : dlg.cancelButton(), Qt::LeftButton);
        };
    }
    // Records payments and shows them with the year list filled.
    void record(int count, double escrow, double extra, QDate from = QDate(2008, 1, 15))
    {
        for (int k = 0; k < count; ++k)
            document.appendPayment({escrow, extra, Dates::format(from.addMonths(k))});
        page.showPayments();
        page.fillYearList();
    }
    // The texts of `count` cells or labels, the i-th got by `text(i)`.
    static QStringList texts(int count, const std::function<QString(int)> &text)
    {
        QStringList out;
        for (int i = 0; i < count; ++i)
            out << text(i);
        return out;
    }
    void setFirstDate(const QString &date)
    {
        Terms t = document.terms();
        t.firstPaymentDigits = QString(date).remove(u'/');
        document.setTerms(t);
    }
    const PaymentsTable &table() const { return document.payments(); }
    QStringList row(int r) const { return texts(6, [&](int c) { return grid()->cell(r, c); }); }
    QStringList totals() const { return texts(4, [&](int i) { return page.totalLabel(i)->text(); }); }
    QStringList years() const
    {
        return texts(page.yearList()->count(), [&](int i) { return page.yearList()->itemText(i); });
    }
    Grid *grid() const { return page.grid(); }
    void doubleClick(int r, int c)
    {
        const QModelIndex cell = grid()->gridModel()->index(r - 1, c - 1);
        grid()->scrollTo(cell);
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(cell).center());
    }
    void type(int r, int c, const QString &text, Qt::Key end = Qt::Key_Return)
    {
        grid()->setFocus();
        grid()->setCurrentCell(r, c);
        QTest::keyClicks(grid(), text);
        if (end != Qt::Key_unknown)
            QTest::keyClick(grid(), end);
    }
};

} // namespace

TEST_F(PaymentsTab, PaymentsAreProposedDueFromTheFirstDateAndCancelRecordsNothing)
{
    page.deleteLast(); // none to delete
    // The first payment date plus one month per payment made, not a month
    // after the last payment: February would have cut that to the 29th.
    setFirstDate("01/31/08");
    answerDialog(true, "250", "100");
    for (int k = 0; k < 3; ++k)
        page.addPayment();
    EXPECT_EQ(row(3), QStringList({"3", "03/31/08", "1,000.00", "250.00", "100.00", "1,350.00"}));
    EXPECT_EQ(totals(), QStringList({"3,000.00", "750.00", "300.00", "4,050.00"}));
    EXPECT_EQ(years(), QStringList({"All", "2008"})); // the year list follows at once

    setFirstDate("__/__/__"); // none: today
    answerDialog(false, "999", "999");
    page.addPayment();
    page.editPayment(1);
    // The escrow is the monthly tax and insurance exactly as the main window shows it.
    EXPECT_EQ(seen.at(1), QStringList({"Payment # 2", "02/29/08", "1,250.00", ""}));
    EXPECT_EQ(seen.at(3), QStringList({"Payment # 4", "03/10/26", "1,250.00", ""}));
    EXPECT_EQ(table().paymentsMade(), 3);
    EXPECT_EQ(table().at(1), (PaymentRecord{250, 100, "01/31/08"}));
    EXPECT_EQ(totals()[3], "4,050.00");

    // A payment moved into a new year, the chosen year kept while it has one.
    page.yearList()->setCurrentIndex(1);
    answerDialog(true, {}, {}, "01/15/09");
    page.editPayment(3);
    EXPECT_EQ(years(), QStringList({"All", "2008", "2009"}));
    EXPECT_EQ(page.yearList()->currentText(), "2008");
    page.deleteLast();
    EXPECT_EQ(years(), QStringList({"All", "2008"}));
}

TEST_F(PaymentsTab, YearFilterSumsTheChosenYearAndScrollsToIt)
{
    record(12, 100, 0, QDate(2007, 1, 15));
    record(24, 200, 50, QDate(2008, 1, 15));
    // A date that is not a date is kept, but in no year; years in file order.
    document.appendPayment({40, 0, "__/__/__"});
    record(1, 80, 0, QDate(2007, 12, 20));
    EXPECT_EQ(years(), QStringList({"All", "2007", "2008", "2009", "2007"}));
    EXPECT_EQ(totals(), QStringList({"38,000.00", "6,120.00", "1,200.00", "45,320.00"}));

    page.yearList()->setCurrentIndex(2);
    EXPECT_EQ(totals(), QStringList({"12,000.00", "2,400.00", "600.00", "15,000.00"}));
    EXPECT_EQ(grid()->topRow(), 13);
    page.yearList()->setCurrentIndex(1);
    EXPECT_EQ(totals(), QStringList({"13,000.00", "1,280.00", "0.00", "14,280.00"}));
}

TEST_F(PaymentsTab, FullLedgerRefusesAnotherPayment)
{
    record(PaymentsTable::kSlots, 1, 0);
    const int below = PaymentsTable::kSlots + 1;
    page.addPayment();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.contains("1600"));
    type(below, 3, "5"); // the empty row has no slot to type into
    EXPECT_EQ(grid()->cell(below, 3), "");
    doubleClick(below, 2);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(prompts.messages.size(), 4u);
    EXPECT_EQ(table().paymentsMade(), PaymentsTable::kSlots);
}

TEST_F(PaymentsTab, DoubleClickOrTypingEditsThePayment)
{
    record(4, 1250, 100);
    record(1, 1250, 0, QDate(2008, 5, 15));
    document.setPayment(2, {250, 87.5, "2/1/08"});
    answerDialog(true, "260", "1,000", "04/20/08");
    doubleClick(2, 1);
    // The stored date read as a date and written mm/dd/yy.
    EXPECT_EQ(seen, (std::vector<QStringList>{{"Payment # 2", "02/01/08", "250", "87.5"}}));
    EXPECT_EQ(table().at(2), (PaymentRecord{260, 1000, "04/20/08"}));
    EXPECT_EQ(row(2), QStringList({"2", "04/20/08", "1,000.00", "260.00", "1,000.00", "2,260.00"}));

    // An amount is asked for in an input box.
    prompts.inputAnswers = {QString("300")};
    doubleClick(4, 3);
    EXPECT_EQ(prompts.inputTitles, std::vector<QString>{"Payment #4"});
    EXPECT_EQ(prompts.inputPrompts[0], "\r Escro Amount:");
    EXPECT_EQ(prompts.inputDefaults[0], "1,250.00");
    EXPECT_EQ(table().at(4).escrow, 300);
    EXPECT_EQ(totals()[1], "4,310.00");
    // Cancel and an empty answer change nothing.
    prompts.inputAnswers = {std::nullopt, QString("")};
    doubleClick(3, 4);
    doubleClick(3, 4);
    EXPECT_EQ(prompts.inputPrompts.back(), "\r Extra Principal Amount:");
    EXPECT_EQ(table().at(3).extraPrincipal, 100);
    EXPECT_EQ(seen.size(), 1u);

    // The first key typed replaces the amount; Escape keeps the old amount,
    // text that is no amount is refused, and a date takes no typing.
    type(5, 4, "1,200", Qt::Key_unknown);
    EXPECT_EQ(grid()->cell(5, 4), "1,200");
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(table().at(5).extraPrincipal, 1200);
    EXPECT_EQ(totals()[2], "2,500.00");
    type(4, 3, "480");
    EXPECT_EQ(table().at(4).escrow, 480);
    EXPECT_EQ(grid()->cell(4, 3), "480.00");
    for (const char *bad : {"abc", "1e5"}) {
        type(3, 4, bad);
        EXPECT_EQ(prompts.messages.back().text,
                  QString("Payment #3, Extra Principal: \"%1\" is not an amount.").arg(bad));
    }
    EXPECT_EQ(grid()->cell(3, 4), "100.00");
    EXPECT_EQ(table().at(3).extraPrincipal, 100);
    type(3, 4, "77", Qt::Key_Escape);
    EXPECT_EQ(grid()->cell(3, 4), "100.00");
    type(3, 4, "", Qt::Key_Delete); // Delete empties the cell until Escape
    EXPECT_EQ(grid()->cell(3, 4), "");
    QTest::keyClick(grid(), Qt::Key_Escape);
    EXPECT_EQ(grid()->cell(3, 4), "100.00");
    EXPECT_EQ(table().at(3).extraPrincipal, 100);
    type(3, 1, "x");
    EXPECT_EQ(grid()->cell(3, 1), "03/15/08");
    EXPECT_EQ(table().at(3).payDate, "03/15/08");

    // The empty row below the last payment adds one.
    doubleClick(6, 2);
    EXPECT_EQ(seen.back()[0], "Payment # 6");
    EXPECT_EQ(table().paymentsMade(), 6);
}
