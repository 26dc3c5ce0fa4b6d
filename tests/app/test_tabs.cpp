// The tabs of the main window: each tab's commands and help, the keyboard on
// the first tab, the schedule views' outlines and captions, and the quote's
// controls.
#include "dialogs/helpwindow.h"
#include "app/changespage.h"
#include "app/chartpage.h"
#include "controls/datebox.h"
#include "controls/picturebutton.h"
#include "mainwindowfixture.h"

#include <QFrame>
#include <QScrollBar>
#include <QSignalSpy>
#include <map>

using namespace LoanTerms;

using TabsTest = MainWindowFixture;

// Each tab shows its commands and help; then the keyboard on the first tab:
// the labels that name the fields, the Tab order, and Exit's access key.
TEST_F(TabsTest, EachTabShowsItsCommandsAndHelpAndTheKeyboardWalksTheFirst)
{
    open("Loan.qhv", standardLoan());
    const struct { CommandPage *page; QStringList captions; int help; } expected[] = {
        {w->amortizationPage(), {"&Schedule", "&Actual", "&Projected"}, 4},
        {w->paymentsPage(), {"&Make", "Delete &Last", "Delete &All"}, 5},
        {w->quotePage(), {"&Calculate", "-", "-"}, 6},
        {w->chartPage(), {"&Calculate", "-", "-"}, 7},
        {w->changesPage(), {"&Add", "&Edit", "&Delete"}, 8},
        {w->termsForm(), {"&Calculate", "-", "-"}, 3},
    };
    for (const auto &e : expected) {
        show(e.page);
        QStringList captions;
        for (QPushButton *b : {w->commandButton(0), w->commandButton(1), w->commandButton(2)})
            captions << (b->isVisible() ? b->text() : QStringLiteral("-"));
        EXPECT_EQ(captions, e.captions) << e.help;
        press(Qt::Key_H, Qt::AltModifier); // Help's access key, on every tab
        EXPECT_EQ(prompts.helpContexts.back(), e.help);
    }
    EXPECT_EQ(w->tabs()->tabText(4), "Chart");

    // The first tab's labels are their fields' buddies, and name them.
    std::map<QWidget *, QString> captions;
    for (QLabel *l : w->findChildren<QLabel *>())
        if (l->buddy())
            captions[l->buddy()] = l->text();
    EXPECT_EQ(captions[w->field(Price)], "Price :");
    EXPECT_EQ(captions[w->field(MonthlyPayment)], "Monthly Principal && Interest :");
    EXPECT_EQ(captions[w->firstPaymentDate()], "First Payment Date :");
    EXPECT_EQ(w->field(AnnualRate)->accessibleName(), "Annual Percentage Rate");
    EXPECT_EQ(w->pictureButton(PictureAction::Open)->accessibleName(), "Open File");

    // Tab walks the first tab in reading order.
    w->field(Price)->setFocus();
    QApplication::processEvents();
    const std::vector<QWidget *> order = {
        w->field(DownPercent), w->field(DownAmount), w->field(LoanAmount),
        w->field(AnnualRate), w->field(NumberOfPayments), w->field(AnnualTax),
        w->field(AnnualInsurance), w->firstPaymentDate(), w->commandButton(0), w->exitButton(),
        w->helpButton(), w->pictureButton(PictureAction::New), w->pictureButton(PictureAction::Open), w->pictureButton(PictureAction::Save),
        w->pictureButton(PictureAction::About), w->pictureButton(PictureAction::Help)};
    for (QWidget *next : order) {
        press(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    // The focused picture button is outlined, and Space runs its command.
    auto *outline = w->findChild<QFrame *>("FocusOutline");
    EXPECT_TRUE(outline && outline->isVisible());
    press(Qt::Key_Space);
    EXPECT_EQ(prompts.helpContexts.back(), 0);

    // Exit's access key asks the question on closing; Cancel keeps the window.
    prompts.answers = {QMessageBox::Cancel};
    press(Qt::Key_E, Qt::AltModifier);
    ASSERT_FALSE(prompts.messages.empty());
    EXPECT_TRUE(w->isVisible());
    HelpWindow::instance()->showContext(7);
    EXPECT_EQ(HelpWindow::instance()->currentPage(), "chart.html");
    HelpWindow::instance()->hide();
}

// Before a view is built a note in the grid's place says what to press; each
// view is outlined and named above the grid; the quote, computed on arrival
// at its tab, is the plan of the Projected view.
TEST_F(TabsTest, ScheduleViewsOutlinesAndTheQuotePlan)
{
    open("Loan.qhv", standardLoan(3, 100));
    show(w->amortizationPage());
    AmortizationPage *page = w->amortizationPage();
    QLabel *caption = page->viewCaption();
    // No schedule is computed by arriving on the tab.
    EXPECT_EQ(page->yearList()->count(), 0);
    EXPECT_FALSE(w->viewOutline(0)->isVisible());
    QLabel *note = page->emptyNote();
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->accessibleName(), "Press Schedule, Actual or Projected to list the loan payment by payment.");
    EXPECT_EQ(note->text(), note->accessibleName());
    press(Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(caption->text(), "As contracted");
    EXPECT_FALSE(note->isVisible());
    // No plan picked yet: the Projected view is the contract, and is named so, in full.
    trigger("&Projected");
    EXPECT_EQ(caption->text(), "With the planned extra principal (no plan: as contracted)");
    EXPECT_LE(caption->heightForWidth(caption->width()), caption->height());

    // "Actual" adds the 100.00 recorded with each of the three payments.
    trigger("&Actual");
    EXPECT_EQ(page->grid()->cell(4, 2), "102.56"); // 599.55 less 496.99 interest on 99,398.35
    EXPECT_EQ(caption->text(), "With recorded extra principal");

    // Leaving and coming back shows the outline where it was.
    show(w->termsForm());
    EXPECT_FALSE(w->viewOutline(0)->isVisible());
    show(w->quotePage());
    QuotePage *quote = w->quotePage();
    EXPECT_TRUE(quote->option(ExtraMode::OnePayment)->isChecked());
    EXPECT_EQ(quote->grid()->cell(2, 3), "499.03"); // its figures are the schedule's own test
    quote->option(ExtraMode::EveryPayment)->click();
    EXPECT_EQ(quote->grid()->cell(1, 2), "252");
    show(w->amortizationPage());
    EXPECT_TRUE(w->viewOutline(0)->isVisible());
    trigger("&Projected");
    EXPECT_EQ(caption->text(), "With the planned extra principal"); // the longest: said in full
    EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->width());
    EXPECT_EQ(page->grid()->rows(), 253);

    QString other = path("Other.qhv");
    w->newLoan(other);
    EXPECT_EQ(caption->text(), "");
    EXPECT_TRUE(note->isVisibleTo(page));
}

// The quote's controls, each turned once: a recomputation runs Calculate,
// which quotes the plan picked.
TEST_F(TabsTest, QuoteControlsMakeThePlanAndTheQuote)
{
    open("Loan.qhv", standardLoan(5));
    show(w->quotePage());
    QuotePage *page = w->quotePage();
    page->option(ExtraMode::EveryPayment)->click();
    EXPECT_FALSE(page->paymentBox()->isEnabled());
    page->option(ExtraMode::OnePayment)->click(); // which the payment numbers below need

    // "10,000" is read whole, in the quote as in the chart and the Projected view.
    page->amountBox()->setText("10000");
    const auto tenThousand = plainRows(page->grid());
    page->amountBox()->setText("$10,000");
    EXPECT_EQ(plainRows(page->grid()), tenThousand);
    EXPECT_FALSE(page->whyLine()->isVisibleTo(page));
    show(w->chartPage());
    EXPECT_TRUE(w->chartPage()->summaryLabel()->text().contains(
        QString("%1 payments sooner, %2 less interest")
            .arg(page->grid()->cell(1, 3), page->grid()->cell(2, 3))))
        << w->chartPage()->summaryLabel()->text().toStdString();
    show(w->quotePage());
    page->amountBox()->setText("10k");
    EXPECT_EQ(page->whyLine()->text(), "Extra principal: \"10k\" is not an amount from 0 to 999,999,999.99.");
    EXPECT_EQ(page->plan().amount, 0.0);
    page->amountBox()->setText("10,000");

    // Not a 16-bit whole number: the previous quote stays, and the line says why.
    page->paymentBox()->setText("99999");
    EXPECT_EQ(page->whyLine()->text(), "Payment #: from 1 to 32,767.");
    const auto before = plainRows(page->grid());
    page->amountBox()->setText("5000");
    EXPECT_EQ(plainRows(page->grid()), before);

    // No number above 0 is payment 1; a half rounds to the even number, in the
    // quote and on the spinner.
    for (const char *bad : {"", "0", "-3", "x"}) {
        page->paymentBox()->setText("12");
        page->paymentBox()->setText(bad); // as pasted: one change
        EXPECT_EQ(page->paymentBox()->text(), "1") << bad;
    }
    page->paymentBox()->setText("4");
    const auto fourth = plainRows(page->grid());
    page->paymentBox()->setText("3.5");
    EXPECT_EQ(plainRows(page->grid()), fourth);
    EXPECT_EQ(page->spinner()->value(), 4);

    // Counting the ledger, the plan starts after the five payments recorded.
    page->includeActual()->click();
    EXPECT_EQ(page->paymentBox()->text(), "6");
    EXPECT_EQ(page->option(ExtraMode::EveryPayment)->text(), "Every remaining payment");
    page->includeActual()->click();
    EXPECT_EQ(page->option(ExtraMode::EveryPayment)->text(), "Every payment");

    // The spinner's upper arrow raises the number, from the lowest one again.
    page->paymentBox()->setText("1");
    QTest::mouseClick(page->spinner(), Qt::LeftButton, {}, QPoint(page->spinner()->width() / 2, 2));
    EXPECT_EQ(page->paymentBox()->text(), "2");

    // Enter moves on, to the payment number with its caret kept, and recomputes.
    QSignalSpy recomputed(page, &QuotePage::recomputeRequested);
    page->amountBox()->setFocus();
    QTest::keyClick(page->amountBox(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), page->paymentBox());
    EXPECT_FALSE(page->paymentBox()->hasSelectedText());
    EXPECT_EQ(recomputed.count(), 1);
}
