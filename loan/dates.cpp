#include "dates.h"

#include <QStringList>

namespace {
QDate g_today;
}

namespace Dates {

QDate today()
{
    return g_today.isValid() ? g_today : QDate::currentDate();
}

void setToday(const QDate &date)
{
    g_today = date;
}

int expandYear(int yy)
{
    int y = today().year();
    int low = y - 50;
    int candidate = low - (low % 100 + 100) % 100 + yy; // century of `low`, year yy
    if (candidate < low)
        candidate += 100;
    return candidate;
}

std::optional<QDate> parse(const QString &text)
{
    const QStringList parts = text.trimmed().split(u'/');
    if (parts.size() != 3)
        return std::nullopt;
    int values[3];
    for (int i = 0; i < 3; ++i) {
        const QString &p = parts[i];
        int maxLen = i == 2 ? 4 : 2;
        if (p.isEmpty() || p.size() > maxLen || (i == 2 && p.size() == 3))
            return std::nullopt;
        for (QChar c : p)
            if (c < u'0' || c > u'9')
                return std::nullopt;
        values[i] = p.toInt();
    }
    int year = parts[2].size() <= 2 ? expandYear(values[2]) : values[2];
    QDate d(year, values[0], values[1]);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

bool isDate(const QString &text)
{
    return parse(text).has_value();
}

QString format(const QDate &date)
{
    return date.toString(QStringLiteral("MM/dd/yy"));
}

QDate addMonths(const QDate &date, int months)
{
    return date.addMonths(months); // QDate clamps the day to the month's end
}

} // namespace Dates
