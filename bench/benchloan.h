#pragma once
// The loan the benchmarks open: 260,000.00 at 6.25 % for a 325,000.00 house
// with 20 % down, first paid 01/01/26.
#include "storage/loanfile.h"

#include <QDate>

// Writes that loan to `path` with `payments` recorded payments (445.00 escrow,
// 100.00 extra on every third) over `numberOfPayments` months.
inline void writeBenchLoan(const QString &path, int payments, double numberOfPayments = 360)
{
    using namespace LoanTerms;
    LoanFileData d;
    d.terms[LoanAmount] = 260000;
    d.terms[AnnualRate] = 6.25;
    d.terms[NumberOfPayments] = numberOfPayments;
    d.terms[Price] = 325000;
    d.terms[DownAmount] = 65000;
    d.terms[DownPercent] = 20;
    d.firstPaymentDate = 10126;
    for (int k = 0; k < payments; ++k)
        d.payments.push_back({445, k % 3 ? 0.0 : 100.0, QDate(2026, 1, 1).addMonths(k).toString("MM/dd/yy")});
    LoanFile::write(path, d);
}
