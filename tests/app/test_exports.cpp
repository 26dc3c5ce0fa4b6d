// The loan taken out of the window through the Export button beside each
// grid: what "Export CSV..." writes, read back as a spreadsheet would and
// compared with every row of the grid, and what Copy puts on the clipboard;
// the PDF pages and their print preview; the names proposed, the file
// questions, and files that cannot be written.
#include "app/loanexports.h"
#include "controls/exportbutton.h"
#include "mainwindowfixture.h"
#include "tablereader.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

namespace {

class ExportsTest : public MainWindowFixture {
protected:
    // Runs the command `text` of the Export button beside `grid`; the file
    // dialog, if any, is answered first.
    void run(Grid *grid, const QString &text)
    {
        runMenu(grid == w->paymentsPage()->grid() ? w->paymentsPage()->exportButton()
                                                  : w->amortizationPage()->exportButton(),
                text);
    }
    // Exports through the grid's command to `name` under filter pair `filter`.
    std::vector<QStringList> exportCsv(Grid *grid, const QString &name, int filter = 1)
    {
        choose(name, filter);
        run(grid, "Export CSV...");
        QFile f(path(filter == 1 ? name + ".csv" : name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
        bool ok = false;
        auto rows = qhtest::readCsv(QString::fromUtf8(f.readAll()), &ok);
        EXPECT_TRUE(ok);
        return rows;
    }
    // The pages of a PDF exported from `grid`, as poppler's pdftotext reads
    // them (it ends every page with a form feed).
    QStringList exportPdf(Grid *grid, const QString &name)
    {
        choose(name);
        run(grid, "Export PDF...");
        QStringList pages = pdfText(path(name + ".pdf")).split(u'\f');
        pages.removeLast();
        return pages;
    }
};

} // namespace

TEST_F(ExportsTest, ScheduleCsvCopyAndPdfHoldEveryRowOfTheViewShown)
{
    open("Loan.qhv", standardLoan());
    show(w->amortizationPage());
    w->amortizationPage()->build(ScheduleView::Contract);
    Grid *g = w->amortizationPage()->grid();
    w->amortizationPage()->yearList()->setCurrentIndex(3); // a year filter changes nothing
    const auto csv = exportCsv(g, "schedule");
    ASSERT_EQ(csv.size(), 361u); // the headings, then every row
    // The name proposed is the loan's and the view's, in the loan's folder.
    EXPECT_EQ(prompts.fileRequests.back().initialFolder + prompts.fileRequests.back().initialName,
              path("Loan \u2013 schedule as contracted.csv"));
    EXPECT_EQ(std::vector(csv.begin() + 1, csv.end()), plainRows(g));
    // Copy puts the same rows on the clipboard, tab-separated.
    g->setFocus();
    QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(qhtest::readTsv(QGuiApplication::clipboard()->text()), csv);

    const QStringList pages = exportPdf(g, "schedule");
    ASSERT_GE(pages.size(), 2);
    // Every page: the terms, the view's name, the headings and "Page n of N";
    // the rows counted by their dates.
    const QRegularExpression date("\\b\\d\\d/\\d\\d/\\d\\d\\b");
    int rows = 0;
    for (int n = 1; n <= pages.size(); ++n) {
        const QStringList texts{"Loan.qhv", "Loan Amount: $100,000.00", "Annual Percentage Rate: 6 %",
                                "No of Monthly Payments: 360", "First Payment Date: 01/15/08",
                                "Monthly Principal & Interest: $599.55", "As contracted", "Principal Bal",
                                "Total Interest", QString("Page %1 of %2").arg(n).arg(pages.size())};
        for (const QString &text : texts)
            EXPECT_TRUE(pages[n - 1].contains(text)) << n << " " << text.toStdString();
        rows += int(pages[n - 1].count(date)) - 1; // the first payment date is no row
    }
    EXPECT_EQ(rows, 360);
    EXPECT_TRUE(pages.last().contains(QRegularExpression("360\\s+12/15/37\\s+597.01\\s+2.99\\s+0.00\\s+115,838.45")));
    // The totals of "All" after the last row, as the tab shows them.
    EXPECT_TRUE(pages.last().contains(QRegularExpression("Total:\\s+100,000.00\\s+115,838.45\\s+0.00\\s+115,838.45")));

    // The print preview lays out the same pages.
    QTest::keyClick(g, Qt::Key_P, Qt::ControlModifier);
    QPrintPreviewDialog *preview = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (preview = w->findChild<QPrintPreviewDialog *>()); }));
    auto *pagesShown = preview->findChild<QPrintPreviewWidget *>();
    EXPECT_TRUE(QTest::qWaitFor([&] { return pagesShown->pageCount() == pages.size(); }));
    preview->reject();
}

