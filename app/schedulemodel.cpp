#include "schedulemodel.h"

#include <algorithm>

ScheduleModel::ScheduleModel(QObject *parent)
    : GridCells(6, parent)
{
}

void ScheduleModel::show(std::vector<ScheduleRow> table, int count)
{
    beginResetModel();
    m_table = std::move(table);
    m_count = std::clamp(count, 0, std::max(int(m_table.size()) - 1, 0));
    m_rows = m_count + 1;
    endResetModel();
}

void ScheduleModel::clear()
{
    beginResetModel();
    m_table.clear();
    m_count = 0;
    m_rows = 2;
    endResetModel();
}

QString ScheduleModel::bodyCell(int row, int col) const
{
    if (row > m_count)
        return QString();
    return Schedule::gridText(row, m_table[size_t(row)], col);
}
