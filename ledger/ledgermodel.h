#pragma once
// The ledger grid's cells: row k shows payment k as it was when last put on
// screen (the record and the monthly payment of that moment), formatted when
// the view asks for it. Text typed into a cell is shown in its place until
// that row is shown again, as a spreadsheet shows what is being typed.
#include "controls/grid.h"
#include "loan/paymentrecord.h"

#include <QDate>

#include <map>
#include <optional>
#include <utility>
#include <vector>

class LedgerModel : public GridCells {
    Q_OBJECT
public:
    explicit LedgerModel(QObject *parent = nullptr);

    int rows() const override { return int(m_rows.size()); }
    // Rows of the grid, the header row included (at least 1); rows added
    // come empty.
    void setRows(int rows);
    // Row k shows payment k.
    void showPayment(int k, const PaymentRecord &record, double monthlyPayment);
    // Row k shows nothing.
    void showEmpty(int k);
    // The text typed so far into a cell, shown instead of the cell's own.
    void setTyped(int row, int col, const QString &text);
    // The date of the statement line each payment is matched to (index
    // k - 1; invalid: none): a matched payment's date is marked "✓" and its
    // row says which line in its tip.
    void setMatched(const std::vector<QDate> &lineDates);

    QVariant data(const QModelIndex &index, int role) const override;

protected:
    QString bodyCell(int row, int col) const override;

private:
    struct Shown {
        PaymentRecord record;
        double monthlyPayment = 0;
    };
    void dropTyped(int firstRow);
    void dropTypedInRow(int row);

    std::vector<std::optional<Shown>> m_rows;          // index = grid row; [0] the header row
    std::map<std::pair<int, int>, QString> m_typed;    // (row, col) → text
    std::vector<QDate> m_matched;                       // index k - 1
};
