#include "loanterms.h"

#include "amortization.h"
#include "dates.h"
#include "numtext.h"

#include <cmath>

namespace LoanTerms {

namespace {
bool counts(const QString &text)
{
    return NumText::isNumeric(text) && NumText::leadingNumber(text) > 0;
}
} // namespace

bool valid(const Texts &t)
{
    return whyInvalid(t).isEmpty();
}

QString whyInvalid(const Texts &t)
{
    if (!counts(t[LoanAmount]))
        return QStringLiteral("Enter a loan amount above 0");
    if (!counts(t[AnnualRate]))
        return QStringLiteral("Enter an annual rate above 0");
    // At least one whole payment, so the schedule has a row.
    const QString paymentsRange = QStringLiteral("Number of payments: from 1 to 32,767");
    if (!counts(t[NumberOfPayments]))
        return paymentsRange;
    const double n = NumText::value(t[NumberOfPayments]);
    if (n < 1 || n > Amortization::kMaxPayments)
        return paymentsRange;
    // A rate too small to tell 1 + r from 1 leaves no payment to compute: the
    // payment on 1.00 is then not finite either. Otherwise the amount times
    // the rate went past the largest number.
    const double r = Amortization::monthlyRate(NumText::value(t[AnnualRate]));
    const double payment = Amortization::regularPayment(NumText::value(t[LoanAmount]), r, n);
    if (std::isfinite(payment))
        return QString();
    if (!std::isfinite(Amortization::regularPayment(1, r, n)))
        return QStringLiteral("The annual rate is too small to work out a payment");
    return QStringLiteral("The loan amount and rate are too large to work out a payment");
}

QString whyDateInvalid(const QString &firstPaymentDate)
{
    if (Dates::isDate(firstPaymentDate))
        return QString();
    return QStringLiteral("The first payment date is not a valid date: today is used");
}

std::vector<Assignment> derive(const Texts &t, int currentField)
{
    std::vector<Assignment> out;
    if (!NumText::isNumeric(t[Price]))
        return out;
    const double price = NumText::value(t[Price]);
    switch (currentField) {
    case DownPercent:
    case Price:
        if (NumText::isNumeric(t[DownPercent]))
            out.push_back({DownAmount,
                           NumText::amount(price * NumText::value(t[DownPercent]) / 100)});
        break;
    case DownAmount:
        // With no price the percentage cannot follow; it is left as it was.
        if (NumText::isNumeric(t[DownAmount]) && price != 0)
            out.push_back({DownPercent,
                           NumText::fixed(NumText::value(t[DownAmount]) / price * 100, 5)});
        break;
    case AnnualTax:
    case AnnualInsurance:
        out.push_back({MonthlyTaxInsurance,
                       NumText::amount((NumText::value(t[AnnualInsurance])
                                        + NumText::value(t[AnnualTax])) / 12)});
        break;
    default:
        break;
    }
    // The loan amount follows from the down amount as it stands after the
    // derivation above.
    QString down = t[DownAmount];
    for (const auto &a : out)
        if (a.field == DownAmount)
            down = a.text;
    if (!NumText::isNumeric(down))
        out.push_back({LoanAmount, t[Price]});
    else
        out.push_back({LoanAmount, NumText::amount(price - NumText::value(down))});
    return out;
}

bool reformatsOnLeave(int field)
{
    return field == LoanAmount || field == DownAmount || field == Price || field == AnnualTax
           || field == AnnualInsurance;
}

std::vector<Assignment> calculate(const Texts &t)
{
    const auto pay = Amortization::calculate(NumText::value(t[LoanAmount]),
                                             NumText::value(t[AnnualRate]),
                                             NumText::value(t[NumberOfPayments]));
    return {
        {TotalInterest, NumText::amount(pay.totalInterest)},
        {MonthlyPayment, NumText::amount(pay.monthlyPayment)},
        {TotalMonthlyPayment,
         NumText::amount(NumText::value(t[MonthlyTaxInsurance]) + pay.monthlyPayment)},
        {LastPayment, NumText::amount(pay.lastPayment)},
    };
}

} // namespace LoanTerms
