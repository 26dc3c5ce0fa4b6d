#include "schedule.h"

#include "dates.h"
#include "numtext.h"

#include <algorithm>
#include <cmath>

namespace Schedule {

namespace {

constexpr bool isLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m)
{
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[m - 1];
}

void put2(QChar *out, int v)
{
    out[0] = QChar(u'0' + v / 10);
    out[1] = QChar(u'0' + v % 10);
}

} // namespace

std::optional<double> planAmount(const QString &text)
{
    const std::optional<double> v = NumText::parseAmount(text);
    if (!v || *v < 0 || *v > kMaxExtra)
        return std::nullopt;
    return v;
}

QString whyNotPlanAmount(const QString &text)
{
    if (planAmount(text))
        return QString();
    return QStringLiteral("Extra principal: \"%1\" is not an amount from 0 to 999,999,999.99.")
        .arg(text.trimmed());
}

QString viewName(ScheduleView view)
{
    switch (view) {
    case ScheduleView::Contract: return QStringLiteral("As contracted");
    case ScheduleView::Actual: return QStringLiteral("With recorded extra principal");
    case ScheduleView::Projected: return QStringLiteral("With the planned extra principal");
    }
    return QString();
}

QString viewName(ScheduleView view, ExtraMode planMode)
{
    // Without a plan the Projected view is the contract, and says so.
    if (view == ScheduleView::Projected && planMode == ExtraMode::None)
        return viewName(view) + QStringLiteral(" (no plan: as contracted)");
    return viewName(view);
}

ExtraRule ruleForQuote(ExtraMode mode, const ExtraPlan &plan, const RecordedExtra &recorded)
{
    ExtraRule rule;
    if (mode == ExtraMode::None)
        return rule;
    if (plan.includeActual) {
        rule.recorded = recorded.extraPrincipal;
        rule.recordedCount = recorded.count;
    }
    rule.amount = plan.amount;
    if (mode == ExtraMode::EveryPayment) {
        // "Every remaining payment" with the ledger: E only after the recorded payments.
        rule.first = plan.includeActual ? recorded.count + 1 : 1;
        rule.last = INT_MAX;
    } else if (plan.payment) {
        rule.first = rule.last = *plan.payment;
    }
    return rule;
}

ExtraRule ruleForView(ScheduleView view, const ExtraPlan &plan, const RecordedExtra &recorded)
{
    if (view == ScheduleView::Actual) {
        ExtraRule rule;
        rule.recorded = recorded.extraPrincipal;
        rule.recordedCount = recorded.count;
        return rule;
    }
    if (view == ScheduleView::Projected)
        return ruleForQuote(plan.mode, plan, recorded);
    return {};
}

Setup prepare(ScheduleView view, const ScheduleInputs &in)
{
    using namespace LoanTerms;
    Setup s;
    s.loanAmount = in.terms.loanAmount();
    s.monthlyRate = Amortization::monthlyRate(in.terms.annualRate());
    s.payments = in.terms.payments();
    s.payment = Amortization::regularPayment(s.loanAmount, s.monthlyRate, s.payments);
    // The loop runs rows 1, 2, ... while the row is at most n: a fraction
    // of a payment adds no row.
    const double n = std::floor(s.payments);
    s.lastRow = !(n > 0) ? 0 : int(std::min(n, double(Amortization::kMaxPayments)));
    const QDate first = in.terms.firstPaymentDate();
    s.firstDate = first.isValid() ? first : Dates::today();
    s.extra = ruleForView(view, in.plan, in.recorded);
    s.changes = Changes::forRows(in.changes, first, s.lastRow);
    return s;
}

QString dateText(const QDate &first, int months, int *year)
{
    return dateText(first.year(), first.month(), first.day(), months, year);
}

QString dateText(int firstYear, int firstMonth, int firstDay, int months, int *year)
{
    const int total = firstMonth - 1 + months;
    const int y = firstYear + total / 12;
    const int m = total % 12 + 1;
    const int d = std::min(firstDay, daysInMonth(y, m));
    QString out(8, u'/');
    QChar *c = out.data();
    put2(c, m);
    put2(c + 3, d);
    put2(c + 6, ((y % 100) + 100) % 100);
    if (year)
        *year = y;
    return out;
}

QString gridText(int i, const ScheduleRow &row, int col)
{
    switch (col) {
    case 0: return QString::number(i);
    case 1: return row.dateText;
    case 2: return NumText::amount(row.principal);
    case 3: return NumText::amount(row.interest);
    case 4: return NumText::amount(row.balance);
    case 5: return NumText::amount(row.interestToDate);
    default: return QString();
    }
}

