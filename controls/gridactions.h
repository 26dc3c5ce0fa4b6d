#pragma once
// Copy and further commands on a grid: a context menu with "Copy" (Ctrl+C
// while the grid has the focus) and the commands its host adds, and which
// rows a copy takes: the selected rows, or every row when one cell or none is
// selected. The grid lets the user select several cells or rows for this.
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <functional>

class Grid;
class QAction;

class GridActions : public QObject {
    Q_OBJECT
public:
    explicit GridActions(Grid *grid);

    // The text put on the clipboard for the given data rows (grid rows from
    // 1, in order); set by the host. A null text leaves the clipboard as it is.
    std::function<QString(const QList<int> &rows)> copyText;

    QAction *copyAction() const { return m_copy; }
    // A command of the context menu, after the ones added before. A key, when
    // given, runs it while the grid is shown in the active window.
    QAction *addCommand(const QString &text, std::function<void()> run,
                        const QKeySequence &key = QKeySequence());

    // The data rows a copy takes.
    QList<int> rowsToCopy() const;
    void copy();

private:
    Grid *m_grid;
    QAction *m_copy;
    QAction *m_separator = nullptr;
};
