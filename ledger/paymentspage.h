#pragma once
// The content of the "Payments" tab: the ledger grid of recorded payments, the
// year list and the totals line (totalLabel(0..3)), with the
// commands that add, edit and delete payments. The main window owns the
// table and supplies the loan terms the ledger reads through the hooks.
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class Grid;
class LedgerModel;
class PaymentDialog;
class PaymentsTable;
class QComboBox;
class QFrame;
class QLabel;

class PaymentsPage : public QWidget {
    Q_OBJECT
public:
    explicit PaymentsPage(PaymentsTable &table, QWidget *parent = nullptr);

    // Host hooks. The monthly payment and the monthly tax and insurance as
    // the main window displays them; the first payment date read with its
    // separators ("mm/dd/yy", or "__/__/__" when empty).
    std::function<QString()> monthlyPaymentText;
    std::function<QString()> monthlyTaxInsuranceText;
    std::function<QString()> firstPaymentDateText;
    // Shows the dialog modally; tests fill it and press a button instead.
    std::function<void(PaymentDialog &)> runDialog;

    Grid *grid() const { return m_grid; }
    QComboBox *yearList() const { return m_yearList; }
    QLabel *totalLabel(int i) const;

    // Column widths, headers and alignments of the grid, once at start-up.
    void setupGrid();

    // Refills the whole grid from the table; the totals stay as they are.
    void showPayments();
    // Refreshes row n (when n > 0) and the empty row, then the totals.
    void showPayment(int n);
    // Totals of all payments or of the chosen year, and scrolls to its first.
    void yearFilter();
    // The loan payment changed: the rows on screen and the totals follow it.
    void loanPaymentChanged();
    // "All", then the year of each payment that differs from the one before;
    // "All" chosen.
    void fillYearList();

    // "&Make": records one more payment through the dialog.
    void addPayment();
    // "Delete &Last" asks nothing; "Delete &All" asks first, No by default.
    void deleteLast();
    void deleteAll();
    // Arrival on the tab; fills an empty grid when the loan terms are valid.
    void onTabShown(bool command2Enabled);
    // Changes payment `row` through the dialog.
    void editPayment(int row);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void editOnDoubleClick();
    void keyDownInGrid(int key, Qt::KeyboardModifiers modifiers);
    void keyPressInGrid(int character);
    // Typing into a cell: the first key replaces its text.
    void startEditing();
    // The text typed so far into the current cell.
    void setTyped(const QString &text);
    void stopEditing();
    void refuseAmount(int row, int col, const QString &text);
    QStringList yearItems() const;
    // The year list follows a payment recorded, changed or deleted.
    void followYears();

    // Shows the totals of the year filter; returns the period's first row.
    int showTotals();
    // Scrolls the newest payment wholly into view.
    void showNewest();
    double monthlyPayment() const;
    void fillRow(int k);
    void emptyLastRow();
    bool refuseFullTable();
    void layoutChildren();
    void placeTotals();

    PaymentsTable &m_table;
    QLabel *m_yearLabel;
    QComboBox *m_yearList;
    QFrame *m_frame;
    LedgerModel *m_model;
    Grid *m_grid;
    QLabel *m_totalLabel;
    QLabel *m_totals[4];
    QPoint m_editing;           // column, row of the cell being typed into; null: none
};
