#include "chartdata.h"

#include "dates.h"
#include "numtext.h"

#include <algorithm>
#include <cmath>

namespace ChartData {

namespace {

constexpr ScheduleView kViews[3] = {ScheduleView::Contract, ScheduleView::Actual,
                                    ScheduleView::Projected};
constexpr qint64 kJulianDayOf1970 = 2440588;
constexpr double kMsPerDay = 86400000.0;

int twoDigits(const QString &text, int at)
{
    return (text[at].unicode() - u'0') * 10 + (text[at + 1].unicode() - u'0');
}

// Noon keeps the day the same when the axis shows it in any local time.
double msecsAtNoon(const ScheduleRow &row)
{
    const QDate d(row.year, twoDigits(row.dateText, 0), twoDigits(row.dateText, 3));
    return double(d.toJulianDay() - kJulianDayOf1970) * kMsPerDay + kMsPerDay / 2;
}

QString paymentsText(int count)
{
    return count == 1 ? QStringLiteral("1 payment") : QStringLiteral("%1 payments").arg(count);
}

const Line *longest(const Chart &chart)
{
    const Line *best = nullptr;
    for (const Line &l : chart.lines)
        if (l.payments > 0 && (!best || l.payments > best->payments))
            best = &l;
    return best;
}

} // namespace

Chart build(const ScheduleInputs &in)
{
    Chart chart;
    chart.planMode = in.plan.mode;
    chart.datedFromToday = !in.terms.firstPaymentDate().isValid();
    chart.annualRate = in.terms.annualRate();
    for (ScheduleView view : kViews) {
        Line &line = chart.lines[size_t(view)];
        const Schedule::Setup setup = Schedule::prepare(view, in);
        chart.rateChanges = chart.rateChanges
                            || std::any_of(setup.changes.begin(), setup.changes.end(),
                                           [](const auto &c) { return c.monthlyRate.has_value(); });
        const Amortization::Result res =
            Schedule::fill(setup, line.rows, [](int, const ScheduleRow &, bool) {});
        line.rows.resize(size_t(res.rows) + 1);
        if (res.rows == 0)
            continue;
        line.x.resize(line.rows.size());
        bool finite = true;
        for (int i = 1; i <= res.rows && finite; ++i) {
            const ScheduleRow &row = line.rows[size_t(i)];
            finite = std::isfinite(row.balance) && std::isfinite(row.interestToDate);
            line.x[size_t(i)] = msecsAtNoon(row);
        }
        if (!finite) {
            line = Line{};
            continue;
        }
        line.payments = res.rows;
        line.totalInterest = res.totalInterest;
    }
    return chart;
}

std::vector<int> shownRows(const Line &line, double x0, double x1, int columns)
{
    std::vector<int> out;
    const int n = line.payments;
    if (n <= kThinAbove || !(x1 > x0)) {
        out.resize(size_t(n));
        for (int i = 1; i <= n; ++i)
            out[size_t(i - 1)] = i;
        return out;
    }
    const double perMs = std::max(columns, 1) / (x1 - x0);
    auto column = [&](int i) { return qint64(std::floor((line.x[size_t(i)] - x0) * perMs)); };
    out.reserve(size_t(std::max(columns, 1)) + 2);
    out.push_back(1);
    qint64 next = n > 1 ? column(2) : 0;
    for (int i = 2; i <= n; ++i) {
        const qint64 here = next;
        if (i < n)
            next = column(i + 1);
        if (i == n || next != here || line.rows[size_t(i)].balance == 0)
            out.push_back(i);
    }
    return out;
}

QList<QPointF> points(const Line &line, const std::vector<int> &rows, Measure measure)
{
    QList<QPointF> out;
    out.reserve(qsizetype(rows.size()));
    for (int i : rows) {
        const ScheduleRow &row = line.rows[size_t(i)];
        out.append(QPointF(line.x[size_t(i)],
                           measure == Measure::Balance ? row.balance : row.interestToDate));
    }
    return out;
}

int nearestPayment(const Chart &chart, double x)
{
    const Line *l = longest(chart);
    if (!l)
        return 0;
    const auto first = l->x.begin() + 1, last = l->x.begin() + 1 + l->payments;
    const auto at = std::lower_bound(first, last, x);
    if (at == last)
        return l->payments;
    int i = int(at - l->x.begin());
    if (at != first && x - *(at - 1) <= *at - x)
        --i;
    return i;
}

QString hoverText(const Chart &chart, int payment)
{
    const Line *l = longest(chart);
    if (!l || payment < 1 || payment > l->payments)
        return QString();
    QStringList out{QStringLiteral("%1, payment %2")
                        .arg(l->rows[size_t(payment)].dateText)
                        .arg(payment)};
    for (ScheduleView view : kViews) {
        const Line &line = chart.line(view);
        if (line.payments == 0)
            continue;
        if (payment > line.payments) {
            out << QStringLiteral("%1: paid off %2")
                       .arg(Schedule::viewName(view), line.rows.back().dateText);
        } else {
            const ScheduleRow &row = line.rows[size_t(payment)];
            out << QStringLiteral("%1: balance %2, interest to date %3")
                       .arg(Schedule::viewName(view), NumText::amount(row.balance),
                            NumText::amount(row.interestToDate));
        }
    }
    return out.join(u'\n');
}

QString summary(const Chart &chart)
{
    const Line &contract = chart.line(ScheduleView::Contract);
    const Line &plan = chart.line(ScheduleView::Projected);
    if (contract.payments == 0 || plan.payments == 0)
        return QString();
    const QString paidOff = plan.rows.back().dateText;
    const QString rate = QStringLiteral("Rate %1%2. ").arg(
        Amortization::rateText(chart.annualRate),
        chart.rateChanges ? QStringLiteral(" at first (see the Changes tab)") : QString());
    if (chart.planMode == ExtraMode::None)
        return rate
               + QStringLiteral("No plan on the Extra Principal Quote tab: paid off %1 as contracted")
                     .arg(paidOff);

    QString out = rate + QStringLiteral("With the plan: paid off ") + paidOff;
    const int sooner = contract.payments - plan.payments;
    if (sooner > 0)
        out += QStringLiteral(", %1 sooner").arg(paymentsText(sooner));
    else if (sooner < 0)
        out += QStringLiteral(", %1 later").arg(paymentsText(-sooner));
    else
        out += QStringLiteral(" as contracted");
    // Compared in cents, as the grids show them.
    const double saved = contract.totalInterest - plan.totalInterest;
    const QString savedText = NumText::amount(std::abs(saved));
    if (savedText == NumText::amount(0))
        return sooner == 0 ? out + QStringLiteral("; it saves nothing") : out;
    return out + QStringLiteral(", %1 %2 interest")
                     .arg(savedText, saved > 0 ? QStringLiteral("less") : QStringLiteral("more"));
}

QString dateNote(const Chart &chart)
{
    return chart.datedFromToday
               ? QStringLiteral("The first payment date is not a date: the payments are dated "
                                "from today.")
               : QString();
}

} // namespace ChartData
