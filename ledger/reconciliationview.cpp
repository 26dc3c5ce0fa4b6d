#include "reconciliationview.h"

#include "controls/exportbutton.h"
#include "controls/grid.h"
#include "document/loandocument.h"
#include "loan/numtext.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

// The report's rows as grid cells: payment number, date, the finding and
// the difference of the balances first, as they are what a narrow window
// must show; then each figure of the statement beside the loan's, and the
// finding's words (also the row's tip).
class ReconciliationModel : public GridCells {
public:
    static constexpr int kCols = 13;
    explicit ReconciliationModel(QObject *parent)
        : GridCells(kCols, parent)
    {
    }
    int rows() const override { return int(m_report.rows.size()) + 1; }
    void show(const Reconciliation::Report &report)
    {
        beginResetModel();
        m_report = report;
        endResetModel();
    }

protected:
    QString bodyCell(int row, int col) const override
    {
        const Reconciliation::Row &r = m_report.rows[size_t(row) - 1];
        auto amount = [](const std::optional<double> &v) {
            return v ? NumText::amount(*v) : QString();
        };
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

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::ToolTipRole && index.isValid() && size_t(index.row()) < m_report.rows.size())
            return m_report.rows[size_t(index.row())].note;
        return GridCells::data(index, role);
    }

private:
    Reconciliation::Report m_report;
};

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
