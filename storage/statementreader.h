#pragma once
// Reads a servicer's payment history as CSV: comma, semicolon or tab
// separated, quoted fields (with separators, quotes and line breaks inside),
// UTF-8 with or without a byte-order mark, or Latin-1, a header row first.
// Reading comes in two steps so that the user can see the columns guessed
// and change them before the lines are read.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "loan/statement.h"
#include "storage/result.h"

namespace StatementReader {

// A larger file is not read.
constexpr qint64 kMaxBytes = 4 * 1024 * 1024;

// The cells of a CSV file.
struct Table : Result {
    Table() { ok = false; }
    QStringList header;
    std::vector<QStringList> rows;     // every row as long as the header
    std::vector<int> lineNumbers;      // the file's line each row starts on
};
Table parse(const QByteArray &bytes);
// The file at `path` parsed: only a regular file up to kMaxBytes is read.
Table parseFile(const QString &path);

// A column for each header cell: the one `kept` names for that header, or
// the one its words name.
std::vector<StatementColumn> guessColumns(const QStringList &header, const ColumnChoice &kept = {});
// Why `columns` cannot read a statement (no date column, no amount column, a
// column chosen twice); empty when they can.
QString whyNotColumns(const std::vector<StatementColumn> &columns);

// "03/01/27", "3/1/2027", "2027-03-01".
std::optional<QDate> readDate(const QString &text);
// "$1,234.56", "-12.34", "(12.34)", "-$5", "1234.5"; an empty cell is no
// amount (nullopt with ok), any other text is refused.
struct Amount {
    bool ok = false;
    std::optional<double> value;
};
Amount readAmount(const QString &text);

struct Read : Result {
    Read() { ok = false; }
    Statement statement;
};
// The table's lines under `columns`: a row without a date or with an amount
// that cannot be read fails with its line number and text; a row of blank
// cells is skipped. The lines come in date order.
Read read(const Table &table, const std::vector<StatementColumn> &columns);
// A file read as an import reads it with the columns guessed (and `kept`).
Read readFile(const QString &path, const ColumnChoice &kept = {});

} // namespace StatementReader
