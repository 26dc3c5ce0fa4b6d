#include "loanexports.h"

#include "app/amortizationpage.h"
#include "document/loanguard.h"
#include "document/loandocument.h"
#include "app/quotepage.h"
#include "controls/datebox.h"
#include "controls/grid.h"
#include "controls/gridactions.h"
#include "dialogs/prompts.h"
#include "ledger/paymentspage.h"
#include "ledger/reconciliationview.h"
#include "loan/numtext.h"
#include "storage/bundledfiles.h"
#include "storage/loanfile.h"
#include "storage/paths.h"
#include "storage/wholefile.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <memory>


LoanExports::LoanExports(const LoanDocument &document, AmortizationPage *schedule,
                         PaymentsPage *ledger, QuotePage *quote, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_schedule(schedule)
    , m_ledger(ledger)
    , m_quote(quote)
{
    const Source sources[] = {Source::Schedule, Source::Ledger, Source::Quote,
                              Source::Reconciliation};
    Grid *grids[] = {schedule->grid(), ledger->grid(), quote->grid(),
                     ledger->reconciliation()->grid()};
    for (size_t i = 0; i < 4; ++i) {
        auto *actions = new GridActions(grids[i]);
        const Source source = sources[i];
        actions->copyText = [this, source](const QList<int> &rows) {
            return table(source, rows).tsv();
        };
        if (source != Source::Quote) {
            actions->addCommand(QStringLiteral("Export CSV..."), [this, source] { exportCsv(source); });
            actions->addCommand(QStringLiteral("Export PDF..."), [this, source] { exportPdf(source); });
            actions->addCommand(QStringLiteral("Print..."), [this, source] { print(source); },
                                QKeySequence::Print);
        }
        m_actions[i] = actions;
    }
    // Another loan leaves no schedule built.
    connect(&document, &LoanDocument::loanReplaced, this, [this] { m_built = false; });
    connect(schedule, &AmortizationPage::built, this, [this](ScheduleView view) {
        m_built = true;
        m_view = view;
        m_builtTerms = m_document.terms();
        m_builtPlan = m_document.plan();
    });
}

PlainTable LoanExports::table(Source source, const QList<int> &rows) const
{
    PlainTable out;
    if (source == Source::Reconciliation) {
        const PlainTable all = Reconciliation::plainTable(m_ledger->reconciliation()->report());
        out.header = all.header;
        for (int r : rows)
            if (r >= 1 && size_t(r) <= all.rows.size())
                out.rows.push_back(all.rows[size_t(r) - 1]);
        return out;
    }
    if (source == Source::Ledger) {
        const PaymentsTable &payments = m_document.payments();
        const auto paymentFor = [this](int k) { return m_document.paymentFor(k); };
        out.header = PlainCells::ledgerHeader();
        for (int r : rows)
            if (r >= 1 && r <= payments.paymentsMade())
                out.rows.push_back(PlainCells::ledgerRow(
                    PlainCells::ledgerTexts(r, payments.at(r), paymentFor(r))));
        return out;
    }
    const Grid *grid = source == Source::Schedule ? m_schedule->grid()
                                                  : m_quote->grid();
    auto texts = [grid](int r) {
        QStringList cells;
        for (int c = 0; c < grid->cols(); ++c)
            cells << grid->cell(r, c);
        return cells;
    };
    if (source == Source::Quote) {
        out.header = texts(0);
        for (int r : rows) {
            if (r < 1 || r >= grid->rows())
                continue;
            QStringList cells = texts(r);
            for (QString &cell : cells)
                cell = PlainCells::number(cell);
            out.rows.push_back(cells);
        }
        return out;
    }
    out.header = PlainCells::scheduleHeader();
    const std::vector<ScheduleRow> &schedule = m_schedule->schedule();
    for (int r : rows)
        if (r >= 1 && r < grid->rows() && size_t(r) < schedule.size() && !grid->cell(r, 1).isEmpty())
            out.rows.push_back(PlainCells::scheduleRow(texts(r), schedule[size_t(r)].year));
    return out;
}

PlainTable LoanExports::table(Source source) const
{
    if (source == Source::Reconciliation)
        return Reconciliation::plainTable(m_ledger->reconciliation()->report());
    const int last = source == Source::Ledger
                         ? int(m_document.payments().paymentsMade())
                         : (source == Source::Schedule ? m_schedule->grid()
                                                       : m_quote->grid())
                                   ->rows()
                               - 1;
    QList<int> rows;
    for (int r = 1; r <= last; ++r)
        rows << r;
    return table(source, rows);
}

QString LoanExports::proposedName(Source source, const QString &extension) const
{
    const QString loan = m_document.path().isEmpty()
                             ? QStringLiteral("Loan")
                             : QFileInfo(m_document.path()).completeBaseName();
    QString what = source == Source::Reconciliation ? QStringLiteral("reconciliation")
                                                    : QStringLiteral("payments");
    if (source == Source::Schedule) {
        what = QStringLiteral("schedule");
        if (m_built)
            what += u' ' + Schedule::viewName(m_view).toLower();
    }
    return loan + QStringLiteral(" \u2013 ") + what + extension;
}

QString LoanExports::askFile(Source source, const QString &title, const QString &filter,
                             const QString &extension)
{
    FileDialogRequest request;
    request.save = true;
    request.owner = m_schedule->window();
    request.title = title;
    request.filters = {filter, QStringLiteral("All Files (*)")};
    request.initialFolder = m_document.path().isEmpty() ? BundledFiles::dataFolder()
                                                        : splitPath(m_document.path(), PathPart::Folder);
    request.initialName = proposedName(source, extension);
    for (;;) {
        const FileDialogResult result = Prompts::current().fileDialog(request);
        QString path = result.path.trimmed();
        if (!result.accepted || path.isEmpty())
            return QString();
        if (result.filterIndex == 1 && !path.endsWith(extension, Qt::CaseInsensitive))
            path += extension;
        const QFileInfo info(path);
        if (!info.exists() || info.isDir())
            return path;
        // A loan in use is never turned into an export, whichever window has it.
        if (LoanGuard::isOpen(path)) {
            Prompts::current().message(
                m_schedule->window(), QMessageBox::Warning,
                QStringLiteral("%1 is a loan file open in a Quillhaven window; an export cannot "
                               "replace it.").arg(info.fileName()),
                QMessageBox::Ok);
            request.filterIndex = result.filterIndex;
            continue;
        }
        // The question asked before any other file is replaced, a loan file's
        // the stronger; No goes back to the dialog.
        const QString question =
            LoanFile::looksLikeLoanFile(path)
                ? QStringLiteral("%1 is a Quillhaven loan file. Replace it with the export?")
                : QStringLiteral("%1 already exists.\nDo you want to replace it?");
        const auto answer = Prompts::current().message(
            m_schedule->window(), QMessageBox::Warning, question.arg(info.fileName()),
            QMessageBox::Yes | QMessageBox::No, QStringLiteral("Quillhaven"), QMessageBox::No);
        if (answer == QMessageBox::Yes)
            return path;
        request.filterIndex = result.filterIndex;
    }
}

bool LoanExports::writeFile(const QString &path, const QByteArray &bytes)
{
    // An empty document is a drawing that failed: nothing is written.
    const Result written = bytes.isEmpty()
                               ? Result::failed(QStringLiteral("the pages could not be drawn"))
                               : WholeFile::write(path, bytes, writeThrough);
    if (written)
        return true;
    const QString &why = written.reason;
    Prompts::current().message(m_schedule->window(), QMessageBox::Warning,
                               QStringLiteral("The file \"%1\" could not be written: %2.")
                                   .arg(QFileInfo(path).fileName(), why),
                               QMessageBox::Ok);
    return false;
}

void LoanExports::exportCsv(Source source)
{
    const QString path = askFile(source, QStringLiteral("Export CSV"),
                                 QStringLiteral("CSV File (*.csv)"), QStringLiteral(".csv"));
    if (!path.isEmpty())
        writeFile(path, table(source).csv());
}

PrintedTable LoanExports::printed(Source source) const
{
    using namespace LoanTerms;
    const bool schedule = source == Source::Schedule;
    // The schedule is printed with the terms it was built from.
    const Terms terms = schedule && m_built ? m_builtTerms : m_document.terms();
    const Texts texts = terms.texts();
    const QString firstDate = terms.firstPaymentText();
    const auto money = [](const QString &amount) {
        return amount.isEmpty() ? amount : QStringLiteral("$") + amount;
    };
    PrintedTable out;
    if (!m_document.path().isEmpty())
        out.heading << splitPath(m_document.path(), PathPart::FileName);
    out.heading << QStringLiteral("Loan Amount: %1     Annual Percentage Rate: %2     "
                                  "No of Monthly Payments: %3")
                       .arg(money(texts[LoanAmount]),
                            texts[AnnualRate].isEmpty() ? QString()
                                                        : Amortization::rateText(terms.annualRate()),
                            texts[NumberOfPayments]);
    out.heading << QStringLiteral("First Payment Date: %1     Monthly Principal & Interest: %2")
                       .arg(firstDate, money(texts[MonthlyPayment]));
    out.widths = {7, 11, 13, 13, 15, 15};
    out.rightAligned = {true, false, true, true, true, true};

    if (source == Source::Reconciliation) {
        // The grid's columns but the words, which the finding names; the
        // summary heads every page.
        const ReconciliationView *view = m_ledger->reconciliation();
        const Grid *grid = view->grid();
        const int cols = grid->cols() - 1;
        out.title = QStringLiteral("Reconciliation with the servicer's statement");
        out.orientation = QPageLayout::Landscape;
        // The summary in lines that fit the page's width.
        QString line;
        for (const QString &word : view->report().summary.split(u' ')) {
            if (!line.isEmpty() && line.size() + 1 + word.size() > 110) {
                out.heading << line;
                line.clear();
            }
            line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
        }
        out.heading << line;
        out.widths = {5, 9, 17, 10, 12, 12, 11, 11, 11, 11, 10, 10};
        for (int c = 0; c < cols; ++c) {
            out.columns << grid->cell(0, c);
            out.rightAligned << (c == 0 || c >= 3);
        }
        for (int r = 1; r < grid->rows(); ++r) {
            QStringList row;
            for (int c = 0; c < cols; ++c)
                row << grid->cell(r, c);
            out.rows.push_back(row);
        }
        return out;
    }

    if (!schedule) {
        out.title = QStringLiteral("Payment ledger");
        out.columns = QStringList{QString()} + PlainCells::ledgerHeader().mid(1);
        const PaymentsTable &payments = m_document.payments();
        const auto paymentFor = [this](int k) { return m_document.paymentFor(k); };
        std::vector<PaymentRecord> records;
        for (int k = 1; k <= payments.paymentsMade(); ++k) {
            records.push_back(payments.at(k));
            QStringList row = PlainCells::ledgerTexts(k, records.back(), paymentFor(k));
            row[1] = row[1].trimmed();
            out.rows.push_back(row);
        }
        const auto totals = ::ledgerTotals(records, paymentFor).texts();
        out.totals = QStringList{QStringLiteral("Total:"), QString()}
                     + QStringList(totals.begin(), totals.end());
        return out;
    }

    out.title = m_built ? Schedule::viewName(m_view, m_builtPlan.mode) : QString();
    if (m_built && m_view == ScheduleView::Projected && m_builtPlan.mode != ExtraMode::None) {
        QString plan = QStringLiteral("Extra principal: $%1 ").arg(NumText::amount(m_builtPlan.amount));
        plan += m_builtPlan.mode == ExtraMode::EveryPayment
                    ? QStringLiteral("with every payment")
                    : QStringLiteral("with payment %1").arg(m_builtPlan.payment.value_or(0));
        if (m_builtPlan.includeActual)
            plan += QStringLiteral(", and the recorded extra principal");
        out.heading << plan;
    }
    out.columns = QStringList{QString()} + PlainCells::scheduleHeader().mid(1);
    const Grid *grid = m_schedule->grid();
    for (int r = 1; r < grid->rows() && !grid->cell(r, 1).isEmpty(); ++r) {
        QStringList row;
        for (int c = 0; c < grid->cols(); ++c)
            row << grid->cell(r, c);
        out.rows.push_back(row);
    }
    if (m_built) {
        const auto totals = Schedule::totalsTexts(Schedule::yearTotals(
            m_schedule->schedule(), terms.payments(), QString()));
        out.totals = QStringList{QStringLiteral("Total:"), QString()}
                     + QStringList(totals.begin(), totals.end());
    }
    return out;
}

void LoanExports::exportPdf(Source source)
{
    const QString path = askFile(source, QStringLiteral("Export PDF"),
                                 QStringLiteral("PDF File (*.pdf)"), QStringLiteral(".pdf"));
    if (path.isEmpty())
        return;
    const PrintedTable table = printed(source);
    writeFile(path, TablePrint::pdf(table, table.title));
}

void LoanExports::print(Source source)
{
    auto table = std::make_shared<const PrintedTable>(printed(source));
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    TablePrint::setLetterPage(*printer, table->orientation);
    printer->setDocName(table->title);
    auto *preview = new QPrintPreviewDialog(printer.get(), m_schedule->window());
    preview->setAttribute(Qt::WA_DeleteOnClose);
    // The printer lives as long as the dialog that prints on it.
    // Printed to a file, the pages are drawn in memory and the file written
    // whole or not at all, as Export PDF does; the preview's own pages (a
    // picture engine) and a printer's are drawn straight on it.
    connect(preview, &QPrintPreviewDialog::paintRequested, preview,
            [this, table, printer](QPrinter *p) {
                if (p->outputFormat() == QPrinter::PdfFormat && !p->outputFileName().isEmpty()
                    && p->paintEngine()->type() != QPaintEngine::Picture)
                    writeFile(p->outputFileName(),
                              TablePrint::pdf(*table, p->docName(), p->pageLayout(), p->resolution()));
                else if (!TablePrint::paint(*p, *table))
                    Prompts::current().message(m_schedule->window(), QMessageBox::Warning,
                                               QStringLiteral("The table could not be printed."),
                                               QMessageBox::Ok);
            });
    preview->open();
}
