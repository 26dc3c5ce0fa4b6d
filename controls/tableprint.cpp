#include "tableprint.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

QFont baseFont(bool bold = false, double scale = 1.0)
{
    QFont f = QFontDatabase::families().contains(QStringLiteral("Liberation Sans"))
                  ? QFont(QStringLiteral("Liberation Sans"))
                  : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    f.setPointSizeF(9 * scale);
    f.setBold(bold);
    return f;
}

// Where everything goes on a page, in device pixels.
struct Layout {
    QRectF area;
    double lineHeight = 0;
    double rowHeight = 0;
    double titleHeight = 0;
    double columnsTop = 0;          // the column headings' row
    double bodyTop = 0;             // the first row
    double footTop = 0;             // "Page n of N"
    int rowsPerPage = 1;
    int pages = 1;
    QList<double> left;             // column edges, one more than columns
    double padding = 0;
};

Layout layOut(QPagedPaintDevice &device, const PrintedTable &t)
{
    Layout l;
    l.area = QRectF(0, 0, device.width(), device.height());
    const QFontMetricsF fm(baseFont(), &device);
    const QFontMetricsF title(baseFont(true, 1.3), &device);
    l.lineHeight = fm.lineSpacing();
    l.rowHeight = fm.height() * 1.3;
    l.titleHeight = title.lineSpacing();
    l.padding = fm.averageCharWidth() * 0.6;
    l.columnsTop = t.heading.size() * l.lineHeight + 0.5 * l.lineHeight + l.titleHeight
                   + 0.5 * l.lineHeight;
    l.bodyTop = l.columnsTop + l.rowHeight + 2;
    l.footTop = l.area.height() - l.lineHeight;
    const double room = l.footTop - 0.5 * l.lineHeight - l.bodyTop;
    l.rowsPerPage = std::max(1, int(room / l.rowHeight));
    const int rows = int(t.rows.size());
    l.pages = std::max(1, (rows + l.rowsPerPage - 1) / l.rowsPerPage);
    // The totals go after the last row, on a page of their own when the last
    // page is full.
    if (!t.totals.isEmpty() && rows > 0 && rows - (l.pages - 1) * l.rowsPerPage == l.rowsPerPage)
        ++l.pages;

    const int columns = int(t.columns.size());
    QList<int> widths = t.widths;
    widths.resize(columns, 1);
    const double total = std::max(1, std::accumulate(widths.begin(), widths.end(), 0));
    double x = 0;
    l.left << x;
    for (int c = 0; c < columns; ++c) {
        x += l.area.width() * widths[c] / total;
        l.left << x;
    }
    return l;
}

void drawRow(QPainter &p, const Layout &l, const PrintedTable &t, const QStringList &cells,
             double top, bool headings)
{
    for (int c = 0; c < cells.size() && c + 1 < l.left.size(); ++c) {
        const QRectF cell(l.left[c] + l.padding, top, l.left[c + 1] - l.left[c] - 2 * l.padding,
                          l.rowHeight);
        const bool right = c < t.rightAligned.size() && t.rightAligned[c];
        const Qt::Alignment align = Qt::AlignVCenter
                                    | (headings && c > 0 ? Qt::AlignHCenter
                                       : right          ? Qt::AlignRight
                                                        : Qt::AlignLeft);
        p.drawText(cell, int(align), p.fontMetrics().elidedText(cells[c], Qt::ElideRight,
                                                                 int(cell.width())));
    }
}

void drawPage(QPainter &p, const Layout &l, const PrintedTable &t, int page)
{
    const QFont normal = baseFont(), bold = baseFont(true);
    p.setFont(normal);
    double y = 0;
    for (const QString &line : t.heading) {
        p.drawText(QRectF(0, y, l.area.width(), l.lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   line);
        y += l.lineHeight;
    }
    y += 0.5 * l.lineHeight;
    p.setFont(baseFont(true, 1.3));
    p.drawText(QRectF(0, y, l.area.width(), l.titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
               t.title);

    p.setFont(bold);
    drawRow(p, l, t, t.columns, l.columnsTop, true);
    p.drawLine(QPointF(0, l.bodyTop - 1), QPointF(l.area.width(), l.bodyTop - 1));

    p.setFont(normal);
    const int first = page * l.rowsPerPage;
    const int last = std::min(int(t.rows.size()), first + l.rowsPerPage);
    double top = l.bodyTop;
    for (int r = first; r < last; ++r, top += l.rowHeight)
        drawRow(p, l, t, t.rows[size_t(r)], top, false);
    if (page == l.pages - 1 && !t.totals.isEmpty()) {
        p.drawLine(QPointF(0, top + 1), QPointF(l.area.width(), top + 1));
        p.setFont(bold);
        drawRow(p, l, t, t.totals, top + 2, false);
    }

    p.setFont(normal);
    p.drawText(QRectF(0, l.footTop, l.area.width(), l.lineHeight), Qt::AlignHCenter | Qt::AlignBottom,
               QStringLiteral("Page %1 of %2").arg(page + 1).arg(l.pages));
}

} // namespace

namespace TablePrint {

int pageCount(QPagedPaintDevice &device, const PrintedTable &table)
{
    return layOut(device, table).pages;
}

bool paint(QPagedPaintDevice &device, const PrintedTable &table)
{
    QPainter p;
    if (!p.begin(&device))
        return false;
    const Layout l = layOut(device, table);
    for (int page = 0; page < l.pages; ++page) {
        if (page > 0 && !device.newPage())
            return false;
        drawPage(p, l, table, page);
    }
    return p.end();
}

void setLetterPage(QPagedPaintDevice &device, QPageLayout::Orientation orientation)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), orientation,
                                     QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch));
}

QByteArray pdf(const PrintedTable &table, const QString &documentTitle)
{
    return pdf(table, documentTitle,
               QPageLayout(QPageSize(QPageSize::Letter), table.orientation,
                           QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch),
               300);
}

QByteArray pdf(const PrintedTable &table, const QString &documentTitle, const QPageLayout &layout,
               int resolution)
{
    // Drawn in memory: a file is written only once the painter has finished
    // without an error.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(resolution);
        writer.setTitle(documentTitle);
        writer.setCreator(QStringLiteral("Quillhaven"));
        writer.setPageLayout(layout);
        if (!paint(writer, table))
            return QByteArray();
    }
    return buffer.data();
}

} // namespace TablePrint
