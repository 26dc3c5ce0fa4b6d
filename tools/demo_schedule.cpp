// A small host for looking at the Amortization and Extra Principal Quote
// pages on their own: a 100,000.00 loan at 6 over 360 payments, the schedule
// built and the quote for 100.00 with every payment.
#include "app/amortizationpage.h"
#include "app/quotepage.h"
#include "document/loandocument.h"

#include <QApplication>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    LoanDocument document;
    LoanTerms::Texts texts;
    texts[LoanTerms::LoanAmount] = QStringLiteral("100,000.00");
    texts[LoanTerms::AnnualRate] = QStringLiteral("6");
    texts[LoanTerms::NumberOfPayments] = QStringLiteral("360");
    document.setTerms(Terms::read(texts, QStringLiteral("01/15/08")));

    QTabWidget tabs;
    tabs.setWindowTitle(QStringLiteral("Quillhaven"));
    auto *amort = new AmortizationPage(document);
    auto *quote = new QuotePage(document);
    tabs.addTab(amort, QStringLiteral("Amortization"));
    tabs.addTab(quote, QStringLiteral("Extra Principal Quote"));

    const bool showQuote = argc > 1 && QString::fromLocal8Bit(argv[1]) == QLatin1String("quote");
    tabs.resize(480, 340);
    tabs.show();
    QTimer::singleShot(10, &tabs, [&] {
        quote->arrive();
        quote->option(ExtraMode::EveryPayment)->click();
        amort->build(ScheduleView::Contract);
        if (showQuote)
            tabs.setCurrentIndex(1);
    });
    return app.exec();
}
