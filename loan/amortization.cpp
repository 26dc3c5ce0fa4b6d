#include "amortization.h"

namespace Amortization {

double monthlyRate(double annualRate)
{
    if (annualRate > 1)
        annualRate /= 100;
    return annualRate / 12;
}

double annualPercent(double annualRate)
{
    return annualRate > 1 ? annualRate : annualRate * 100;
}

QString rateText(double annualRate)
{
    return NumText::percentText(annualPercent(annualRate));
}

double regularPayment(double loanAmount, double r, double n)
{
    return NumText::roundCents(loanAmount * (r / (1 - 1 / std::pow(1 + r, n))));
}

Payment calculate(double loanAmount, double annualRate, double payments)
{
    const double r = monthlyRate(annualRate);
    Payment out;
    out.monthlyPayment = regularPayment(loanAmount, r, payments);
    if (!std::isfinite(out.monthlyPayment)) {
        out.totalInterest = out.lastPayment = out.monthlyPayment;
        return out;
    }
    Result res = run(loanAmount, r, out.monthlyPayment, payments,
                     [](int) { return 0.0; }, [](const Row &) {});
    out.totalInterest = res.totalInterest;
    out.lastPayment = out.monthlyPayment + res.rawBalance;
    return out;
}

} // namespace Amortization
