#pragma once
// A small "Export" button whose menu holds the commands of a grid's context
// menu (Copy, and whatever its host added: exports, printing), the same
// actions with their keys shown, so they can be found without a right-click.
// A page puts one beside its grid with one line; the menu follows the
// commands the grid gets later.
#include "controls/menubutton.h"

class ExportButton : public MenuButton {
    Q_OBJECT
public:
    ExportButton(QWidget *grid, QWidget *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_grid;
};
