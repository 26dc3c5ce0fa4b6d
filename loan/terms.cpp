#include "terms.h"

#include "dates.h"
#include "numtext.h"

#include <cmath>

using namespace LoanTerms;

namespace {

// The terms a person types, in the order of the form: the first that is no
// number is the one named.
constexpr int kInputs[] = {Price, DownPercent, DownAmount, LoanAmount, AnnualRate,
                           NumberOfPayments, AnnualTax, AnnualInsurance};

bool isComputed(int field)
{
    return field == MonthlyPayment || field == TotalInterest || field == TotalMonthlyPayment
           || field == LastPayment;
}

} // namespace

QDate Terms::firstPaymentDate() const
{
    return Dates::parse(firstPaymentText()).value_or(QDate());
}

QString Terms::firstPaymentText() const
{
    const QString d = firstPaymentDigits.leftJustified(6, u'_');
    return d.left(2) + u'/' + d.mid(2, 2) + u'/' + d.mid(4, 2);
}

QString Terms::whyInvalid() const
{
    for (int f : kInputs) {
        if (!term[size_t(f)].unread.isEmpty())
            return QStringLiteral("%1: \"%2\" is not a number.")
                .arg(fieldName(f), term[size_t(f)].unread);
    }
    if (!(loanAmount() > 0))
        return QStringLiteral("Enter a loan amount above 0");
    if (!(annualRate() > 0))
        return QStringLiteral("Enter an annual rate above 0");
    // At least one whole payment, so the schedule has a row.
    const double n = payments();
    if (n < 1 || n > Amortization::kMaxPayments)
        return QStringLiteral("Number of payments: from 1 to 32,767");
    // A rate too small to tell 1 + r from 1 leaves no payment to compute: the
    // payment on 1.00 is then not finite either. Otherwise the amount times
    // the rate went past the largest number.
    const double r = Amortization::monthlyRate(annualRate());
    if (std::isfinite(Amortization::regularPayment(loanAmount(), r, n)))
        return QString();
    if (!std::isfinite(Amortization::regularPayment(1, r, n)))
        return QStringLiteral("The annual rate is too small to work out a payment");
    return QStringLiteral("The loan amount and rate are too large to work out a payment");
}

QString Terms::caution() const
{
    const Term &rate = term[AnnualRate];
    if (!rate.number || rateWithComma.isEmpty())
        return QString();
    double a = *rate.number;
    if (a <= 1)
        a *= 100;
    return QStringLiteral("%1: \"%2\" is read as %3 %; use a point for decimals.")
        .arg(fieldName(AnnualRate), rateWithComma, NumText::plainDecimal(a));
}

std::optional<Amortization::Payment> Terms::payment() const
{
    if (!valid())
        return std::nullopt;
    return Amortization::calculate(loanAmount(), annualRate(), payments());
}

Terms Terms::read(const Texts &texts, const QString &firstPaymentDate)
{
    Terms t;
    for (int f = 0; f < kFieldCount; ++f) {
        if (isComputed(f))
            continue;
        const QString &text = texts[size_t(f)];
        t[f].number = LoanTerms::read(f, text);
        if (!t[f].number && !text.trimmed().isEmpty())
            t[f].unread = text.trimmed();
    }
    if (texts[AnnualRate].contains(u','))
        t.rateWithComma = texts[AnnualRate].trimmed();
    t.firstPaymentDigits = QString(firstPaymentDate).remove(u'/');
    return t;
}

Texts Terms::texts() const
{
    Texts out;
    for (int f = 0; f < kFieldCount; ++f) {
        const Term &t = term[size_t(f)];
        if (!t.unread.isEmpty())
            out[size_t(f)] = t.unread;
        else if (t.value() > 0)
            out[size_t(f)] = (f == AnnualRate || f == NumberOfPayments || f == DownPercent)
                                 ? NumText::plainDecimal(t.value())
                                 : NumText::amount(t.value());
    }
    if (const auto p = payment()) {
        out[TotalInterest] = NumText::amount(p->totalInterest);
        out[MonthlyPayment] = NumText::amount(p->monthlyPayment);
        out[TotalMonthlyPayment] = NumText::amount(monthlyTaxInsurance() + p->monthlyPayment);
        out[LastPayment] = NumText::amount(p->lastPayment);
    }
    return out;
}
