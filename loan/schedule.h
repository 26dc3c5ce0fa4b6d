#pragma once
// The amortization schedule and the extra principal quote over the loan-term
// texts: the rows of the three schedule views, the texts the grids show, the
// year list with its totals, and the projected payments and interest of an
// extra principal plan. Window-free: the pages only put these on screen.
#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <climits>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "amortization.h"
#include "datedchange.h"
#include "terms.h"

// Which schedule is built: as contracted, with the extra principal recorded in
// the ledger, or with the planned extra principal of the quote tab.
enum class ScheduleView { Contract, Actual, Projected };

// How the planned extra principal is paid.
enum class ExtraMode { None, EveryPayment, OnePayment };

// The extra principal recorded in the ledger: payment i's, and how many
// payments are recorded. Bound to the ledger by the caller. Only payments
// 1..count are recorded: a slot above the count (a deleted payment, or one of
// a loan loaded before) is never read.
struct RecordedExtra {
    std::function<double(int)> extraPrincipal;   // empty: nothing recorded
    int count = 0;
};

// The extra principal plan of the quote tab.
struct ExtraPlan {
    ExtraMode mode = ExtraMode::None;
    double amount = 0;               // E
    std::optional<int16_t> payment;  // K; nullopt when its text is not a 16-bit whole number
    bool includeActual = false;      // add the ledger's recorded extra principal
};

namespace Schedule {
// The largest extra principal a plan may name.
constexpr double kMaxExtra = 999999999.99;
// The plan's amount as typed, in the quote box or on the command line: an
// amount from 0 to 999,999,999.99, "$" and thousands separators allowed.
// nullopt for any other text.
std::optional<double> planAmount(const QString &text);
// Why an amount text is refused, naming it; empty when planAmount reads it.
QString whyNotPlanAmount(const QString &text);
} // namespace Schedule

// One payment of the schedule.
struct ScheduleRow {
    QString dateText;                // "mm/dd/yy"
    double payment = 0;              // the regular payment in force for the row
    double principal = 0;            // including any extra the view adds
    double interest = 0;             // rounded to cents
    double balance = 0;              // exactly 0 on the pay-off row
    double interestToDate = 0;
    int year = 0;                    // calendar year of the payment date; the
                                     // two-digit text cannot tell it for long loans
};

// What building a schedule view reads.
struct ScheduleInputs {
    Terms terms;
    DatedChanges changes;            // rate changes and recasts honoured by every view
    ExtraPlan plan;                  // the Projected view only
    RecordedExtra recorded;
};

namespace Schedule {

// The view's name as the program shows it: "As contracted", "With recorded
// extra principal", "With the planned extra principal".
QString viewName(ScheduleView view);
// The name of a view built with a plan of `planMode`: the Projected view of no
// plan is "With the planned extra principal (no plan: as contracted)".
QString viewName(ScheduleView view, ExtraMode planMode);

// The extra principal added to row i: the recorded extra principal of
// payment i when it counts (rows 1..recordedCount), plus E on the rows
// first..last.
struct ExtraRule {
    std::function<double(int)> recorded;
    int recordedCount = 0;
    double amount = 0;
    int first = 1;
    int last = 0;

