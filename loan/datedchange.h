#pragma once
// A dated change of a loan's terms, as a real loan has them: an adjustable
// rate, a recast after a lump sum, the escrow after a yearly analysis. It
// applies from the first payment due on or after its date.
#include <QDate>
#include <vector>

#include "amortization.h"

struct DatedChange {
    enum class Kind { Rate, Recast, Escrow };
    QDate from;
    Kind kind = Kind::Rate;
    double value = 0;       // the annual rate in percent, or the monthly escrow; none for a recast

    bool operator==(const DatedChange &) const = default;
};
using DatedChanges = std::vector<DatedChange>;

namespace Changes {

// The payment a change applies from: the first whose due date (the first
// payment date plus whole months, the day clamped) is on or after its date;
// 0 when that lies outside payments 1..lastRow or the first date is no date.
int rowOf(const DatedChange &change, const QDate &first, int lastRow);

// What the payment loop does at each row: rate changes and recasts (escrow
// changes leave the schedule alone).
Amortization::RowChanges forRows(const DatedChanges &changes, const QDate &first, int lastRow);

// The kind's name as the Changes tab shows it: "Rate", "Recast", "Escrow".
QString kindName(DatedChange::Kind kind);
// Why `change` cannot be stored beside `others` (the loan's other changes),
// in words for the user; empty when it can. A rate from above 0 to 100 %, an
// escrow of 0 or more, a date within the loan, one change of a kind on one
// payment.
QString whyRefused(const DatedChange &change, const DatedChanges &others, const QDate &first,
                   int lastRow);

// The monthly escrow in force on `date`: the last escrow change applying on or
// before it, else `contracted`.
double escrowOn(const DatedChanges &changes, const QDate &date, double contracted);

} // namespace Changes
