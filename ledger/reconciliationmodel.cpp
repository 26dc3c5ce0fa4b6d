#include "reconciliationmodel.h"

#include "loan/numtext.h"

ReconciliationModel::ReconciliationModel(QObject *parent)
    : GridCells(kCols, parent)
{
}

void ReconciliationModel::show(const Reconciliation::Report &report)
{
    beginResetModel();
    m_report = report;
    endResetModel();
}

QVariant ReconciliationModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::ToolTipRole && index.isValid() && size_t(index.row()) < m_report.rows.size())
        return m_report.rows[size_t(index.row())].note;
    return GridCells::data(index, role);
}

QString ReconciliationModel::bodyCell(int row, int col) const
{
    const Reconciliation::Row &r = m_report.rows[size_t(row) - 1];
    auto amount = [](const std::optional<double> &v) { return v ? NumText::amount(*v) : QString(); };
    switch (col) {
    case 0: return r.payment > 0 ? QString::number(r.payment) : QString();
    case 1: return r.dateText;
    case 2: return Reconciliation::findingWord(r.finding);
    case 3: return amount(r.balanceDifference);
    case 4: return amount(r.statementBalance);
    case 5: return amount(r.balance);
    case 6: return amount(r.statementPrincipal);
    case 7: return amount(r.principal);
    case 8: return amount(r.statementInterest);
    case 9: return amount(r.interest);
    case 10: return amount(r.statementEscrow);
    case 11: return amount(r.escrow);
    case 12: return r.note;
    }
    return QString();
}
