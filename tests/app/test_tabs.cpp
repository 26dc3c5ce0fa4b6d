#include "controls/datebox.h"
#include "dialogs/helpwindow.h"
#include "mainwindowfixture.h"

using namespace LoanTerms;

namespace {

class TabsTest : public MainWindowFixture {
protected:
    QStringList captions() const
    {
        QStringList out;
        for (int i = 0; i < 3; ++i)
            out << (w->commandButton(i)->isVisible() ? w->commandButton(i)->text()
                                                     : QStringLiteral("-"));
        return out;
    }
};

} // namespace

TEST_F(TabsTest, EachTabShowsItsCommandsAndHelp)
{
    open("Loan.qhv", standardLoan());
    const struct { int tab; QStringList captions; } expected[] = {
        {1, {"&Schedule", "&Actual", "&Projected"}},
        {2, {"&Make", "Delete &Last", "Delete &All"}},
        {3, {"&Calculate", "-", "-"}},
        {4, {"&Calculate", "-", "-"}},
        {0, {"&Calculate", "-", "-"}},
    };
    for (const auto &e : expected) {
        showTab(e.tab);
        EXPECT_EQ(captions(), e.captions) << e.tab;
        w->helpButton()->click();
        EXPECT_EQ(prompts.helpContexts.back(), e.tab + 3);
    }
    EXPECT_TRUE(w->field(Price)->hasFocus());
    EXPECT_EQ(w->tabs()->tabText(4), "Chart");
    HelpWindow::instance()->showContext(7);
    EXPECT_EQ(HelpWindow::instance()->currentPage(), "chart.html");
    HelpWindow::instance()->hide();
    // No schedule is computed by arriving on the Amortization tab.
    showTab(1);
    EXPECT_EQ(w->amortizationPage()->yearList()->count(), 0);
    EXPECT_EQ(w->amortizationPage()->viewCaption()->text(), "");
    EXPECT_FALSE(w->viewOutline(0)->isVisible());
}

TEST_F(TabsTest, PaymentsRecordedThroughTheDialogAreSaved)
{
    open("Loan.qhv", standardLoan(20));
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
    command(0);
    EXPECT_EQ(caption, "Payment # 21");
    EXPECT_EQ(proposed, "09/15/09");
    ASSERT_EQ(w->payments().paymentsMade(), 21);
    EXPECT_EQ(w->payments().at(21).extraPrincipal, 1250.0);
    command(1); // Delete Last
    command(1);
    EXPECT_EQ(w->payments().paymentsMade(), 19);

    QString file = CurrentLoan::path;
    ASSERT_TRUE(w->saveLoan(file));
    auto read = LoanFile::read(file);
    ASSERT_EQ(read.data.payments.size(), 19u);
    EXPECT_EQ(read.data.payments[18].payDate, "07/15/09");

    prompts.answers = {QMessageBox::Yes};
    command(2); // Delete All
    EXPECT_EQ(w->payments().paymentsMade(), 0);
    EXPECT_EQ(page->grid()->rows(), 2);
    ASSERT_TRUE(w->loadLoan(file));
    showTab(0);
    showTab(2);
    EXPECT_EQ(page->grid()->rows(), 21);
    EXPECT_EQ(page->grid()->cell(19, 1), "07/15/09");
}

// Each view is outlined and named above the grid.
TEST_F(TabsTest, ScheduleViewsAndOutlines)
{
    open("Loan.qhv", standardLoan(3, 100));
    showTab(1);
    command(0);
    AmortizationPage *page = w->amortizationPage();
    QLabel *caption = page->viewCaption();
    EXPECT_EQ(page->grid()->rows(), 361);
    EXPECT_EQ(page->grid()->cell(1, 4), "99,900.45");
    EXPECT_TRUE(w->viewOutline(0)->isVisible());
    EXPECT_TRUE(w->viewOutline(0)->geometry().contains(w->commandButton(0)->geometry()));
    EXPECT_EQ(caption->text(), "As contracted");
    EXPECT_LE(caption->geometry().bottom(), page->grid()->mapTo(page, QPoint(0, 0)).y());
    EXPECT_EQ(page->yearList()->count(), 32);

    // "Actual" adds the 100.00 recorded with each of the three payments.
    command(1);
    EXPECT_EQ(page->grid()->cell(1, 2), "199.55");
    EXPECT_EQ(page->grid()->cell(4, 2), "102.56"); // 599.55 less 496.99 interest on 99,398.35
    EXPECT_TRUE(w->viewOutline(0)->geometry().contains(w->commandButton(1)->geometry()));
    EXPECT_EQ(caption->text(), "With recorded extra principal");

    // Leaving and coming back shows the outlines where they were.
    showTab(0);
    EXPECT_FALSE(w->viewOutline(0)->isVisible());
    showTab(1);
    EXPECT_TRUE(w->viewOutline(0)->isVisible());
    QString other = path("Other.qhv");
    w->newLoan(other);
    EXPECT_EQ(caption->text(), "");
}

TEST_F(TabsTest, QuoteIsComputedOnArrivalAndDrivesTheProjectedView)
{
    open("Loan.qhv", standardLoan());
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
    command(2); // Projected: the plan of the quote tab
    QLabel *caption = w->amortizationPage()->viewCaption();
    EXPECT_EQ(caption->text(), "With the planned extra principal"); // the longest: said in full
    EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->width());
    EXPECT_EQ(w->amortizationPage()->grid()->rows(), 253);
    EXPECT_EQ(w->amortizationPage()->grid()->cell(1, 2), "199.55");
    EXPECT_EQ(w->amortizationPage()->grid()->cell(1, 4), "99,800.45");
}
