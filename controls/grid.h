#pragma once
// A grid of cells: row 0 is a fixed header row and column 0 a fixed header
// column, both staying in place while the grid scrolls. Built on a QTableView
// over a table model: its own cell texts, or a model of typed rows that
// formats only the cells asked for, so a schedule of 32,767 rows shows at
// once. Sizes are in twips (15 twips = 1 pixel).
#include <QAbstractTableModel>
#include <QTableView>
#include <QVector>

// The cells a grid shows, addressed as the grid addresses them: row 0 is the
// header row and column 0 the header column. A model of the program's own
// rows implements rows() and bodyCell(); the headings (row 0) and the
// alignments are kept here for every model alike.
class GridCells : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridCells(int cols, QObject *parent = nullptr);

    // Rows of the whole grid, the header row included.
    virtual int rows() const = 0;
    int cols() const { return m_cols; }
    // Empty outside the grid.
    QString cell(int row, int col) const;
    void setHeading(int col, const QString &text);
    void setCellAlignment(int col, Qt::Alignment alignment);
    void setFixedAlignment(int col, Qt::Alignment alignment);

    // The view shows row 0 and column 0 as its headers, the rest as cells.
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    // Cell (row, col) for 1 <= row < rows(), 0 <= col < cols().
    virtual QString bodyCell(int row, int col) const = 0;
    // Tells the view that the texts of one grid row changed.
    void rowChanged(int row);
    void cellChanged(int row, int col);
    // Changes the column count, dropping headings and alignments.
    void resetCols(int cols);

private:
    int m_cols;
    QVector<QString> m_headings;
    QVector<Qt::Alignment> m_cellAlign;
    QVector<Qt::Alignment> m_fixedAlign;
};

// Cells that hold the texts written into them.
class GridModel : public GridCells {
    Q_OBJECT
public:
    explicit GridModel(QObject *parent = nullptr);

    int rows() const override { return m_rows; }
    void setRows(int rows);
    void setCols(int cols);
    void setCell(int row, int col, const QString &text);
    // Writes columns 0.. of one row with one change notification.
    void setRowTexts(int row, const QStringList &texts);

protected:
    QString bodyCell(int row, int col) const override;

private:
    int m_rows = 2;
    QVector<QString> m_cells;                  // m_rows × cols(), row-major; row 0 unused
};

class Grid : public QTableView {
    Q_OBJECT
public:
    explicit Grid(int cols, QWidget *parent = nullptr);

    // The cells shown: the grid's own texts unless another model was given.
    GridCells *gridModel() const { return m_cells; }
    GridModel *textModel() const { return m_texts; }
    // Shows `cells` (kept by its owner) instead; done before the column
    // widths are set, as a new model starts with fresh columns.
    void setCells(GridCells *cells);
    int rows() const { return m_cells->rows(); }
    int cols() const { return m_cells->cols(); }
    // Rows of the grid's own texts.
    void setRows(int rows);

    // The current cell; a cell of the data area also becomes the view's
    // current, selected cell.
    int row() const { return m_row; }
    int col() const { return m_col; }
    void setRow(int row);
    void setCol(int col);
    void setCurrentCell(int row, int col);
    QString text() const;
    // Writes the current cell of the grid's own texts.
    void setText(const QString &text);
    QString cell(int row, int col) const { return m_cells->cell(row, col); }
    // A heading (row 0) of whichever model is shown, or a cell of the grid's own texts.
    void setCell(int row, int col, const QString &text);

    void setColWidth(int col, int twips);
    // Beyond `designedWidth` pixels of the grid's own width (its width at the
    // window's designed size), the columns, the header column included, share
    // the width in proportion to the widths set for them: the room the set
    // widths leave before the scroll bar is taken up first, then every pixel
    // more, so the rows reach the scroll bar. At or below it, or with 0, every
    // column keeps the width set.
    void setWidenFrom(int designedWidth);
    // Where column `col` (0: the header column) is shown, in the grid's own
    // coordinates: its left edge as scrolled, and its width.
    int colLeft(int col) const;
    int colWidth(int col) const;
    void setRowHeight(int row, int twips);
    void setColAlignment(int col, Qt::Alignment alignment);
    void setFixedAlignment(int col, Qt::Alignment alignment);

    // Puts `row` at the top. Fails (false, nothing moves) for row 0, a row past
    // the last, or one too near the end for the grid to scroll it up.
    bool setTopRow(int row);
    int topRow() const;
    // Scrolls as little as it takes for `row` to lie wholly inside the
    // viewport (only its top part when the viewport is lower than the row).
    // False, nothing moves, for a row outside the data rows.
    bool showRow(int row);
    // Puts `row` at the top or, when it lies too near the end for that,
    // scrolls to the end with `row` still wholly in view. False as showRow.
    bool bringToTop(int row);
    // Whole data rows the grid shows at once.
    int visibleRows() const;

signals:
    void doubleClicked();
    // Key code (Qt::Key) and modifiers of a key going down.
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    // A typed character (8 Backspace, 13 Enter, 27 Escape).
    void keyPress(int character);
    // The current cell moved, by the user or the program.
    void currentCellChanged();
    // The columns were given their widths, or scrolled sideways.
    void columnsPlaced();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;

private:
    // The current cell stays inside the grid when rows go.
    void keepCurrentInside();
    // Gives the columns the widths set, widened as setWidenFrom says.
    void placeColumns();

    GridModel *m_texts;
    GridCells *m_cells;
    int m_row = 0;
    int m_col = 0;
    int m_rowHeight = 16;
    bool m_syncing = false;
    QVector<int> m_setWidths;    // pixels per column as set; -1 where none was
    int m_widenFrom = 0;
};
