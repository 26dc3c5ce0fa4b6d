#pragma once
// A table on paper: lines of text and a title at the top of every page, the
// column headings repeated on every page, the rows, a totals row after the
// last one, and "Page n of N" at the foot. Drawn with QPainter on any paged
// device: the printer of a print preview, or a PDF writer.
#include <QByteArray>
#include <QList>
#include <QPageLayout>
#include <QStringList>
#include <vector>

class QPagedPaintDevice;

struct PrintedTable {
    QStringList heading;            // lines at the top of every page
    QString title;
    QStringList columns;            // column headings
    QList<int> widths;              // relative column widths
    QList<bool> rightAligned;       // per column
    std::vector<QStringList> rows;
    QStringList totals;             // the row after the last; empty: none
    // A table of many columns is printed across the page's longer side.
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

namespace TablePrint {

// Pages the table takes on `device` as it is set up.
int pageCount(QPagedPaintDevice &device, const PrintedTable &table);
// Draws every page on `device`; false when it cannot be painted on.
bool paint(QPagedPaintDevice &device, const PrintedTable &table);
// The table as a PDF document on US Letter pages with half-inch margins, or
// on `layout` at `resolution` dots per inch; empty when it could not be drawn.
QByteArray pdf(const PrintedTable &table, const QString &documentTitle);
QByteArray pdf(const PrintedTable &table, const QString &documentTitle, const QPageLayout &layout,
               int resolution);
// Sets up a printer's page the way pdf() does.
void setLetterPage(QPagedPaintDevice &device,
                   QPageLayout::Orientation orientation = QPageLayout::Portrait);

} // namespace TablePrint
