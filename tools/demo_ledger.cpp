// A small host for looking at the payments tab with a dozen payments, or at
// the payment dialog ("demo_ledger dialog"), e.g. for screenshots.
#include "controls/datebox.h"
#include "ledger/paymentdialog.h"
#include "ledger/paymentspage.h"
#include "document/loandocument.h"
#include "loan/dates.h"

#include <QApplication>
#include <QComboBox>
#include <QTabWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quillhaven");

    if (argc > 1 && QString::fromLocal8Bit(argv[1]) == QLatin1String("dialog")) {
        PaymentDialog dlg;
        dlg.setWindowTitle(QStringLiteral("Payment # 13"));
        dlg.setDateText(QStringLiteral("01/15/09"));
        dlg.setEscrowText(QStringLiteral("412.50"));
        dlg.move(200, 150);
        return dlg.exec() == QDialog::Accepted ? 0 : 1;
    }

    LoanDocument document;
    LoanTerms::Texts texts;
    texts[LoanTerms::LoanAmount] = QStringLiteral("255,000.00");
    texts[LoanTerms::AnnualRate] = QStringLiteral("6.5");
    texts[LoanTerms::NumberOfPayments] = QStringLiteral("360");
    texts[LoanTerms::MonthlyTaxInsurance] = QStringLiteral("412.50");
    document.setTerms(Terms::read(texts, QStringLiteral("01/15/08")));
    const QDate first(2008, 1, 15);
    for (int k = 0; k < 12; ++k)
        document.appendPayment({412.5, k % 3 == 0 ? 250.0 : 0.0, Dates::format(first.addMonths(k))});

    QTabWidget tabs;
    tabs.setWindowTitle(QStringLiteral("Quillhaven - payments"));
    auto *page = new PaymentsPage(document);
    tabs.addTab(new QWidget, QStringLiteral("Main "));
    tabs.addTab(new QWidget, QStringLiteral("Amortization"));
    tabs.addTab(page, QStringLiteral("Payments"));
    tabs.addTab(new QWidget, QStringLiteral("Extra Principal Quote"));
    tabs.setCurrentIndex(2);
    tabs.resize(470, 335);
    tabs.move(100, 100);
    tabs.show();
    page->showPayments();
    page->fillYearList();
    page->arrive();
    return app.exec();
}
