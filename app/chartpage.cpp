#include "chartpage.h"

#include "controls/linelegend.h"
#include "document/loandocument.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QEvent>
#include <QGraphicsLayout>
#include <QLabel>
#include <QLineSeries>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

constexpr ScheduleView kViews[3] = {ScheduleView::Contract, ScheduleView::Actual,
                                    ScheduleView::Projected};

// One colour and stroke per view. The contract's wide line stays visible
// under the others where they run together, as they do without extra principal.
struct Look {
    QColor color;
    qreal width;
    Qt::PenStyle style;
};
const Look kLooks[3] = {{QColor(0x1f, 0x5f, 0xa8), 3.5, Qt::SolidLine},
                        {QColor(0xd0, 0x5a, 0x10), 2.0, Qt::DashLine},
                        {QColor(0x2a, 0x8a, 0x3a), 2.0, Qt::DotLine}};

const QMargins kMargins(2, 2, 6, 2);

QChart *makeChart(const QFont &font)
{
    auto *chart = new QChart;
    chart->setMargins(kMargins);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    // Amounts are written in the program's US form, whatever the system locale.
    chart->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    chart->setLocalizeNumbers(true);
    chart->legend()->setFont(font);
    return chart;
}

QChartView *makeView(QChart *chart, QWidget *parent, const char *name, const QString &title)
{
    auto *view = new QChartView(chart, parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setAccessibleName(title);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFrameShape(QFrame::NoFrame);
    view->setMinimumHeight(60);
    view->viewport()->setMouseTracking(true);
    return view;
}

template <class Axis>
Axis *addAxis(QChart *chart, Axis *axis, Qt::Alignment where, const QFont &font)
{
    axis->setLabelsFont(font);
    axis->setTitleFont(font);
    chart->addAxis(axis, where);
    return axis;
}

// 0 to `top` in about `ticks` round steps; with room below 0 the steps
// still start at 0. The tick count is set each time: rounding changes it.
void niceRange(QValueAxis *axis, double top, int ticks, bool roomBelow)
{
    axis->setTickType(QValueAxis::TicksFixed);
    axis->setTickCount(ticks);
    axis->setRange(0, top > 0 ? top : 1);
    axis->applyNiceNumbers();
    if (!roomBelow)
        return;
    axis->setTickAnchor(0);
    axis->setTickInterval(axis->max() / (axis->tickCount() - 1));
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setMin(-axis->max() / 30);
}

QDateTime dateTimeAt(double msecs)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(msecs));
}

} // namespace

