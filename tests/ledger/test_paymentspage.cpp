// The payments tab through the real page, its grid and the payment dialog:
// recording, totals, the year filter, editing in the grid and the limits.
#include "controls/datebox.h"
#include "controls/grid.h"
#include "controls/prompts.h"
#include "ledger/payfrm.h"
#include "ledger/paymentspage.h"
#include "ledger/paymentstable.h"
#include "loan/dates.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <deque>

namespace {

struct InputCall {
    QString title, prompt, defaultText;
};

// Answers input boxes from a queue and records every question.
class FakePrompts : public Prompts {
public:
    std::deque<std::optional<QString>> answers;
    std::vector<InputCall> inputs;
    QStringList messages;

    QMessageBox::StandardButton message(QWidget *, QMessageBox::Icon, const QString &text,
                                        QMessageBox::StandardButtons, const QString &) override
    {
        messages << text;
        return QMessageBox::Ok;
    }
    std::optional<QString> inputText(QWidget *, const QString &title, const QString &prompt,
                                     const QString &defaultText) override
    {
        inputs.push_back({title, prompt, defaultText});
        if (answers.empty())
            return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

// What the dialog showed when it opened.
struct DialogSeen {
    QString caption, date, escrow, extra;
};

class PaymentsTab : public ::testing::Test {
protected:
    PaymentsTable table;
    PaymentsPage page{table};
    FakePrompts prompts;
    QString monthly = "1,000.00";
    QString taxInsurance = "250.00";
    QString firstDate = "01/15/08";
    std::vector<DialogSeen> seen;

    void SetUp() override
    {
        Prompts::install(&prompts);
        Dates::setToday(QDate(2026, 3, 10));
        page.monthlyPaymentText = [this] { return monthly; };
        page.monthlyTaxInsuranceText = [this] { return taxInsurance; };
        page.firstPaymentDateText = [this] { return firstDate; };
        page.setupGrid();
        page.resize(460, 300);
        page.show();
        answerDialog(true);
    }
    void TearDown() override
    {
        Prompts::install(nullptr);
        Dates::setToday(QDate());
    }

    // The next dialogs record what they show, take the given texts (left as
    // prefilled when null) and are closed with OK or Cancel.
    void answerDialog(bool ok, const QString &escrow = {}, const QString &extra = {},
                      const QString &date = {})
    {
        page.runDialog = [=, this](Payfrm &dlg) {
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

    void record(int count, double escrow, double extra, QDate from = QDate(2008, 1, 15))
    {
        for (int k = 0; k < count; ++k)
            table.append({escrow, extra, Dates::format(from.addMonths(k))});
    }

    QStringList row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < 6; ++c)
            cells << page.grid()->cell(r, c);
        return cells;
    }
    QStringList totals() const
    {
        return {page.total(0)->text(), page.total(1)->text(), page.total(2)->text(),
                page.total(3)->text()};
    }
    Grid *grid() const { return page.grid(); }

    QPoint cellCentre(int r, int c) const
    {
        return grid()->visualRect(grid()->gridModel()->index(r - 1, c - 1)).center();
    }
    void doubleClick(int r, int c)
    {
        grid()->scrollTo(grid()->gridModel()->index(r - 1, c - 1));
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cellCentre(r, c));
    }
    void select(int r, int c)
    {
        grid()->setFocus();
        grid()->setCurrentCell(r, c);
    }
};

} // namespace

TEST_F(PaymentsTab, GridLayoutAndEmptyLedger)
{
    EXPECT_EQ(row(0), QStringList({"", "Date", "Loan Payment", "Escrow", "Extra Principal",
                                   "Total Payment"}));
    EXPECT_EQ(grid()->columnWidth(0), 67);  // 1000 twips
    EXPECT_EQ(grid()->columnWidth(4), 87);  // 1300 twips
    EXPECT_EQ(grid()->verticalHeader()->width(), 33);
    const auto align = [&](int c) {
        return Qt::Alignment(grid()->gridModel()->data(grid()->gridModel()->index(0, c - 1),
                                                       Qt::TextAlignmentRole).toInt());
    };
    EXPECT_TRUE(align(2) & Qt::AlignRight);
    EXPECT_TRUE(align(5) & Qt::AlignRight);
    const auto header = [&](int c) {
        return Qt::Alignment(grid()->gridModel()->headerData(c - 1, Qt::Horizontal,
                                                             Qt::TextAlignmentRole).toInt());
    };
    EXPECT_TRUE(header(1) & Qt::AlignHCenter);
    EXPECT_TRUE(header(4) & Qt::AlignHCenter);

    page.fillYearList();
    page.ShowPayments();
    EXPECT_EQ(grid()->rows(), 2);
    EXPECT_EQ(row(1), QStringList(6, ""));
    EXPECT_EQ(totals(), QStringList({"0.00", "0.00", "0.00", "0.00"}));
    EXPECT_EQ(page.yearList()->count(), 1);
    EXPECT_EQ(page.yearList()->currentText(), "All");

    // Each total sits under its own column.
    for (int i = 0; i < 4; ++i) {
        const QPoint colLeft = grid()->viewport()->mapTo(
            &page, QPoint(grid()->columnViewportPosition(i + 1), 0));
        EXPECT_EQ(page.total(i)->x(), colLeft.x()) << i;
        EXPECT_GT(page.total(i)->y(), grid()->mapTo(&page, QPoint(0, grid()->height())).y() - 1);
    }
    EXPECT_LE(page.total(3)->geometry().right(), page.width());
}

TEST_F(PaymentsTab, NextPaymentProposesTheDueDateAndTheMonthlyEscrow)
{
    struct Case {
        const char *first;
        int recorded;
        const char *caption, *proposed;
    } cases[] = {
        {"01/15/08", 0, "Payment # 1", "01/15/08"},
        {"01/15/08", 2, "Payment # 3", "03/15/08"},
        {"01/31/08", 4, "Payment # 5", "05/31/08"},
        {"10/31/07", 1, "Payment # 2", "11/30/07"},
        {"__/__/__", 0, "Payment # 1", "03/10/26"}, // today
        {"02/30/08", 3, "Payment # 4", "03/10/26"},
    };
    taxInsurance = "1,250.00";
    for (const Case &c : cases) {
        SCOPED_TRACE(c.proposed);
        table.setPaymentsMade(0);
        record(c.recorded, 0, 0);
        firstDate = c.first;
        seen.clear();
        page.addPayment();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, c.caption);
        EXPECT_EQ(seen[0].date, c.proposed);
        EXPECT_EQ(seen[0].escrow, "1,250.00"); // exactly as the main window shows it
        EXPECT_EQ(seen[0].extra, "");
        ASSERT_EQ(table.paymentsMade(), c.recorded + 1);
        const PaymentRecord p = table.at(c.recorded + 1);
        EXPECT_EQ(p.payDate, c.proposed);
        EXPECT_EQ(p.escrow, 1250);
        EXPECT_EQ(p.extraPrincipal, 0);
    }
}

