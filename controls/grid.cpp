#include "grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace {
int px(int twips)
{
    return (twips + 7) / 15;
}
} // namespace

GridCells::GridCells(int cols, QObject *parent)
    : QAbstractTableModel(parent)
    , m_cols(0)
{
    resetCols(cols);
}

void GridCells::resetCols(int cols)
{
    m_cols = std::max(cols, 1);
    m_headings.fill(QString(), m_cols);
    m_cellAlign.fill(Qt::AlignLeft | Qt::AlignVCenter, m_cols);
    m_fixedAlign.fill(Qt::AlignLeft | Qt::AlignVCenter, m_cols);
}

QString GridCells::cell(int row, int col) const
{
    if (row < 0 || row >= rows() || col < 0 || col >= m_cols)
        return QString();
    return row == 0 ? m_headings[col] : bodyCell(row, col);
}

void GridCells::setHeading(int col, const QString &text)
{
    if (col < 0 || col >= m_cols || m_headings[col] == text)
        return;
    m_headings[col] = text;
    if (col > 0)
        emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
}

void GridCells::rowChanged(int row)
{
    if (row <= 0 || row >= rows())
        return;
    emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
    if (m_cols > 1)
        emit dataChanged(index(row - 1, 0), index(row - 1, m_cols - 2));
}

void GridCells::cellChanged(int row, int col)
{
    if (row <= 0 || row >= rows() || col < 0 || col >= m_cols)
        return;
    if (col == 0)
        emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
    else
        emit dataChanged(index(row - 1, col - 1), index(row - 1, col - 1));
}

void GridCells::setCellAlignment(int col, Qt::Alignment alignment)
{
    if (col >= 0 && col < m_cols)
        m_cellAlign[col] = alignment | Qt::AlignVCenter;
}

void GridCells::setFixedAlignment(int col, Qt::Alignment alignment)
{
    if (col >= 0 && col < m_cols)
        m_fixedAlign[col] = alignment | Qt::AlignVCenter;
}

int GridCells::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows() - 1;
}

int GridCells::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols - 1;
}

QVariant GridCells::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return bodyCell(index.row() + 1, index.column() + 1);
    if (role == Qt::TextAlignmentRole)
        return int(m_cellAlign[index.column() + 1]);
    return {};
}

QVariant GridCells::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole)
            return cell(0, section + 1);
        if (role == Qt::TextAlignmentRole && section + 1 < m_cols)
            return int(m_fixedAlign[section + 1]);
    } else {
        if (role == Qt::DisplayRole)
            return cell(section + 1, 0);
        if (role == Qt::TextAlignmentRole)
            return int(m_fixedAlign[0]);
    }
    return {};
}

GridModel::GridModel(QObject *parent)
    : GridCells(2, parent)
{
    m_cells.resize(m_rows * cols());
}

void GridModel::setRows(int rows)
{
    rows = std::max(rows, 1);
    if (rows == m_rows)
        return;
    // Rows beyond the new count disappear; new rows come empty.
    if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows - 1, rows - 2);
        m_cells.resize(rows * cols());
        m_rows = rows;
        endInsertRows();
    } else {
        beginRemoveRows(QModelIndex(), rows - 1, m_rows - 2);
        m_cells.resize(rows * cols());
        m_rows = rows;
        endRemoveRows();
    }
}

void GridModel::setCols(int cols)
{
    beginResetModel();
    resetCols(cols);
    m_cells.fill(QString(), m_rows * this->cols());
    endResetModel();
}

QString GridModel::bodyCell(int row, int col) const
{
    return m_cells[row * cols() + col];
}

void GridModel::setCell(int row, int col, const QString &text)
{
    if (row == 0) {
        setHeading(col, text);
        return;
    }
    if (row < 0 || row >= m_rows || col < 0 || col >= cols())
        return;
    QString &c = m_cells[row * cols() + col];
    if (c == text)
        return;
    c = text;
    cellChanged(row, col);
}

void GridModel::setRowTexts(int row, const QStringList &texts)
{
    if (row <= 0 || row >= m_rows)
        return;
    const int n = std::min(int(texts.size()), cols());
    for (int c = 0; c < n; ++c)
        m_cells[row * cols() + c] = texts[c];
    rowChanged(row);
}

