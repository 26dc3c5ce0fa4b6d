#include "app/amortizationpage.h"
#include "app/mainwindow.h"
#include "app/currentloan.h"
#include "app/quotepage.h"
#include "controls/datebox.h"
#include "controls/grid.h"
#include "mainwindowfixture.h"
#include "ledger/paymentdialog.h"
#include "ledger/paymentspage.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace LoanTerms;

namespace {

class TabsTest : public MainWindowFixture {
protected:
    // The standard loan with `payments` recorded.
    void open(int payments = 0, double extra = 0)
    {
        writeLoan(path("Loan.qhv"), standardLoan(payments, extra));
        w = start(path("Loan.qhv"));
    }
    // Switches tab and lets the tab's deferred work run.
    void showTab(int tab)
    {
        w->tabs()->setCurrentIndex(tab);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !w->hasDeferredWork(); }));
    }
    QStringList captions() const
    {
        QStringList out;
        for (int i = 0; i < 3; ++i)
            out << (w->commandButton(i)->isVisible() ? w->commandButton(i)->text()
                                                     : QStringLiteral("-"));
        return out;
    }

    MainWindow *w = nullptr;
};

} // namespace

TEST_F(TabsTest, EachTabShowsItsCommandsAndHelp)
{
    open();
    const struct { int tab; QStringList captions; } expected[] = {
        {1, {"&Schedule", "&Actual", "&Projected"}},
        {2, {"&Make", "Delete &Last", "Delete &All"}},
        {3, {"&Calculate", "-", "-"}},
        {0, {"&Calculate", "-", "-"}},
    };
    for (const auto &e : expected) {
        showTab(e.tab);
        EXPECT_EQ(captions(), e.captions) << e.tab;
        w->helpButton()->click();
        EXPECT_EQ(prompts.helpContexts.back(), e.tab + 3);
    }
    EXPECT_TRUE(w->field(Price)->hasFocus());
    // No schedule is computed by arriving on the Amortization tab.
    showTab(1);
    EXPECT_EQ(w->amortizationPage()->yearList()->count(), 0);
    EXPECT_FALSE(w->viewOutline(0)->isVisible());
}

TEST_F(TabsTest, PaymentsRecordedThroughTheDialogAreSaved)
{
    open(20);
    showTab(2);
    PaymentsPage *page = w->paymentsPage();
    EXPECT_EQ(page->grid()->rows(), 22);
    const QRect newest = page->grid()->visualRect(page->grid()->gridModel()->index(19, 0));
    EXPECT_TRUE(page->grid()->viewport()->rect().contains(newest)); // payment 20 wholly in view
    QString caption, proposed;
    page->runDialog = [&](PaymentDialog &dlg) {
        caption = dlg.windowTitle();
        proposed = dlg.dateBox()->value();
        dlg.extraBox()->setText("1,250.00");
        dlg.okButton()->click();
    };
    w->commandButton(0)->click();
    EXPECT_EQ(caption, "Payment # 21");
    EXPECT_EQ(proposed, "09/15/09");
    ASSERT_EQ(w->payments().paymentsMade(), 21);
    EXPECT_EQ(w->payments().at(21).extraPrincipal, 1250.0);
    w->commandButton(1)->click(); // Delete Last
    w->commandButton(1)->click();
    EXPECT_EQ(w->payments().paymentsMade(), 19);

    QString file = CurrentLoan::path;
    ASSERT_TRUE(w->saveLoan(file));
    auto read = LoanFile::read(file);
    ASSERT_EQ(read.data.payments.size(), 19u);
    EXPECT_EQ(read.data.payments[18].payDate, "07/15/09");

    prompts.answers = {QMessageBox::Yes};
    w->commandButton(2)->click(); // Delete All
    EXPECT_EQ(w->payments().paymentsMade(), 0);
    EXPECT_EQ(page->grid()->rows(), 2);
    ASSERT_TRUE(w->loadLoan(file));
    showTab(0);
    showTab(2);
    EXPECT_EQ(page->grid()->rows(), 21);
    EXPECT_EQ(page->grid()->cell(19, 1), "07/15/09");
}

TEST_F(TabsTest, ScheduleViewsAndOutlines)
{
    open(3, 100);
    showTab(1);
    w->commandButton(0)->click();
    AmortizationPage *page = w->amortizationPage();
    EXPECT_EQ(page->grid()->rows(), 361);
    EXPECT_EQ(page->grid()->cell(1, 4), "99,900.45");
    EXPECT_TRUE(w->viewOutline(0)->isVisible());
    EXPECT_EQ(w->viewOutline(0)->x(), w->commandButton(0)->x() - 4);
    EXPECT_EQ(page->yearList()->count(), 32);

    // "Actual" adds the 100.00 recorded with each of the three payments.
    w->commandButton(1)->click();
    EXPECT_EQ(page->grid()->cell(1, 2), "199.55");
    EXPECT_EQ(page->grid()->cell(4, 2), "102.56"); // 599.55 less 496.99 interest on 99,398.35
    EXPECT_EQ(w->viewOutline(1)->x(), w->commandButton(1)->x() - 4 + 1);

    // Leaving and coming back shows the outlines where they were.
    showTab(0);
    EXPECT_FALSE(w->viewOutline(0)->isVisible());
    showTab(1);
    EXPECT_TRUE(w->viewOutline(0)->isVisible());
}

TEST_F(TabsTest, QuoteIsComputedOnArrivalAndDrivesTheProjectedView)
{
    open();
    showTab(3);
    QuotePage *quote = w->quotePage();
    EXPECT_TRUE(quote->option(ExtraMode::OnePayment)->isChecked());
    EXPECT_EQ(quote->grid()->cell(1, 1), "360");
    EXPECT_EQ(quote->grid()->cell(2, 1), "115,838.45");
    EXPECT_EQ(quote->grid()->cell(2, 2), "115,339.42");
    EXPECT_EQ(quote->grid()->cell(2, 3), "499.03");

    quote->option(ExtraMode::EveryPayment)->click();
    EXPECT_EQ(quote->grid()->cell(1, 2), "252");
    EXPECT_EQ(quote->grid()->cell(1, 3), "108");
    EXPECT_EQ(quote->grid()->cell(2, 2), "75,938.04");
    EXPECT_EQ(quote->grid()->cell(2, 3), "39,900.41");

    showTab(1);
    w->commandButton(2)->click(); // Projected: the plan of the quote tab
    EXPECT_EQ(w->amortizationPage()->grid()->rows(), 253);
    EXPECT_EQ(w->amortizationPage()->grid()->cell(1, 2), "199.55");
    EXPECT_EQ(w->amortizationPage()->grid()->cell(1, 4), "99,800.45");
}
