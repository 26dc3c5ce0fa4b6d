#pragma once
// What the Chart tab draws: the balance and the interest to date of the three
// schedule views against the payment dates, thinned to the screen for long
// loans, and the texts beside them. The rows come from Schedule::fill, the
// code that fills the grids, with the grids' remainder rule.
#include <QList>
#include <QPointF>
#include <QString>
#include <array>
#include <vector>

#include "schedule.h"

namespace ChartData {

// A line of more points than this is thinned to about one point per pixel column.
constexpr int kThinAbove = 2000;

// One schedule view, rows 1..payments (index 0 unused). As on the grid, the
// last row pays any remainder and ends at 0.
struct Line {
    std::vector<ScheduleRow> rows;
    std::vector<double> x;           // payment date of row i, ms since the epoch at 12:00 UTC
    int payments = 0;                // 0: nothing to draw
    double totalInterest = 0;
};

struct Chart {
    std::array<Line, 3> lines;       // indexed by ScheduleView
    ExtraMode planMode = ExtraMode::None;
    bool datedFromToday = false;     // the first payment date is not a date
    double annualRate = 0;           // as typed: a fraction or a percentage
    bool rateChanges = false;        // rate changes reach the loan
    const Line &line(ScheduleView v) const { return lines[size_t(v)]; }
};

// The three views of `in`: Contract, Actual (in.recorded), Projected (in.plan).
// A view whose figures are not finite has no rows.
Chart build(const ScheduleInputs &in);

// The rows drawn of `line` on a plot `columns` pixels wide spanning x0..x1:
// every row up to kThinAbove rows; beyond that, the last row of each pixel
// column, and always the first row, the last and every row with a balance of 0.
std::vector<int> shownRows(const Line &line, double x0, double x1, int columns);

enum class Measure { Balance, InterestToDate };
QList<QPointF> points(const Line &line, const std::vector<int> &rows, Measure measure);

// The payment whose date is nearest to x (ms since the epoch), among the
// rows of the longest line; 0 when there is none.
int nearestPayment(const Chart &chart, double x);
// The date and number of `payment`, then per view its balance and interest
// to date, or the date it was paid off.
QString hoverText(const Chart &chart, int payment);
// The rate, then what the plan changes against the contract: "Rate 6 %. With
// the plan: paid off 12/01/28, 108 payments sooner, 39,900.41 less interest".
// Empty without rows.
QString summary(const Chart &chart);
// Said when the first payment date is not a date; empty otherwise.
QString dateNote(const Chart &chart);

} // namespace ChartData
