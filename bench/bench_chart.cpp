// The Chart tab: drawn again after a change of the plan, both charts painted,
// for a 30-year loan and the longest one; and one step of a resize with the
// longest loan drawn, thinned lines and all.
#include "app/chartpage.h"
#include "document/loandocument.h"
#include "app/mainwindow.h"
#include "app/quotepage.h"
#include "storage/loanfile.h"

#include <QApplication>
#include <QChartView>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Lets deferred work, layouts included, run and paints both charts now.
void paint(ChartPage &page)
{
    QCoreApplication::sendPostedEvents();
    page.balanceView()->viewport()->repaint();
    page.interestView()->viewport()->repaint();
}

// From a new plan amount typed on the quote tab to both charts painted, the
// chart tab shown: the change runs Calculate, which draws the chart anew.
void BM_ChartAfterChange(benchmark::State &state)
{
    const int payments = int(state.range(0));
    QTemporaryDir dir;
    const QString file = dir.filePath("Chart.qhv");
    LoanFileData d;
    d.terms[LoanTerms::LoanAmount] = 100000;
    d.terms[LoanTerms::AnnualRate] = 6;
    d.terms[LoanTerms::NumberOfPayments] = payments;
    d.firstPaymentDate = 10108;
    for (int k = 0; k < 24; ++k)
        d.payments.push_back({0, k % 3 ? 0.0 : 500.0,
                              QDate(2008, 1, 1).addMonths(k).toString("MM/dd/yy")});
    LoanFile::write(file, d);
    MainWindow w;
    w.setStartFile(file);
    w.show();
    while (!w.windowTitle().contains("Chart.qhv") || w.hasDeferredWork())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    w.quotePage()->option(ExtraMode::EveryPayment)->click();
    w.tabs()->setCurrentIndex(4);
    while (w.hasDeferredWork())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ChartPage &page = *w.chartPage();
    paint(page);
    int k = 0;
    for (auto _ : state) {
        w.quotePage()->amountBox()->setText(++k % 2 ? QStringLiteral("150") : QStringLiteral("100"));
        paint(page);
    }
    state.counters["points"] = double(page.data().line(ScheduleView::Contract).payments);
}
BENCHMARK(BM_ChartAfterChange)->Arg(360)->Arg(32767)->Unit(benchmark::kMillisecond);

// One step of a window drag, 8 pixels wider or narrower, with the longest
// loan drawn: the thinned lines follow the width now and then.
void BM_ChartResizeStep(benchmark::State &state)
{
    LoanDocument document;
    LoanTerms::Texts texts;
    texts[LoanTerms::LoanAmount] = QStringLiteral("100,000.00");
    texts[LoanTerms::AnnualRate] = QStringLiteral("6");
    texts[LoanTerms::NumberOfPayments] = QStringLiteral("32767");
    document.setTerms(Terms::read(texts, QStringLiteral("01/01/08")));
    document.setPlan({ExtraMode::EveryPayment, 100.0, int16_t(1), false});
    ChartPage page(document);
    page.resize(460, 300);
    page.show();
    page.draw();
    paint(page);
    int width = 460, step = 8;
    for (auto _ : state) {
        if (width + step > 1400 || width + step < 460)
            step = -step;
        width += step;
        page.resize(width, 300 + (width - 460) / 2);
        paint(page);
    }
}
BENCHMARK(BM_ChartResizeStep)->Unit(benchmark::kMillisecond);

} // namespace