QStringList gridTexts(int i, const ScheduleRow &row)
{
    QStringList out;
    out.reserve(6);
    for (int c = 0; c < 6; ++c)
        out << gridText(i, row, c);
    return out;
}

bool hasRemainder(const Amortization::Result &res)
{
    return !res.paidOff && res.rows > 0 && res.rawBalance > 0;
}

QStringList years(const Setup &s)
{
    QStringList out{QStringLiteral("All")};
    if (s.payments > 0) {
        const int y = s.firstDate.year();
        // n rounded to a whole number, divided by 12 with the fraction dropped.
        const double n = std::min(std::nearbyint(s.payments), double(Amortization::kMaxPayments));
        const int m = int(n) / 12;
        for (int k = 0; k <= m; ++k)
            out << QString::number(y + k);
    }
    return out;
}

Totals yearTotals(const std::vector<ScheduleRow> &table, double numberOfPayments,
                  const QString &entry)
{
    Totals t;
    const int tableLast = int(table.size()) - 1;
    const auto n16 = NumText::toInt16(numberOfPayments);
    const int count = std::min(n16 ? int(*n16) : tableLast, tableLast);

    const QString e = entry.trimmed();
    const bool all = e.isEmpty();
    // The entry's year compared as text: only a canonical year text can match.
    bool ok = false;
    int year = e.toInt(&ok);
    if (!all && (!ok || QString::number(year) != e))
        year = INT_MIN;

    for (int k = 1; k <= count; ++k) {
        const ScheduleRow &row = table[size_t(k)];
        if (all || (row.year == year && !row.dateText.isEmpty())) {
            t.principal += row.principal;
            t.interest += row.interest;
            t.balance = row.balance;
            t.interestToDate = row.interestToDate;
            if (t.firstRow == 0)
                t.firstRow = k;
        }
        if (row.balance == 0)
            break;
    }
    if (all)
        t.firstRow = 1;
    return t;
}

std::array<QString, 4> totalsTexts(const Totals &t)
{
    return {NumText::amount(t.principal), NumText::amount(t.interest),
            NumText::amount(t.balance), NumText::amount(t.interestToDate)};
}

Quote quote(const Terms &terms, const ExtraRule &extra, const DatedChanges &changes)
{
    const double loan = terms.loanAmount();
    const double r = Amortization::monthlyRate(terms.annualRate());
    const double n = terms.payments();
    const double a = Amortization::regularPayment(loan, r, n);
    const int lastRow = n >= 1 ? int(std::min(std::floor(n), double(Amortization::kMaxPayments))) : 0;
    const auto res = Amortization::run(loan, r, a, n, extra, [](const Amortization::Row &) {},
                                       Changes::forRows(changes, terms.firstPaymentDate(), lastRow));
    return {res.rows, res.totalInterest};
}

std::array<QString, 6> quoteCells(const Terms &terms, double scheduledInterest, const Quote &q)
{
    const double n = terms.payments();
    // n - P has no more decimals than n itself; the binary subtraction
    // leaves noise beyond them (360.6 - 360 = 0.600000000000023).
    const QString scheduled = NumText::plainDecimal(n);
    const qsizetype point = scheduled.indexOf(u'.');
    const int decimals = point < 0 ? 0 : int(scheduled.size() - point - 1);
    return {scheduled,
            QString::number(q.payments),
            NumText::plainDecimal(NumText::value(NumText::fixed(n - q.payments, decimals))),
            NumText::amount(scheduledInterest),
            NumText::amount(q.interest),
            NumText::amount(scheduledInterest - q.interest)};
}

Table build(ScheduleView view, const ScheduleInputs &in)
{
    Table out;
    const Setup s = prepare(view, in);
    out.grid.resize(size_t(s.lastRow) + 1);
    out.result = fill(s, out.rows, [&](int i, const ScheduleRow &row, bool) {
        if (size_t(i) >= out.grid.size())
            out.grid.resize(size_t(i) + 1);
        out.grid[size_t(i)] = gridTexts(i, row);
    });
    // The row settled after the loop shows its settled figures.
    if (hasRemainder(out.result)) {
        const int last = out.result.rows;
        out.grid[size_t(last)] = gridTexts(last, out.rows[size_t(last)]);
    }
    out.years = years(s);
    return out;
}

} // namespace Schedule
