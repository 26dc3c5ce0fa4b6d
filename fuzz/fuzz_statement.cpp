// Feeds arbitrary bytes to the statement reader. It must refuse with a
// reason or read a table whose rows are as long as its header; lines read
// have real dates and finite amounts, in date order; and what the command
// line writes of them, and the loan file keeps, reads back as the same lines.
#include "storage/loanextension.h"
#include "storage/statementreader.h"

#include <QByteArray>
#include <QCoreApplication>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz_statement: %s\n", what);
        std::abort();
    }
}

// Equal as written with 15 significant digits.
bool near(const std::optional<double> &a, const std::optional<double> &b)
{
    if (a.has_value() != b.has_value())
        return false;
    return !a || std::abs(*a - *b) <= 1e-9 * std::max(1.0, std::abs(*a));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const StatementReader::Table table = StatementReader::parse(bytes);
    if (!table.ok) {
        check(!table.reason.isEmpty(), "refused bytes without a reason");
        return 0;
    }
    check(table.header.size() >= 2, "a header of one column accepted");
    check(table.rows.size() == table.lineNumbers.size(), "rows without line numbers");
    for (size_t r = 0; r < table.rows.size(); ++r) {
        check(table.rows[r].size() == table.header.size(), "a row not as long as the header");
        check(r == 0 || table.lineNumbers[r] > table.lineNumbers[r - 1], "line numbers out of order");
    }
    const StatementReader::Read read
        = StatementReader::read(table, StatementReader::guessColumns(table.header));
    if (!read.ok) {
        check(!read.reason.isEmpty(), "refused lines without a reason");
        return 0;
    }
    const std::vector<StatementLine> &lines = read.statement.lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        check(lines[i].date.isValid(), "a line without a real date");
        check(i == 0 || lines[i - 1].date <= lines[i].date, "lines out of date order");
        for (StatementColumn c : {StatementColumn::Principal, StatementColumn::Interest,
                                  StatementColumn::Escrow, StatementColumn::Extra,
                                  StatementColumn::Total, StatementColumn::Balance})
            check(!lines[i].amount(c) || std::isfinite(*lines[i].amount(c)), "an amount not finite");
    }

    // The command line's CSV of the lines reads back as the same lines.
    const StatementReader::Table again = StatementReader::parse(Statements::table(read.statement).csv());
    if (!lines.empty()) {
        check(again.ok, "the written lines do not parse");
        const StatementReader::Read back
            = StatementReader::read(again, StatementReader::guessColumns(again.header));
        check(back.ok && back.statement.lines.size() == lines.size(), "the written lines do not read back");
        for (size_t i = 0; i < lines.size(); ++i) {
            const StatementLine &a = lines[i], &b = back.statement.lines[i];
            check(a.date == b.date && near(a.principal, b.principal) && near(a.interest, b.interest)
                      && near(a.escrow, b.escrow) && near(a.extra, b.extra)
                      && near(a.total, b.total) && near(a.balance, b.balance),
                  "a written line reads back different");
        }
    }
    // The loan file keeps exactly what was read.
    LoanExtension ext;
    ext.statement = read.statement;
    LoanExtension kept;
    if (!read.statement.isEmpty()) {
        check(bool(LoanExtension::read(ext.payload(), kept)), "a kept statement does not read back");
        check(kept.statement.lines == read.statement.lines, "a kept statement reads back different");
    }
    return 0;
}