TEST_F(PaymentsTab, RecordedPaymentsShowInTheGridWithTheirTotals)
{
    page.fillYearList();
    for (int k = 0; k < 3; ++k) {
        answerDialog(true, "250", "100");
        page.addPayment();
    }
    ASSERT_EQ(table.paymentsMade(), 3);
    EXPECT_EQ(grid()->rows(), 5);
    EXPECT_EQ(row(2), QStringList({"2", "02/15/08", "1,000.00", "250.00", "100.00", "1,350.00"}));
    EXPECT_EQ(row(4), QStringList(6, ""));
    EXPECT_EQ(totals(), QStringList({"3,000.00", "750.00", "300.00", "4,050.00"}));
    EXPECT_EQ(grid()->row(), 4);
    EXPECT_EQ(grid()->col(), 5);

    // Typed amounts with grouping are read whole; text that is not a number is 0.
    answerDialog(true, "1,250.00", "lots");
    page.addPayment();
    EXPECT_EQ(table.at(4).escrow, 1250);
    EXPECT_EQ(table.at(4).extraPrincipal, 0);
    EXPECT_EQ(totals()[3], "6,300.00");

    // A monthly payment box with no number counts as 0.
    monthly = "";
    page.ShowPayments();
    page.yearFilter();
    EXPECT_EQ(row(1)[2], "0.00");
    EXPECT_EQ(row(1)[5], "350.00");
    EXPECT_EQ(totals(), QStringList({"0.00", "2,000.00", "300.00", "2,300.00"}));
}

