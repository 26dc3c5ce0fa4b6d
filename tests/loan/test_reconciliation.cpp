// The servicer's statement set beside the loan: statements worked out by a
// servicer's own arithmetic on a 280,000.00 loan at 6.5 % over 360 months
// (first payment 01/01/27, 24 payments recorded with 410.00 escrow and
// 500.00 extra principal on payment 5), then altered as servicers do.
#include "loan/numtext.h"
#include "loan/reconciliation.h"
#include "tablereader.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

constexpr int kRecorded = 24;

std::vector<PaymentRecord> ledger()
{
    std::vector<PaymentRecord> out;
    for (int k = 1; k <= kRecorded; ++k)
        out.push_back({410, k == 5 ? 500.0 : 0.0, QDate(2027, 1, 1).addMonths(k - 1).toString("MM/dd/yy")});
    return out;
}

// Interest of payment k on the servicer's balance B after `days` days.
using InterestRule = std::function<double(int k, double B, int days)>;

double monthly(double percent, double B)
{
    return NumText::roundCents(B * percent / 1200);
}

const InterestRule kMonthly = [](int, double B, int) { return monthly(6.5, B); };

InterestRule daily(int basis)
{
    return [basis](int, double B, int days) { return NumText::roundCents(B * 0.065 * days / basis); };
}

// Where the servicer puts payment 5's extra principal.
enum class Extra { Applied, InEscrow, InTotal, Nowhere };

// Each payment's interest by `interest` on the servicer's own balance, its
// principal the Actual view's regular payment less that interest.
struct Servicer {
    InterestRule interest = kMonthly;
    int payments = kRecorded;
    Extra extra = Extra::Applied;
    bool curtailment = false;   // a lone 1,000.00 of principal on 03/16/27

    Statement statement(const Schedule::Table &actual) const
    {
        Statement s;
        double B = 280000;
        QDate before(2026, 12, 1);
        for (int k = 1; k <= payments; ++k) {
            if (k == 4 && curtailment) {
                before = QDate(2027, 3, 16);
                B = NumText::roundCents(B - 1000);
                s.lines.push_back({before, 1000.0, 0.0, 0.0, std::nullopt, 1000.0, B});
            }
            const QDate date = QDate(2027, 1, 1).addMonths(k - 1);
            const double i = interest(k, B, int(before.daysTo(date)));
            const double principal = NumText::roundCents(actual.rows[size_t(k)].payment - i);
            const double x = k == 5 ? 500.0 : 0.0;
            const double applied = extra == Extra::Applied ? x : 0.0;
            const double escrow = 410 + (extra == Extra::InEscrow ? x : 0.0);
            const double unapplied = extra == Extra::InTotal ? x : 0.0;
            B = NumText::roundCents(B - principal - applied);
            s.lines.push_back({date, principal, i, escrow, applied,
                               NumText::roundCents(principal + applied + i + escrow + unapplied), B});
            before = date;
        }
        return s;
    }
};

Reconciliation::Report reconcile(const Servicer &servicer, const DatedChanges &changes = {})
{
    static const std::vector<PaymentRecord> records = ledger();
    LoanTerms::Texts texts;
    texts[LoanTerms::LoanAmount] = "280,000.00";
    texts[LoanTerms::AnnualRate] = "6.5";
    texts[LoanTerms::NumberOfPayments] = "360";
    ScheduleInputs in;
    in.terms = Terms::read(texts, "01/01/27");
    in.changes = changes;
    in.recorded = {[](int k) { return records[size_t(k - 1)].extraPrincipal; }, kRecorded};
    const Schedule::Table actual = Schedule::build(ScheduleView::Actual, in);
    const Statement s = servicer.statement(actual);
    return Reconciliation::reconcile(s, Statements::match(s, records), records, in, actual);
}

// The findings of the rows against runs written "agrees*3, carried".
void expectFindings(const Reconciliation::Report &report, const QString &runs, const char *name)
{
    QStringList expected, found;
    for (const QString &run : runs.split(", "))
        for (int n = run.section('*', 1).isEmpty() ? 1 : run.section('*', 1).toInt(); n > 0; --n)
            expected << run.section('*', 0, 0);
    for (const auto &row : report.rows)
        found << Reconciliation::findingWord(row.finding);
    EXPECT_EQ(found, expected) << name;
}

} // namespace

