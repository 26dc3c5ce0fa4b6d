#include "amortizationpage.h"

#include "controls/grid.h"
#include "loan/numtext.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace {
// The schedule grid's column widths in twips, column 0 (payment number) first.
constexpr int kColWidths[6] = {500, 900, 1100, 1100, 1400, 1400};
// Longest the grid goes without repainting while a schedule is built.
constexpr int kRepaintMs = 50;
constexpr int px(int twips) { return (twips + 7) / 15; }
} // namespace

AmortizationPage::AmortizationPage(QWidget *parent)
    : QWidget(parent)
    , m_gridFrame(new QFrame(this))
    , m_grid(new Grid(6, m_gridFrame))
    , m_yearLabel(new QLabel(QStringLiteral("Year:"), this))
    , m_yearList(new QComboBox(this))
    , m_totalCaption(new QLabel(QStringLiteral("Total:"), this))
    , m_viewCaption(new QLabel(this))
{
    resize(460, 300);
    // The column widths are the program's own, in twips, sized for an 8-point face.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    m_gridFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_gridFrame->setLineWidth(1);
    auto *frameLayout = new QVBoxLayout(m_gridFrame);
    frameLayout->setContentsMargins(1, 1, 1, 1);
    frameLayout->addWidget(m_grid);
    m_grid->setObjectName(QStringLiteral("scheduleGrid"));
    m_grid->setFrameShape(QFrame::NoFrame);

    m_yearLabel->setObjectName(QStringLiteral("Label4"));
    m_yearLabel->setGeometry(6, 5, 34, 22);
    m_yearList->setObjectName(QStringLiteral("scheduleYearList"));
    m_yearList->setGeometry(42, 5, 90, 22);
    m_totalCaption->setObjectName(QStringLiteral("Label5"));
    m_viewCaption->setObjectName(QStringLiteral("viewCaption"));
    m_viewCaption->setGeometry(150, 5, 300, 22);

    // The totals sit under their columns: x positions follow the schedule grid's widths.
    int x = 6 + px(kColWidths[0]) + px(kColWidths[1]);
    m_totalCaption->setGeometry(x - 50, 0, 44, 20);
    m_totalCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // totalLabel(7) Principal, (6) Interest, (5) Principal Bal, (4) Total Interest.
    for (int col = 2; col <= 5; ++col) {
        const int index = 9 - col;
        auto *l = new QLabel(QStringLiteral("0.00"), this);
        l->setObjectName(QStringLiteral("totalLabel_%1").arg(index));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setGeometry(x, 0, px(kColWidths[col]) - 2, 20);
        m_totals[index - 4] = l;
        x += px(kColWidths[col]);
    }

    connect(m_yearList, &QComboBox::currentIndexChanged, this, [this] { yearFilter(); });
}

void AmortizationPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // More rows, not wider gaps: the grid grows downwards only, as wide as
    // its columns, and the totals stay under them, 27 px from the bottom.
    m_gridFrame->setGeometry(4, 32, 452, height() - 64);
    for (QLabel *l : m_totals)
        l->move(l->x(), height() - 27);
    m_totalCaption->move(m_totalCaption->x(), height() - 27);
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

void AmortizationPage::build(ScheduleView view, const ScheduleInputs &in)
{
    // One build at a time: the row loop lets window events run, and a view
    // button pressed meanwhile must not start a second pass over the table.
    if (m_building)
        return;
    m_building = true;
    m_cleared = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QPointer<AmortizationPage> self(this);

    m_viewCaption->setText(Schedule::viewName(view));
    const Schedule::Setup setup = Schedule::prepare(view, in);
    m_numberOfPayments = in.terms.payments();
    m_grid->setRows(setup.lastRow + 1);

    // Built aside and moved in at the end, so the page going away while
    // events run cannot leave the loop writing into a dead table.
    std::vector<ScheduleRow> table;
    bool gone = false;
    Grid *grid = m_grid;
    // Events run after every row, but the grid repaints at most every
    // kRepaintMs: a repaint per row would cost far more than the row. The
    // payment numbers (the grid's header column) are written in batches at
    // those moments, because every header change makes the view lay itself
    // out again on the next event pass.
    grid->setUpdatesEnabled(false);
    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    int numbered = 0;
    auto numberRows = [&](int upTo) {
        for (int k = numbered + 1; k <= upTo; ++k)
            grid->setCell(k, 0, QString::number(k));
        numbered = upTo;
    };
    const auto res = Schedule::fill(setup, table, [&](int i, const ScheduleRow &row, bool paidOff) {
        if (gone)
            return;
        if (paidOff)
            grid->setRows(i + 1);
        const QStringList texts = Schedule::gridTexts(i, row);
        for (int c = 1; c < 6; ++c)
            grid->setCell(i, c, texts[c]);
        const bool repaint = sinceRepaint.elapsed() >= kRepaintMs;
        if (repaint) {
            numberRows(i);
            grid->setUpdatesEnabled(true);
        }
        QCoreApplication::processEvents();
        // Cleared meanwhile (another loan came): this schedule is of no loan.
        gone = self.isNull() || m_cleared;
        if (repaint && !gone) {
            grid->setUpdatesEnabled(false);
            sinceRepaint.restart();
        }
    });
    if (gone) {
        QApplication::restoreOverrideCursor();
        if (self) {
            grid->setUpdatesEnabled(true);
            m_building = false;
        }
        return;
    }
    numberRows(res.rows);
    grid->setUpdatesEnabled(true);

    if (Schedule::hasRemainder(res)) {
        const QStringList settled = Schedule::gridTexts(res.rows, table[size_t(res.rows)]);
        for (int c = 1; c < 6; ++c)
            m_grid->setCell(res.rows, c, settled[c]);
    }
    m_schedule = std::move(table);
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
    m_building = false;
    emit built(view);
}

void AmortizationPage::clear()
{
    m_cleared = true;
    m_viewCaption->clear();
    m_schedule.clear();
    m_numberOfPayments = 0;
    m_grid->setRows(2);
    m_grid->gridModel()->setRowTexts(1, QStringList(6, QString()));
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
    const Schedule::Totals t = Schedule::yearTotals(m_schedule, m_numberOfPayments, entry);
    const auto texts = Schedule::totalsTexts(t);
    for (int k = 0; k < 4; ++k)
        m_totals[3 - k]->setText(texts[size_t(k)]); // totalLabel(7), (6), (5), (4)
    if (!m_grid->bringToTop(t.firstRow))
        m_grid->setTopRow(m_grid->rows() - 15); // refused too: nothing more to do
}
