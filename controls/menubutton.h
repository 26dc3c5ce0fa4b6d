#pragma once
// A small button that opens its menu at a click, with room beside its text
// for the menu's arrow, which the style draws over the text otherwise.
#include <QToolButton>

class MenuButton : public QToolButton {
    Q_OBJECT
public:
    MenuButton(const QString &text, QWidget *parent);

    QSize sizeHint() const override;
};
