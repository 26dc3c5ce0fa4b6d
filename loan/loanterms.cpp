#include "loanterms.h"

#include "amortization.h"
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
    if (!counts(t[LoanAmount]) || !counts(t[AnnualRate]) || !counts(t[NumberOfPayments]))
        return false;
    // At least one whole payment, so the schedule has a row.
    const double n = NumText::value(t[NumberOfPayments]);
    if (n < 1 || n > Amortization::kMaxPayments)
        return false;
    // A rate too small to tell 1 + r from 1 leaves no payment to compute.
    const double payment = Amortization::regularPayment(
        NumText::value(t[LoanAmount]),
        Amortization::monthlyRate(NumText::value(t[AnnualRate])), n);
    return std::isfinite(payment);
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
