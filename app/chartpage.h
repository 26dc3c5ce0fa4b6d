#pragma once
// The "Chart" tab: the balance of the three schedule views against the
// payment dates, the interest paid to date of each in a smaller chart below,
// a mark where each line reaches 0, and a line saying what the plan saves.
// Hovering a chart shows the nearest payment's figures.
#include <array>
#include <optional>
#include <vector>

#include "controls/commandpage.h"
#include "loan/chartdata.h"

class LineLegend;
class LoanDocument;
class QLabel;
QT_BEGIN_NAMESPACE
class QChartView;
class QDateTimeAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
QT_END_NAMESPACE

class ChartPage : public CommandPage {
    Q_OBJECT
public:
    explicit ChartPage(LoanDocument &document, QWidget *parent = nullptr);

    // Draws the three views of the document's loan (nothing while its terms
    // cannot be computed). Unless `force`, a loan, ledger and plan equal to
    // those drawn last leave the chart as it is.
    void draw(bool force = false);
    void arrive() override { draw(false); }
    // No loan: empty charts and no text.
    void clear();

    const ChartData::Chart &data() const { return m_data; }
    QChartView *balanceView() const { return m_balanceView; }
    QChartView *interestView() const { return m_interestView; }
    QLineSeries *balanceLine(ScheduleView view) const { return m_balance[size_t(view)]; }
    QLineSeries *interestLine(ScheduleView view) const { return m_interest[size_t(view)]; }
    // The point where the view's balance reaches 0.
    QScatterSeries *zeroMark(ScheduleView view) const { return m_zero[size_t(view)]; }
    QLabel *summaryLabel() const { return m_summary; }
    // Above the charts: each view's name beside a sample of its line.
    LineLegend *legend() const { return m_legend; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // What a drawing reads; equal keys draw equal charts.
    struct Key {
        Terms terms;
        ExtraMode mode = ExtraMode::None;
        double amount = 0;
        std::optional<int16_t> payment;
        bool includeActual = false;
        std::vector<double> recorded;
        DatedChanges changes;
        bool operator==(const Key &) const = default;
    };
    static Key keyOf(const ScheduleInputs &in);
    LoanDocument &m_document;
    // Puts m_data's rows into the series, thinned to the current width.
    void fillSeries();
    int columns() const;
    void alignPlots();
    void showHover(QChartView *view, const QPoint &pos);
    // Rings the points of `payment` on both charts; 0 takes them away.
    void markPayment(int payment);

    QChartView *m_balanceView;
    QChartView *m_interestView;
    QLabel *m_summary;
    LineLegend *m_legend;
    std::array<QLineSeries *, 3> m_balance{};
    std::array<QLineSeries *, 3> m_interest{};
    std::array<QScatterSeries *, 3> m_zero{};
    QScatterSeries *m_balanceHover = nullptr;
    QScatterSeries *m_interestHover = nullptr;
    QDateTimeAxis *m_balanceDates = nullptr;
    QDateTimeAxis *m_interestDates = nullptr;
    QValueAxis *m_balanceAxis = nullptr;
    QValueAxis *m_interestAxis = nullptr;
    ChartData::Chart m_data;
    std::optional<Key> m_drawn;
    int m_columns = 0;                   // width the lines were thinned for
};
