#pragma once
// The loan taken out of the window: "Copy" on the schedule, ledger and quote
// grids; "Export CSV...", "Export PDF..." and "Print..." (Ctrl+P) on the
// schedule and the ledger. A file is asked for through the prompts seam, with
// the replace question for one that exists (a stronger one for a loan file;
// none for a loan open in a window: refused), and written whole or not at all,
// printing to a file too.
#include <QObject>
#include <array>

#include "loan/loanterms.h"
#include "loan/plaintable.h"
#include "loan/schedule.h"
#include "controls/tableprint.h"
#include "storage/wholefile.h"

class AmortizationPage;
class GridActions;
class LoanDocument;
class PaymentsPage;
class QuotePage;

class LoanExports : public QObject {
    Q_OBJECT
public:
    enum class Source { Schedule, Ledger, Quote, Reconciliation };

    // Copy on the three grids, the exports on the schedule's and the ledger's.
    LoanExports(const LoanDocument &document, AmortizationPage *schedule, PaymentsPage *ledger,
                QuotePage *quote, QObject *parent);

    GridActions *actions(Source source) const { return m_actions[size_t(source)]; }
    // The given grid rows as plain cells, with the header; rows that show no
    // schedule row or recorded payment are left out.
    PlainTable table(Source source, const QList<int> &rows) const;
    // Every row: the schedule view shown, whatever the year filter, or every
    // recorded payment.
    PlainTable table(Source source) const;

    // The schedule view shown or the ledger as printed: the loan's terms and
    // the view's name on top, the rows as the grid shows them, the totals.
    PrintedTable printed(Source source) const;

    void exportCsv(Source source);
    void exportPdf(Source source);
    // Opens Qt's print preview of the table, window-modal.
    void print(Source source);

    // A device put in front of every export's temporary file (to try out a
    // full disk).
    WholeFile::WriteThrough writeThrough;

private:
    // The path chosen for an export; empty when cancelled or not replaced.
    QString askFile(Source source, const QString &title, const QString &filter,
                    const QString &extension);
    // The name proposed for an export: "Loan – schedule as contracted.csv",
    // "Loan – payments.pdf", after the loan file's name.
    QString proposedName(Source source, const QString &extension) const;
    // Writes the file whole or not at all; false, with a message, on failure.
    bool writeFile(const QString &path, const QByteArray &bytes);

    const LoanDocument &m_document;
    AmortizationPage *m_schedule;
    PaymentsPage *m_ledger;
    QuotePage *m_quote;
    std::array<GridActions *, 4> m_actions{};
    // The schedule view shown and the terms it was built from.
    bool m_built = false;
    ScheduleView m_view = ScheduleView::Contract;
    Terms m_builtTerms;
    ExtraPlan m_builtPlan;
};
