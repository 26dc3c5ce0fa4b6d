#pragma once
// The content of the "Payments" tab: the ledger grid of recorded payments, the
// year list and the totals line (totalLabel(0..3)), with the commands that
// add, edit and delete payments. The payments are the loan document's: the
// page changes them through it and shows them as it says they are.
#include <QPoint>
#include <QString>
#include <QStringList>

#include "controls/commandpage.h"

class ExportButton;
class Grid;
class LoanDocument;
class LedgerModel;
class PaymentDialog;
class PaymentsTable;
class QComboBox;
class QFrame;
class QLabel;
class MenuButton;
class QToolButton;
class ReconciliationView;

class PaymentsPage : public CommandPage {
    Q_OBJECT
public:
    explicit PaymentsPage(LoanDocument &document, QWidget *parent = nullptr);

    Grid *grid() const { return m_grid; }
    QComboBox *yearList() const { return m_yearList; }
    QLabel *totalLabel(int i) const;
    // Beside the year list: the grid's copy, export and print commands.
    ExportButton *exportButton() const { return m_exportButton; }

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
    void arrive() override;
    // Changes payment `row` through the dialog.
    void editPayment(int row);

    // The servicer's statement: "Import statement..." reads a CSV file (the
    // one at `path`, or one chosen) into the loan after the user has checked
    // its columns; the others record its payments the ledger lacks after
    // its last, and drop it. Each can be undone.
    void importStatement(const QString &path = QString());
    void recordFromStatement();
    void removeStatement();
    MenuButton *statementButton() const { return m_statementButton; }
    QLabel *statementLine() const { return m_statementLine; }
    QAction *importAction() const { return m_importAction; }
    QAction *recordAction() const { return m_recordAction; }
    QAction *removeAction() const { return m_removeAction; }
    // The statement set beside the loan in the ledger's place, its first
    // difference selected; back to the ledger when off or when no statement
    // is kept.
    void setReconciling(bool on);
    bool isReconciling() const { return m_reconciling; }
    QToolButton *reconcileButton() const { return m_reconcileButton; }
    ReconciliationView *reconciliation() const { return m_reconciliation; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // Column widths, headers and alignments of the grid.
    void setupGrid();
    // The document's payments from `first` on changed: the rows, the years
    // and the totals follow.
    void paymentsChanged(int first, int last);
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
    void fillRow(int k);
    void emptyLastRow();
    bool refuseFullTable();
    void layoutChildren();
    void placeTotals();
    // The statement's summary line, its commands and the rows it matches
    // follow the statement and the payments.
    void showStatement();

    LoanDocument &m_document;
    QLabel *m_yearLabel;
    QComboBox *m_yearList;
    QFrame *m_frame;
    LedgerModel *m_model;
    Grid *m_grid;
    QLabel *m_totalLabel;
    QLabel *m_totals[4];
    MenuButton *m_statementButton;
    QLabel *m_statementLine;
    QAction *m_importAction;
    QAction *m_recordAction;
    QAction *m_removeAction;
    QToolButton *m_reconcileButton;
    ReconciliationView *m_reconciliation;
    bool m_reconciling = false;
    ExportButton *m_exportButton;
    QPoint m_editing;           // column, row of the cell being typed into; null: none
};