// A payment date with a NUL and a control byte (a damaged file) goes out, in
// the CSV and in Copy, as the grid shows it, never as those bytes.
TEST_F(ExportsTest, LedgerCsvTheFileQuestionsAndFilesThatCannotBeWritten)
{
    LoanFileData d = standardLoan(3, 50);
    d.terms[LoanTerms::AnnualRate] = 0.06; // 6 % typed as a fraction: the same loan
    d.payments[0].payDate = QString("01/1") + QChar(0) + "5/" + QChar(1);
    open("Loan.qhv", d);
    show(w->paymentsPage());
    Grid *g = w->paymentsPage()->grid();
    // The Export button holds the grid's commands with their keys.
    QStringList commands;
    for (QAction *a : w->paymentsPage()->exportButton()->menu()->actions())
        if (!a->isSeparator())
            commands << a->text() + " " + a->shortcut().toString(QKeySequence::NativeText);
    EXPECT_EQ(commands, QStringList({"Copy Ctrl+C", "Export CSV... ", "Export PDF... ", "Print... Ctrl+P"}));
    EXPECT_EQ(g->cell(1, 1), "01/1 5/ ");
    // Under "All Files" the name stays as typed.
    const auto csv = exportCsv(g, "ledger.txt", 2);
    ASSERT_EQ(csv.size(), 4u);
    EXPECT_EQ(csv[1][1], "01/1 5/");
    EXPECT_EQ(std::vector(csv.begin() + 1, csv.end()), plainRows(g));
    g->setFocus();
    QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(qhtest::readTsv(QGuiApplication::clipboard()->text()), csv);
    EXPECT_EQ(prompts.fileRequests.at(0).title, "Export CSV");
    EXPECT_EQ(prompts.fileRequests.at(0).filters, QStringList({"CSV File (*.csv)", "All Files (*)"}));
    EXPECT_EQ(prompts.fileRequests.at(0).initialFolder + "Loan.qhv", w->document().path());
    const QStringList pdf = exportPdf(g, "ledger");
    EXPECT_EQ(prompts.fileRequests.back().initialName, "Loan \u2013 payments.pdf");
    ASSERT_EQ(pdf.size(), 1);
    EXPECT_TRUE(pdf[0].contains("Payment ledger"));
    EXPECT_TRUE(pdf[0].contains("Annual Percentage Rate: 6 %"));
    EXPECT_TRUE(pdf[0].contains(QRegularExpression("\\b3\\s+03/15/08\\s+599.55\\s+250.00\\s+50.00")));

    // An existing file is replaced only after the question, answered Yes;
    // No goes back to the dialog, and a cancel there writes nothing.
    writeBytes(path("old.csv"), "kept");
    for (auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        prompts.answers = {answer};
        choose("old.csv");
        run(g, "Export CSV...");
        EXPECT_EQ(prompts.messages.back().text, "old.csv already exists.\nDo you want to replace it?");
        EXPECT_EQ(readAll(path("old.csv")).startsWith("kept"), answer == QMessageBox::No);
    }

    // A folder that is not there: the system's reason, and no file.
    choose("gone/ledger.csv");
    run(g, "Export CSV...");
    EXPECT_EQ(prompts.messages.at(2).text,
              "The file \"ledger.csv\" could not be written: No such file or directory.");
    EXPECT_FALSE(QFile::exists(path("gone")));
}

