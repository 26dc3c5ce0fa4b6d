#include "exportbutton.h"

#include <QActionEvent>
#include <QMenu>

ExportButton::ExportButton(QWidget *grid, QWidget *parent)
    : MenuButton(QStringLiteral("Export"), parent)
    , m_grid(grid)
{
    setObjectName(QStringLiteral("exportButton"));
    setAccessibleName(QStringLiteral("Export"));
    setToolTip(QStringLiteral("Copy, export or print the table"));
    menu()->addActions(grid->actions());
    grid->installEventFilter(this);
}

bool ExportButton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid
        && (event->type() == QEvent::ActionAdded || event->type() == QEvent::ActionRemoved)) {
        const bool added = event->type() == QEvent::ActionAdded;
        QAction *action = static_cast<QActionEvent *>(event)->action();
        if (added)
            menu()->insertAction(static_cast<QActionEvent *>(event)->before(), action);
        else
            menu()->removeAction(action);
    }
    return QToolButton::eventFilter(watched, event);
}
