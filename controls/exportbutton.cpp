#include "exportbutton.h"

#include <QActionEvent>
#include <QMenu>
#include <QStyle>

ExportButton::ExportButton(QWidget *grid, QWidget *parent)
    : QToolButton(parent)
    , m_grid(grid)
{
    setObjectName(QStringLiteral("exportButton"));
    setText(QStringLiteral("Export"));
    setAccessibleName(QStringLiteral("Export"));
    setToolTip(QStringLiteral("Copy, export or print the table"));
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setMenu(new QMenu(this));
    menu()->addActions(grid->actions());
    grid->installEventFilter(this);
}

QSize ExportButton::sizeHint() const
{
    QSize size = QToolButton::sizeHint();
    size.rwidth() += style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, this);
    return size;
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
