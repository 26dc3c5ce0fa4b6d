#include "amortizationpage.h"

#include "document/loandocument.h"

#include "app/schedulemodel.h"
#include "controls/exportbutton.h"
#include "controls/grid.h"
#include "loan/numtext.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace {
// The schedule grid's column widths in twips, column 0 (payment number) first.
constexpr int kColWidths[6] = {500, 900, 1100, 1100, 1400, 1400};
// The page's width at the window's designed size, and the grid's width in it
// (the frame less its line and margin on each side): beyond it the columns widen.
constexpr int kDesignedWidth = 464;
constexpr int kFrameMargins = 4 + 8;
constexpr int kDesignedGridWidth = kDesignedWidth - kFrameMargins - 4;
} // namespace

AmortizationPage::AmortizationPage(LoanDocument &document, QWidget *parent)
    : CommandPage(parent)
    , m_document(document)
    , m_gridFrame(new QFrame(this))
    , m_model(new ScheduleModel(this))
    , m_grid(new Grid(6, m_gridFrame))
    , m_yearLabel(new QLabel(QStringLiteral("Year:"), this))
    , m_yearList(new QComboBox(this))
    , m_totalCaption(new QLabel(QStringLiteral("Total:"), this))
    , m_viewCaption(new QLabel(this))
    , m_emptyNote(new QLabel(m_gridFrame))
    , m_exportButton(new ExportButton(m_grid, this))
{
    const std::pair<const char *, ScheduleView> views[] = {{"&Schedule", ScheduleView::Contract},
                                                           {"&Actual", ScheduleView::Actual},
                                                           {"&Projected", ScheduleView::Projected}};
    for (const auto &[text, view] : views)
        addCommand(QString::fromLatin1(text), [this, v = view] { build(v); });
    setHelpContext(4);
    auto follow = [this] { setCommandsEnabled(m_document.terms().valid()); };
    connect(&m_document, &LoanDocument::termsChanged, this, follow);
    follow();
    // No schedule of the loan before stays in view.
    connect(&m_document, &LoanDocument::loanReplaced, this, &AmortizationPage::clear);

    resize(kDesignedWidth, 300);
    // The column widths are the program's own, in twips, sized for an 8-point face.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    m_gridFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_gridFrame->setLineWidth(1);
    auto *frameLayout = new QVBoxLayout(m_gridFrame);
    frameLayout->setContentsMargins(1, 1, 1, 1);
    frameLayout->addWidget(m_grid);
    m_grid->setCells(m_model);
    m_grid->setObjectName(QStringLiteral("scheduleGrid"));
    m_grid->setFrameShape(QFrame::NoFrame);
    setupGrid();
    m_grid->setWidenFrom(kDesignedGridWidth);
    connect(m_grid, &Grid::columnsPlaced, this, &AmortizationPage::placeTotals);

    // Laid over the empty grid, which keeps its columns for the totals below.
    const QString note = QStringLiteral(
        "Press Schedule, Actual or Projected to list the loan payment by payment.");
    m_emptyNote->setObjectName(QStringLiteral("emptyNote"));
    m_emptyNote->setText(note);
    m_emptyNote->setAccessibleName(note);
    m_emptyNote->setWordWrap(true);
    m_emptyNote->setAlignment(Qt::AlignCenter);
    m_emptyNote->setMargin(12);
    m_emptyNote->setAutoFillBackground(true);
    m_emptyNote->setBackgroundRole(QPalette::Base);

    m_yearLabel->setObjectName(QStringLiteral("Label4"));
    m_yearLabel->setGeometry(6, 5, 34, 22);
    m_yearList->setObjectName(QStringLiteral("scheduleYearList"));
    m_yearList->setGeometry(42, 5, 90, 22);
    m_exportButton->setGeometry(QRect(QPoint(136, 5), QSize(m_exportButton->sizeHint().width(), 22)));
    m_totalCaption->setObjectName(QStringLiteral("Label5"));
    m_totalCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_viewCaption->setObjectName(QStringLiteral("viewCaption"));
    // Two lines where the longest name does not fit beside the button.
    m_viewCaption->setWordWrap(true);
    m_viewCaption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    // totalLabel(7) Principal, (6) Interest, (5) Principal Bal, (4) Total Interest.
    for (int index = 7; index >= 4; --index) {
        auto *l = new QLabel(QStringLiteral("0.00"), this);
        l->setObjectName(QStringLiteral("totalLabel_%1").arg(index));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_totals[index - 4] = l;
    }

    connect(m_yearList, &QComboBox::currentIndexChanged, this, [this] { yearFilter(); });
    showEmptyNote(true);
}

void AmortizationPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The grid takes the width and height beyond the designed size; the
    // totals stay under their columns, 27 px from the bottom.
    m_gridFrame->setGeometry(4, 32, width() - kFrameMargins, height() - 64);
    m_emptyNote->setGeometry(m_gridFrame->contentsRect());
    const int captionLeft = m_exportButton->geometry().right() + 9;
    m_viewCaption->setGeometry(captionLeft, 2, width() - 8 - captionLeft, 28);
    placeTotals();
}

void AmortizationPage::placeTotals()
{
    const int y = height() - 27;
    for (int col = 2; col <= 5; ++col) {
        QLabel *l = m_totals[9 - col - 4];
        const int x = m_grid->mapTo(this, QPoint(m_grid->colLeft(col), 0)).x();
        l->setGeometry(x, y, m_grid->colWidth(col) - 2, 20);
        if (col == 2)
            m_totalCaption->setGeometry(x - 50, y, 44, 20);
    }
}

void AmortizationPage::showEmptyNote(bool shown)
{
    m_emptyNote->setVisible(shown);
    m_emptyNote->raise();
    m_grid->setFocusPolicy(shown ? Qt::NoFocus : Qt::StrongFocus);
}

QLabel *AmortizationPage::totalLabel(int i) const
{
    return i >= 4 && i <= 7 ? m_totals[i - 4] : nullptr;
}

void AmortizationPage::setupGrid()
{
    static const char *const headings[6] = {"", "Date", "Principal", "Interest",
                                            "Principal Bal", "Total Interest"};
    for (int c = 0; c < 6; ++c) {
        m_grid->setColWidth(c, kColWidths[c]);
        m_grid->setCell(0, c, QString::fromLatin1(headings[c]));
        if (c >= 1)
            m_grid->setFixedAlignment(c, Qt::AlignHCenter);
        if (c >= 2)
            m_grid->setColAlignment(c, Qt::AlignRight);
    }
}

const std::vector<ScheduleRow> &AmortizationPage::schedule() const
{
    return m_model->table();
}

void AmortizationPage::build(ScheduleView view)
{
    build(view, m_document.inputs());
}

void AmortizationPage::arrive()
{
    m_grid->setCurrentCell(1, 0);
}

void AmortizationPage::build(ScheduleView view, const ScheduleInputs &in)
{
    // The longest schedule takes longer than a frame: the pointer says so.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_viewCaption->setText(Schedule::viewName(view, in.plan.mode));
    showEmptyNote(false);
    const Schedule::Setup setup = Schedule::prepare(view, in);
    m_numberOfPayments = in.terms.payments();
    std::vector<ScheduleRow> table;
    const auto res = Schedule::fill(setup, table, [](int, const ScheduleRow &, bool) {});
    m_model->show(std::move(table), res.rows);
    m_grid->setCurrentCell(0, 0);

    {
        const QSignalBlocker block(m_yearList);
        m_yearList->clear();
        m_yearList->addItems(Schedule::years(setup));
        m_yearList->setCurrentIndex(0);
    }
    yearFilter();
    m_yearList->setFocus();
    QApplication::restoreOverrideCursor();
    emit built(view);
}

void AmortizationPage::clear()
{
    m_viewCaption->clear();
    showEmptyNote(true);
    m_numberOfPayments = 0;
    m_model->clear();
    m_grid->setCurrentCell(0, 0);
    {
        const QSignalBlocker block(m_yearList);
        m_yearList->clear();
    }
    for (QLabel *l : m_totals)
        l->setText(NumText::amount(0));
}

void AmortizationPage::yearFilter()
{
    const int index = m_yearList->currentIndex();
    const QString entry = index <= 0 ? QString() : m_yearList->itemText(index);
    const Schedule::Totals t = Schedule::yearTotals(schedule(), m_numberOfPayments, entry);
    const auto texts = Schedule::totalsTexts(t);
    for (int k = 0; k < 4; ++k)
        m_totals[3 - k]->setText(texts[size_t(k)]); // totalLabel(7), (6), (5), (4)
    if (!m_grid->bringToTop(t.firstRow))
        m_grid->setTopRow(m_grid->rows() - 15); // refused too: nothing more to do
}
