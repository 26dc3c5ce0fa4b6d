#include "plaintable.h"

#include "dates.h"
#include "numtext.h"
#include "paymentstable.h"

#include <algorithm>

namespace {

bool digitAt(const QString &s, int i)
{
    return s[i] >= u'0' && s[i] <= u'9';
}

int twoDigits(const QString &s, int i)
{
    return (s[i].unicode() - u'0') * 10 + (s[i + 1].unicode() - u'0');
}

// "yyyy-mm-dd", the year at least four digits.
QString isoDate(int year, int month, int day)
{
    QString out = QString::number(year).rightJustified(4, u'0');
    const qsizetype at = out.size();
    out.resize(at + 6);
    QChar *c = out.data() + at;
    c[0] = u'-';
    c[1] = QChar(u'0' + month / 10);
    c[2] = QChar(u'0' + month % 10);
    c[3] = u'-';
    c[4] = QChar(u'0' + day / 10);
    c[5] = QChar(u'0' + day % 10);
    return out;
}

// Sign, a digit, digits and commas, then a dot and digits: a number by the
// rules of NumText whose only change is dropping its commas. Checked first
// because a schedule holds a great many of them.
bool plainlyGrouped(const QString &t)
{
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && t[i] == u'-')
        ++i;
    if (i >= n || !t[i].isDigit())
        return false;
    while (i < n && (t[i].isDigit() || t[i] == u','))
        ++i;
    if (i < n && t[i] == u'.')
        ++i;
    while (i < n && t[i].isDigit())
        ++i;
    return i == n;
}

bool needsQuotes(const QString &field)
{
    for (QChar c : field)
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    return false;
}

void appendCsvRecord(QString &out, const QStringList &cells)
{
    for (qsizetype c = 0; c < cells.size(); ++c) {
        if (c > 0)
            out += u',';
        const QString &f = cells[c];
        if (needsQuotes(f)) {
            out += u'"';
            out += QString(f).replace(u'"', QStringLiteral("\"\""));
            out += u'"';
        } else {
            out += f;
        }
    }
    out += QLatin1String("\r\n");
}

void appendTsvLine(QString &out, const QStringList &cells)
{
    for (qsizetype c = 0; c < cells.size(); ++c) {
        if (c > 0)
            out += u'\t';
        const QString &f = cells[c];
        if (f.contains(u'\t') || f.contains(u'\n') || f.contains(u'\r')) {
            QString clean = f;
            for (QChar &ch : clean)
                if (ch == u'\t' || ch == u'\n' || ch == u'\r')
                    ch = u' ';
            out += clean;
        } else {
            out += f;
        }
    }
    out += u'\n';
}

} // namespace

QString PlainTable::tsv() const
{
    QString out;
    appendTsvLine(out, header);
    for (const QStringList &row : rows)
        appendTsvLine(out, row);
    return out;
}

QByteArray PlainTable::csv() const
{
    QString out;
    out.reserve(qsizetype(rows.size() + 1) * 64);
    appendCsvRecord(out, header);
    for (const QStringList &row : rows)
        appendCsvRecord(out, row);
    return out.toUtf8();
}

namespace PlainCells {

QString number(const QString &text)
{
    if (!text.contains(u','))
        return text.trimmed();
    if (plainlyGrouped(text))
        return QString(text).remove(u',');
    const QString t = text.trimmed();
    return NumText::isNumeric(t) ? QString(t).remove(u',') : t;
}

QString scheduleDate(const QString &dateText, int year)
{
    const QString &s = dateText;
    if (s.size() != 8 || s[2] != u'/' || s[5] != u'/')
        return s;
    for (int i : {0, 1, 3, 4, 6, 7})
        if (!digitAt(s, i))
            return s;
    const int month = twoDigits(s, 0), day = twoDigits(s, 3);
    if (year % 100 != twoDigits(s, 6) || !QDate::isValid(year, month, day))
        return s;
    return isoDate(year, month, day);
}

QString paymentDate(const QString &payDate)
{
    if (const auto d = Dates::parse(payDate))
        return isoDate(d->year(), d->month(), d->day());
    QString text = payDate;
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

QStringList scheduleHeader()
{
    return {QStringLiteral("Payment"), QStringLiteral("Date"), QStringLiteral("Principal"),
            QStringLiteral("Interest"), QStringLiteral("Principal Bal"),
            QStringLiteral("Total Interest")};
}

QStringList ledgerHeader()
{
    return {QStringLiteral("Payment"), QStringLiteral("Date"), QStringLiteral("Loan Payment"),
            QStringLiteral("Escrow"), QStringLiteral("Extra Principal"),
            QStringLiteral("Total Payment")};
}

QStringList scheduleRow(const QStringList &gridTexts, int year)
{
    QStringList out;
    out.reserve(gridTexts.size());
    for (qsizetype c = 0; c < gridTexts.size(); ++c)
        out << (c == 1 ? scheduleDate(gridTexts[c], year) : number(gridTexts[c]));
    return out;
}

PlainTable schedule(const Schedule::Table &table)
{
    PlainTable out;
    out.header = scheduleHeader();
    // Rows 1..result.rows hold texts; rows after them stay empty in the grid.
    const size_t last = std::min({size_t(std::max(table.result.rows, 0)),
                                  table.grid.size() ? table.grid.size() - 1 : 0,
                                  table.rows.size() ? table.rows.size() - 1 : 0});
    out.rows.reserve(last);
    for (size_t i = 1; i <= last; ++i)
        out.rows.push_back(scheduleRow(table.grid[i], table.rows[i].year));
    return out;
}

QString ledgerText(int k, const PaymentRecord &p, double monthlyPayment, int col)
{
    switch (col) {
    case 0: return QString::number(k);
    case 1: return PaymentRecord::shownDate(p.payDate);
    case 2: return NumText::amount(monthlyPayment);
    case 3: return NumText::amount(p.escrow);
    case 4: return NumText::amount(p.extraPrincipal);
    case 5: return NumText::amount(monthlyPayment + p.escrow + p.extraPrincipal);
    default: return QString();
    }
}

QStringList ledgerTexts(int k, const PaymentRecord &p, double monthlyPayment)
{
    QStringList out;
    out.reserve(6);
    for (int c = 0; c < 6; ++c)
        out << ledgerText(k, p, monthlyPayment, c);
    return out;
}

QStringList ledgerRow(const QStringList &ledgerTexts)
{
    QStringList out;
    out.reserve(ledgerTexts.size());
    for (qsizetype c = 0; c < ledgerTexts.size(); ++c)
        out << (c == 1 ? paymentDate(ledgerTexts[c]) : number(ledgerTexts[c]));
    return out;
}

PlainTable ledger(const std::vector<PaymentRecord> &records, double monthlyPayment)
{
    return ledger(records, [monthlyPayment](int) { return monthlyPayment; });
}

PlainTable ledger(const std::vector<PaymentRecord> &records,
                  const std::function<double(int)> &paymentFor)
{
    PlainTable out;
    out.header = ledgerHeader();
    out.rows.reserve(records.size());
    for (size_t k = 0; k < records.size(); ++k)
        out.rows.push_back(ledgerRow(ledgerTexts(int(k) + 1, records[k], paymentFor(int(k) + 1))));
    return out;
}

std::array<QString, 4> ledgerTotals(const std::vector<PaymentRecord> &records,
                                    double monthlyPayment)
{
    return ::ledgerTotals(records, monthlyPayment).texts();
}

} // namespace PlainCells
