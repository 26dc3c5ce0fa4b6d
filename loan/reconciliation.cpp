#include "reconciliation.h"

#include "dates.h"
#include "numtext.h"

#include <algorithm>
#include <cmath>

namespace Reconciliation {

namespace {

// Amounts compared to the cent.
qint64 cents(double v)
{
    return std::llround(v * 100);
}

bool sameCents(double a, double b)
{
    return cents(a) == cents(b);
}

QString money(double v)
{
    return NumText::amount(v);
}

// A rate in percent as the user typed it: 6.5, 6.625.
QString percent(double a)
{
    return NumText::plainDecimal(a) + QStringLiteral(" %");
}

// What a statement payment line says of itself, beside the lines before it.
struct LineFacts {
    std::optional<double> before; // B
    qint64 days = 0;              // since the previous payment line, or a month
};

std::vector<LineFacts> lineFacts(const Statement &statement)
{
    std::vector<LineFacts> out(statement.lines.size());
    const StatementLine *previous = nullptr;
    for (size_t i = 0; i < statement.lines.size(); ++i) {
        const StatementLine &line = statement.lines[i];
        if (!line.isPayment())
            continue;
        LineFacts &f = out[i];
        f.before = previous && previous->balance ? previous->balance : line.balanceBefore();
        const QDate from = previous ? previous->date : line.date.addMonths(-1);
        f.days = from.daysTo(line.date);
        previous = &line;
    }
    return out;
}

// The loan's rate in force for payments 1..count, monthly (as the payment
// loop uses it) and annual in percent (as the words name it).
struct Rates {
    std::vector<double> monthly;
    std::vector<double> annual;
};

Rates ratesInForce(const ScheduleInputs &in, int count)
{
    const Schedule::Setup s = Schedule::prepare(ScheduleView::Actual, in);
    Rates out;
    out.monthly.assign(size_t(count) + 1, s.monthlyRate);
    out.annual.assign(size_t(count) + 1, s.monthlyRate * 1200);
    double r = s.monthlyRate;
    for (int k = 1; k <= count; ++k) {
        if (size_t(k) < s.changes.size() && s.changes[size_t(k)].monthlyRate)
            r = *s.changes[size_t(k)].monthlyRate;
        out.monthly[size_t(k)] = r;
        out.annual[size_t(k)] = r * 1200;
    }
    return out;
}

// Row k of the Actual view; null beyond the rows it has.
const ScheduleRow *loanRow(const Schedule::Table &actual, int k)
{
    return k >= 1 && k <= actual.result.rows && size_t(k) < actual.rows.size() ? &actual.rows[size_t(k)]
                                                                                : nullptr;
}

// "payment 7", or "the statement's payment of 03/16/27" for one the ledger
// has no number for.
QString rowName(const Row &row)
{
    if (row.payment > 0 && row.finding != Finding::MissingInLedger)
        return QStringLiteral("payment %1").arg(row.payment);
    return QStringLiteral("the statement's payment of %1").arg(row.dateText);
}

// What the finding of a payment with both sides reads, and what the
// payments before it left.
struct Context {
    const Rates &rates;
    std::span<const PaymentRecord> ledger;
    const Schedule::Table &actual;
    double dailyCost = 0;   // statement interest less r × B, over the rows so far
    QString origin;         // the last row whose difference arose on that row
};

bool agrees(const Row &row)
{
    if (!row.principal)
        return false;
    const bool interest = !row.statementInterest || sameCents(*row.statementInterest, *row.interest);
    const bool principal = !row.statementPrincipal || sameCents(*row.statementPrincipal, *row.principal);
    const bool balance = !row.statementBalance || sameCents(*row.statementBalance, *row.balance);
    return interest && principal && balance;
}

// Empty when the statement's principal includes the ledger's extra. The
// regular payment is principal plus interest whatever rate the servicer
// charged, so what the statement applied beyond it is the extra it took.
QString extraNotApplied(const Context &c, const Row &row, const StatementLine &line)
{
    const ScheduleRow *loan = loanRow(c.actual, row.payment);
    const double extra = c.ledger[size_t(row.payment - 1)].extraPrincipal;
    if (!loan || cents(extra) <= 0)
        return QString();
    const double paid = line.principalPaid();
    const double applied = line.interest ? paid + *line.interest - loan->payment
                                         : paid - (loan->principal - extra);
    if (cents(applied) >= cents(extra))
        return QString();
    const double missing = NumText::roundCents(extra - std::max(applied, 0.0));
    QString note = cents(applied) > 0
        ? QStringLiteral("the statement's principal includes only %1 of the %2 extra principal "
                         "the ledger records for this payment")
              .arg(money(applied), money(extra))
        : QStringLiteral("the statement's principal does not include the %1 extra principal "
                         "the ledger records for this payment")
              .arg(money(extra));
    const double shownEscrow = line.escrow.value_or(0) - c.ledger[size_t(row.payment - 1)].escrow;
    const double unapplied = line.total.value_or(0)
        - (paid + line.interest.value_or(0) + line.escrow.value_or(0));
    if (line.escrow && sameCents(shownEscrow, missing))
        note += QStringLiteral("; %1 went to escrow instead").arg(money(missing));
    else if (line.total && sameCents(unapplied, missing))
        note += QStringLiteral("; the payment's total holds %1 that was not applied").arg(money(missing));
    else
        note += QStringLiteral("; the statement does not show it anywhere");
    return note;
}

QString unexplained(const Row &row, const StatementLine &line, double r, double a,
                    const std::optional<double> &before)
{
    QStringList parts;
    if (line.interest && before)
        parts << QStringLiteral("interest %1 on the statement's balance of %2, where %3 a year gives %4")
                     .arg(money(*line.interest), money(*before), percent(a),
                          money(NumText::roundCents(r * *before)));
    else if (line.interest && row.interest)
        parts << QStringLiteral("interest %1 where the loan has %2")
                     .arg(money(*line.interest), money(*row.interest));
    if (row.statementPrincipal && row.principal)
        parts << QStringLiteral("principal %1 where the loan has %2")
                     .arg(money(*row.statementPrincipal), money(*row.principal));
    if (row.statementBalance && row.balance)
        parts << QStringLiteral("balance %1 where the loan has %2")
                     .arg(money(*row.statementBalance), money(*row.balance));
    if (parts.isEmpty())
        return QStringLiteral("the statement's figures cannot be checked against the loan");
    return QStringLiteral("no rule explains it: ") + parts.join(QStringLiteral("; "));
}

// The first finding that applies to a row with both sides, and its note.
void judge(Context &c, Row &row, const StatementLine &line, const LineFacts &facts)
{
    const int k = row.payment;
    const double r = c.rates.monthly[size_t(k)];
    const double a = c.rates.annual[size_t(k)];
    const std::optional<double> &B = facts.before;
    const std::optional<double> &interest = line.interest;
    std::optional<double> monthly;  // r × B, rounded
    if (B && interest) {
        monthly = NumText::roundCents(r * *B);
        c.dailyCost += *interest - *monthly;
    }

    if (agrees(row)) {
        row.finding = Finding::Agrees;
        row.note = QStringLiteral("agrees with the loan to the cent");
        return;
    }
    if (QString note = extraNotApplied(c, row, line); !note.isEmpty()) {
        row.finding = Finding::ExtraNotApplied;
        row.note = note;
        return;
    }
    if (!monthly) {
        row.finding = Finding::Unexplained;
        row.note = unexplained(row, line, r, a, B);
        return;
    }
    const double paid = line.principalPaid();
    const qint64 off = cents(*interest) - cents(*monthly);
    if (off == 0 && line.balance && sameCents(*line.balance, *B - paid)) {
        row.finding = Finding::Carried;
        const ScheduleRow *loan = loanRow(c.actual, k);
        const bool sameBefore = loan && sameCents(*B, loan->balance + loan->principal);
        row.note = QStringLiteral("right on the statement's own balance: interest %1 is %2 a year "
                                  "on %3 and the balance falls by the principal; ")
                       .arg(money(*interest), percent(a), money(*B));
        if (sameBefore)
            row.note += QStringLiteral("the principal paid differs from the loan's %1")
                            .arg(money(loan->principal));
        else if (!c.origin.isEmpty())
            row.note += QStringLiteral("the difference comes from %1").arg(c.origin);
        else
            row.note += QStringLiteral("the balance before it already differs from the loan's");
        return;
    }
    if (std::abs(off) == 1) {
        row.finding = Finding::Rounding;
        row.note = QStringLiteral("a cent of rounding: the statement's interest is %1 where %2 a year "
                                  "on %3 rounds to %4")
                       .arg(money(*interest), percent(a), money(*B), money(*monthly));
        return;
    }
    for (const int basis : {365, 360}) {
        if (basis == 360 && facts.days == 30)
            continue;   // 30 days of a 360-day year is the monthly rule itself
        const double daily = NumText::roundCents(*B * a / 100 * double(facts.days) / basis);
        if (!sameCents(daily, *interest))
            continue;
        row.finding = basis == 365 ? Finding::Daily365 : Finding::Daily360;
        const double cost = NumText::roundCents(c.dailyCost);
        const QString sofar = cents(cost) == 0
            ? QStringLiteral("so far that has cost nothing against the monthly rule")
            : QStringLiteral("so far that has %1 %2 against the monthly rule")
                  .arg(cost > 0 ? QStringLiteral("cost") : QStringLiteral("saved"),
                       money(std::abs(cost)));
        row.note = QStringLiteral("the servicer charges interest by the day: %1 days at %2 on %3 "
                                  "over a %4-day year is %5, where the monthly rule gives %6; %7")
                       .arg(QString::number(facts.days), percent(a), money(*B),
                            QString::number(basis), money(*interest), money(*monthly), sofar);
        return;
    }
    if (*B > 0) {
        // The rate the interest implies, to the nearest 0.125 %.
        const double implied = std::round(1200 * *interest / *B * 8) / 8;
        if (implied > 0 && std::abs(implied - a) > 1e-9
            && sameCents(NumText::roundCents(*B * implied / 1200), *interest)) {
            row.finding = Finding::Rate;
            row.note = QStringLiteral("the servicer applied %1 where the loan says %2")
                           .arg(percent(implied), percent(a));
            return;
        }
    }
    row.finding = Finding::Unexplained;
    row.note = unexplained(row, line, r, a, B);
}

QString plain(const std::optional<double> &v)
{
    return v ? NumText::plainDecimal(NumText::roundCents(*v) + 0.0) : QString();
}

QString isoDate(const Row &row)
{
    return row.date.isValid() ? row.date.toString(QStringLiteral("yyyy-MM-dd")) : row.dateText;
}

QString summaryOf(const Report &report)
{
    if (report.rows.empty())
        return QStringLiteral("The statement has no payments to set beside the ledger.");
    if (report.firstDifference < 0) {
        const Row &last = report.rows.back();
        return QStringLiteral("Agrees to the cent through payment %1 (%2).")
            .arg(last.payment)
            .arg(last.dateText);
    }
    const Row &row = report.rows[size_t(report.firstDifference)];
    const QString from = row.payment > 0
        ? QStringLiteral("From payment %1 (%2)").arg(row.payment).arg(row.dateText)
        : QStringLiteral("From %1").arg(row.dateText);
    if (row.balanceDifference && cents(*row.balanceDifference) != 0)
        return QStringLiteral("%1 the statement's balance is %2 %3 the loan's: %4.")
            .arg(from, money(std::abs(*row.balanceDifference)),
                 *row.balanceDifference > 0 ? QStringLiteral("above") : QStringLiteral("below"),
                 row.note);
    return QStringLiteral("%1 the statement differs from the loan: %2.").arg(from, row.note);
}

} // namespace

QString findingWord(Finding finding)
{
    switch (finding) {
    case Finding::MissingInStatement: return QStringLiteral("missing-in-statement");
    case Finding::MissingInLedger: return QStringLiteral("missing-in-ledger");
    case Finding::Agrees: return QStringLiteral("agrees");
    case Finding::ExtraNotApplied: return QStringLiteral("extra-not-applied");
    case Finding::Carried: return QStringLiteral("carried");
    case Finding::Rounding: return QStringLiteral("rounding");
    case Finding::Daily365: return QStringLiteral("daily-365");
    case Finding::Daily360: return QStringLiteral("daily-360");
    case Finding::Rate: return QStringLiteral("rate");
    case Finding::Unexplained: return QStringLiteral("unexplained");
    }
    return QString();
}

Report reconcile(const Statement &statement, const StatementMatch &match,
                 std::span<const PaymentRecord> ledger, const ScheduleInputs &in,
                 const Schedule::Table &actual)
{
    Report report;
    if (statement.payments() == 0) {
        report.summary = summaryOf(report);
        return report;
    }
    const int count = int(ledger.size());
    const size_t lines = statement.lines.size();
    // Payment k's line, -1: none; a pair both sides of the match agree on.
    const auto lineOf = [&](int k) {
        const int i = size_t(k - 1) < match.lineOfPayment.size() ? match.lineOfPayment[size_t(k - 1)] : -1;
        return i >= 0 && size_t(i) < lines && size_t(i) < match.paymentOfLine.size()
                   && match.paymentOfLine[size_t(i)] == k
               ? i
               : -1;
    };

    // Each row with the date it sorts by: a ledger payment that is no date
    // stays after the payment before it.
    struct Dated {
        QDate key;
        bool inLedger = false;
        Row row;
    };
    std::vector<Dated> dated;
    dated.reserve(size_t(count) + lines);
    QDate previous;
    for (int k = 1; k <= count; ++k) {
        Row row;
        row.payment = k;
        row.line = lineOf(k);
        if (row.line >= 0)
            row.date = statement.lines[size_t(row.line)].date;
        else if (const auto d = Dates::parse(ledger[size_t(k - 1)].payDate))
            row.date = *d;
        row.dateText = row.date.isValid() ? Dates::format(row.date)
                                           : PlainCells::paymentDate(ledger[size_t(k - 1)].payDate);
        if (row.date.isValid())
            previous = row.date;
        dated.push_back({previous, true, std::move(row)});
    }
    std::vector<int> toRecord(lines, 0);   // per line: its place among the lines to record
    for (size_t j = 0; j < match.toRecord.size(); ++j)
        if (size_t(match.toRecord[j]) < lines)
            toRecord[size_t(match.toRecord[j])] = int(j) + 1;
    for (size_t i = 0; i < lines; ++i) {
        const StatementLine &line = statement.lines[i];
        const bool matched = i < match.paymentOfLine.size() && match.paymentOfLine[i] >= 1
            && match.paymentOfLine[i] <= count && lineOf(match.paymentOfLine[i]) == int(i);
        if (!line.isPayment() || matched)
            continue;
        Row row;
        row.payment = toRecord[i] ? count + toRecord[i] : 0;
        row.line = int(i);
        row.date = line.date;
        row.dateText = Dates::format(line.date);
        dated.push_back({line.date, false, std::move(row)});
    }
    std::stable_sort(dated.begin(), dated.end(),
                     [](const Dated &x, const Dated &y) { return x.key < y.key; });

    const std::vector<LineFacts> facts = lineFacts(statement);
    const Rates rates = ratesInForce(in, count);
    Context context{rates, ledger, actual, 0, QString()};
    report.rows.reserve(dated.size());
    for (auto &[key, inLedger, row] : dated) {
        if (inLedger) {
            const int k = row.payment;
            row.escrow = ledger[size_t(k - 1)].escrow;
            if (const ScheduleRow *loan = loanRow(actual, k)) {
                row.principal = loan->principal;
                row.interest = loan->interest;
                row.balance = loan->balance;
            }
        }
        if (row.line >= 0) {
            const StatementLine &line = statement.lines[size_t(row.line)];
            if (line.principal || line.extra)
                row.statementPrincipal = line.principalPaid();
            row.statementInterest = line.interest;
            row.statementEscrow = line.escrow;
            row.statementBalance = line.balance;
        }
        if (row.statementBalance && row.balance)
            row.balanceDifference = NumText::roundCents(*row.statementBalance - *row.balance) + 0.0;

        if (row.line < 0) {
            row.finding = Finding::MissingInStatement;
            row.note = QStringLiteral("the ledger records this payment and the statement has none "
                                      "within %1 days of it")
                           .arg(Statements::kMatchDays);
        } else if (!inLedger) {
            row.finding = Finding::MissingInLedger;
            row.note = row.payment > 0
                ? QStringLiteral("the statement has this payment and the ledger does not yet; "
                                 "recorded now it would be payment %1")
                      .arg(row.payment)
                : QStringLiteral("the statement has a payment here that the ledger lacks, "
                                 "before the ledger's last payment");
        } else {
            judge(context, row, statement.lines[size_t(row.line)], facts[size_t(row.line)]);
        }
        if (row.finding != Finding::Agrees && row.finding != Finding::Carried)
            context.origin = rowName(row);
        if (report.firstDifference < 0 && row.finding != Finding::Agrees)
            report.firstDifference = int(report.rows.size());
        report.rows.push_back(std::move(row));
    }
    report.summary = summaryOf(report);
    return report;
}

QStringList csvHeader()
{
    return {QStringLiteral("payment"),
            QStringLiteral("date"),
            QStringLiteral("statement_principal"),
            QStringLiteral("statement_interest"),
            QStringLiteral("statement_escrow"),
            QStringLiteral("statement_balance"),
            QStringLiteral("principal"),
            QStringLiteral("interest"),
            QStringLiteral("escrow"),
            QStringLiteral("balance"),
            QStringLiteral("balance_difference"),
            QStringLiteral("finding"),
            QStringLiteral("note")};
}

PlainTable plainTable(const Report &report)
{
    PlainTable out;
    out.header = csvHeader();
    out.rows.reserve(report.rows.size());
    for (const Row &row : report.rows)
        out.rows.push_back({row.payment > 0 ? QString::number(row.payment) : QString(),
                            isoDate(row),
                            plain(row.statementPrincipal),
                            plain(row.statementInterest),
                            plain(row.statementEscrow),
                            plain(row.statementBalance),
                            plain(row.principal),
                            plain(row.interest),
                            plain(row.escrow),
                            plain(row.balance),
                            plain(row.balanceDifference),
                            findingWord(row.finding),
                            row.note});
    return out;
}

} // namespace Reconciliation
