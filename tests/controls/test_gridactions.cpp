// Which rows a grid's Copy takes, picked with the mouse, and the
// program's own moves of the current cell selecting that cell alone; the
// commands in the context menu and in the Export button beside the grid.
#include "controls/exportbutton.h"
#include "controls/grid.h"
#include "controls/gridactions.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Host {
    Grid grid{3};
    GridActions *actions = new GridActions(&grid);
    QList<int> copied;

    Host()
    {
        grid.setRows(6);
        grid.setColWidth(0, 500);
        grid.resize(300, 200);
        actions->copyText = [this](const QList<int> &rows) {
            copied = rows;
            return QString();
        };
        grid.show();
        QApplication::setActiveWindow(&grid);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&grid));
    }
    QList<int> copy()
    {
        copied.clear();
        actions->copyAction()->trigger();
        return copied;
    }
    void clickRowNumber(int row, Qt::KeyboardModifiers mods = {})
    {
        QHeaderView *h = grid.verticalHeader();
        const int y = h->sectionViewportPosition(row - 1) + h->sectionSize(row - 1) / 2;
        QTest::mouseClick(h->viewport(), Qt::LeftButton, mods, QPoint(h->width() / 2, y));
    }
};

} // namespace

TEST(GridCopyRows, SelectedRowsOrEveryRowAndTheCommandsAfterCopy)
{
    Host host;
    EXPECT_EQ(host.copy(), QList<int>({1, 2, 3, 4, 5})); // nothing selected
    host.grid.setCurrentCell(3, 2);
    EXPECT_EQ(host.copy(), QList<int>({1, 2, 3, 4, 5})); // one cell
    host.clickRowNumber(2);
    host.clickRowNumber(4, Qt::ShiftModifier);
    EXPECT_EQ(host.copy(), QList<int>({2, 3, 4}));

    // A move of the program's own while Ctrl is held replaces the selection:
    // Ctrl+C, with the grid focused, takes every row again.
    QTest::keyPress(&host.grid, Qt::Key_Control, Qt::ControlModifier);
    host.grid.setCurrentCell(1, 1);
    QTest::keyRelease(&host.grid, Qt::Key_Control, Qt::NoModifier);
    host.grid.setFocus();
    QTest::keyClick(&host.grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(host.copied, QList<int>({1, 2, 3, 4, 5}));

    // Commands follow Copy in the context menu, and the Export button's menu
    // holds the same actions, those added after it too, their keys shown.
    ExportButton button(&host.grid, nullptr);
    int printed = 0;
    host.actions->addCommand("Print...", [&] { ++printed; }, QKeySequence::Print);
    QStringList texts;
    for (QAction *a : host.grid.actions())
        texts << (a->isSeparator() ? "-" : a->text() + " " + a->shortcut().toString());
    EXPECT_EQ(texts, QStringList({"Copy Ctrl+C", "-", "Print... Ctrl+P"}));
    EXPECT_EQ(host.grid.contextMenuPolicy(), Qt::ActionsContextMenu);
    EXPECT_EQ(button.menu()->actions(), host.grid.actions());
    EXPECT_EQ(button.popupMode(), QToolButton::InstantPopup);
    EXPECT_EQ(button.text(), "Export");
    QTest::keyClick(&host.grid, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printed, 1);
    host.grid.hide();
    QTest::keyClick(&host.grid, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printed, 1); // a grid out of sight runs nothing
}
