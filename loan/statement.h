#pragma once
// The servicer's statement of the loan's payments as it was read from the
// servicer's CSV, kept with the loan: each line's date and amounts (a column
// the statement did not have stays absent), and which of the statement's
// columns meant what. Matching its lines to the ledger's payments, and the
// payments it can add to the ledger, are worked out here too.
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "paymentrecord.h"
#include "plaintable.h"
#include "schedule.h"

// What a statement column holds.
enum class StatementColumn { Ignored, Date, Principal, Interest, Escrow, Extra, Total, Balance };

struct StatementLine {
    QDate date;
    std::optional<double> principal;
    std::optional<double> interest;
    std::optional<double> escrow;
    std::optional<double> extra;
    std::optional<double> total;
    std::optional<double> balance;

    bool operator==(const StatementLine &) const = default;
    // A payment of the loan: some principal or interest. Any other line (a
    // fee, an escrow disbursement) is kept and listed, never matched.
    bool isPayment() const;
    // The principal with the extra principal.
    double principalPaid() const { return principal.value_or(0) + extra.value_or(0); }
    // The balance before this payment, as the line itself says it.
    std::optional<double> balanceBefore() const;
    std::optional<double> amount(StatementColumn column) const;
    void setAmount(StatementColumn column, double value);
};

// Which column of the servicer's file means what, by the column's header as
// Statements::headerKey reads it: offered again at the next import.
using ColumnChoice = std::vector<std::pair<QString, StatementColumn>>;

struct Statement {
    std::vector<StatementLine> lines;      // by date
    ColumnChoice columns;

    bool operator==(const Statement &) const = default;
    bool isEmpty() const { return lines.empty(); }
    int payments() const;
};

// A statement matched to the ledger.
struct StatementMatch {
    std::vector<int> paymentOfLine;     // per line: the ledger payment (1-based), 0: none
    std::vector<int> lineOfPayment;     // index k - 1: payment k's line, -1: none
    std::vector<int> toRecord;          // payment lines after the ledger's last payment
    std::vector<int> missingFromLedger; // payment lines before it that match none
    std::vector<int> notPayments;       // fees, escrow disbursements
    int matched = 0;
};

namespace Statements {

// The amount names of the command line's CSV header, "date" first.
QString columnName(StatementColumn column);
std::optional<StatementColumn> columnNamed(const QString &name);
// A header as it is compared: lower case, letters and digits only.
QString headerKey(const QString &header);
// The column a header names ("Posted Date", "Principal Balance",
// "Additional Principal", ...); Ignored for any other.
StatementColumn guessColumn(const QString &header);

// The kept lines with those of `imported` in place of the kept lines whose
// dates fall within the dates it covers, in date order; the column choice is
// the import's.
Statement merged(const Statement &kept, const Statement &imported);

// A statement line is matched to the ledger payment dated nearest to it
// within this many days, each payment to one line.
constexpr int kMatchDays = 15;
StatementMatch match(const Statement &statement, std::span<const PaymentRecord> ledger);

// The payments `toRecord` add to a ledger of the loan `in` reads: the date,
// the escrow (the line's, or `escrowOn` its date without one) and the extra
// principal (the line's extra, or without that column its principal less
// the regular principal of the Actual view's row, when above half a cent).
std::vector<PaymentRecord> paymentsToRecord(const Statement &statement,
                                            const std::vector<int> &toRecord,
                                            const ScheduleInputs &in,
                                            const std::function<double(const QDate &)> &escrowOn);

// How far the balance before the statement's first payment with a balance
// is from the Actual view's before the same payment (the matched ledger
// payment, or the row dated nearest); nullopt when no line says a balance.
struct BalanceGap {
    int payment = 0;
    double statement = 0;
    double loan = 0;
};
std::optional<BalanceGap> firstBalanceGap(const Statement &statement,
                                          const StatementMatch &match,
                                          const Schedule::Table &actual);

// The lines as the command line writes them: date (ISO), principal,
// interest, escrow, extra, total, balance as plain decimals, empty where
// the statement had no such amount.
PlainTable table(const Statement &statement);

} // namespace Statements
