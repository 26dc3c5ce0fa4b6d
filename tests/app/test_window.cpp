// The main window as a window: it grows (the grids show more rows, the
// fields and buttons keep their corners), it comes back where it was closed,
// and the first tab says why the terms cannot be computed.
#include "app/loantermsform.h"
#include "controls/datebox.h"
#include "mainwindowfixture.h"

#include <QFrame>
#include <QScreen>
#include <QSettings>
#include <QTabBar>

using namespace LoanTerms;

namespace {

class WindowTest : public MainWindowFixture {
protected:
    // Closes the window with "No" to the question, as a user leaving it.
    void closeWindow(MainWindow *window)
    {
        prompts.answers = {QMessageBox::No};
        ASSERT_TRUE(window->close());
    }
    static QRect screen() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    // Centred: the frame's centre on the screen's, give or take the frame.
    static bool centred(const QWidget *window)
    {
        const QPoint off = window->frameGeometry().center() - screen().center();
        const int frame = window->frameGeometry().width() - window->width();
        return std::abs(off.x()) <= frame && std::abs(off.y()) <= frame;
    }
};

// Rows of the grid that lie wholly inside its viewport.
int fullyVisibleRows(const Grid *g)
{
    int n = 0;
    for (int r = 0; r < g->gridModel()->rowCount(); ++r)
        n += g->viewport()->rect().contains(g->visualRect(g->gridModel()->index(r, 0)));
    return n;
}

// Where things are, measured from the corner they keep; last, the schedule's
// width and the gap from its grid to its totals.
std::vector<QPoint> places(const MainWindow *w)
{
    auto at = [w](const QWidget *c) { return c->mapTo(w, QPoint(0, 0)); };
    const QPoint corner(w->width(), w->height()), down(0, w->height());
    const AmortizationPage *page = w->amortizationPage();
    const QWidget *grid = page->grid();
    std::vector<QPoint> p{at(w->field(Price)), at(w->findChild<QFrame *>("pictureFrame")),
                          at(w->quotePage()->amountBox()), at(w->helpButton()) - down,
                          at(w->exitButton()) - corner,
                          at(page->totalLabel(7)) - QPoint(0, page->height())};
    for (int i = 0; i < 3; ++i)
        p.push_back(at(w->commandButton(i)) - corner);
    p.push_back({grid->width(), page->totalLabel(7)->y() - grid->mapTo(page, QPoint(0, grid->height())).y()});
    return p;
}

} // namespace

TEST_F(WindowTest, GrowsWithMoreRowsAndKeepsEveryPlace)
{
    // Resized by hand; maximised, the same layout is only given more room.
    open("Loan.qhv", standardLoan(60, 100));
    EXPECT_EQ(w->minimumSize(), QSize(493, 399));
    showTab(1);
    command(1); // Actual, outlined
    const Grid *schedule = w->amortizationPage()->grid();
    const int rows = fullyVisibleRows(schedule);
    const std::vector<QPoint> before = places(w);
    const QSize tabs = w->tabs()->size();
    const int ledgerWidth = w->paymentsPage()->grid()->width();
    EXPECT_GT(before.back().y(), 0); // the totals below the grid

    const QSize grown(760, 560);
    w->resize(grown);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->size() == grown; }));
    // Every pixel of height beyond the designed size goes to the rows.
    const int more = (grown.height() - 399) / schedule->rowHeight(0) - 1;
    EXPECT_TRUE(QTest::qWaitFor([&] { return fullyVisibleRows(schedule) >= rows + more; }))
        << fullyVisibleRows(schedule) << " rows, " << rows << " at the designed size";
    EXPECT_EQ(w->tabs()->size(), tabs + (grown - QSize(493, 399)));
    EXPECT_EQ(places(w), before);
    EXPECT_TRUE(w->viewOutline(0)->geometry().contains(w->commandButton(1)->geometry()));
    // The ledger's grid grows the same way.
    showTab(2);
    EXPECT_GE(fullyVisibleRows(w->paymentsPage()->grid()), rows + more);
    EXPECT_EQ(w->paymentsPage()->grid()->width(), ledgerWidth);

    // Never below the designed size.
    w->resize(300, 200);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->size() == QSize(493, 399); }));
    showTab(1);
    EXPECT_EQ(fullyVisibleRows(schedule), rows);
}

TEST_F(WindowTest, SizeAndPlaceComeBackAfterARestart)
{
    // The first start: the designed size, centred.
    auto first = start(path("A.qhv"));
    EXPECT_EQ(first->size(), QSize(493, 399));
    EXPECT_TRUE(centred(first));
    const QRect placed(40, 30, 640, 480);
    first->setGeometry(placed);
    ASSERT_TRUE(QTest::qWaitFor([&] { return first->geometry() == placed; }));
    closeWindow(first);

    auto second = start(path("A.qhv"));
    EXPECT_EQ(second->geometry(), placed);
    second->showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return second->isMaximized(); }));
    closeWindow(second);

    auto third = start(path("A.qhv"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return third->isMaximized(); }));
    third->showNormal();
    EXPECT_TRUE(QTest::qWaitFor([&] { return third->geometry() == placed; }));

    // A place off every screen: the size is kept and the window centred.
    QSettings("Quillhaven", "Quillhaven").setValue("Window/Geometry", QRect(-3000, 5000, 600, 450));
    QSettings("Quillhaven", "Quillhaven").setValue("Window/Maximized", false);
    auto fourth = start(path("A.qhv"));
    EXPECT_EQ(fourth->size(), QSize(600, 450));
    EXPECT_TRUE(centred(fourth));
}

TEST_F(WindowTest, TheFirstTabSaysWhyTheTermsCannotBeComputedAndLocksTheRest)
{
    const QString amount = "Enter a loan amount above 0";
    const struct { const char *loan, *rate, *n, *date; QString why; bool valid; } steps[] = {
        {"", "", "", "011508", amount, false},
        {"100000", "6", "360", "011508", "", true},
        // The terms stay valid: the schedule starts from today.
        {"100000", "6", "360", "023008", "The first payment date is not a valid date: today is used", true},
        {"", "6", "360", "023008", amount, false},
    };
    w = start(path("Empty.qhv"));
    QLabel *line = w->termsForm()->whyLine();
    QTabBar *bar = w->tabs()->tabBar();
    for (const auto &s : steps) {
        SCOPED_TRACE(s.why.isEmpty() ? "valid" : s.why.toStdString());
        typeInto(w->field(LoanAmount), s.loan);
        typeInto(w->field(AnnualRate), s.rate);
        typeInto(w->field(NumberOfPayments), s.n);
        w->firstPaymentDate()->setValue(s.date);
        EXPECT_EQ(line->isVisible(), !s.why.isEmpty());
        EXPECT_EQ(line->text(), s.why);
        EXPECT_EQ(w->commandButton(0)->isEnabled(), s.valid);
        for (int t = 1; t < w->tabs()->count(); ++t) {
            EXPECT_EQ(w->tabs()->isTabEnabled(t), s.valid) << t;
            EXPECT_EQ(w->tabs()->tabToolTip(t), s.valid ? "" : s.why) << t;
        }
        // Said in full under the computed fields, clear of the picture buttons.
        EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->width());
        EXPECT_GT(line->y(), w->field(TotalMonthlyPayment)->geometry().bottom());
        EXPECT_TRUE(w->termsForm()->rect().contains(line->geometry()));
        EXPECT_LT(line->geometry().right(), w->findChild<QFrame *>("pictureFrame")->x());
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
        EXPECT_EQ(w->tabs()->currentIndex(), s.valid ? 2 : 0);
        showTab(0);
    }
}
