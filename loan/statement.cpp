#include "statement.h"

#include "amortization.h"
#include "dates.h"
#include "numtext.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

bool StatementLine::isPayment() const
{
    return principal.value_or(0) != 0 || interest.value_or(0) != 0;
}

std::optional<double> StatementLine::balanceBefore() const
{
    if (!balance)
        return std::nullopt;
    return NumText::roundCents(*balance + principalPaid());
}

std::optional<double> StatementLine::amount(StatementColumn column) const
{
    switch (column) {
    case StatementColumn::Principal: return principal;
    case StatementColumn::Interest: return interest;
    case StatementColumn::Escrow: return escrow;
    case StatementColumn::Extra: return extra;
    case StatementColumn::Total: return total;
    case StatementColumn::Balance: return balance;
    case StatementColumn::Date:
    case StatementColumn::Ignored: break;
    }
    return std::nullopt;
}

void StatementLine::setAmount(StatementColumn column, double value)
{
    switch (column) {
    case StatementColumn::Principal: principal = value; break;
    case StatementColumn::Interest: interest = value; break;
    case StatementColumn::Escrow: escrow = value; break;
    case StatementColumn::Extra: extra = value; break;
    case StatementColumn::Total: total = value; break;
    case StatementColumn::Balance: balance = value; break;
    case StatementColumn::Date:
    case StatementColumn::Ignored: break;
    }
}

int Statement::payments() const
{
    return int(std::count_if(lines.begin(), lines.end(),
                             [](const StatementLine &l) { return l.isPayment(); }));
}

