#include "statementreader.h"

#include "loan/dates.h"
#include "loan/numtext.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

namespace StatementReader {

namespace {

// UTF-8 when the bytes are, Latin-1 otherwise; a byte-order mark is dropped.
QString decode(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return text;
}

// The separator the first line uses most, outside quotes.
QChar separatorOf(const QString &text)
{
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        else if (!quoted && c == u',')
            ++commas;
        else if (!quoted && c == u';')
            ++semicolons;
        else if (!quoted && c == u'\t')
            ++tabs;
    }
    if (tabs > commas && tabs > semicolons)
        return u'\t';
    return semicolons > commas ? u';' : u',';
}

bool isBlank(const QStringList &row)
{
    return std::all_of(row.begin(), row.end(), [](const QString &s) { return s.trimmed().isEmpty(); });
}

QString columnTitle(StatementColumn column)
{
    QString name = Statements::columnName(column);
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

} // namespace

Table parse(const QByteArray &bytes)
{
    Table table;
    if (bytes.size() > kMaxBytes) {
        table.reason = QStringLiteral("it is larger than 4 MiB, more than any payment history");
        return table;
    }
    if (bytes.trimmed().isEmpty() || bytes == "\xEF\xBB\xBF") {
        table.reason = QStringLiteral("it is empty");
        return table;
    }
    if (bytes.contains('\0')) {
        table.reason = QStringLiteral("it is not a CSV text file");
        return table;
    }
    const QString text = decode(bytes);
    const QChar sep = separatorOf(text);

    std::vector<QStringList> rows;
    std::vector<int> lineNumbers;
    QStringList row;
    QString field;
    bool quoted = false, wasQuoted = false;
    int line = 1, rowLine = 1, quoteLine = 0;
    auto endField = [&] {
        row.append(wasQuoted ? field : field.trimmed());
        field.clear();
        wasQuoted = false;
    };
    auto endRow = [&] {
        endField();
        rows.push_back(row);
        lineNumbers.push_back(rowLine);
        row.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
        } else if (c == u'"' && field.trimmed().isEmpty() && !wasQuoted) {
            field.clear();
            quoted = wasQuoted = true;
            quoteLine = line;
        } else if (c == sep) {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            endRow();
            rowLine = ++line;
        } else {
            field += c;
        }
    }
    if (quoted) {
        table.reason = QStringLiteral("line %1: a quoted field is never closed").arg(quoteLine);
        return table;
    }
    if (!field.isEmpty() || wasQuoted || !row.isEmpty())
        endRow();

    // The header is the first line that names a date column (servicers put
    // a title or the account above it), or failing that the first line.
    size_t first = rows.size();
    for (size_t r = 0; r < rows.size() && r < 10 && first == rows.size(); ++r) {
        for (const QString &cell : rows[r])
            if (Statements::guessColumn(cell) == StatementColumn::Date)
                first = r;
    }
    if (first == rows.size())
        first = size_t(std::find_if(rows.begin(), rows.end(),
                                    [](const QStringList &r) { return !isBlank(r); })
                       - rows.begin());
    if (first == rows.size()) {
        table.reason = QStringLiteral("it is empty");
        return table;
    }
    table.header = rows[first];
    if (table.header.size() < 2) {
        table.reason = QStringLiteral("it is not CSV: its first line has no commas, semicolons "
                                      "or tabs between columns");
        return table;
    }
    for (size_t r = first + 1; r < rows.size(); ++r) {
        if (isBlank(rows[r]))
            continue;
        QStringList cells = rows[r].mid(0, table.header.size());
        while (cells.size() < table.header.size())
            cells.append(QString());
        table.rows.push_back(cells);
        table.lineNumbers.push_back(lineNumbers[r]);
    }
    table.ok = true;
    return table;
}

