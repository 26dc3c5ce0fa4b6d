#include "loanfileterms.h"

#include "loan/dates.h"
#include "loan/numtext.h"

#include <cmath>

namespace LoanFile {

using namespace LoanTerms;

namespace {

QString firstPaymentDigits(const LoanFileData &data, const QString &kept)
{
    const double date = data.firstPaymentDate;
    const QString s = NumText::plainDecimal(date);
    if (s.size() < 5 || date < 0 || date != std::floor(date))
        return Dates::today().toString(QStringLiteral("MMddyy"));
    if (s.size() == 5)
        return QStringLiteral("0") + s;
    if (s.size() == 6)
        return s;
    return kept;
}

} // namespace

Terms terms(const LoanFileData &data, const QString &keptDigits)
{
    Texts t;
    for (int i = 0; i < kFieldCount; ++i) {
        const double v = data.terms[size_t(i)];
        if (v > 0)
            t[size_t(i)] = (i == AnnualRate || i == NumberOfPayments || i == DownPercent)
                               ? NumText::plainDecimal(v)
                               : NumText::amount(v);
    }
    for (const Assignment &a : derive(t, -1))
        t[size_t(a.field)] = a.text;
    Terms out = Terms::read(t, QString());
    out.firstPaymentDigits = firstPaymentDigits(data, keptDigits);
    return out;
}

void store(const Terms &terms, LoanFileData &data)
{
    for (int i = 0; i < kFieldCount; ++i)
        data.terms[size_t(i)] = terms.value(i);
    if (const auto p = terms.payment()) {
        data.terms[TotalInterest] = NumText::roundCents(p->totalInterest);
        data.terms[MonthlyPayment] = NumText::roundCents(p->monthlyPayment);
        data.terms[TotalMonthlyPayment] =
            NumText::roundCents(terms.monthlyTaxInsurance() + p->monthlyPayment);
        data.terms[LastPayment] = NumText::roundCents(p->lastPayment);
    }
    data.firstPaymentDate = NumText::leadingNumber(terms.firstPaymentDigits);
}

} // namespace LoanFile
