// Writes the sample loan that ships with Quillhaven: a 325,000.00 house with
// 20 % down at 6.25 % over 360 payments, first paid on 01/01/26, and the
// first twelve payments recorded, some with extra principal.
#include "loan/amortization.h"
#include "loan/loanterms.h"
#include "storage/loanfile.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makesample OUTPUT.qhv\n");
        return 2;
    }
    using namespace LoanTerms;
    const double price = 325000, downPercent = 20, rate = 6.25, payments = 360;
    const double tax = 3900, insurance = 1440;
    const double down = price * downPercent / 100;
    const double loan = price - down;
    const double escrow = NumText::roundCents((tax + insurance) / 12);
    const auto pay = Amortization::calculate(loan, rate, payments);

    LoanFileData data;
    data.terms[LoanAmount] = loan;
    data.terms[AnnualRate] = rate;
    data.terms[NumberOfPayments] = payments;
    data.terms[MonthlyPayment] = pay.monthlyPayment;
    data.terms[TotalInterest] = pay.totalInterest;
    data.terms[DownAmount] = down;
    data.terms[DownPercent] = downPercent;
    data.terms[Price] = price;
    data.terms[AnnualTax] = tax;
    data.terms[MonthlyTaxInsurance] = escrow;
    data.terms[TotalMonthlyPayment] = escrow + pay.monthlyPayment;
    data.terms[LastPayment] = pay.lastPayment;
    data.terms[AnnualInsurance] = insurance;
    data.firstPaymentDate = 10126; // 01/01/26
    const double extras[12] = {0, 0, 100, 100, 0, 250, 100, 0, 0, 500, 100, 100};
    for (int m = 0; m < 12; ++m) {
        PaymentRecord r;
        r.escrow = escrow;
        r.extraPrincipal = extras[m];
        r.payDate = QStringLiteral("%1/01/26").arg(m + 1, 2, 10, QLatin1Char('0'));
        data.payments.push_back(r);
    }
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || out.write(LoanFile::encode(data)) < 0) {
        std::fprintf(stderr, "makesample: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
