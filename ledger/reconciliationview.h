#pragma once
// The servicer's statement set beside the loan, payment by payment: a
// summary line over a grid with, for each payment, the statement's figures,
// the Actual view's, the difference of the balances and what explains it.
// It follows the document (the statement, the payments, the terms and their
// changes) and works the comparison out again only while it is shown.
#include <QWidget>

#include "loan/reconciliation.h"

class ExportButton;
class Grid;
class LoanDocument;
class QLabel;
class ReconciliationModel;

class ReconciliationView : public QWidget {
    Q_OBJECT
public:
    explicit ReconciliationView(const LoanDocument &document, QWidget *parent = nullptr);

    Grid *grid() const { return m_grid; }
    QLabel *summary() const { return m_summary; }
    ExportButton *exportButton() const { return m_exportButton; }
    const Reconciliation::Report &report() const;
    // Selects the first payment that does not agree (the first row when all do).
    void selectFirstDifference();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The loan or the statement changed: shown anew now, or when next shown.
    void loanChanged();
    void refresh();

    const LoanDocument &m_document;
    QLabel *m_summary;
    ReconciliationModel *m_model;
    Grid *m_grid;
    ExportButton *m_exportButton;
    mutable Reconciliation::Report m_report;
    mutable bool m_stale = true;
    bool m_shown = false;           // the grid shows the report as it is
};
