#include "loanexports.h"

#include "app/amortizationpage.h"
#include "app/currentloan.h"
#include "app/mainwindow.h"
#include "app/quotepage.h"
#include "controls/datebox.h"
#include "controls/grid.h"
#include "controls/gridactions.h"
#include "dialogs/prompts.h"
#include "ledger/paymentspage.h"
#include "loan/numtext.h"
#include "storage/bundledfiles.h"
#include "storage/paths.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QSaveFile>

LoanExports::LoanExports(MainWindow *window)
    : QObject(window)
    , m_window(window)
{
    const Source sources[] = {Source::Schedule, Source::Ledger, Source::Quote};
    Grid *grids[] = {window->amortizationPage()->grid(), window->paymentsPage()->grid(),
                     window->quotePage()->grid()};
    for (size_t i = 0; i < 3; ++i) {
        auto *actions = new GridActions(grids[i]);
        const Source source = sources[i];
        actions->copyText = [this, source](const QList<int> &rows) {
            return source == Source::Schedule && scheduleBusy() ? QString()
                                                                : table(source, rows).tsv();
        };
        if (source != Source::Quote)
            actions->addCommand(QStringLiteral("Export CSV..."), [this, source] { exportCsv(source); });
        m_actions[i] = actions;
    }
    connect(window->amortizationPage(), &AmortizationPage::built, this, [this](ScheduleView view) {
        m_built = true;
        m_view = view;
        m_builtTexts = m_window->texts();
        m_builtFirstDate = m_window->firstPaymentDate()->withSeparators();
    });
}

bool LoanExports::scheduleBusy() const
{
    // While a view is built its grid is half filled.
    return m_window->amortizationPage()->building();
}

PlainTable LoanExports::table(Source source, const QList<int> &rows) const
{
    PlainTable out;
    if (source == Source::Ledger) {
        const PaymentsTable &payments = m_window->payments();
        const double monthly = NumText::value(m_window->field(LoanTerms::MonthlyPayment)->text());
        out.header = PlainCells::ledgerHeader();
        for (int r : rows)
            if (r >= 1 && r <= payments.paymentsMade())
                out.rows.push_back(PlainCells::ledgerRow(
                    PlainCells::ledgerTexts(r, payments.at(r), monthly)));
        return out;
    }
    const Grid *grid = source == Source::Schedule ? m_window->amortizationPage()->grid()
                                                  : m_window->quotePage()->grid();
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
    const std::vector<ScheduleRow> &schedule = m_window->amortizationPage()->schedule();
    for (int r : rows)
        if (r >= 1 && r < grid->rows() && size_t(r) < schedule.size() && !grid->cell(r, 1).isEmpty())
            out.rows.push_back(PlainCells::scheduleRow(texts(r), schedule[size_t(r)].year));
    return out;
}

PlainTable LoanExports::table(Source source) const
{
    const int last = source == Source::Ledger
                         ? int(m_window->payments().paymentsMade())
                         : (source == Source::Schedule ? m_window->amortizationPage()->grid()
                                                       : m_window->quotePage()->grid())
                                   ->rows()
                               - 1;
    QList<int> rows;
    for (int r = 1; r <= last; ++r)
        rows << r;
    return table(source, rows);
}

QString LoanExports::askFile(const QString &title, const QString &filter, const QString &extension)
{
    FileDialogRequest request;
    request.save = true;
    request.owner = m_window;
    request.title = title;
    request.filters = {filter, QStringLiteral("All Files (*)")};
    request.initialFolder = CurrentLoan::path.isEmpty() ? BundledFiles::dataFolder()
                                                        : splitPath(CurrentLoan::path, PathPart::Folder);
    const FileDialogResult result = Prompts::current().fileDialog(request);
    QString path = result.path.trimmed();
    if (!result.accepted || path.isEmpty())
        return QString();
    if (result.filterIndex == 1 && !path.endsWith(extension, Qt::CaseInsensitive))
        path += extension;
    const QFileInfo info(path);
    if (info.exists() && !info.isDir()) {
        // The question the program asks before any file is replaced.
        const auto answer = Prompts::current().message(
            m_window, QMessageBox::Critical,
            path + QStringLiteral("\nThis file already exist.\n\nReplace existing file?"),
            QMessageBox::Ok | QMessageBox::Cancel);
        if (answer != QMessageBox::Ok)
            return QString();
    }
    return path;
}

bool LoanExports::writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    Prompts::current().message(m_window, QMessageBox::Warning,
                               QStringLiteral("The file \"%1\" could not be written: %2.")
                                   .arg(QFileInfo(path).fileName(), file.errorString()),
                               QMessageBox::Ok);
    return false;
}

void LoanExports::exportCsv(Source source)
{
    if (source == Source::Schedule && scheduleBusy())
        return;
    const QString path = askFile(QStringLiteral("Export CSV"), QStringLiteral("CSV File (*.csv)"),
                                 QStringLiteral(".csv"));
    if (!path.isEmpty())
        writeFile(path, table(source).csv());
}