TEST_F(PaymentsTab, CancelledDialogRecordsNothing)
{
    record(2, 250, 100);
    page.ShowPayments();
    answerDialog(false, "999", "999");
    page.addPayment();
    EXPECT_EQ(table.paymentsMade(), 2);
    EXPECT_EQ(grid()->rows(), 4);
    EXPECT_EQ(seen.back().caption, "Payment # 3");

    page.editPayment(1);
    EXPECT_EQ(table.at(1).escrow, 250);
    EXPECT_EQ(table.at(1).payDate, "01/15/08");
}

TEST_F(PaymentsTab, YearFilterSumsTheChosenYearAndScrollsToIt)
{
    record(12, 100, 0, QDate(2007, 1, 15));
    record(24, 200, 50, QDate(2008, 1, 15));
    page.ShowPayments();
    page.fillYearList();
    QStringList entries;
    for (int i = 0; i < page.yearList()->count(); ++i)
        entries << page.yearList()->itemText(i);
    EXPECT_EQ(entries, QStringList({"All", "2007", "2008", "2009"}));
    EXPECT_EQ(totals(), QStringList({"36,000.00", "6,000.00", "1,200.00", "43,200.00"}));
    EXPECT_EQ(grid()->topRow(), 1);
    ASSERT_GE(grid()->visibleRows(), 10);
    ASSERT_LE(grid()->visibleRows(), 15);

    page.yearList()->setCurrentIndex(2);
    EXPECT_EQ(totals(), QStringList({"12,000.00", "2,400.00", "600.00", "15,000.00"}));
    EXPECT_EQ(grid()->topRow(), 13);

    page.yearList()->setCurrentIndex(1);
    EXPECT_EQ(totals(), QStringList({"12,000.00", "1,200.00", "0.00", "13,200.00"}));
    EXPECT_EQ(grid()->topRow(), 1);

    // A year no payment is in: nothing to add, and row count - 15 goes on top.
    page.yearList()->addItem("2010");
    page.yearList()->setCurrentIndex(4);
    EXPECT_EQ(totals(), QStringList({"0.00", "0.00", "0.00", "0.00"}));
    EXPECT_EQ(grid()->topRow(), grid()->rows() - 15);
}

TEST_F(PaymentsTab, YearListFollowsFileOrderAndSkipsDatesThatAreNotDates)
{
    table.append({10, 0, "11/15/07"});
    table.append({20, 0, "01/15/08"});
    table.append({40, 0, "__/__/__"}); // kept as typed
    table.append({80, 0, "12/15/07"});
    table.append({160, 0, "12/20/07"});
    page.ShowPayments();
    page.fillYearList();
    QStringList entries;
    for (int i = 0; i < page.yearList()->count(); ++i)
        entries << page.yearList()->itemText(i);
    EXPECT_EQ(entries, QStringList({"All", "2007", "2008", "2007"}));
    EXPECT_EQ(row(3)[1], "__/__/__");

    EXPECT_EQ(totals()[1], "310.00"); // every payment counts under "All"
    page.yearList()->setCurrentIndex(1);
    EXPECT_EQ(totals()[1], "250.00"); // 2007 only, the undated one in no year
    page.yearList()->setCurrentIndex(2);
    EXPECT_EQ(totals()[1], "20.00");
}

TEST_F(PaymentsTab, ArrivalFillsAnEmptyGridWithTheNewestInView)
{
    record(20, 250, 0);
    page.onTabShown(false); // loan terms invalid: nothing is filled
    EXPECT_EQ(grid()->cell(1, 0), "");
    EXPECT_EQ(grid()->row(), 1);
    EXPECT_EQ(grid()->col(), 0);

    page.onTabShown(true);
    EXPECT_EQ(grid()->rows(), 22);
    EXPECT_EQ(grid()->cell(20, 1), "08/15/09");
    EXPECT_EQ(grid()->topRow(), 6);

    // A filled grid is left as it is.
    grid()->setTopRow(2);
    page.onTabShown(true);
    EXPECT_EQ(grid()->topRow(), 2);

    // The newest payment is brought into view after adding one.
    page.addPayment();
    EXPECT_EQ(grid()->topRow(), 7);
}