namespace Statements {

namespace {

struct Named {
    StatementColumn column;
    const char *name;
};
const Named kNames[] = {
    {StatementColumn::Date, "date"},         {StatementColumn::Principal, "principal"},
    {StatementColumn::Interest, "interest"}, {StatementColumn::Escrow, "escrow"},
    {StatementColumn::Extra, "extra"},       {StatementColumn::Total, "total"},
    {StatementColumn::Balance, "balance"},
};

// Header keys (headerKey) servicers use for each column.
struct Spelling {
    const char *key;
    StatementColumn column;
};
const Spelling kSpellings[] = {
    {"date", StatementColumn::Date},
    {"posted", StatementColumn::Date},
    {"posteddate", StatementColumn::Date},
    {"postingdate", StatementColumn::Date},
    {"effectivedate", StatementColumn::Date},
    {"transactiondate", StatementColumn::Date},
    {"duedate", StatementColumn::Date},
    {"paymentdate", StatementColumn::Date},
    {"principal", StatementColumn::Principal},
    {"interest", StatementColumn::Interest},
    {"escrow", StatementColumn::Escrow},
    {"taxandinsurance", StatementColumn::Escrow},
    {"taxesandinsurance", StatementColumn::Escrow},
    {"extra", StatementColumn::Extra},
    {"additionalprincipal", StatementColumn::Extra},
    {"extraprincipal", StatementColumn::Extra},
    {"curtailment", StatementColumn::Extra},
    {"principalprepayment", StatementColumn::Extra},
    {"amount", StatementColumn::Total},
    {"total", StatementColumn::Total},
    {"payment", StatementColumn::Total},
    {"totalpayment", StatementColumn::Total},
    {"paymentamount", StatementColumn::Total},
    {"transactionamount", StatementColumn::Total},
    {"balance", StatementColumn::Balance},
    {"principalbalance", StatementColumn::Balance},
    {"endingbalance", StatementColumn::Balance},
    {"unpaidprincipalbalance", StatementColumn::Balance},
};

StatementColumn lookUp(const QString &key)
{
    for (const Spelling &s : kSpellings)
        if (key == QLatin1String(s.key))
            return s.column;
    return StatementColumn::Ignored;
}

} // namespace

QString columnName(StatementColumn column)
{
    for (const Named &n : kNames)
        if (n.column == column)
            return QString::fromLatin1(n.name);
    return QString();
}

std::optional<StatementColumn> columnNamed(const QString &name)
{
    for (const Named &n : kNames)
        if (name == QLatin1String(n.name))
            return n.column;
    return std::nullopt;
}

QString headerKey(const QString &header)
{
    QString key;
    for (QChar c : header.toLower())
        if (c.isLetterOrNumber())
            key += c;
    return key;
}

StatementColumn guessColumn(const QString &header)
{
    const QString key = headerKey(header);
    if (const StatementColumn c = lookUp(key); c != StatementColumn::Ignored)
        return c;
    // "Principal Paid", "Interest Amount", "Escrow Amt": the word before.
    for (const char *suffix : {"paid", "amount", "amt", "applied"}) {
        if (key.endsWith(QLatin1String(suffix)) && key.size() > int(qstrlen(suffix))) {
            const StatementColumn c = lookUp(key.chopped(int(qstrlen(suffix))));
            if (c != StatementColumn::Ignored && c != StatementColumn::Date)
                return c;
        }
    }
    return StatementColumn::Ignored;
}

Statement merged(const Statement &kept, const Statement &imported)
{
    Statement out;
    out.columns = imported.columns;
    if (imported.lines.empty()) {
        out.lines = kept.lines;
        return out;
    }
    auto [first, last] = std::minmax_element(
        imported.lines.begin(), imported.lines.end(),
        [](const StatementLine &a, const StatementLine &b) { return a.date < b.date; });
    const QDate from = first->date, to = last->date;
    for (const StatementLine &line : kept.lines)
        if (line.date < from || line.date > to)
            out.lines.push_back(line);
    out.lines.insert(out.lines.end(), imported.lines.begin(), imported.lines.end());
    std::stable_sort(out.lines.begin(), out.lines.end(),
                     [](const StatementLine &a, const StatementLine &b) { return a.date < b.date; });
    return out;
}

StatementMatch match(const Statement &statement, std::span<const PaymentRecord> ledger)
{
    StatementMatch m;
    const int lines = int(statement.lines.size());
    m.paymentOfLine.assign(size_t(lines), 0);
    m.lineOfPayment.assign(ledger.size(), -1);

    // The ledger's dates in order, each with its payment number.
    std::vector<std::pair<QDate, int>> dated;
    for (size_t k = 0; k < ledger.size(); ++k)
        if (const auto d = Dates::parse(ledger[k].payDate))
            dated.emplace_back(*d, int(k) + 1);
    std::sort(dated.begin(), dated.end());
    const QDate lastLedgerDate = dated.empty() ? QDate() : dated.back().first;

    // Every pair within the window, nearest first; each line and payment
    // then takes the nearest pair still free.
    std::vector<std::tuple<qint64, int, int>> pairs;   // days apart, line, payment
    for (int i = 0; i < lines; ++i) {
        const StatementLine &line = statement.lines[size_t(i)];
        if (!line.isPayment())
            continue;
        auto it = std::lower_bound(dated.begin(), dated.end(),
                                   std::pair(line.date.addDays(-kMatchDays), 0));
        for (; it != dated.end() && it->first <= line.date.addDays(kMatchDays); ++it)
            pairs.emplace_back(std::abs(it->first.daysTo(line.date)), i, it->second);
    }
    std::sort(pairs.begin(), pairs.end());
    for (const auto &[days, i, k] : pairs) {
        if (m.paymentOfLine[size_t(i)] || m.lineOfPayment[size_t(k - 1)] >= 0)
            continue;
        m.paymentOfLine[size_t(i)] = k;
        m.lineOfPayment[size_t(k - 1)] = i;
        ++m.matched;
    }
    for (int i = 0; i < lines; ++i) {
        const StatementLine &line = statement.lines[size_t(i)];
        if (!line.isPayment())
            m.notPayments.push_back(i);
        else if (m.paymentOfLine[size_t(i)])
            continue;
        else if (!lastLedgerDate.isValid() || line.date > lastLedgerDate)
            m.toRecord.push_back(i);
        else
            m.missingFromLedger.push_back(i);
    }
    return m;
}

std::vector<PaymentRecord> paymentsToRecord(const Statement &statement,
                                            const std::vector<int> &toRecord,
                                            const ScheduleInputs &in,
                                            const std::function<double(const QDate &)> &escrowOn)
{
    std::vector<PaymentRecord> out;
    for (int i : toRecord) {
        const StatementLine &line = statement.lines[size_t(i)];
        PaymentRecord record;
        record.payDate = PaymentRecord::fitDate(Dates::format(line.date));
        record.escrow = line.escrow ? *line.escrow : escrowOn(line.date);
        record.extraPrincipal = line.extra.value_or(0);
        out.push_back(record);
    }
    // Without an extra column, the extra is what the line's principal pays
    // beyond the row's regular principal, which the extras before it move:
    // one run of the Actual view with each new row's extra worked out there.
    const Schedule::Setup s = Schedule::prepare(ScheduleView::Actual, in);
    const int before = in.recorded.count;
    Amortization::run(
        s.loanAmount, s.monthlyRate, s.payment, s.payments,
        [&](const Amortization::Row &row) -> double {
            const int j = row.number - before - 1;
            if (j < 0)
                return s.extra(row.number);
            if (size_t(j) >= out.size())
                return 0.0;
            const StatementLine &line = statement.lines[size_t(toRecord[size_t(j)])];
            if (!line.extra && line.principal) {
                const double beyond = *line.principal - (row.payment - row.interest);
                out[size_t(j)].extraPrincipal = beyond > 0.005 ? NumText::roundCents(beyond) : 0;
            }
            return out[size_t(j)].extraPrincipal;
        },
        [](const Amortization::Row &) {}, s.changes);
    return out;
}

std::optional<BalanceGap> firstBalanceGap(const Statement &statement,
                                          const StatementMatch &match,
                                          const Schedule::Table &actual)
{
    const int last = actual.result.rows;
    if (last < 1)
        return std::nullopt;
    for (size_t i = 0; i < statement.lines.size(); ++i) {
        const StatementLine &line = statement.lines[i];
        if (!line.isPayment() || !line.balance)
            continue;
        int k = i < match.paymentOfLine.size() ? match.paymentOfLine[i] : 0;
        if (k < 1 || k > last) {
            qint64 nearest = std::numeric_limits<qint64>::max();
            for (int r = 1; r <= last; ++r) {
                const ScheduleRow &row = actual.rows[size_t(r)];
                const QDate d(row.year, row.dateText.left(2).toInt(), row.dateText.mid(3, 2).toInt());
                const qint64 days = d.isValid() ? std::abs(d.daysTo(line.date)) : nearest;
                if (days < nearest) {
                    nearest = days;
                    k = r;
                }
            }
        }
        const ScheduleRow &row = actual.rows[size_t(k)];
        return BalanceGap{k, *line.balanceBefore(), NumText::roundCents(row.balance + row.principal)};
    }
    return std::nullopt;
}

PlainTable table(const Statement &statement)
{
    PlainTable out;
    for (const Named &n : kNames)
        out.header << QString::fromLatin1(n.name);
    for (const StatementLine &line : statement.lines) {
        QStringList row{line.date.toString(Qt::ISODate)};
        for (const Named &n : kNames)
            if (n.column != StatementColumn::Date) {
                const std::optional<double> v = line.amount(n.column);
                row << (v ? NumText::plainDecimal(*v) : QString());
            }
        out.rows.push_back(row);
    }
    return out;
}

} // namespace Statements
