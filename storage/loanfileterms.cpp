#include "loanfileterms.h"

#include "loan/dates.h"
#include "loan/numtext.h"

#include <cmath>

namespace LoanFile {

using namespace LoanTerms;

Texts termTexts(const LoanFileData &data)
{
    Texts t;
    for (int i = 0; i < kFieldCount; ++i) {
        const double v = data.terms[size_t(i)];
        if (v > 0)
            t[size_t(i)] = (i == AnnualRate || i == NumberOfPayments || i == DownPercent)
                               ? NumText::plainDecimal(v)
                               : NumText::amount(v);
    }
    return t;
}

QString firstPaymentDigits(const LoanFileData &data)
{
    const double date = data.firstPaymentDate;
    const QString s = NumText::plainDecimal(date);
    if (s.size() < 5 || date < 0 || date != std::floor(date))
        return Dates::today().toString(QStringLiteral("MMddyy"));
    if (s.size() == 5)
        return QStringLiteral("0") + s;
    if (s.size() == 6)
        return s;
    return QString();
}

ShownTerms shownTerms(const LoanFileData &data)
{
    ShownTerms out;
    out.texts = termTexts(data);
    // A load applies the derivations once with no field current; applying
    // them again changes nothing.
    for (const Assignment &a : derive(out.texts, -1))
        out.texts[size_t(a.field)] = a.text;
    for (const Assignment &a : calculate(out.texts))
        out.texts[size_t(a.field)] = a.text;
    const QString digits = firstPaymentDigits(data);
    out.firstPaymentDate = digits.isEmpty()
                               ? QStringLiteral("__/__/__")
                               : digits.left(2) + u'/' + digits.mid(2, 2) + u'/' + digits.mid(4, 2);
    return out;
}

} // namespace LoanFile
