#pragma once
// The loan file's terms as the texts the window shows after loading it, so
// that a loan read without a window (the command line) gives the same numbers.
#include <QString>

#include "loan/loanterms.h"
#include "storage/loanfile.h"

namespace LoanFile {

// The thirteen field texts: the rate, the number of payments and the down
// percentage as plain decimals, every other term in the amount format, and a
// term of 0 or less as an empty field.
LoanTerms::Texts termTexts(const LoanFileData &data);
// The first payment date's digits "mmddyy": today's when the stored number is
// not a whole number of five or six digits, and empty (the date box is left
// as it was) when it has more.
QString firstPaymentDigits(const LoanFileData &data);

// The terms a window started on the file uses on its tabs: the texts above,
// the derivations of a load, then the loan calculation every tab runs on
// arrival. The first payment date with its separators ("__/__/__" when left
// empty).
struct ShownTerms {
    LoanTerms::Texts texts;
    QString firstPaymentDate;
};
ShownTerms shownTerms(const LoanFileData &data);

} // namespace LoanFile