ChartPage::ChartPage(LoanDocument &document, QWidget *parent)
    : CommandPage(parent)
    , m_document(document)
    , m_summary(new QLabel(this))
    , m_legend(new LineLegend(this))
{
    addCommand(QStringLiteral("&Calculate"), [this] { draw(true); });
    setHelpContext(7);
    auto follow = [this] { setCommandsEnabled(m_document.terms().valid()); };
    connect(&m_document, &LoanDocument::termsChanged, this, follow);
    follow();
    // A plan or a ledger changed while the chart is shown is drawn at once.
    auto redrawShown = [this] {
        if (isVisible())
            draw(false);
    };
    connect(&m_document, &LoanDocument::planChanged, this, redrawShown);
    connect(&m_document, &LoanDocument::paymentsChanged, this, redrawShown);
    // Nothing of the loan before stays; the one shown now is drawn at once.
    connect(&m_document, &LoanDocument::loanReplaced, this, [this] {
        clear();
        if (isVisible())
            draw(true);
    });
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    auto *balance = makeChart(small);
    auto *interest = makeChart(small);
    // The page's own legend shows the lines' dash patterns, which the
    // chart's colour squares do not.
    balance->legend()->hide();
    interest->legend()->hide();
    m_balanceView = makeView(balance, this, "balanceChart", QStringLiteral("Balance"));
    m_interestView = makeView(interest, this, "interestChart", QStringLiteral("Interest to date"));

    m_balanceDates = addAxis(balance, new QDateTimeAxis, Qt::AlignBottom, small);
    m_interestDates = addAxis(interest, new QDateTimeAxis, Qt::AlignBottom, small);
    m_balanceAxis = addAxis(balance, new QValueAxis, Qt::AlignLeft, small);
    m_interestAxis = addAxis(interest, new QValueAxis, Qt::AlignLeft, small);
    for (QDateTimeAxis *a : {m_balanceDates, m_interestDates}) {
        a->setFormat(QStringLiteral("yyyy"));
        a->setTickCount(7);
    }
    for (QValueAxis *a : {m_balanceAxis, m_interestAxis}) {
        a->setLabelFormat(QStringLiteral("$%.0f"));
        a->setTruncateLabels(false);
        a->setRange(0, 1);
    }
    m_balanceAxis->setTitleText(QStringLiteral("Balance"));
    m_interestAxis->setTitleText(QStringLiteral("Interest to date"));

    QList<LineLegend::Entry> legendEntries;
    for (size_t v = 0; v < 3; ++v) {
        const Look &look = kLooks[v];
        QPen pen(look.color, look.width, look.style, Qt::FlatCap, Qt::BevelJoin);
        auto *b = new QLineSeries;
        auto *i = new QLineSeries;
        auto *z = new QScatterSeries;
        b->setName(Schedule::viewName(kViews[v]));
        i->setName(b->name());
        b->setPen(pen);
        i->setPen(pen);
        z->setName(b->name());
        z->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        // Marks that fall on one another (views paid off on one date) lie
        // one inside the other, each drawn smaller than the one under it.
        z->setMarkerSize(15 - 4 * qreal(v));
        z->setColor(look.color);
        z->setBorderColor(Qt::white);
        balance->addSeries(b);
        balance->addSeries(z);
        interest->addSeries(i);
        b->attachAxis(m_balanceDates);
        b->attachAxis(m_balanceAxis);
        z->attachAxis(m_balanceDates);
        z->attachAxis(m_balanceAxis);
        i->attachAxis(m_interestDates);
        i->attachAxis(m_interestAxis);
        legendEntries.append({b->name(), pen});
        m_balance[v] = b;
        m_interest[v] = i;
        m_zero[v] = z;
    }

    // Rings round the points of the payment hovered.
    auto addRings = [](QChart *chart, QAbstractAxis *x, QAbstractAxis *y) {
        auto *rings = new QScatterSeries;
        rings->setMarkerSize(10);
        rings->setColor(Qt::transparent);
        rings->setBorderColor(QColor(0x30, 0x30, 0x30));
        chart->addSeries(rings);
        rings->attachAxis(x);
        rings->attachAxis(y);
        return rings;
    };
    m_balanceHover = addRings(balance, m_balanceDates, m_balanceAxis);
    m_interestHover = addRings(interest, m_interestDates, m_interestAxis);

    m_summary->setObjectName(QStringLiteral("chartSummary"));
    m_summary->setWordWrap(true);
    m_summary->setIndent(4);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    m_legend->setObjectName(QStringLiteral("chartLegend"));
    m_legend->setFont(small);
    m_legend->setEntries(legendEntries);
    layout->addWidget(m_legend);
    layout->addWidget(m_balanceView, 3);
    layout->addWidget(m_interestView, 2);
    layout->addWidget(m_summary);

    for (QChartView *view : {m_balanceView, m_interestView}) {
        view->viewport()->installEventFilter(this);
        connect(view->chart(), &QChart::plotAreaChanged, this, &ChartPage::alignPlots);
    }
}

void ChartPage::alignPlots()
{
    // The wider amount labels of one chart push its plot to the right; the
    // other chart's left margin grows by as much, so one date is at one x.
    QChart *charts[2] = {m_balanceView->chart(), m_interestView->chart()};
    qreal labels[2];
    for (int i = 0; i < 2; ++i)
        labels[i] = charts[i]->plotArea().left() - charts[i]->margins().left();
    const qreal widest = std::max(labels[0], labels[1]);
    for (int i = 0; i < 2; ++i) {
        QMargins m = charts[i]->margins();
        const int left = kMargins.left() + int(std::lround(widest - labels[i]));
        if (m.left() != left) {
            m.setLeft(left);
            charts[i]->setMargins(m);
        }
    }
}

ChartPage::Key ChartPage::keyOf(const ScheduleInputs &in)
{
    Key k{in.terms, in.plan.mode, in.plan.amount, in.plan.payment,
          in.plan.includeActual, {}, in.changes};
    if (in.recorded.extraPrincipal)
        for (int i = 1; i <= in.recorded.count; ++i)
            k.recorded.push_back(in.recorded.extraPrincipal(i));
    return k;
}

void ChartPage::draw(bool force)
{
    if (!m_document.terms().valid()) {
        clear();
        return;
    }
    const ScheduleInputs in = m_document.inputs();
    Key key = keyOf(in);
    if (!force && m_drawn == key)
        return;
    m_data = ChartData::build(in);
    m_drawn = std::move(key);
    markPayment(0);
    fillSeries();
    QString text = ChartData::summary(m_data);
    const QString note = ChartData::dateNote(m_data);
    if (!note.isEmpty())
        text += QLatin1Char('\n') + note;
    m_summary->setText(text);
}

