#include "statementimport.h"

#include "dialogs/prompts.h"
#include "document/loandocument.h"
#include "ledger/statementdialog.h"
#include "loan/numtext.h"
#include "storage/statementreader.h"

#include <QFileInfo>
#include <cmath>

namespace StatementImport {

void run(LoanDocument &document, QWidget *owner, const QString &given)
{
    QString path = given;
    if (path.isEmpty()) {
        FileDialogRequest request;
        request.owner = owner;
        request.title = QStringLiteral("Import statement");
        request.filters = {QStringLiteral("CSV files (*.csv *.txt)"), QStringLiteral("All files (*)")};
        if (!document.path().isEmpty())
            request.initialFolder = QFileInfo(document.path()).absolutePath();
        const FileDialogResult chosen = Prompts::current().fileDialog(request);
        if (!chosen.accepted)
            return;
        path = chosen.path;
    }
    const QString name = QFileInfo(path).fileName();
    auto refuse = [&](const QString &why) {
        Prompts::current().message(owner, QMessageBox::Warning,
                                   QStringLiteral("The statement \"%1\" could not be imported: %2. "
                                                  "Nothing was imported.")
                                       .arg(name, why),
                                   QMessageBox::Ok);
    };
    const StatementReader::Table table = StatementReader::parseFile(path);
    if (!table)
        return refuse(table.reason);
    StatementDialog dialog(name, table.header, table.rows,
                           StatementReader::guessColumns(table.header, document.statement().columns),
                           owner);
    Prompts::current().runDialog(dialog);
    if (dialog.result() != QDialog::Accepted)
        return;
    const StatementReader::Read read = StatementReader::read(table, dialog.columns());
    if (!read)
        return refuse(read.reason);
    if (read.statement.isEmpty())
        return refuse(QStringLiteral("it has no lines under its header"));

    // A statement of another loan is imported only when the user says so.
    const StatementMatch match = Statements::match(read.statement, document.payments().payments());
    const Schedule::Table actual = Schedule::build(ScheduleView::Actual, document.inputs());
    if (const auto gap = Statements::firstBalanceGap(read.statement, match, actual);
        gap && std::abs(gap->statement - gap->loan) > document.paymentFor(gap->payment)) {
        const QString text
            = QStringLiteral("The statement \"%1\" may be of another loan: before payment %2 its "
                             "balance is %3, the loan's %4. Import it all the same?")
                  .arg(name)
                  .arg(gap->payment)
                  .arg(NumText::amount(gap->statement), NumText::amount(gap->loan));
        if (Prompts::current().message(owner, QMessageBox::Question, text,
                                       QMessageBox::Yes | QMessageBox::No, QStringLiteral("Quillhaven"),
                                       QMessageBox::No)
            != QMessageBox::Yes)
            return;
    }
    const Statement merged = Statements::merged(document.statement(), read.statement);
    if (const Result kept = document.setStatement(merged, QStringLiteral("Import statement"));
        !kept)
        refuse(kept.reason);
}

} // namespace StatementImport
