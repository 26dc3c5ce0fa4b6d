// The servicer's statement: a 1,600-line history read and matched to a
// ledger of 1,600 payments, and what keeping it costs a keystroke (the
// document tells whether the loan changed by the bytes a save would write).
#include "loan/loanterms.h"
#include "benchloan.h"
#include "document/loandocument.h"
#include "loan/numtext.h"
#include "ledger/reconciliationview.h"
#include "controls/grid.h"
#include "storage/statementreader.h"

#include <QApplication>

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kLines = 1600;

// A history as a servicer writes it: "$", thousands separators, quotes.
// Weekly, so that its 1,600 dates fit the two-digit years of the ledger.
QDate dateOf(int k)
{
    return QDate(2026, 1, 1).addDays(7 * k);
}

QByteArray history()
{
    QByteArray csv = "Posted Date,Principal,Interest,Escrow,Total,Principal Balance\r\n";
    double balance = 260000;
    for (int k = 0; k < kLines; ++k) {
        const double interest = NumText::roundCents(balance * 0.0625 / 12);
        const double principal = 1600.86 - interest;
        balance -= principal;
        csv += dateOf(k).toString("MM/dd/yyyy").toLatin1() + ",$"
               + NumText::amount(principal).toLatin1() + ",\"$" + NumText::amount(interest).toLatin1()
               + "\",$445.00,\"$2,045.86\",\"$" + NumText::amount(balance).toLatin1() + "\"\r\n";
    }
    return csv;
}

// Loads `path` into `document` and keeps the history with it, as an import does.
void loadWithHistory(LoanDocument &document, const QString &path)
{
    document.load(path);
    const StatementReader::Table table = StatementReader::parse(history());
    document.setStatement(
        StatementReader::read(table, StatementReader::guessColumns(table.header)).statement,
        "Import statement");
}

void BM_StatementReadAndMatch(benchmark::State &state)
{
    const QByteArray csv = history();
    std::vector<PaymentRecord> ledger;
    for (int k = 0; k < kLines; ++k)
        ledger.push_back({445, 0, dateOf(k).toString("MM/dd/yy")});
    for (auto _ : state) {
        const StatementReader::Table table = StatementReader::parse(csv);
        const StatementReader::Read read
            = StatementReader::read(table, StatementReader::guessColumns(table.header));
        const StatementMatch match = Statements::match(read.statement, ledger);
        benchmark::DoNotOptimize(match);
        if (match.matched != kLines)
            state.SkipWithError("not every line matched");
    }
}
BENCHMARK(BM_StatementReadAndMatch)->Unit(benchmark::kMillisecond);

void BM_KeystrokeWithStatementKept(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Bench.qhv");
    writeBenchLoan(path, kLines);
    LoanDocument document;
    loadWithHistory(document, path);
    Terms terms = document.terms();
    int i = 0;
    for (auto _ : state) {
        terms = Terms::read([&] {
            auto texts = terms.texts();
            texts[LoanTerms::AnnualTax] = QString::number(1000 + (i++ % 2));
            return texts;
        }(), QStringLiteral("01/01/26"));
        document.setTerms(terms);
        benchmark::DoNotOptimize(document.isChanged());
    }
}
BENCHMARK(BM_KeystrokeWithStatementKept)->Unit(benchmark::kMillisecond);

// The reconciliation of 1,600 weekly payments worked out and shown, as the
// Reconcile button shows it after a change of the loan.
void BM_ReconciliationViewShown(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Bench.qhv");
    writeBenchLoan(path, 0);
    LoanFileData data = LoanFile::read(path).data;
    for (int k = 0; k < kLines; ++k)
        data.payments.push_back({445, 0, dateOf(k).toString("MM/dd/yy")});
    LoanFile::write(path, data);
    LoanDocument document;
    loadWithHistory(document, path);
    ReconciliationView view(document);
    view.resize(900, 600);
    view.show();
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : state) {
        document.setPayment(kLines, {445.0 + (i++ % 2), 0, dateOf(kLines - 1).toString("MM/dd/yy")});
        view.grid()->viewport()->repaint();
    }
    if (view.grid()->rows() != kLines + 1)
        state.SkipWithError("not every payment shown");
}
BENCHMARK(BM_ReconciliationViewShown)->Unit(benchmark::kMillisecond);

} // namespace
