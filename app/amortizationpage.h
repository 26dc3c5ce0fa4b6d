#pragma once
// The "Amortization" tab: the schedule grid, the year list and the totals
// under the grid. Builds one of the three schedule views on request.
#include <QWidget>
#include <vector>

#include "loan/schedule.h"

class Grid;
class ScheduleModel;
class QComboBox;
class QFrame;
class QLabel;

class AmortizationPage : public QWidget {
    Q_OBJECT
public:
    explicit AmortizationPage(QWidget *parent = nullptr);

    // Column widths, headings and alignments of the schedule grid (done at start-up).
    void setupGrid();

    // Builds one view of the schedule: the rows are computed, then shown at once.
    void build(ScheduleView view, const ScheduleInputs &in);
    // The year list's click: totals of the chosen period, grid scrolled to its first row.
    void yearFilter();
    // No schedule: an empty grid, no years, zero totals.
    void clear();

    Grid *grid() const { return m_grid; }
    QComboBox *yearList() const { return m_yearList; }
    // Over the grid: which view the grid shows; empty while it shows none.
    QLabel *viewCaption() const { return m_viewCaption; }
    // totalLabel(i), i = 4..7; nullptr for any other index.
    QLabel *totalLabel(int i) const;
    const std::vector<ScheduleRow> &schedule() const;

protected:
    // The grid takes the room the page is given; the rest keeps its place.
    void resizeEvent(QResizeEvent *event) override;

signals:
    // A view has been built; the main window frames the view's button.
    void built(ScheduleView view);

private:
    QFrame *m_gridFrame;
    ScheduleModel *m_model;
    Grid *m_grid;
    QLabel *m_yearLabel;
    QComboBox *m_yearList;
    QLabel *m_totalCaption;
    QLabel *m_viewCaption;
    QLabel *m_totals[4];                 // totalLabel(4) .. totalLabel(7)
    double m_numberOfPayments = 0;       // n of the last build
};
