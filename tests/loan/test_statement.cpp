// The servicer's statement against the ledger: each payment matched to the
// nearest ledger payment, the payments the ledger lacks after its last worked
// out as the ledger would record them, and a statement of another loan told
// by its balance.
#include "loan/statement.h"
#include "loan/dates.h"
#include "loan/numtext.h"
#include "loan/paymentstable.h"

#include <gtest/gtest.h>

namespace {

StatementLine line(const QDate &date, double principal, double interest,
                   std::optional<double> balance = std::nullopt)
{
    StatementLine l;
    l.date = date;
    l.principal = principal;
    l.interest = interest;
    l.balance = balance;
    return l;
}

PaymentRecord paid(const QString &date, double extra = 0)
{
    return {450, extra, PaymentRecord::fitDate(date)};
}

// 280,000.00 at 6.5 % over 360 payments, first due 01/01/27.
ScheduleInputs loan(const PaymentsTable &ledger)
{
    ScheduleInputs in;
    in.terms = Terms::read({"280000", "6.5", "360", "", "", "", "", "", "", "", "", "", ""}, "010127");
    in.recorded = ledger.recordedExtra();
    return in;
}

} // namespace

TEST(Statement, MatchesEachPaymentToTheNearestLedgerDateAndSortsTheRest)
{
    // The ledger: 01/01, 02/03, 04/01, 05/02 (March never recorded).
    const std::vector<PaymentRecord> ledger{paid("01/01/27"), paid("02/03/27"), paid("04/01/27"),
                                            paid("05/02/27")};
    Statement s;
    s.lines = {line(QDate(2027, 1, 2), 253.12, 1516.67),
               line(QDate(2027, 2, 1), 257.20, 1512.59),
               line(QDate(2027, 2, 10), 0, 0),                  // a fee
               line(QDate(2027, 3, 1), 258.59, 1511.20),        // missing from the ledger
               line(QDate(2027, 4, 16), 259.99, 1509.80),       // 15 days late: still matched
               line(QDate(2027, 5, 18), 261.40, 1508.39),       // 16 days: not the May payment
               line(QDate(2027, 6, 1), 262.82, 1506.97)};
    s.lines[2].total = 25;
    const StatementMatch m = Statements::match(s, ledger);
    EXPECT_EQ(m.paymentOfLine, (std::vector<int>{1, 2, 0, 0, 3, 0, 0}));
    EXPECT_EQ(m.lineOfPayment, (std::vector<int>{0, 1, 4, -1}));
    EXPECT_EQ(m.missingFromLedger, std::vector<int>{3});
    EXPECT_EQ(m.toRecord, (std::vector<int>{5, 6}));
    EXPECT_EQ(m.notPayments, std::vector<int>{2});
    EXPECT_EQ(m.matched, 3);
    // Two lines near one payment: the nearer takes it.
    Statement twice;
    twice.lines = {line(QDate(2026, 12, 25), 1, 1), line(QDate(2026, 12, 30), 1, 1)};
    EXPECT_EQ(Statements::match(twice, ledger).paymentOfLine, (std::vector<int>{0, 1}));
}

TEST(Statement, PaymentsToRecordTakeTheExtraBeyondEachRowsRegularPrincipal)
{
    PaymentsTable ledger;
    ledger.append(paid("01/01/27"));
    Statement s;
    // Payment 2 pays 500.00 beyond its regular 254.49; payment 3 pays its
    // regular principal, 258.58 once the 500.00 is paid (258.59 before), so
    // it records no extra; payment 4 says its extra.
    s.lines = {line(QDate(2027, 2, 1), 754.49, 1515.30), line(QDate(2027, 3, 1), 258.58, 1511.21),
               line(QDate(2027, 4, 1), 300, 1505)};
    s.lines[0].escrow = 460;
    s.lines[2].extra = 41.4;
    const auto records = Statements::paymentsToRecord(
        s, {0, 1, 2}, loan(ledger), [](const QDate &) { return 450.0; });
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].payDate, "02/01/27");
    EXPECT_EQ(records[0].escrow, 460);
    EXPECT_EQ(records[0].extraPrincipal, 500);
    EXPECT_EQ(records[1].escrow, 450);
    EXPECT_EQ(records[1].extraPrincipal, 0);
    EXPECT_EQ(records[2].extraPrincipal, 41.4);
}

TEST(Statement, TheFirstBalanceTellsAStatementOfAnotherLoan)
{
    PaymentsTable ledger;
    const Schedule::Table actual = Schedule::build(ScheduleView::Actual, loan(ledger));
    Statement s;
    s.lines = {line(QDate(2027, 3, 2), 258.59, 1511.20, 279233.80)};
    auto gap = Statements::firstBalanceGap(s, Statements::match(s, {}), actual);
    ASSERT_TRUE(gap);
    EXPECT_EQ(gap->payment, 3);       // the row dated nearest
    EXPECT_EQ(gap->statement, 279492.39);
    EXPECT_EQ(gap->loan, 279492.39);   // after payment 2
    s.lines[0].balance.reset();
    EXPECT_FALSE(Statements::firstBalanceGap(s, Statements::match(s, {}), actual));
}
