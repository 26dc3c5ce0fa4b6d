#pragma once
// Reads back what the program exports, as a spreadsheet would: RFC 4180 CSV
// (quoted fields, doubled quotes, CRLF records) and tab-separated lines.
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace qhtest {

// Records of a CSV text; `ok` turns false on a stray quote or a record that
// does not end in CRLF.
inline std::vector<QStringList> readCsv(const QString &text, bool *ok = nullptr)
{
    // A quoted field (quotes doubled inside) or a plain one, then what ends
    // it: a comma, or the CRLF that ends the record.
    static const QRegularExpression field(R"re((?:"((?:[^"]|"")*)"|([^",\r\n]*))(,|\r\n))re");
    std::vector<QStringList> out;
    QStringList record;
    qsizetype at = 0;
    for (QRegularExpressionMatch m; at < text.size(); at = m.capturedEnd()) {
        m = field.match(text, at, QRegularExpression::NormalMatch,
                        QRegularExpression::AnchorAtOffsetMatchOption);
        if (!m.hasMatch())
            break;
        record << (m.hasCaptured(1) ? m.captured(1).replace(QLatin1String("\"\""), QLatin1String("\""))
                                    : m.captured(2));
        if (m.captured(3) != u',')
            out.push_back(std::exchange(record, {}));
    }
    if (ok)
        *ok = at == text.size() && record.isEmpty();
    return out;
}

inline std::vector<QStringList> readTsv(const QString &text)
{
    std::vector<QStringList> out;
    for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts))
        out.push_back(line.split(u'\t'));
    return out;
}

} // namespace qhtest
