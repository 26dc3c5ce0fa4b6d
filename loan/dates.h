#pragma once
// Dates as the program shows and stores them: "mm/dd/yy". A two-digit year
// yy is the year ending in yy within [Y - 50, Y + 49], Y being this year, so
// a 30-year loan taken today keeps its years right.
#include <QDate>
#include <QString>
#include <optional>

namespace Dates {

// Today's date, from the one place that tests can set.
QDate today();
// Makes today() return `date` (an invalid date restores the system clock).
void setToday(const QDate &date);

// A real calendar date written m/d/yy (month and day one or two digits,
// year two or four digits); nullopt for anything else.
std::optional<QDate> parse(const QString &text);
bool isDate(const QString &text);
// "mm/dd/yy".
QString format(const QDate &date);
// Adds calendar months; a day beyond the target month's end becomes its last.
QDate addMonths(const QDate &date, int months);
// The full year of a two-digit year under the window above.
int expandYear(int yy);

} // namespace Dates
