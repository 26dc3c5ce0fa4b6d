#include "menubutton.h"

#include <QMenu>
#include <QStyle>

MenuButton::MenuButton(const QString &text, QWidget *parent)
    : QToolButton(parent)
{
    setText(text);
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setMenu(new QMenu(this));
}

QSize MenuButton::sizeHint() const
{
    QSize size = QToolButton::sizeHint();
    size.rwidth() += style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, this);
    return size;
}
