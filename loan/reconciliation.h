#pragma once
// The servicer's statement set beside the loan's Actual view (the schedule
// with the ledger's recorded extra principal and the loan's dated changes),
// payment by payment, each difference explained in words for the user: the
// first of the findings below that applies to a payment is its finding.
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <vector>

#include "paymentrecord.h"
#include "plaintable.h"
#include "schedule.h"
#include "statement.h"

namespace Reconciliation {

// B is the statement's own balance before a payment (the previous payment
// line's balance; for the first line, its balance plus its principal and
// extra), r and a the monthly and the annual rate in force for the payment.
enum class Finding {
    MissingInStatement, // a ledger payment with no statement line
    MissingInLedger,    // a statement payment the ledger lacks
    Agrees,             // interest, principal with extra and balance to the cent
    ExtraNotApplied,    // the ledger's extra principal is not in the statement's principal
    Carried,            // interest r × B and balance B less principal: the difference is older
    Rounding,           // interest a cent from r × B
    Daily365,           // interest B × a × days / 365
    Daily360,           // interest B × a × days / 360, days not 30
    Rate,               // interest B × a' / 12 for another rate a' on the 0.125 % grid
    Unexplained,
};

// The finding as the CSV writes it: "agrees", "missing-in-statement",
// "missing-in-ledger", "extra-not-applied", "carried", "rounding",
// "daily-365", "daily-360", "rate", "unexplained".
QString findingWord(Finding finding);

// One payment of either side. Amounts are absent where that side has none.
struct Row {
    // The ledger's number; for a statement payment the ledger lacks, the
    // number it takes when recorded now (after the ledger's last payment), or
    // 0 when it falls before the ledger's last payment.
    int payment = 0;
    int line = -1;                // the statement line, -1: none
    QDate date;                   // the statement's, else the ledger's; invalid when no date
    QString dateText;             // "mm/dd/yy", or the ledger's text when it is no date

    std::optional<double> statementPrincipal; // with its extra
    std::optional<double> statementInterest;
    std::optional<double> statementEscrow;
    std::optional<double> statementBalance;

    std::optional<double> principal;          // the Actual view's, with the extra
    std::optional<double> interest;
    std::optional<double> escrow;             // the ledger's recorded escrow
    std::optional<double> balance;

    std::optional<double> balanceDifference;  // statement less loan, in cents

    Finding finding = Finding::Agrees;
    QString note;                 // lower case, no closing stop: it also ends the summary
};

struct Report {
    std::vector<Row> rows;        // in date order
    int firstDifference = -1;     // the first row that does not agree, -1: none
    QString summary;              // one sentence
};

// Rows for every ledger payment and every statement payment line (fees and
// other lines that pay no principal or interest are left out). A statement
// without payment lines gives no rows. `actual` is the Actual view of `in`
// (Schedule::build(ScheduleView::Actual, in)); `in` gives the rates in force.
Report reconcile(const Statement &statement, const StatementMatch &match,
                 std::span<const PaymentRecord> ledger, const ScheduleInputs &in,
                 const Schedule::Table &actual);

// payment, date, statement_principal, statement_interest, statement_escrow,
// statement_balance, principal, interest, escrow, balance,
// balance_difference, finding, note.
QStringList csvHeader();
// The rows as plain cells: amounts as plain decimals, dates yyyy-MM-dd, an
// empty cell where an amount is absent and for payment 0.
PlainTable plainTable(const Report &report);

} // namespace Reconciliation
