#pragma once
// The "Amortization" tab: the schedule grid, the year list and the totals
// under the grid. Builds one of the three schedule views on request.
#include <vector>

#include "controls/commandpage.h"
#include "loan/schedule.h"

class ExportButton;
class Grid;
class LoanDocument;
class ScheduleModel;
class QComboBox;
class QFrame;
class QLabel;

class AmortizationPage : public CommandPage {
    Q_OBJECT
public:
    explicit AmortizationPage(LoanDocument &document, QWidget *parent = nullptr);

    // Builds one view of the document's loan: the rows are computed, then
    // shown at once. The commands Schedule, Actual and Projected.
    void build(ScheduleView view);
    void build(ScheduleView view, const ScheduleInputs &in);
    void arrive() override;
    // The year list's click: totals of the chosen period, grid scrolled to its first row.
    void yearFilter();
    // No schedule: an empty grid, no years, zero totals.
    void clear();

    Grid *grid() const { return m_grid; }
    QComboBox *yearList() const { return m_yearList; }
    // Over the grid: which view the grid shows; empty while it shows none.
    QLabel *viewCaption() const { return m_viewCaption; }
    // In the grid's place while no view is built: what to press.
    QLabel *emptyNote() const { return m_emptyNote; }
    // Beside the year list: the grid's copy, export and print commands.
    ExportButton *exportButton() const { return m_exportButton; }
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
    // Column widths, headings and alignments of the schedule grid.
    void setupGrid();
    // The totals under their columns, wherever the grid puts them.
    void placeTotals();
    // The note in the grid's place, or the grid.
    void showEmptyNote(bool shown);

    LoanDocument &m_document;
    QFrame *m_gridFrame;
    ScheduleModel *m_model;
    Grid *m_grid;
    QLabel *m_yearLabel;
    QComboBox *m_yearList;
    QLabel *m_totalCaption;
    QLabel *m_viewCaption;
    QLabel *m_emptyNote;
    ExportButton *m_exportButton;
    QLabel *m_totals[4];                 // totalLabel(4) .. totalLabel(7)
    double m_numberOfPayments = 0;       // n of the last build
};
