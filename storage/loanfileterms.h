#pragma once
// The loan file's thirteen numbers and first payment date as typed terms, and
// back, so that a loan opened in the window, on the command line or anywhere
// else gives the same numbers.
#include <QString>

#include "loan/terms.h"
#include "storage/loanfile.h"

namespace LoanFile {

// The terms as a window shows them after opening the file: a term of 0 or
// less is none; the rate, the number of payments and the down percentage are
// read as their plain decimals, every other term as its amount text; the
// derivations of a load are applied once with no field current (the loan
// amount follows the price less the down payment). The first payment date's
// digits are today's when the stored number is not a whole number of five or
// six digits, and `keptDigits` (the date the loan had before) when it has
// more.
Terms terms(const LoanFileData &data, const QString &keptDigits = QString());

// Writes the terms into `data`: each term's number (0 for none), the computed
// ones worked out from the terms and rounded to cents (0 while they cannot be
// computed), the first payment date as the number its digits start with.
void store(const Terms &terms, LoanFileData &data);

} // namespace LoanFile
