#include "datedchange.h"

#include "dates.h"

namespace Changes {

int rowOf(const DatedChange &change, const QDate &first, int lastRow)
{
    if (!first.isValid() || !change.from.isValid() || lastRow < 1)
        return 0;
    // Whole months from the first payment to the change, then one more when
    // the payment of that month falls before the change's day.
    int months = (change.from.year() - first.year()) * 12 + change.from.month() - first.month();
    months = std::max(months, 0);
    if (Dates::addMonths(first, months) < change.from)
        ++months;
    const int row = months + 1;
    if (change.from < first || row > lastRow)
        return 0;
    return row;
}

Amortization::RowChanges forRows(const DatedChanges &changes, const QDate &first, int lastRow)
{
    Amortization::RowChanges rows;
    for (const DatedChange &c : changes) {
        if (c.kind == DatedChange::Kind::Escrow)
            continue;
        const int row = rowOf(c, first, lastRow);
        if (row == 0)
            continue;
        if (rows.size() <= size_t(row))
            rows.resize(size_t(row) + 1);
        if (c.kind == DatedChange::Kind::Rate)
            rows[size_t(row)].monthlyRate = c.value / 100 / 12;
        else
            rows[size_t(row)].recast = true;
    }
    return rows;
}

} // namespace Changes
