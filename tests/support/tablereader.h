#pragma once
// Reads back what the program exports, as a spreadsheet would: RFC 4180 CSV
// (quoted fields, doubled quotes, CRLF records) and tab-separated lines.
#include <QString>
#include <QStringList>
#include <vector>

namespace qhtest {

// Records of a CSV text; `ok` turns false on a stray quote or a record that
// does not end in CRLF.
inline std::vector<QStringList> readCsv(const QString &text, bool *ok = nullptr)
{
    std::vector<QStringList> out;
    QStringList record;
    QString field;
    bool quoted = false, good = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != u'"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == u'"')
                field += c, ++i;
            else
                quoted = false;
        } else if (c == u'"') {
            good = good && field.isEmpty();
            quoted = true;
        } else if (c == u',') {
            record << field;
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            record << field;
            out.push_back(record);
            record.clear();
            field.clear();
            ++i;
        } else {
            good = good && c != u'\n' && c != u'\r';
            field += c;
        }
    }
    good = good && !quoted && field.isEmpty() && record.isEmpty();
    if (ok)
        *ok = good;
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
