#pragma once
// The "Amortization" tab: the schedule grid Grid1, the year list Combo2 and
// the totals under the grid. Builds one of the three schedule views on request.
#include <QWidget>
#include <vector>

#include "loan/schedule.h"

class Grid;
class QComboBox;
class QFrame;
class QLabel;

class AmortizationPage : public QWidget {
    Q_OBJECT
public:
    explicit AmortizationPage(QWidget *parent = nullptr);

    // Column widths, headings and alignments of Grid1 (done at start-up).
    void setupGrid();

    bool building() const { return m_building; }
    // Amort: builds view 0 (as contracted), 1 (recorded extra principal) or
    // 2 (the plan). A request while a build is running is ignored.
    void build(int view, const ScheduleInputs &in);
    // Combo2's click: totals of the chosen period, grid scrolled to its first row.
    void yearFilter();

    Grid *grid() const { return m_grid; }
    QComboBox *yearList() const { return m_yearList; }
    // Label3(i), i = 4..7; nullptr for any other index.
    QLabel *total(int i) const;
    const std::vector<ScheduleRow> &schedule() const { return m_schedule; }

signals:
    // A view has been built; the main window frames the view's button.
    void built(int view);

private:
    QFrame *m_gridFrame;
    Grid *m_grid;
    QLabel *m_yearLabel;
    QComboBox *m_yearList;
    QLabel *m_totalCaption;
    QLabel *m_totals[4];                 // Label3(4) .. Label3(7)
    std::vector<ScheduleRow> m_schedule;
    QString m_numberOfPayments;          // NumberOfPayments text of the last build
    bool m_building = false;
};
