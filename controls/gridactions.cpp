#include "gridactions.h"

#include "grid.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <algorithm>

GridActions::GridActions(Grid *grid)
    : QObject(grid)
    , m_grid(grid)
    , m_copy(new QAction(QStringLiteral("Copy"), grid))
{
    // Rows are picked with the mouse (a drag, Shift or Ctrl with a click, a
    // click on the payment numbers) or with Shift and the arrow keys.
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_copy->setShortcut(QKeySequence::Copy);
    m_copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_copy, &QAction::triggered, this, &GridActions::copy);
    m_grid->addAction(m_copy);
}

QAction *GridActions::addCommand(const QString &text, std::function<void()> run,
                                 const QKeySequence &key)
{
    if (!m_separator) {
        m_separator = new QAction(m_grid);
        m_separator->setSeparator(true);
        m_grid->addAction(m_separator);
    }
    auto *action = new QAction(text, m_grid);
    if (!key.isEmpty()) {
        action->setShortcut(key);
        // Only the grid on the tab shown is visible, so only its command runs.
        action->setShortcutContext(Qt::WindowShortcut);
    }
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    m_grid->addAction(action);
    return action;
}

QList<int> GridActions::rowsToCopy() const
{
    QList<int> rows;
    const QModelIndexList selected =
        m_grid->selectionModel() ? m_grid->selectionModel()->selectedIndexes() : QModelIndexList();
    if (selected.size() <= 1) {
        for (int r = 1; r < m_grid->rows(); ++r)
            rows << r;
        return rows;
    }
    for (const QModelIndex &index : selected)
        rows << index.row() + 1;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void GridActions::copy()
{
    if (!copyText)
        return;
    // A null text: the host has nothing to copy now.
    const QString text = copyText(rowsToCopy());
    if (!text.isNull())
        QGuiApplication::clipboard()->setText(text);
}
