// The servicer's statement read from CSV in the shapes servicers write it,
// and every kind of file that is no such statement refused with its reason.
#include "storage/statementreader.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The lines read, as `--csv statement` writes them (header left out).
QString linesOf(const QByteArray &bytes)
{
    const StatementReader::Table table = StatementReader::parse(bytes);
    EXPECT_TRUE(table.ok) << table.reason.toStdString();
    const StatementReader::Read read
        = StatementReader::read(table, StatementReader::guessColumns(table.header));
    EXPECT_TRUE(read.ok) << read.reason.toStdString();
    const QString csv = QString::fromUtf8(Statements::table(read.statement).csv());
    return csv.mid(csv.indexOf(u'\n') + 1).replace(QStringLiteral("\r\n"), QStringLiteral("|"));
}

struct Shape {
    const char *name;
    QByteArray bytes;
    const char *lines;
};

} // namespace

TEST(StatementReader, ReadsTheShapesServicersWrite)
{
    const Shape shapes[] = {
        {"commas, dollar signs, quoted thousands, a fee line",
         "Posted Date,Principal,Interest,Escrow,Additional Principal,Amount,Principal Balance\r\n"
         "01/01/2027,$253.12,\"$1,516.67\",$450.00,$0.00,\"$2,219.79\",\"$279,746.88\"\r\n"
         "01/15/2027,,,,,$25.00,\r\n",
         "2027-01-01,253.12,1516.67,450,0,2219.79,279746.88|2027-01-15,,,,,25,|"},
        {"semicolons, ISO dates, words after the column's name, parentheses for negatives",
         "Transaction Date;Principal Paid;Interest Paid;Amount\n"
         "2027-02-01;257.20;1512.59;(12.34)\n",
         "2027-02-01,257.2,1512.59,,,-12.34,|"},
        {"tabs, two-digit years, other spellings",
         "Effective Date\tPrincipal\tInterest\tTax and Insurance\tCurtailment\tTotal\t"
         "Unpaid Principal Balance\n"
         "3/1/27\t258.59\t1511.20\t450\t100\t2319.79\t279,088.09\n",
         "2027-03-01,258.59,1511.2,450,100,2319.79,279088.09|"},
        {"a byte-order mark, lines out of order, a title line above the header",
         "\xEF\xBB\xBFLoan 0042 payment history\n"
         "Due Date,Extra Principal,Interest,Principal,Ending Balance,Memo\n"
         "02/01/2027,0,1512.59,257.20,279489.68,\"Payment, thank you \"\"online\"\"\"\n"
         "01/01/2027,-5,1516.67,253.12,279746.88,\"two\nlines\"\n",
         "2027-01-01,253.12,1516.67,,-5,,279746.88|2027-02-01,257.2,1512.59,,0,,279489.68|"},
    };
    for (const Shape &s : shapes)
        EXPECT_EQ(linesOf(s.bytes), QString::fromUtf8(s.lines)) << s.name;

    // Latin-1 (a "é" that is no UTF-8) reads as well as UTF-8 does.
    const QByteArray latin1 = "Date,Principal,Interest,Description\n01/01/2027,1,2,Pr\xE9l\xE8vement\n";
    const StatementReader::Table table = StatementReader::parse(latin1);
    ASSERT_TRUE(table.ok);
    EXPECT_EQ(table.rows[0][3], QStringLiteral("Prélèvement"));
}

TEST(StatementReader, RefusesWhatIsNoStatementAndSaysWhy)
{
    const struct {
        QByteArray bytes;
        const char *reason;
    } bad[] = {
        {"", "it is empty"},
        {"\xEF\xBB\xBF\n\n", "it is empty"},
        {QByteArray("%PDF-1.4\n\0\x01\x02", 12), "it is not a CSV text file"},
        {"Dear customer\nyour payment\n", "it is not CSV: its first line has no commas"},
        {"Principal,Interest\n1,2\n", "it has no date column"},
        {"Date,Memo\n01/01/27,x\n", "it has no amount column"},
        {"Date,Principal\n01/01/27,1\n13/45/2027,2\n", "line 3: \"13/45/2027\" is not a date"},
        {"Date,Principal\n\n01/01/27,1\n02/01/27,12..3\n",
         "line 4: \"12..3\" in the Principal column is not an amount"},
        {"Date,Principal\n01/01/27,1\n,2\n", "line 3 has no date"},
        {"Date,Principal\n01/01/27,\"1\n", "line 2: a quoted field is never closed"},
        {QByteArray(StatementReader::kMaxBytes + 1, 'x'), "it is larger than 4 MiB"},
    };
    for (const auto &b : bad) {
        const StatementReader::Table table = StatementReader::parse(b.bytes);
        QString reason = table.reason;
        if (table.ok)
            reason = StatementReader::read(table, StatementReader::guessColumns(table.header)).reason;
        EXPECT_TRUE(reason.startsWith(QString::fromUtf8(b.reason)))
            << b.reason << " / " << reason.toStdString();
    }

    QTemporaryDir dir;
    EXPECT_EQ(StatementReader::readFile(dir.filePath("none.csv")).reason, "there is no such file");
    EXPECT_EQ(StatementReader::readFile(dir.path()).reason, "it is not a file");
    QFile big(dir.filePath("big.csv"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(StatementReader::kMaxBytes + 1));
    big.close();
    EXPECT_TRUE(StatementReader::readFile(big.fileName()).reason.startsWith("it is larger than 4 MiB"));
}
