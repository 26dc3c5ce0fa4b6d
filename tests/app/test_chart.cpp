// The Chart tab in the main window: its lines read from the series (not
// from pixels), what redraws them, its hover tip and its summary; its legend
// as drawn.
#include "app/chartpage.h"
#include "controls/datebox.h"
#include "controls/linelegend.h"
#include "loan/numtext.h"
#include "mainwindowfixture.h"

#include <QChartView>
#include <QHelpEvent>
#include <QLineSeries>
#include <QToolTip>

using namespace LoanTerms;

using ChartTab = MainWindowFixture;

TEST_F(ChartTab, LinesFollowTheLedgerThePlanAndTheTerms)
{
    open("Loan.qhv", standardLoan(30, 1000));
    ChartPage *chart = w->chartPage();
    const auto balance = [chart](ScheduleView v) { return chart->balanceLine(v); };
    show(w->amortizationPage());
    trigger("&Actual"); // Actual
    show(w->chartPage());
    // As contracted: every payment a point (their figures are the chart data's
    // own test), the interest line rising to the total.
    ASSERT_EQ(balance(ScheduleView::Contract)->count(), 360);
    ASSERT_EQ(chart->interestLine(ScheduleView::Contract)->count(), 360);
    EXPECT_EQ(NumText::amount(chart->interestLine(ScheduleView::Contract)->at(359).y()), "115,838.45");
    // With the recorded payments: the rows of the Actual view.
    const Grid *grid = w->amortizationPage()->grid();
    ASSERT_EQ(balance(ScheduleView::Actual)->count(), grid->rows() - 1);
    EXPECT_EQ(NumText::amount(balance(ScheduleView::Actual)->at(29).y()), grid->cell(30, 4));

    // Hovering shows the nearest payment. The pointer at rest then asks for a
    // tip: the chart answers it with the same text, where the scene, knowing
    // none, would take it away.
    QChartView *view = chart->balanceView();
    const QPoint middle = view->mapFromScene(view->chart()->mapToScene(view->chart()->plotArea().center()));
    QTest::mouseMove(view->viewport(), middle);
    ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }));
    const QString tip = QToolTip::text();
    EXPECT_TRUE(tip.contains(", payment ")) << tip.toStdString();
    QHelpEvent rest(QEvent::ToolTip, middle, view->viewport()->mapToGlobal(middle));
    QCoreApplication::sendEvent(view->viewport(), &rest);
    EXPECT_TRUE(rest.isAccepted());
    EXPECT_EQ(QToolTip::text(), tip);

    // A payment recorded meanwhile shows on the next arrival.
    const int before = balance(ScheduleView::Actual)->count();
    w->document().appendPayment({250, 20000, "07/15/10"});
    show(w->termsForm());
    show(w->chartPage());
    EXPECT_LT(balance(ScheduleView::Actual)->count(), before);

    // 100.00 with every payment on the quote tab.
    show(w->quotePage());
    w->quotePage()->option(ExtraMode::EveryPayment)->click();
    w->quotePage()->amountBox()->setText("100");
    show(w->chartPage());
    EXPECT_EQ(balance(ScheduleView::Projected)->count(), 252);
    EXPECT_EQ(chart->summaryLabel()->text(),
              "Rate 6 %. With the plan: paid off 12/15/28, 108 payments sooner, 39,900.41 less interest");
    // A plan changed while the chart is shown redraws it at once.
    w->quotePage()->amountBox()->setText("200");
    settle();
    EXPECT_LT(balance(ScheduleView::Projected)->count(), 252);

    // New terms, calculated, redraw on arrival; a first payment date that is
    // no date is said.
    show(w->termsForm());
    w->field(NumberOfPayments)->setText("180");
    w->firstPaymentDate()->setValue("133108");
    trigger("&Calculate");
    show(w->chartPage());
    EXPECT_EQ(balance(ScheduleView::Contract)->count(), 180);
    EXPECT_TRUE(chart->summaryLabel()->text().endsWith(
        "\nThe first payment date is not a date: the payments are dated from today."));

    // Another loan opened while the chart is shown replaces it at once.
    LoanFileData other = standardLoan();
    other.terms[NumberOfPayments] = 24;
    QString file = path("Other.qhv");
    writeLoan(file, other);
    ASSERT_TRUE(w->loadLoan(file));
    EXPECT_EQ(balance(ScheduleView::Contract)->count(), 24);
}

// The legend names the three lines beside samples drawn in their own pens,
// and reads without colour: along its middle the solid sample is one stroke,
// the dashed one a few, the dotted one more.
TEST_F(ChartTab, TheLegendShowsEachLineInItsOwnDashPattern)
{
    open("Loan.qhv", standardLoan());
    show(w->chartPage());
    LineLegend *legend = w->chartPage()->legend();
    ASSERT_EQ(legend->entries().size(), 3);
    const QImage drawn = legend->grab().toImage();
    std::vector<int> strokes;
    for (int i = 0; i < 3; ++i) {
        const QLineSeries *line = w->chartPage()->balanceLine(ScheduleView(i));
        EXPECT_EQ(legend->entries()[i].name, line->name());
        EXPECT_EQ(legend->entries()[i].pen, line->pen());
        const QRect sample = legend->sampleRect(i);
        ASSERT_TRUE(legend->rect().contains(sample)) << i;
        int count = 0;
        for (int x = sample.left(), was = false; x <= sample.right(); ++x) {
            const bool ink = drawn.pixel(x, sample.center().y()) != drawn.pixel(0, 0);
            count += ink && !was;
            was = ink;
        }
        strokes.push_back(count);
    }
    EXPECT_EQ(strokes[0], 1);
    EXPECT_GE(strokes[1], 2);
    EXPECT_GT(strokes[2], strokes[1]);
}