TEST_F(PaymentsTab, DeletingTheLastOrAllPaymentsAsksNothing)
{
    page.deleteLast();
    EXPECT_EQ(table.paymentsMade(), 0);
    EXPECT_EQ(grid()->rows(), 2);

    record(20, 250, 100);
    page.onTabShown(true);
    page.deleteLast();
    EXPECT_EQ(table.paymentsMade(), 19);
    EXPECT_EQ(grid()->rows(), 21);
    EXPECT_EQ(row(20), QStringList(6, ""));
    EXPECT_EQ(table.at(20).escrow, 250); // the slot keeps its values
    EXPECT_EQ(grid()->topRow(), 5);
    EXPECT_EQ(totals()[1], "4,750.00");

    page.deleteAll();
    EXPECT_EQ(table.paymentsMade(), 0);
    EXPECT_EQ(grid()->rows(), 2);
    EXPECT_EQ(totals(), QStringList({"0.00", "0.00", "0.00", "0.00"}));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(PaymentsTab, FullLedgerRefusesAnotherPayment)
{
    record(PaymentsTable::kSlots, 1, 0);
    page.ShowPayments();
    page.addPayment();
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(table.paymentsMade(), PaymentsTable::kSlots);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains("1600"));

    // The empty row below the last payment has no slot to type into.
    select(PaymentsTable::kSlots + 1, 3);
    QTest::keyClicks(grid(), "5");
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(grid()->cell(PaymentsTable::kSlots + 1, 3), "");
    EXPECT_EQ(prompts.messages.size(), 3);
    EXPECT_EQ(table.paymentsMade(), PaymentsTable::kSlots);

    // Double-clicking it refuses too.
    doubleClick(PaymentsTable::kSlots + 1, 2);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(prompts.messages.size(), 4);
}

TEST_F(PaymentsTab, DoubleClickedAmountsAreAskedForInAnInputBox)
{
    record(5, 1250, 100);
    page.ShowPayments();
    page.fillYearList();

    prompts.answers = {QString("300")};
    doubleClick(4, 3);
    ASSERT_EQ(prompts.inputs.size(), 1u);
    EXPECT_EQ(prompts.inputs[0].title, "Payment #4");
    EXPECT_EQ(prompts.inputs[0].prompt, "\r Escro Amount:");
    EXPECT_EQ(prompts.inputs[0].defaultText, "1,250.00");
    EXPECT_EQ(table.at(4).escrow, 300);
    EXPECT_EQ(row(4)[3], "300.00");
    EXPECT_EQ(row(4)[5], "1,400.00");
    EXPECT_EQ(totals()[1], "5,300.00");

    // The default answer taken unchanged keeps the amount.
    prompts.answers = {QString("1,250.00")};
    doubleClick(2, 3);
    EXPECT_EQ(table.at(2).escrow, 1250);

    // Cancel and an empty answer change nothing.
    prompts.answers = {std::nullopt, QString("")};
    doubleClick(3, 4);
    doubleClick(3, 4);
    EXPECT_EQ(prompts.inputs.back().title, "Payment #3");
    EXPECT_EQ(prompts.inputs.back().prompt, "\r Extra Principal Amount:");
    EXPECT_EQ(table.at(3).extraPrincipal, 100);
    EXPECT_EQ(row(3)[4], "100.00");

    prompts.answers = {QString("2,500.5")};
    doubleClick(3, 4);
    EXPECT_EQ(table.at(3).extraPrincipal, 2500.5);
    EXPECT_EQ(row(3)[4], "2,500.50");
    EXPECT_TRUE(seen.empty());
}