Grid::Grid(int cols, QWidget *parent)
    : QTableView(parent)
    , m_texts(new GridModel(this))
    , m_cells(m_texts)
{
    m_texts->setCols(cols);
    setModel(m_texts);
    connect(m_texts, &QAbstractItemModel::rowsRemoved, this, [this] { keepCurrentInside(); });
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    setTabKeyNavigation(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultSectionSize(m_rowHeight);
    verticalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setFixedHeight(m_rowHeight + 2);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &Grid::columnsPlaced);
}

void Grid::setCells(GridCells *cells)
{
    if (cells == m_cells)
        return;
    if (m_cells != m_texts)
        disconnect(m_cells, nullptr, this, nullptr);
    m_cells = cells;
    setModel(cells);
    if (cells != m_texts) {
        connect(cells, &QAbstractItemModel::rowsRemoved, this, [this] { keepCurrentInside(); });
        connect(cells, &QAbstractItemModel::modelReset, this, [this] { keepCurrentInside(); });
    }
    keepCurrentInside();
    // A new model starts with fresh columns: the widths set stay the grid's.
    placeColumns();
}

void Grid::keepCurrentInside()
{
    m_row = std::min(m_row, rows() - 1);
    m_col = std::min(m_col, cols() - 1);
}

void Grid::setRows(int rows)
{
    m_texts->setRows(rows);
}

void Grid::setCell(int row, int col, const QString &text)
{
    if (row == 0)
        m_cells->setHeading(col, text);
    else
        m_texts->setCell(row, col, text);
}

void Grid::setRow(int row)
{
    setCurrentCell(row, m_col);
}

void Grid::setCol(int col)
{
    setCurrentCell(m_row, col);
}

void Grid::setCurrentCell(int row, int col)
{
    m_row = std::clamp(row, 0, rows() - 1);
    m_col = std::clamp(col, 0, cols() - 1);
    if (m_row > 0 && m_col > 0) {
        // Moving the current cell leaves the view where it is, as scrolling
        // is the caller's to decide (setTopRow).
        m_syncing = true;
        const bool scrolls = hasAutoScroll();
        setAutoScroll(false);
        setCurrentIndex(m_cells->index(m_row - 1, m_col - 1));
        setAutoScroll(scrolls);
        m_syncing = false;
    }
}

QString Grid::text() const
{
    return m_cells->cell(m_row, m_col);
}

void Grid::setText(const QString &text)
{
    m_texts->setCell(m_row, m_col, text);
}

void Grid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= cols())
        return;
    if (m_setWidths.size() < cols())
        m_setWidths.resize(cols(), -1);
    m_setWidths[col] = px(twips);
    placeColumns();
}

void Grid::setWidenFrom(int designedWidth)
{
    m_widenFrom = designedWidth;
    placeColumns();
}

void Grid::placeColumns()
{
    const int n = std::min(int(m_setWidths.size()), cols());
    QVector<int> widths(m_setWidths.begin(), m_setWidths.begin() + n);
    const int designed = std::accumulate(widths.begin(), widths.end(), 0);
    const int extra = width() - m_widenFrom;
    const bool allSet = n == cols() && std::none_of(widths.begin(), widths.end(),
                                                    [](int w) { return w < 0; });
    if (m_widenFrom > 0 && extra > 0 && allSet && designed > 0) {
        // The room beside the header column up to the scroll bar (or the
        // frame), which the header's own width does not change.
        const int room = viewport()->geometry().right() + 1 - contentsRect().left();
        const int gap = std::max(0, room - extra - designed); // as at the designed width
        const int total = designed + extra + std::min(extra, gap);
        // Each column ends where its share of the total ends, so the rounding
        // never adds up to a gap or an overflow.
        int before = 0, placed = 0;
        for (int c = 0; c < n; ++c) {
            before += m_setWidths[c];
            const int end = int(std::lround(double(total) * before / designed));
            widths[c] = end - placed;
            placed = end;
        }
    }
    bool moved = false;
    {
        // The view is told once, below, rather than after each column at
        // its next turn of the event loop, which would paint it again.
        const QSignalBlocker quiet(horizontalHeader());
        for (int c = 0; c < n; ++c) {
            if (widths[c] < 0 || widths[c] == colWidth(c))
                continue;
            if (c == 0)
                verticalHeader()->setFixedWidth(widths[c]);
            else
                horizontalHeader()->resizeSection(c - 1, widths[c]);
            moved = true;
        }
    }
    if (moved) {
        updateGeometries();
        viewport()->update();
    }
    emit columnsPlaced();
}