// An export never turns a loan into CSV text: one open in a window is
// refused (the dialog comes back), another loan file asks the stronger
// question, No the default.
TEST_F(ExportsTest, AnExportNeverReplacesALoanOpenInAWindowAndAsksBeforeAnotherLoanFile)
{
    MainWindow *other = open("Other.qhv", standardLoan());
    writeLoan(path("Idle.qhv"), standardLoan());
    open("Loan.qhv", standardLoan(3));
    ASSERT_NE(other, w);
    show(w->paymentsPage());
    const struct { const char *name; QString text; } cases[] = {
        {"Loan.qhv", "Loan.qhv is a loan file open in a Quillhaven window; an export cannot replace it."},
        {"Other.qhv", "Other.qhv is a loan file open in a Quillhaven window; an export cannot replace it."},
        {"Idle.qhv", "Idle.qhv is a Quillhaven loan file. Replace it with the export?"},
    };
    for (const auto &c : cases) {
        const QByteArray before = readAll(path(c.name));
        prompts.messages.clear();
        prompts.fileRequests.clear();
        prompts.answers = {QMessageBox::No};
        choose(c.name, 2);
        run(w->paymentsPage()->grid(), "Export CSV...");
        ASSERT_EQ(prompts.messages.size(), 1u) << c.name;
        EXPECT_EQ(prompts.messages[0].text, c.text);
        EXPECT_EQ(prompts.fileRequests.size(), 2u) << c.name; // back to the dialog
        EXPECT_EQ(readAll(path(c.name)), before) << c.name;
    }
    EXPECT_EQ(prompts.messages[0].defaultButton, QMessageBox::No);
}

// A disk that takes no byte (the system's /dev/full behind each export's
// temporary file): the system's reason, and no file, whole or cut, left.
TEST_F(ExportsTest, ExportsAndPrintingToAFileOnAFullDiskLeaveNoFileAndSaySo)
{
    open("Loan.qhv", standardLoan(3));
    show(w->paymentsPage());
    Grid *g = w->paymentsPage()->grid();
    auto *exports = w->findChild<LoanExports *>();
    QTest::keyClick(g, Qt::Key_P, Qt::ControlModifier);
    QPrintPreviewDialog *preview = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (preview = w->findChild<QPrintPreviewDialog *>()); }));
    auto printToFile = [&](const QString &name) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path(name));
        emit preview->paintRequested(&printer);
    };
    const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    for (bool full : {true, false}) {
        exports->writeThrough = [full](QIODevice &file) -> std::unique_ptr<QIODevice> {
            if (!full)
                return nullptr;
            auto disk = std::make_unique<QFile>("/dev/full");
            EXPECT_TRUE(disk->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) << file.isOpen();
            return disk;
        };
        prompts.messages.clear();
        choose(full ? "full.csv" : "done.csv");
        run(g, "Export CSV...");
        choose(full ? "full.pdf" : "done.pdf");
        run(g, "Export PDF...");
        printToFile(full ? "printed-full.pdf" : "printed.pdf");
        if (full) {
            ASSERT_EQ(prompts.messages.size(), 3u);
            for (const char *name : {"full.csv", "full.pdf", "printed-full.pdf"})
                EXPECT_TRUE(std::any_of(prompts.messages.begin(), prompts.messages.end(), [&](const auto &m) {
                    return m.text == QString("The file \"%1\" could not be written: No space left on device.").arg(name);
                })) << name;
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), before);
        } else {
            EXPECT_TRUE(prompts.messages.empty());
            EXPECT_TRUE(readAll(path("printed.pdf")).startsWith("%PDF"));
            EXPECT_TRUE(readAll(path("done.pdf")).startsWith("%PDF"));
        }
    }
    preview->reject();
}
