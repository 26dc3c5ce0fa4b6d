// A small host for looking at the Amortization and Extra Principal Quote
// pages on their own: a 100,000.00 loan at 6 over 360 payments, the schedule
// built and the quote for 100.00 with every payment.
#include "app/amortizationpage.h"
#include "app/quotepage.h"

#include <QApplication>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTabWidget tabs;
    tabs.setWindowTitle(QStringLiteral("Quillhaven"));
    auto *amort = new AmortizationPage;
    auto *quote = new QuotePage;
    tabs.addTab(amort, QStringLiteral("Amortization"));
    tabs.addTab(quote, QStringLiteral("Extra Principal Quote"));
    amort->setupGrid();

    ScheduleInputs in;
    LoanTerms::Texts texts;
    texts[LoanTerms::LoanAmount] = QStringLiteral("100,000.00");
    texts[LoanTerms::AnnualRate] = QStringLiteral("6");
    texts[LoanTerms::NumberOfPayments] = QStringLiteral("360");
    texts[LoanTerms::TotalInterest] = QStringLiteral("115,838.45");
    in.terms = Terms::read(texts, QStringLiteral("01/15/08"));
    QObject::connect(quote, &QuotePage::recomputeRequested, quote,
                     [quote, in] {
        quote->quoteExtraPrincipal(quote->selectedMode(), in.terms, RecordedExtra{});
    });

    const bool showQuote = argc > 1 && QString::fromLocal8Bit(argv[1]) == QLatin1String("quote");
    tabs.resize(480, 340);
    tabs.show();
    QTimer::singleShot(10, &tabs, [&] {
        quote->onTabShown(0, true);
        quote->option(ExtraMode::EveryPayment)->click();
        amort->build(ScheduleView::Contract, in);
        if (showQuote)
            tabs.setCurrentIndex(1);
    });
    return app.exec();
}
