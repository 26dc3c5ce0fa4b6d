#pragma once
// The reconciliation's rows as grid cells: payment number, date, the finding
// and the difference of the balances first, as they are what a narrow window
// must show; then each figure of the statement beside the loan's, and the
// finding's words (also the row's tip).
#include "controls/grid.h"
#include "loan/reconciliation.h"

class ReconciliationModel : public GridCells {
    Q_OBJECT
public:
    static constexpr int kCols = 13;
    explicit ReconciliationModel(QObject *parent = nullptr);

    int rows() const override { return int(m_report.rows.size()) + 1; }
    void show(const Reconciliation::Report &report);
    QVariant data(const QModelIndex &index, int role) const override;

protected:
    QString bodyCell(int row, int col) const override;

private:
    Reconciliation::Report m_report;
};
