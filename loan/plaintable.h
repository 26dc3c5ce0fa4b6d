#pragma once
// Tables of plain cells for other programs: the rows a grid shows, with
// amounts as plain decimals ("99900.45") and dates as full dates
// ("2008-01-15"), so that a spreadsheet reads them as numbers and dates.
// Written as tab-separated text for the clipboard or as CSV for files.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

#include "paymentrecord.h"
#include "schedule.h"

struct PlainTable {
    QStringList header;
    std::vector<QStringList> rows;

    // A line per row, cells between tabs, "\n" after each line. A tab or a
    // line break inside a cell becomes a blank, as the format has no quoting.
    QString tsv() const;
    // RFC 4180 in UTF-8: CRLF after each record; a field holding a comma, a
    // quote or a line break is quoted, its quotes doubled.
    QByteArray csv() const;
};

namespace PlainCells {

// A number without its grouping commas ("99,900.45" gives "99900.45"), the
// decimals kept as shown. Text that is no number stays as it is, trimmed.
QString number(const QString &text);
// A schedule date "mm/dd/yy" of the calendar year `year` as "yyyy-mm-dd"; the
// year comes from the schedule row because two digits cannot tell it for a
// long loan. Text that is no such date stays as it is.
QString scheduleDate(const QString &dateText, int year);
// A stored payment date: the full date when it is a date (two-digit years as
// Dates reads them), else its text without the blanks that pad it.
QString paymentDate(const QString &payDate);

// Column headings; the grids leave the number column's heading empty.
QStringList scheduleHeader();
QStringList ledgerHeader();

// A schedule grid row (Schedule::gridTexts, the remainder settled as the grid
// shows it) as plain cells.
QStringList scheduleRow(const QStringList &gridTexts, int year);
// Every row of a built schedule.
PlainTable schedule(const Schedule::Table &table);

// Ledger row k as the payments tab shows it: number, date as stored (control
// characters as blanks), the
// monthly payment, escrow, extra principal and their total.
QStringList ledgerTexts(int k, const PaymentRecord &p, double monthlyPayment);
// Column `col` of ledgerTexts(k, p, monthlyPayment); empty outside columns 0..5.
QString ledgerText(int k, const PaymentRecord &p, double monthlyPayment, int col);
QStringList ledgerRow(const QStringList &ledgerTexts);
// Every recorded payment.
PlainTable ledger(const std::vector<PaymentRecord> &records, double monthlyPayment);
// The same with the loan payment of payment k given by `paymentFor`.
PlainTable ledger(const std::vector<PaymentRecord> &records,
                  const std::function<double(int)> &paymentFor);
// The payments tab's totals of "All" (ledgerTotals): loan payments, escrow,
// extra principal and their total, as it shows them.
std::array<QString, 4> ledgerTotals(const std::vector<PaymentRecord> &records,
                                    double monthlyPayment);

} // namespace PlainCells