    double operator()(int i) const
    {
        double x = recorded && i >= 1 && i <= recordedCount ? recorded(i) : 0.0;
        if (i >= first && i <= last)
            x += amount;
        return x;
    }
};

// Contract adds nothing, Actual the ledger, Projected the plan.
ExtraRule ruleForView(ScheduleView view, const ExtraPlan &plan, const RecordedExtra &recorded);
// The quote's rule for a mode (the plan's own mode is not used).
ExtraRule ruleForQuote(ExtraMode mode, const ExtraPlan &plan, const RecordedExtra &recorded);

// Everything a build reads, taken from the inputs once.
struct Setup {
    double loanAmount = 0;
    double monthlyRate = 0;
    double payment = 0;              // regular payment, cents
    double payments = 0;             // n as typed
    int lastRow = 0;                 // N: the whole part of n, at most 32,767
    QDate firstDate;                 // today when the typed date is not valid
    ExtraRule extra;
    Amortization::RowChanges changes; // none while the typed date is not valid
};
Setup prepare(ScheduleView view, const ScheduleInputs &in);

// "mm/dd/yy" and the year of the first date plus `months` calendar months,
// the day clamped to the target month.
QString dateText(const QDate &first, int months, int *year = nullptr);
QString dateText(int firstYear, int firstMonth, int firstDay, int months, int *year);

bool hasRemainder(const Amortization::Result &res);

// Recreates `table` as rows 0..N, computes the rows and calls
// visit(i, const ScheduleRow &, bool paidOff) after storing each one. When n
// payments leave a remainder B > 0, the last row is then settled: its
// principal becomes p + B and its balance 0, so that every total over the
// rows agrees with what they show.
template <class VisitFn>
Amortization::Result fill(const Setup &s, std::vector<ScheduleRow> &table, VisitFn &&visit)
{
    table.assign(size_t(s.lastRow) + 1, ScheduleRow{});
    const int y = s.firstDate.year(), m = s.firstDate.month(), d = s.firstDate.day();
    const Amortization::Result res = Amortization::run(
        s.loanAmount, s.monthlyRate, s.payment, s.payments, s.extra,
        [&](const Amortization::Row &r) {
            if (size_t(r.number) >= table.size())
                table.resize(size_t(r.number) + 1);
            ScheduleRow &row = table[size_t(r.number)];
            row.dateText = dateText(y, m, d, r.number - 1, &row.year);
            row.principal = r.principal;
            row.payment = r.payment;
            row.interest = r.interest;
            row.balance = r.balance;
            row.interestToDate = r.interestToDate;
            // Only the pay-off row has a balance of exactly 0.
            visit(r.number, static_cast<const ScheduleRow &>(row), r.balance == 0);
        },
        s.changes);
    if (hasRemainder(res)) {
        ScheduleRow &last = table[size_t(res.rows)];
        last.principal += res.rawBalance;
        last.balance = 0;
    }
    return res;
}

// Grid texts of row i: number, date, principal, interest, balance, interest to date.
QStringList gridTexts(int i, const ScheduleRow &row);
// Column `col` of gridTexts(i, row); empty outside columns 0..5.
QString gridText(int i, const ScheduleRow &row, int col);

// "All" and the years Y..Y + M, M = n rounded, / 12 with the fraction dropped.
QStringList years(const Setup &s);

struct Totals {
    double principal = 0;
    double interest = 0;
    double balance = 0;
    double interestToDate = 0;
    int firstRow = 0;                // 0: no row in the period
};
// Totals of "All" (entry empty) or of one year. Counts rows 1..N', N' being
// `numberOfPayments` as a 16-bit number within the table, and stops after
// the first row whose balance is exactly 0.
Totals yearTotals(const std::vector<ScheduleRow> &table, double numberOfPayments,
                  const QString &entry);
// Label texts in the order totalLabel(7), (6), (5), (4).
std::array<QString, 4> totalsTexts(const Totals &t);

struct Quote {
    int payments = 0;                // P
    double interest = 0;             // T
};
Quote quote(const Terms &terms, const ExtraRule &extra, const DatedChanges &changes = {});
// The quote grid's six cells: payments Scheduled, Projected, Difference (plain
// decimal texts); interest Scheduled, Projected, Difference. The scheduled
// interest is the loan's total interest, worked out once for the terms.
std::array<QString, 6> quoteCells(const Terms &terms, double scheduledInterest, const Quote &q);

// The whole table and its grid texts without a window.
struct Table {
    std::vector<ScheduleRow> rows;
    std::vector<QStringList> grid;   // index = row; row 0 and rows after the last empty
    Amortization::Result result;
    QStringList years;
};
Table build(ScheduleView view, const ScheduleInputs &in);

} // namespace Schedule
