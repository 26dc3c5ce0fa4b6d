#include "ledgermodel.h"

#include "loan/dates.h"
#include "loan/plaintable.h"

#include <algorithm>

LedgerModel::LedgerModel(QObject *parent)
    : GridCells(6, parent)
    , m_rows(2)
{
}

void LedgerModel::setRows(int rows)
{
    rows = std::max(rows, 1);
    const int was = this->rows();
    if (rows == was)
        return;
    if (rows > was) {
        beginInsertRows(QModelIndex(), was - 1, rows - 2);
        m_rows.resize(size_t(rows));
        endInsertRows();
    } else {
        beginRemoveRows(QModelIndex(), rows - 1, was - 2);
        m_rows.resize(size_t(rows));
        dropTyped(rows);
        endRemoveRows();
    }
}

void LedgerModel::showPayment(int k, const PaymentRecord &record, double monthlyPayment)
{
    if (k <= 0 || k >= rows())
        return;
    m_rows[size_t(k)] = Shown{record, monthlyPayment};
    dropTypedInRow(k);
    rowChanged(k);
}

void LedgerModel::showEmpty(int k)
{
    if (k <= 0 || k >= rows())
        return;
    m_rows[size_t(k)].reset();
    dropTypedInRow(k);
    rowChanged(k);
}

void LedgerModel::setTyped(int row, int col, const QString &text)
{
    if (row <= 0 || row >= rows() || col < 0 || col >= cols())
        return;
    if (cell(row, col) == text)
        return;
    m_typed[{row, col}] = text;
    cellChanged(row, col);
}

void LedgerModel::dropTyped(int firstRow)
{
    m_typed.erase(m_typed.lower_bound({firstRow, 0}), m_typed.end());
}

void LedgerModel::dropTypedInRow(int row)
{
    m_typed.erase(m_typed.lower_bound({row, 0}), m_typed.lower_bound({row + 1, 0}));
}

void LedgerModel::setMatched(const std::vector<QDate> &lineDates)
{
    const size_t n = std::max(lineDates.size(), m_matched.size());
    std::vector<QDate> was = std::move(m_matched);
    m_matched = lineDates;
    for (size_t k = 1; k <= n; ++k) {
        const QDate before = k <= was.size() ? was[k - 1] : QDate();
        const QDate now = k <= m_matched.size() ? m_matched[k - 1] : QDate();
        if (before != now && int(k) < rows())
            rowChanged(int(k));
    }
}

QVariant LedgerModel::data(const QModelIndex &index, int role) const
{
    // The view's row r is grid row r + 1 (row 0 is the header).
    const size_t k = size_t(index.row()) + 1;
    if (role == Qt::ToolTipRole && index.isValid() && k <= m_matched.size()
        && m_matched[k - 1].isValid())
        return QStringLiteral("Matched to the statement's payment of %1")
            .arg(Dates::format(m_matched[k - 1]));
    return GridCells::data(index, role);
}

QString LedgerModel::bodyCell(int row, int col) const
{
    if (!m_typed.empty()) {
        const auto typed = m_typed.find({row, col});
        if (typed != m_typed.end())
            return typed->second;
    }
    const std::optional<Shown> &shown = m_rows[size_t(row)];
    if (!shown)
        return QString();
    QString text = PlainCells::ledgerText(row, shown->record, shown->monthlyPayment, col);
    if (col == 1 && size_t(row) <= m_matched.size() && m_matched[size_t(row) - 1].isValid())
        text += QStringLiteral("✓");
    return text;
}
