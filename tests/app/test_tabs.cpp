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
    EXPECT_FALSE(w->viewOutline(0)->isVisible());
}

TEST_F(TabsTest, PaymentsRecordedThroughTheDialogAreSaved)
{
    open("Loan.qhv", standardLoan(20));
    showTab(2);
    w->paymentsPage()->runDialog = [](PaymentDialog &dlg) {
        dlg.extraBox()->setText("1,250.00");
        dlg.okButton()->click();
    };
    command(1); // Delete Last twice: the slots keep the payments, the file does not
    command(1);
    command(0);

    ASSERT_TRUE(w->saveLoan(CurrentLoan::path));
    const auto saved = LoanFile::read(CurrentLoan::path).data.payments;
    ASSERT_EQ(saved.size(), 19u);
    // Payment 19 as the dialog proposed it (the due date after 06/15/09) with the extra typed.
    EXPECT_EQ(saved.back(), (PaymentRecord{0, 1250, "07/15/09"}));
}

// Each view is outlined and named above the grid; the quote, computed on
// arrival at its tab, is the plan of the Projected view.
TEST_F(TabsTest, ScheduleViewsOutlinesAndTheQuotePlan)
{
    open("Loan.qhv", standardLoan(3, 100));
    showTab(1);
    command(0);
    AmortizationPage *page = w->amortizationPage();
    QLabel *caption = page->viewCaption();
    EXPECT_EQ(page->grid()->rows(), 361);
    EXPECT_TRUE(w->viewOutline(0)->geometry().contains(w->commandButton(0)->geometry()));
    EXPECT_EQ(caption->text(), "As contracted");
    EXPECT_LE(caption->geometry().bottom(), page->grid()->mapTo(page, QPoint(0, 0)).y());

    // "Actual" adds the 100.00 recorded with each of the three payments.
    command(1);
    EXPECT_EQ(page->grid()->cell(1, 2), "199.55");
    EXPECT_EQ(page->grid()->cell(4, 2), "102.56"); // 599.55 less 496.99 interest on 99,398.35
    EXPECT_TRUE(w->viewOutline(0)->geometry().contains(w->commandButton(1)->geometry()));
    EXPECT_EQ(caption->text(), "With recorded extra principal");

    // Leaving and coming back shows the outlines where they were.
    showTab(0);
    EXPECT_FALSE(w->viewOutline(0)->isVisible());
    showTab(3);
    QuotePage *quote = w->quotePage();
    EXPECT_TRUE(quote->option(ExtraMode::OnePayment)->isChecked());
    EXPECT_EQ(quote->grid()->cell(2, 3), "499.03"); // its figures are the schedule's own test
    quote->option(ExtraMode::EveryPayment)->click();
    EXPECT_EQ(quote->grid()->cell(1, 2), "252");
    showTab(1);
    EXPECT_TRUE(w->viewOutline(0)->isVisible());
    command(2);
    EXPECT_EQ(caption->text(), "With the planned extra principal"); // the longest: said in full
    EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->width());
    EXPECT_EQ(page->grid()->rows(), 253);

    QString other = path("Other.qhv");
    w->newLoan(other);
    EXPECT_EQ(caption->text(), "");
}
