// The servicer's statement set beside the loan: statements worked out by a
// servicer's own arithmetic on a 280,000.00 loan at 6.5 % over 360 months
// (first payment 01/01/27, 24 payments recorded with 410.00 escrow and
// 500.00 extra principal on payment 5), then altered as servicers do.
#include "loan/numtext.h"
#include "loan/reconciliation.h"
#include "tablereader.h"
#include "testsupport.h"

#include <gtest/gtest.h>

using namespace LoanTerms;
using Reconciliation::Finding;

namespace {

constexpr int kRecorded = 24;

std::vector<PaymentRecord> ledger()
{
    std::vector<PaymentRecord> out;
    for (int k = 1; k <= kRecorded; ++k)
        out.push_back({410, k == 5 ? 500.0 : 0.0, QDate(2027, 1, 1).addMonths(k - 1).toString("MM/dd/yy")});
    return out;
}

ScheduleInputs loan(const std::vector<PaymentRecord> &records, DatedChanges changes = {})
{
    Texts texts;
    texts[LoanAmount] = "280,000.00";
    texts[AnnualRate] = "6.5";
    texts[NumberOfPayments] = "360";
    ScheduleInputs in;
    in.terms = Terms::read(texts, "01/01/27");
    in.changes = std::move(changes);
    in.recorded = {[records](int k) { return records[size_t(k - 1)].extraPrincipal; }, int(records.size())};
    return in;
}

// Interest of payment k on the servicer's balance B after `days` days.
using InterestRule = std::function<double(int k, double B, int days)>;

double monthly(double percent, double B)
{
    return NumText::roundCents(B * percent / 1200);
}

const InterestRule kMonthly = [](int, double B, int) { return monthly(6.5, B); };

// Where the servicer puts payment 5's extra principal.
enum class Extra { Applied, InEscrow, InTotal, Nowhere };

// A servicer's statement: each payment's interest by `interest` on its own
// balance, the principal the regular payment of the Actual view less that.
struct Servicer {
    InterestRule interest = kMonthly;
    int payments = kRecorded;
    Extra extra = Extra::Applied;
    bool curtailment = false;   // a lone 1,000.00 of principal on 03/16/27