int Grid::colLeft(int col) const
{
    const int left = contentsRect().left();
    return col == 0 ? left : left + verticalHeader()->width() + columnViewportPosition(col - 1);
}

int Grid::colWidth(int col) const
{
    return col == 0 ? verticalHeader()->width() : columnWidth(col - 1);
}

void Grid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    placeColumns();
}

void Grid::setRowHeight(int row, int twips)
{
    if (row == 0)
        horizontalHeader()->setFixedHeight(px(twips));
    else
        verticalHeader()->resizeSection(row - 1, px(twips));
}

void Grid::setColAlignment(int col, Qt::Alignment alignment)
{
    m_cells->setCellAlignment(col, alignment);
    viewport()->update();
}

void Grid::setFixedAlignment(int col, Qt::Alignment alignment)
{
    m_cells->setFixedAlignment(col, alignment);
    horizontalHeader()->viewport()->update();
}

int Grid::visibleRows() const
{
    // From the widget's own size, so it holds before the grid is first shown.
    int h = height() - 2 * frameWidth() - horizontalHeader()->height();
    if (horizontalScrollBar()->isVisible())
        h -= horizontalScrollBar()->height();
    return std::max(1, h / std::max(1, verticalHeader()->defaultSectionSize()));
}

bool Grid::setTopRow(int row)
{
    const int dataRows = rows() - 1;
    const int maxTop = dataRows - visibleRows() + 1;
    if (row < 1 || row > dataRows || row > maxTop)
        return false;
    verticalScrollBar()->setMaximum(std::max(verticalScrollBar()->maximum(), maxTop - 1));
    verticalScrollBar()->setValue(row - 1);
    return true;
}

int Grid::topRow() const
{
    return verticalScrollBar()->value() + 1;
}

bool Grid::showRow(int row)
{
    if (row < 1 || row >= rows())
        return false;
    // Scrolling is by whole rows: the scroll value is the top row's index.
    const int index = row - 1;
    QScrollBar *bar = verticalScrollBar();
    // From the row upwards, as many rows as fit, but no higher than the
    // present top: the top row moves only as far as it must.
    const int height = viewport()->height();
    const int present = std::min(bar->value(), index);
    int top = index;
    int used = verticalHeader()->sectionSize(index);
    while (top > present && used + verticalHeader()->sectionSize(top - 1) <= height)
        used += verticalHeader()->sectionSize(--top);
    // The range may not yet know of rows added since the last layout.
    bar->setMaximum(std::max(bar->maximum(), top));
    bar->setValue(top);
    return true;
}

bool Grid::bringToTop(int row)
{
    if (setTopRow(row))
        return true;
    return showRow(rows() - 1) && showRow(row);
}

void Grid::keyPressEvent(QKeyEvent *event)
{
    emit keyDown(event->key(), event->modifiers());
    int ch = 0;
    switch (event->key()) {
    case Qt::Key_Backspace: ch = 8; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: ch = 13; break;
    case Qt::Key_Escape: ch = 27; break;
    default:
        if (!event->text().isEmpty() && event->text()[0].isPrint())
            ch = event->text()[0].unicode();
    }
    if (ch) {
        emit keyPress(ch);
        return;
    }
    QTableView::keyPressEvent(event);
}

void Grid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void Grid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (!m_syncing && current.isValid()) {
        m_row = current.row() + 1;
        m_col = current.column() + 1;
    }
    if (current.isValid())
        emit currentCellChanged();
}

QItemSelectionModel::SelectionFlags Grid::selectionCommand(const QModelIndex &index,
                                                           const QEvent *event) const
{
    // The program's own moves of the current cell select that cell alone,
    // whatever keys happen to be held; the user's keys and clicks extend the
    // selection as usual where several cells can be selected.
    if (m_syncing && selectionMode() == QAbstractItemView::ExtendedSelection)
        return QItemSelectionModel::ClearAndSelect;
    return QTableView::selectionCommand(index, event);
}
