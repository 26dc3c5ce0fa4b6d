#pragma once
// The schedule grid's cells over the computed rows: row i of the grid is
// payment i, formatted when the view asks for it, so a schedule of 32,767
// rows is shown by handing its rows over, not by writing its texts.
#include "controls/grid.h"
#include "loan/schedule.h"

#include <vector>

class ScheduleModel : public GridCells {
    Q_OBJECT
public:
    explicit ScheduleModel(QObject *parent = nullptr);

    int rows() const override { return m_rows; }
    // Rows 1..count of `table` as the grid's rows (table[0] is unused), in
    // one reset of the view.
    void show(std::vector<ScheduleRow> table, int count);
    // One empty row under the headings.
    void clear();
    // The rows shown (index = payment number); empty after clear().
    const std::vector<ScheduleRow> &table() const { return m_table; }

protected:
    QString bodyCell(int row, int col) const override;

private:
    std::vector<ScheduleRow> m_table;
    int m_count = 0;                 // payments with texts
    int m_rows = 2;
};