std::vector<StatementColumn> guessColumns(const QStringList &header, const ColumnChoice &kept)
{
    std::vector<StatementColumn> columns;
    for (const QString &h : header) {
        const QString key = Statements::headerKey(h);
        auto it = std::find_if(kept.begin(), kept.end(),
                               [&](const auto &choice) { return choice.first == key; });
        columns.push_back(it != kept.end() ? it->second : Statements::guessColumn(h));
    }
    // A column guessed twice is taken by the first that names it.
    for (size_t i = 0; i < columns.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (columns[i] != StatementColumn::Ignored && columns[j] == columns[i])
                columns[i] = StatementColumn::Ignored;
    return columns;
}

QString whyNotColumns(const std::vector<StatementColumn> &columns)
{
    auto has = [&](StatementColumn c) { return std::count(columns.begin(), columns.end(), c); };
    if (has(StatementColumn::Date) == 0)
        return QStringLiteral("it has no date column");
    for (StatementColumn c : {StatementColumn::Date, StatementColumn::Principal,
                              StatementColumn::Interest, StatementColumn::Escrow,
                              StatementColumn::Extra, StatementColumn::Total,
                              StatementColumn::Balance})
        if (has(c) > 1)
            return QStringLiteral("the %1 column is chosen twice").arg(Statements::columnName(c));
    if (has(StatementColumn::Ignored) + has(StatementColumn::Date) == qsizetype(columns.size()))
        return QStringLiteral("it has no amount column (principal, interest, escrow, extra, "
                              "total or balance)");
    return QString();
}

std::optional<QDate> readDate(const QString &text)
{
    const QString t = text.trimmed();
    if (t.size() == 10 && t[4] == u'-') {
        const QDate d = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
        return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
    }
    return Dates::parse(t);
}

Amount readAmount(const QString &text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return {true, std::nullopt};
    bool negative = false;
    if (t.size() > 2 && t.startsWith(u'(') && t.endsWith(u')')) {
        negative = true;
        t = t.mid(1, t.size() - 2).trimmed();
    }
    if (t.startsWith(u'-') && !negative) {
        negative = true;
        t = t.mid(1).trimmed();
        if (t.startsWith(u'-') || t.startsWith(u'+'))
            return {};
    }
    const std::optional<double> v = NumText::parseAmount(t);
    if (!v || !std::isfinite(*v))
        return {};
    return {true, negative ? -*v : *v};
}

Read read(const Table &table, const std::vector<StatementColumn> &columns)
{
    Read out;
    if (const QString why = whyNotColumns(columns); !why.isEmpty()) {
        out.reason = why;
        return out;
    }
    const int n = std::min(int(columns.size()), int(table.header.size()));
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const QStringList &cells = table.rows[r];
        const int lineNumber = table.lineNumbers[r];
        StatementLine line;
        bool dated = false;
        for (int c = 0; c < n; ++c) {
            const StatementColumn column = columns[size_t(c)];
            const QString &cell = cells[c];
            if (column == StatementColumn::Date) {
                const std::optional<QDate> d = readDate(cell);
                if (!d) {
                    out.reason = cell.trimmed().isEmpty()
                                     ? QStringLiteral("line %1 has no date").arg(lineNumber)
                                     : QStringLiteral("line %1: \"%2\" is not a date (MM/DD/YYYY, "
                                                      "MM/DD/YY or YYYY-MM-DD)")
                                           .arg(lineNumber)
                                           .arg(cell.trimmed().left(40));
                    return out;
                }
                line.date = *d;
                dated = true;
            } else if (column != StatementColumn::Ignored) {
                const Amount a = readAmount(cell);
                if (!a.ok) {
                    out.reason = QStringLiteral("line %1: \"%2\" in the %3 column is not an amount")
                                     .arg(lineNumber)
                                     .arg(cell.trimmed().left(40), columnTitle(column));
                    return out;
                }
                if (a.value)
                    line.setAmount(column, *a.value);
            }
        }
        if (dated)
            out.statement.lines.push_back(line);
    }
    std::stable_sort(out.statement.lines.begin(), out.statement.lines.end(),
                     [](const StatementLine &a, const StatementLine &b) { return a.date < b.date; });
    for (int c = 0; c < n; ++c)
        if (columns[size_t(c)] != StatementColumn::Ignored)
            out.statement.columns.emplace_back(Statements::headerKey(table.header[c]),
                                               columns[size_t(c)]);
    // In the order the loan file keeps them, so that a choice read back
    // equals the one made.
    std::sort(out.statement.columns.begin(), out.statement.columns.end());
    out.ok = true;
    return out;
}

Table parseFile(const QString &path)
{
    Table out;
    const QFileInfo info(path);
    if (!info.exists()) {
        out.reason = QStringLiteral("there is no such file");
        return out;
    }
    if (!info.isFile()) {
        out.reason = QStringLiteral("it is not a file");
        return out;
    }
    if (info.size() > kMaxBytes) {
        out.reason = QStringLiteral("it is larger than 4 MiB, more than any payment history");
        return out;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out.reason = file.errorString();
        return out;
    }
    return parse(file.read(kMaxBytes + 1));
}

Read readFile(const QString &path, const ColumnChoice &kept)
{
    const Table table = parseFile(path);
    if (!table) {
        Read out;
        out.reason = table.reason;
        return out;
    }
    return read(table, guessColumns(table.header, kept));
}

} // namespace StatementReader
