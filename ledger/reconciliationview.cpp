#include "reconciliationview.h"

#include "controls/exportbutton.h"
#include "controls/grid.h"
#include "document/loandocument.h"
#include "ledger/reconciliationmodel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

ReconciliationView::ReconciliationView(const LoanDocument &document, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
    , m_summary(new QLabel(this))
    , m_model(new ReconciliationModel(this))
    , m_grid(new Grid(ReconciliationModel::kCols, this))
    , m_exportButton(new ExportButton(m_grid, this))
{
    m_summary->setObjectName(QStringLiteral("reconciliationSummary"));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_grid->setObjectName(QStringLiteral("reconciliationGrid"));
    m_grid->setCells(m_model);
    // Widths in twips, as the other grids give them.
    static const int widths[ReconciliationModel::kCols] = {500,  1000, 1700, 1100, 1400, 1400, 1200,
                                                           1200, 1200, 1200, 1100, 1100, 6000};
    static const char *const headers[ReconciliationModel::kCols] = {
        "",          "Date",      "Finding",   "Difference",     "Stmt. Balance",
        "Balance",   "Stmt. Principal", "Principal", "Stmt. Interest", "Interest",
        "Stmt. Escrow", "Escrow", "Why"};
    for (int c = 0; c < ReconciliationModel::kCols; ++c) {
        m_grid->setColWidth(c, widths[c]);
        m_grid->setCell(0, c, QString::fromLatin1(headers[c]));
        if (c >= 3 && c <= 11) {
            m_grid->setColAlignment(c, Qt::AlignRight);
            m_grid->setFixedAlignment(c, Qt::AlignHCenter);
        }
    }
    QFont headerFont = m_grid->horizontalHeader()->font();
    headerFont.setPointSizeF(std::min(headerFont.pointSizeF(), 7.5));
    m_grid->horizontalHeader()->setFont(headerFont);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto *top = new QHBoxLayout;
    top->addWidget(m_summary, 1);
    top->addWidget(m_exportButton, 0, Qt::AlignTop);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);

    for (auto signal : {&LoanDocument::statementChanged, &LoanDocument::termsChanged,
                        &LoanDocument::changesChanged, &LoanDocument::loanReplaced})
        connect(&document, signal, this, &ReconciliationView::loanChanged);
    connect(&document, &LoanDocument::paymentsChanged, this, &ReconciliationView::loanChanged);
}

const Reconciliation::Report &ReconciliationView::report() const
{
    if (m_stale) {
        m_report = m_document.reconcile(m_document.statement());
        m_stale = false;
    }
    return m_report;
}

void ReconciliationView::loanChanged()
{
    m_stale = true;
    m_shown = false;
    if (isVisible())
        refresh();
}

void ReconciliationView::refresh()
{
    if (m_shown)
        return;
    m_shown = true;
    const Reconciliation::Report &r = report();
    m_model->show(r);
    m_summary->setText(r.summary);
}

void ReconciliationView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

void ReconciliationView::selectFirstDifference()
{
    refresh();
    const int row = std::max(report().firstDifference, 0) + 1;
    if (row < m_grid->rows()) {
        m_grid->setCurrentCell(row, 1);
        m_grid->bringToTop(row);
    }
}
