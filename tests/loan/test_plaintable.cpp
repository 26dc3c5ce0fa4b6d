// The plain cells that schedule and ledger rows give other programs, read
// back from the CSV and the tab-separated text as a spreadsheet would.
#include "loan/plaintable.h"
#include "loan/schedule.h"
#include "tablereader.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

ScheduleInputs loan(const QString &n, const QString &first = QStringLiteral("01/15/08"))
{
    ScheduleInputs in;
    LoanTerms::Texts texts;
    texts[LoanTerms::LoanAmount] = QStringLiteral("100,000.00");
    texts[LoanTerms::AnnualRate] = QStringLiteral("6");
    texts[LoanTerms::NumberOfPayments] = n;
    in.terms = Terms::read(texts, first);
    return in;
}

} // namespace

TEST(PlainTables, ScheduleReadsBackAsTheGridShowsIt)
{
    const Schedule::Table t = Schedule::build(ScheduleView::Contract, loan("360"));
    const PlainTable plain = PlainCells::schedule(t);
    bool ok = false;
    const auto csv = qhtest::readCsv(QString::fromUtf8(plain.csv()), &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(csv.size(), 361u);
    // The remainder is settled on the last row, as the grid shows it.
    EXPECT_EQ(csv[360], QStringList({"360", "2037-12-15", "597.01", "2.99", "0.00", "115838.45"}));
    // Every row against the grid: the window's Copy and Export CSV check.
    EXPECT_EQ(qhtest::readTsv(plain.tsv()), csv);
}

TEST(PlainTables, ScheduleDatesKeepTheirCenturyBeyondTheTwoDigitWindow)
{
    const auto longest = loan("1500", "01/31/08");
    const auto plain = PlainCells::schedule(Schedule::build(ScheduleView::Contract, longest));
    ASSERT_EQ(plain.rows.size(), 1500u);
    EXPECT_EQ(plain.rows[1].at(1), "2008-02-29");
    EXPECT_EQ(plain.rows[1200].at(1), "2108-01-31");
    EXPECT_EQ(plain.rows[1213].at(1), "2109-02-28");
}

TEST(PlainTables, LedgerRowsWithADateThatIsNoDate)
{
    const std::vector<PaymentRecord> records = {
        {250, 100, "01/15/08"}, {250.5, 0, "pending "}, {0, 1234.5, "3,\"x\"  "}};
    const PlainTable plain = PlainCells::ledger(records, 599.55);
    bool ok = false;
    const auto csv = qhtest::readCsv(QString::fromUtf8(plain.csv()), &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(csv.size(), 4u);
    EXPECT_EQ(csv[1], QStringList({"1", "2008-01-15", "599.55", "250.00", "100.00", "949.55"}));
    EXPECT_EQ(csv[2], QStringList({"2", "pending", "599.55", "250.50", "0.00", "850.05"}));
    EXPECT_EQ(csv[3], QStringList({"3", "3,\"x\"", "599.55", "0.00", "1234.50", "1834.05"}));
    EXPECT_EQ(qhtest::readTsv(plain.tsv())[3], csv[3]);
    EXPECT_EQ(PlainCells::ledgerTotals(records, 599.55),
              (std::array<QString, 4>{"1,798.65", "500.50", "1,334.50", "3,633.65"}));
}

TEST(PlainTables, EmptyTablesHoldTheirHeaderOnly)
{
    // The headers, checked here once for the tables with rows too.
    EXPECT_EQ(PlainCells::ledger({}, 599.55).csv(),
              "Payment,Date,Loan Payment,Escrow,Extra Principal,Total Payment\r\n");
    const auto none = PlainCells::schedule(Schedule::build(ScheduleView::Contract, loan("0")));
    EXPECT_TRUE(none.rows.empty());
    EXPECT_EQ(none.tsv(), "Payment\tDate\tPrincipal\tInterest\tPrincipal Bal\tTotal Interest\n");
}

TEST(PlainTables, NumbersLoseTheirGroupingAndTextStays)
{
    const struct { const char *in, *out; } cases[] = {
        {"1,234,567.89", "1234567.89"}, {"-1,200.00", "-1200.00"}, {" Payments", "Payments"}, {"10,0x", "10,0x"}};
    for (const auto &c : cases)
        EXPECT_EQ(PlainCells::number(c.in), c.out) << c.in;
}