TEST(Reconciliation, EachServicerDifferenceFindsItsCause)
{
    const struct {
        const char *name;
        Servicer servicer;
        const char *findings;
        const char *summary;  // nullptr: not checked
        size_t row;
        const char *note;     // of that row; nullptr: not checked
    } cases[] = {
        {"the loan's own arithmetic", {}, "agrees*24",
         "Agrees to the cent through payment 24 (12/01/28).", 0, "agrees with the loan to the cent"},
        {"a cent rounded up on payment 7",
         {[](int k, double B, int) { return monthly(6.5, B) + (k == 7 ? 0.01 : 0); }},
         "agrees*6, rounding, carried*17",
         "From payment 7 (07/01/27) the statement's balance is 0.01 above the loan's: a cent of "
         "rounding: the statement's interest is 1,505.62 where 6.5 % a year on 277,957.85 rounds "
         "to 1,505.61.",
         23, "right on the statement's own balance: interest 1,480.19 is 6.5 % a year on 273,266.72 "
             "and the balance falls by the principal; the difference comes from payment 7"},
        {"interest by the day over 365 days", {daily(365)}, "daily-365*24",
         "From payment 1 (01/01/27) the statement's balance is 29.08 above the loan's: the servicer "
         "charges interest by the day: 31 days at 6.5 % on 280,000.00 over a 365-day year is "
         "1,545.75, where the monthly rule gives 1,516.67; so far that has cost 29.08 against the "
         "monthly rule.",
         2, "the servicer charges interest by the day: 28 days at 6.5 % on 279,550.69 over a "
            "365-day year is 1,393.92, where the monthly rule gives 1,514.23; so far that has "
            "saved 62.16 against the monthly rule"},
        // 30 days over a 360-day year is the monthly rule itself.
        {"interest by the day over 360 days", {daily(360)},
         "daily-360*4, carried, daily-360, carried, daily-360*2, carried, daily-360, carried, "
         "daily-360*4, carried, daily-360, carried, daily-360*2, carried, daily-360, carried",
         nullptr, 0, nullptr},
        {"0.125 % more from payment 13",
         {[](int k, double B, int) { return monthly(k >= 13 ? 6.625 : 6.5, B); }},
         "agrees*12, rate*12",
         "From payment 13 (01/01/28) the statement's balance is 28.79 above the loan's: the "
         "servicer applied 6.625 % where the loan says 6.5 %.",
         0, nullptr},
        {"payment 5's extra principal held in escrow", {kMonthly, kRecorded, Extra::InEscrow},
         "agrees*4, extra-not-applied, carried*19",
         "From payment 5 (05/01/27) the statement's balance is 500.00 above the loan's: the "
         "statement's principal does not include the 500.00 extra principal the ledger records "
         "for this payment; 500.00 went to escrow instead.",
         5, "right on the statement's own balance: interest 1,509.74 is 6.5 % a year on 278,720.61 "
            "and the balance falls by the principal; the difference comes from payment 5"},
        {"payment 5's extra principal in the total", {kMonthly, kRecorded, Extra::InTotal},
         "agrees*4, extra-not-applied, carried*19", nullptr,
         4, "the statement's principal does not include the 500.00 extra principal the ledger "
            "records for this payment; the payment's total holds 500.00 that was not applied"},
        {"payment 5's extra principal nowhere", {kMonthly, kRecorded, Extra::Nowhere},
         "agrees*4, extra-not-applied, carried*19", nullptr,
         4, "the statement's principal does not include the 500.00 extra principal the ledger "
            "records for this payment; the statement does not show it anywhere"},
        {"the ledger's last payment not on the statement", {kMonthly, kRecorded - 1},
         "agrees*23, missing-in-statement",
         "From payment 24 (12/01/28) the statement differs from the loan: the ledger records this "
         "payment and the statement has none within 15 days of it.",
         0, nullptr},
        {"a lone curtailment and two payments after the ledger's",
         {kMonthly, kRecorded + 2, Extra::Applied, true},
         "agrees*3, missing-in-ledger, carried*21, missing-in-ledger*2",
         "From 03/16/27 the statement differs from the loan: the statement has a payment here "
         "that the ledger lacks, before the ledger's last payment.",
         26, "the statement has this payment and the ledger does not yet; recorded now it would be "
             "payment 26"},
    };
    for (const auto &c : cases) {
        const auto report = reconcile(c.servicer);
        expectFindings(report, c.findings, c.name);
        if (c.summary)
            EXPECT_EQ(report.summary, c.summary) << c.name;
        if (c.note && c.row < report.rows.size())
            EXPECT_EQ(report.rows[c.row].note, c.note) << c.name;
    }

    // A payment the ledger lacks takes the number after the ledger's, or 0
    // before the ledger's last payment.
    const auto more = reconcile({kMonthly, kRecorded + 2, Extra::Applied, true});
    EXPECT_EQ((std::vector<int>{more.rows[3].payment, more.rows[25].payment, more.rows[26].payment}),
              (std::vector<int>{0, 25, 26}));
    EXPECT_EQ(more.firstDifference, 3);
}

TEST(Reconciliation, RatesInForceFollowTheLoansChanges)
{
    const DatedChanges change = {{QDate(2028, 1, 1), DatedChange::Kind::Rate, 7.25}};
    const auto follows = reconcile({[](int k, double B, int) { return monthly(k >= 13 ? 7.25 : 6.5, B); }}, change);
    expectFindings(follows, "agrees*24", "the servicer follows the change");
    EXPECT_EQ(follows.firstDifference, -1);

    const auto kept = reconcile({}, change);
    expectFindings(kept, "agrees*12, rate*12", "the servicer keeps the old rate");
    EXPECT_EQ(kept.rows[12].note, "the servicer applied 6.5 % where the loan says 7.25 %");
}

TEST(Reconciliation, CsvCellsAndAnEmptyStatement)
{
    const auto report = reconcile({kMonthly, kRecorded, Extra::InEscrow});
    bool ok = false;
    const auto csv = qhtest::readCsv(QString::fromUtf8(Reconciliation::plainTable(report).csv()), &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(csv.size(), 25u);
    EXPECT_EQ(csv[0].join(','), "payment,date,statement_principal,statement_interest,statement_escrow,"
                                "statement_balance,principal,interest,escrow,balance,balance_difference,"
                                "finding,note");
    EXPECT_EQ(csv[5], QStringList({"5", "2027-05-01", "258.65", "1511.14", "910", "278720.61", "758.65",
                                   "1511.14", "410", "278220.61", "500", "extra-not-applied",
                                   report.rows[4].note}));

    const auto none = reconcile({kMonthly, 0});
    EXPECT_TRUE(none.rows.empty());
    EXPECT_EQ(none.summary, "The statement has no payments to set beside the ledger.");
    EXPECT_EQ(Reconciliation::plainTable(none).csv().count("\r\n"), 1);
}
