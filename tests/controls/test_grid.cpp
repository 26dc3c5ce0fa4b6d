#include "controls/datebox.h"
#include "controls/grid.h"

#include <QAbstractItemModelTester>
#include <QTest>
#include <gtest/gtest.h>

TEST(GridControl, CellsRowsAndHeaders)
{
    Grid g(6);
    QAbstractItemModelTester tester(g.gridModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    g.setRows(4);
    g.setCell(0, 1, "Date");
    g.setCurrentCell(2, 3);
    g.setText("12.50");
    EXPECT_EQ(g.cell(2, 3), "12.50");
    EXPECT_EQ(g.gridModel()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Date");
    EXPECT_EQ(QSize(g.gridModel()->columnCount(), g.gridModel()->rowCount()), QSize(5, 3));
    g.setRows(2);
    g.setRows(4);
    EXPECT_EQ(g.cell(2, 3), ""); // rows added come empty
    g.textModel()->setRowTexts(1, {"1", "01/15/08", "99.55"});
    EXPECT_EQ(g.cell(1, 2), "99.55");
    EXPECT_EQ(g.gridModel()->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), "1");
}

TEST(GridControl, ShownRowLiesWhollyInViewWhateverTheHeight)
{
    Grid g(6);
    g.show();
    g.setRows(101);
    auto inView = [&](int row) {
        return g.viewport()->rect().contains(g.visualRect(g.gridModel()->index(row - 1, 0)));
    };
    // Heights that cut a row in two as well as whole ones.
    for (int height : {3 * 16 + 27, 12 * 16 + 9 + 20, 20 * 16 + 20}) {
        g.resize(300, height);
        for (int row : {100, 1, 60}) {
            ASSERT_TRUE(g.showRow(row));
            EXPECT_TRUE(inView(row)) << height << " row " << row;
        }
        // The program puts a year's first row at the top; near the end the
        // grid goes as far down as it can, the row still in view.
        EXPECT_TRUE(g.bringToTop(98) && inView(98)) << height;
        EXPECT_TRUE(g.bringToTop(40));
        EXPECT_EQ(g.topRow(), 40);
    }
    // Rows outside the grid, as a year with no payments asks for, are refused.
    EXPECT_FALSE(g.showRow(0) || g.showRow(101) || g.setTopRow(0) || g.setTopRow(101));
}

TEST(DateBoxControl, BareDigitsAndSeparatedForms)
{
    DateBox box;
    box.setValue("12/31/07"); // separators typed in are dropped
    EXPECT_EQ(box.withSeparators() + " " + box.value(), "12/31/07 123107");
    box.setIncludeLiterals(true);
    box.setValue("12");
    EXPECT_EQ(box.value(), "12/__/__");
}
