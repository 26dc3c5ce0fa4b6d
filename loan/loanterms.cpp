#include "loanterms.h"

#include "amortization.h"
#include "dates.h"
#include "numtext.h"
#include "terms.h"

#include <cmath>

namespace LoanTerms {

namespace {

bool takesPercentSign(int field)
{
    return field == AnnualRate || field == DownPercent;
}

} // namespace

std::optional<double> read(int field, const QString &text)
{
    QString t = text.trimmed();
    const bool percent = takesPercentSign(field) && t.endsWith(u'%');
    if (percent)
        t.chop(1);
    if (t.isEmpty())
        return std::nullopt;
    std::optional<double> v = NumText::parse(t);
    // A rate of 1 or less is a fraction, above 1 a percentage: a percentage
    // that small is written as the fraction it is.
    if (v && percent && field == AnnualRate && *v <= 1)
        *v /= 100;
    return v;
}

double valueOf(const Texts &t, int field)
{
    return read(field, t[size_t(field)]).value_or(0.0);
}

QString fieldName(int field)
{
    switch (field) {
    case LoanAmount: return QStringLiteral("Loan amount");
    case AnnualRate: return QStringLiteral("Annual rate");
    case NumberOfPayments: return QStringLiteral("Number of payments");
    case DownAmount: return QStringLiteral("Down payment");
    case DownPercent: return QStringLiteral("Down percentage");
    case Price: return QStringLiteral("Price");
    case AnnualTax: return QStringLiteral("Annual tax");
    case AnnualInsurance: return QStringLiteral("Annual insurance");
    default: return QString();
    }
}

QString whyInvalid(const Texts &t)
{
    return Terms::read(t, QString()).whyInvalid();
}

QString caution(const Texts &t)
{
    return Terms::read(t, QString()).caution();
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
    const std::optional<double> price = read(Price, t[Price]);
    if (!price)
        return out;
    switch (currentField) {
    case DownPercent:
    case Price:
        if (const auto percent = read(DownPercent, t[DownPercent]))
            out.push_back({DownAmount, NumText::amount(*price * *percent / 100)});
        break;
    case DownAmount:
        // With no price the percentage cannot follow; it is left as it was.
        if (const auto down = read(DownAmount, t[DownAmount]); down && *price != 0)
            out.push_back({DownPercent, NumText::fixed(*down / *price * 100, 5)});
        break;
    case AnnualTax:
    case AnnualInsurance:
        out.push_back({MonthlyTaxInsurance,
                       NumText::amount((valueOf(t, AnnualInsurance) + valueOf(t, AnnualTax)) / 12)});
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
    if (const auto d = read(DownAmount, down))
        out.push_back({LoanAmount, NumText::amount(*price - *d)});
    else
        out.push_back({LoanAmount, t[Price]});
    return out;
}

std::optional<QString> textOnLeave(int field, const QString &text)
{
    const std::optional<double> v = read(field, text);
    if (!v)
        return std::nullopt;
    switch (field) {
    case LoanAmount:
    case DownAmount:
    case Price:
    case AnnualTax:
    case AnnualInsurance:
        return NumText::amount(*v);
    case AnnualRate:
    case DownPercent:
        if (text.trimmed().endsWith(u'%'))
            return NumText::plainDecimal(*v);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace LoanTerms