TEST_F(PaymentsTab, DoubleClickedPaymentIsEditedInTheDialog)
{
    table.append({250, 87.5, "01/15/08"});
    table.append({250, 0, "02/15/08"});
    table.append({250, 0, "03/15/08"});
    table.append({250, 87.5, "4/1/08"});
    page.ShowPayments();
    page.fillYearList();

    answerDialog(true, "260", "1,000", "04/20/08");
    doubleClick(4, 1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Payment # 4");
    EXPECT_EQ(seen[0].escrow, "250");
    EXPECT_EQ(seen[0].extra, "87.5");
    EXPECT_EQ(seen[0].date, "04/01/08"); // read as a date, written mm/dd/yy
    EXPECT_EQ(table.paymentsMade(), 4);
    EXPECT_EQ(table.at(4), (PaymentRecord{260, 1000, "04/20/08"}));
    EXPECT_EQ(row(4), QStringList({"4", "04/20/08", "1,000.00", "260.00", "1,000.00",
                                   "2,260.00"}));

    // A stored date that is not a date is shown as stored.
    table.set(2, {250, 0, "02/__/08"});
    answerDialog(false);
    doubleClick(2, 5);
    EXPECT_EQ(seen.back().caption, "Payment # 2");
    EXPECT_EQ(seen.back().date, "02/__/08");
    EXPECT_EQ(table.at(2).payDate, "02/__/08");

    // The empty row below the last payment adds one.
    answerDialog(true);
    doubleClick(5, 2);
    EXPECT_EQ(seen.back().caption, "Payment # 5");
    EXPECT_EQ(table.paymentsMade(), 5);
    EXPECT_EQ(table.at(5).payDate, "05/15/08");
}

TEST_F(PaymentsTab, TypingIntoTheGridEditsAmountsOnly)
{
    record(3, 250, 0);
    table.set(2, {250, 100, "02/15/08"});
    page.ShowPayments();
    page.fillYearList();

    // Typing over 0.00 starts from an empty cell; Enter stores the amount.
    select(1, 4);
    QTest::keyClicks(grid(), "1,200");
    EXPECT_EQ(grid()->cell(1, 4), "1,200");
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(table.at(1).extraPrincipal, 1200);
    EXPECT_EQ(row(1)[4], "1,200.00");
    EXPECT_EQ(totals()[2], "1,300.00");

    // Delete empties the cell, Backspace takes the last character.
    select(2, 3);
    QTest::keyClick(grid(), Qt::Key_Delete);
    EXPECT_EQ(grid()->cell(2, 3), "");
    QTest::keyClicks(grid(), "312");
    QTest::keyClick(grid(), Qt::Key_Backspace);
    EXPECT_EQ(grid()->cell(2, 3), "31");
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(table.at(2).escrow, 31);

    // Escape restores what is stored.
    select(3, 4);
    QTest::keyClicks(grid(), "77");
    EXPECT_EQ(grid()->cell(3, 4), "77");
    QTest::keyClick(grid(), Qt::Key_Escape);
    EXPECT_EQ(grid()->cell(3, 4), "0.00");
    EXPECT_EQ(table.at(3).extraPrincipal, 0);

    // Typing in the date column is discarded on Enter.
    select(3, 1);
    QTest::keyClicks(grid(), "x");
    EXPECT_EQ(grid()->cell(3, 1), "03/15/08x");
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(grid()->cell(3, 1), "03/15/08");
    EXPECT_EQ(table.at(3).payDate, "03/15/08");

    // Text that is not a number stores 0.
    select(2, 4);
    QTest::keyClicks(grid(), "abc");
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(table.at(2).extraPrincipal, 0);
    EXPECT_EQ(table.paymentsMade(), 3);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(PaymentsTab, PageDrawsItsGridAndTotals)
{
    record(12, 250, 100);
    page.onTabShown(true);
    page.fillYearList();
    QImage image(page.size(), QImage::Format_RGB32);
    page.render(&image);
    // Grid cells are painted on a light base; the totals line holds text pixels.
    const QRect totalRect = page.total(3)->geometry().adjusted(3, 3, -3, -3);
    int dark = 0;
    for (int y = totalRect.top(); y <= totalRect.bottom(); ++y)
        for (int x = totalRect.left(); x <= totalRect.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                ++dark;
    EXPECT_GT(dark, 10);
    const QPoint inCell = grid()->viewport()->mapTo(&page, cellCentre(1, 3) + QPoint(-30, 0));
    EXPECT_GT(qGray(image.pixel(inCell)), 200);
}