void ChartPage::clear()
{
    m_data = ChartData::Chart{};
    m_drawn.reset();
    markPayment(0);
    fillSeries();
    m_summary->clear();
}

int ChartPage::columns() const
{
    return std::max(m_balanceView->viewport()->width(), 100);
}

void ChartPage::fillSeries()
{
    double x0 = 0, x1 = 0, top = 0, interestTop = 0;
    bool any = false;
    for (const ChartData::Line &line : m_data.lines) {
        if (line.payments == 0)
            continue;
        x0 = any ? std::min(x0, line.x[1]) : line.x[1];
        x1 = any ? std::max(x1, line.x.back()) : line.x.back();
        for (int i = 1; i <= line.payments; ++i)
            top = std::max(top, line.rows[size_t(i)].balance);
        interestTop = std::max(interestTop, line.totalInterest);
        any = true;
    }
    // Every change of an axis lays out the lines it holds again: the axes
    // are set while the lines are empty, and the lines filled last.
    for (size_t v = 0; v < 3; ++v) {
        m_balance[v]->clear();
        m_interest[v]->clear();
        m_zero[v]->clear();
    }
    if (!any) {
        x0 = double(QDateTime::currentMSecsSinceEpoch());
        x1 = x0 + 86400000.0;
    }
    // A loan of a single payment still gets a span of a day.
    if (!(x1 > x0))
        x1 = x0 + 86400000.0;
    // Room beyond the last date and below 0, so the marks at the ends of the
    // lines are drawn whole.
    const double pad = (x1 - x0) / 50;
    for (QDateTimeAxis *a : {m_balanceDates, m_interestDates})
        a->setRange(dateTimeAt(x0), dateTimeAt(x1 + pad));
    niceRange(m_balanceAxis, top, 6, true);
    niceRange(m_interestAxis, interestTop, 4, false);

    m_columns = columns();
    for (size_t v = 0; v < 3; ++v) {
        const ChartData::Line &line = m_data.lines[v];
        const std::vector<int> rows = ChartData::shownRows(line, x0, x1, m_columns);
        m_balance[v]->replace(ChartData::points(line, rows, ChartData::Measure::Balance));
        m_interest[v]->replace(ChartData::points(line, rows, ChartData::Measure::InterestToDate));
        if (line.payments > 0 && line.rows.back().balance == 0)
            m_zero[v]->append(line.x.back(), 0);
    }
}

void ChartPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Thinned lines follow the width, but not every pixel of a drag.
    bool thinned = false;
    for (const ChartData::Line &line : m_data.lines)
        thinned = thinned || line.payments > ChartData::kThinAbove;
    if (thinned && std::abs(columns() - m_columns) * 8 > m_columns)
        fillSeries();
}

bool ChartPage::eventFilter(QObject *watched, QEvent *event)
{
    for (QChartView *view : {m_balanceView, m_interestView}) {
        if (watched != view->viewport())
            continue;
        if (event->type() == QEvent::MouseMove) {
            showHover(view, static_cast<QMouseEvent *>(event)->position().toPoint());
        } else if (event->type() == QEvent::ToolTip) {
            // The scene would answer a resting pointer by hiding the tip, as
            // none of its items has one of its own.
            showHover(view, static_cast<QHelpEvent *>(event)->pos());
            return true;
        } else if (event->type() == QEvent::Leave) {
            markPayment(0);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ChartPage::showHover(QChartView *view, const QPoint &pos)
{
    QChart *chart = view->chart();
    const QPointF at = chart->mapFromScene(view->mapToScene(pos));
    int payment = 0;
    if (chart->plotArea().contains(at)) {
        const double x = chart->mapToValue(at, chart->series().value(0)).x();
        payment = ChartData::nearestPayment(m_data, x);
    }
    markPayment(payment);
    const QString text = ChartData::hoverText(m_data, payment);
    if (!text.isEmpty())
        QToolTip::showText(view->viewport()->mapToGlobal(pos), text, view->viewport());
}

void ChartPage::markPayment(int payment)
{
    QList<QPointF> balance, interest;
    for (const ChartData::Line &line : m_data.lines) {
        if (payment < 1 || payment > line.payments)
            continue;
        const ScheduleRow &row = line.rows[size_t(payment)];
        balance.append(QPointF(line.x[size_t(payment)], row.balance));
        interest.append(QPointF(line.x[size_t(payment)], row.interestToDate));
    }
    m_balanceHover->replace(balance);
    m_interestHover->replace(interest);
    if (payment == 0)
        QToolTip::hideText();
}
