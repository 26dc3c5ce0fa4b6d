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

QString kindName(DatedChange::Kind kind)
{
    switch (kind) {
    case DatedChange::Kind::Rate: return QStringLiteral("Rate");
    case DatedChange::Kind::Recast: return QStringLiteral("Recast");
    case DatedChange::Kind::Escrow: return QStringLiteral("Escrow");
    }
    return QString();
}

QString whyRefused(const DatedChange &change, const DatedChanges &others, const QDate &first,
                   int lastRow)
{
    if (!change.from.isValid())
        return QStringLiteral("The date of a change must be a real date.");
    if (change.kind == DatedChange::Kind::Rate && !(change.value > 0 && change.value <= 100))
        return QStringLiteral("A rate is above 0 and at most 100 %.");
    if (change.kind == DatedChange::Kind::Escrow && !(change.value >= 0))
        return QStringLiteral("The monthly tax and insurance cannot be below 0.");
    if (!first.isValid())
        return QStringLiteral("Changes need a first payment date that is a date.");
    const int row = rowOf(change, first, lastRow);
    if (row == 0)
        return QStringLiteral("%1 is outside the loan: from %2 to %3.")
            .arg(Dates::format(change.from), Dates::format(first),
                 Dates::format(Dates::addMonths(first, lastRow - 1)));
    for (const DatedChange &other : others)
        if (other.kind == change.kind && rowOf(other, first, lastRow) == row)
            return QStringLiteral("Payment %1 already has a change of its %2.")
                .arg(row)
                .arg(kindName(change.kind).toLower());
    return QString();
}

double escrowOn(const DatedChanges &changes, const QDate &date, double contracted)
{
    double escrow = contracted;
    QDate latest;
    for (const DatedChange &c : changes)
        if (c.kind == DatedChange::Kind::Escrow && c.from <= date && (!latest.isValid() || c.from >= latest)) {
            latest = c.from;
            escrow = c.value;
        }
    return escrow;
}

} // namespace Changes