    Statement statement(const ScheduleInputs &in) const
    {
        const Schedule::Table actual = Schedule::build(ScheduleView::Actual, in);
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

Reconciliation::Report reconcile(const Statement &s, const ScheduleInputs &in,
                                 const std::vector<PaymentRecord> &records)
{
    return Reconciliation::reconcile(s, Statements::match(s, records), records, in,
                                     Schedule::build(ScheduleView::Actual, in));
}

// "agrees*3, carried" as the findings of four rows.
QStringList expand(const QString &runs)
{
    QStringList out;
    for (const QString &run : runs.split(", ")) {
        const QStringList part = run.split('*');
        for (int n = part.size() > 1 ? part[1].toInt() : 1; n > 0; --n)
            out << part[0];
    }
    return out;
}

QStringList findings(const Reconciliation::Report &report)
{
    QStringList out;
    for (const auto &row : report.rows)
        out << Reconciliation::findingWord(row.finding);
    return out;
}

} // namespace

TEST(Reconciliation, EachServicerDifferenceFindsItsCause)
{
    const auto records = ledger();
    const ScheduleInputs in = loan(records);
    const struct {
        const char *name;
        Servicer servicer;
        const char *findings;
        const char *summary;
    } cases[] = {
        {"the loan's own arithmetic", {}, "agrees*24",
         "Agrees to the cent through payment 24 (12/01/28)."},
        {"a cent rounded up on payment 7",
         {[](int k, double B, int) { return monthly(6.5, B) + (k == 7 ? 0.01 : 0); }},
         "agrees*6, rounding, carried*17",
         "From payment 7 (07/01/27) the statement's balance is 0.01 above the loan's: a cent of "
         "rounding: the statement's interest is 1,505.62 where 6.5 % a year on 277,957.85 rounds "
         "to 1,505.61."},
        {"interest by the day over 365 days",
         {[](int, double B, int days) { return NumText::roundCents(B * 0.065 * days / 365); }},
         "daily-365*24", nullptr},
        {"interest by the day over 360 days",
         {[](int, double B, int days) { return NumText::roundCents(B * 0.065 * days / 360); }},
         "daily-360*4, carried, daily-360, carried, daily-360*2, carried, daily-360, carried, "
         "daily-360*4, carried, daily-360, carried, daily-360*2, carried, daily-360, carried",
         nullptr},
        {"0.125 % more from payment 13",
         {[](int k, double B, int) { return monthly(k >= 13 ? 6.625 : 6.5, B); }},
         "agrees*12, rate*12",
         "From payment 13 (01/01/28) the statement's balance is 28.79 above the loan's: the "
         "servicer applied 6.625 % where the loan says 6.5 %."},
        {"payment 5's extra principal held in escrow", {kMonthly, kRecorded, Extra::InEscrow},
         "agrees*4, extra-not-applied, carried*19",
         "From payment 5 (05/01/27) the statement's balance is 500.00 above the loan's: the "
         "statement's principal does not include the 500.00 extra principal the ledger records "
         "for this payment; 500.00 went to escrow instead."},
        {"the ledger's last payment not on the statement", {kMonthly, kRecorded - 1},
         "agrees*23, missing-in-statement",
         "From payment 24 (12/01/28) the statement differs from the loan: the ledger records this "
         "payment and the statement has none within 15 days of it."},
        {"a lone curtailment and two payments after the ledger's",
         {kMonthly, kRecorded + 2, Extra::Applied, true},
         "agrees*3, missing-in-ledger, carried*21, missing-in-ledger*2",
         "From 03/16/27 the statement differs from the loan: the statement has a payment here "
         "that the ledger lacks, before the ledger's last payment."},
    };
    for (const auto &c : cases) {
        const auto report = reconcile(c.servicer.statement(in), in, records);
        EXPECT_EQ(findings(report), expand(c.findings)) << c.name;
        if (c.summary)
            EXPECT_EQ(report.summary, c.summary) << c.name;
    }
}

TEST(Reconciliation, NotesNameTheFiguresAndWhereTheDifferenceCameFrom)
{
    const auto records = ledger();
    const ScheduleInputs in = loan(records);
    const auto note = [&](const Servicer &s, size_t row) { return reconcile(s.statement(in), in, records).rows[row].note; };

    // By the day over 365 days: 31 days in January, and the cost so far.
    const Servicer daily{[](int, double B, int days) { return NumText::roundCents(B * 0.065 * days / 365); }};
    EXPECT_EQ(note(daily, 0), "the servicer charges interest by the day: 31 days at 6.5 % on 280,000.00 "
                              "over a 365-day year is 1,545.75, where the monthly rule gives 1,516.67; so far "
                              "that has cost 29.08 against the monthly rule");
    EXPECT_EQ(note(daily, 2), "the servicer charges interest by the day: 28 days at 6.5 % on 279,550.69 "
                              "over a 365-day year is 1,393.92, where the monthly rule gives 1,514.23; so far "
                              "that has saved 62.16 against the monthly rule");

    // The extra principal in the total but not applied, or nowhere at all;
    // the rows after it carry the difference.
    EXPECT_EQ(note({kMonthly, kRecorded, Extra::InTotal}, 4).section("; ", 1),
              "the payment's total holds 500.00 that was not applied");
    EXPECT_EQ(note({kMonthly, kRecorded, Extra::Nowhere}, 4).section("; ", 1),
              "the statement does not show it anywhere");
    EXPECT_EQ(note({kMonthly, kRecorded, Extra::Nowhere}, 5),
              "right on the statement's own balance: interest 1,509.74 is 6.5 % a year on 278,720.61 "
              "and the balance falls by the principal; the difference comes from payment 5");

    // A payment the ledger lacks takes the next number after the ledger's.
    const auto more = reconcile(Servicer{kMonthly, kRecorded + 2, Extra::Applied, true}.statement(in), in, records);
    EXPECT_EQ((std::vector<int>{more.rows[3].payment, more.rows[25].payment, more.rows[26].payment}),
              (std::vector<int>{0, 25, 26}));
    EXPECT_EQ(more.firstDifference, 3);
    EXPECT_EQ(more.rows[26].note, "the statement has this payment and the ledger does not yet; "
                                  "recorded now it would be payment 26");
}

TEST(Reconciliation, RatesInForceFollowTheLoansChanges)
{
    const auto records = ledger();
    const ScheduleInputs in = loan(records, {{QDate(2028, 1, 1), DatedChange::Kind::Rate, 7.25}});
    const Servicer follows{[](int k, double B, int) { return monthly(k >= 13 ? 7.25 : 6.5, B); }};
    const auto report = reconcile(follows.statement(in), in, records);
    EXPECT_EQ(findings(report), expand("agrees*24"));
    EXPECT_EQ(report.firstDifference, -1);

    const auto kept = reconcile(Servicer{}.statement(in), in, records);
    EXPECT_EQ(findings(kept), expand("agrees*12, rate*12"));
    EXPECT_EQ(kept.rows[12].note, "the servicer applied 6.5 % where the loan says 7.25 %");
}

TEST(Reconciliation, CsvCellsAndAnEmptyStatement)
{
    const auto records = ledger();
    const ScheduleInputs in = loan(records);
    const auto report = reconcile(Servicer{kMonthly, kRecorded, Extra::InEscrow}.statement(in), in, records);
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

    const auto none = reconcile(Statement{}, in, records);
    EXPECT_TRUE(none.rows.empty());
    EXPECT_EQ(none.summary, "The statement has no payments to set beside the ledger.");
    EXPECT_EQ(Reconciliation::plainTable(none).csv().count("\r\n"), 1);
}
