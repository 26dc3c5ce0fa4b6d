#pragma once
// A grid of text cells: row 0 is a fixed header row and column 0 a fixed
// header column, both staying in place while the grid scrolls. Built on a
// QTableView over a table model holding the cell texts, so a schedule of
// 32,767 rows fills quickly. Sizes are in twips (15 twips = 1 pixel).
#include <QAbstractTableModel>
#include <QTableView>
#include <QVector>

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject *parent = nullptr);

    // Rows and columns of the whole grid, the header row and column included.
    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    void setRows(int rows);
    void setCols(int cols);
    QString cell(int row, int col) const;
    void setCell(int row, int col, const QString &text);
    // Writes columns 0.. of one row with one change notification.
    void setRowTexts(int row, const QStringList &texts);
    void setCellAlignment(int col, Qt::Alignment alignment);
    void setFixedAlignment(int col, Qt::Alignment alignment);

    // The view shows row 0 and column 0 as its headers, the rest as cells.
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    int m_rows = 2;
    int m_cols = 2;
    QVector<QString> m_cells;                  // m_rows × m_cols, row-major
    QVector<Qt::Alignment> m_cellAlign;
    QVector<Qt::Alignment> m_fixedAlign;
};

class Grid : public QTableView {
    Q_OBJECT
public:
    explicit Grid(int cols, QWidget *parent = nullptr);

    GridModel *gridModel() const { return m_model; }
    int rows() const { return m_model->rows(); }
    int cols() const { return m_model->cols(); }
    void setRows(int rows);

    // The current cell; a cell of the data area also becomes the view's
    // current, selected cell.
    int row() const { return m_row; }
    int col() const { return m_col; }
    void setRow(int row);
    void setCol(int col);
    void setCurrentCell(int row, int col);
    QString text() const;
    void setText(const QString &text);
    QString cell(int row, int col) const { return m_model->cell(row, col); }
    void setCell(int row, int col, const QString &text) { m_model->setCell(row, col, text); }

    void setColWidth(int col, int twips);
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

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;

private:
    GridModel *m_model;
    int m_row = 0;
    int m_col = 0;
    int m_rowHeight = 16;
    bool m_syncing = false;
};
