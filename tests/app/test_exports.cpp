// The loan taken out of the window: what Copy puts on the clipboard and what
// "Export CSV..." writes, read back as a spreadsheet would and compared with
// every row of the grid; the PDF pages; the file questions, and files that
// cannot be written.
#include "mainwindowfixture.h"
#include "tablereader.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>

namespace {

class ExportsTest : public MainWindowFixture {
protected:
    static QAction *action(Grid *grid, const QString &text)
    {
        for (QAction *a : grid->actions())
            if (a->text() == text)
                return a;
        return nullptr;
    }
    // Ctrl+C on the grid; the clipboard read back.
    static std::vector<QStringList> copy(Grid *grid)
    {
        QGuiApplication::clipboard()->clear();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        return qhtest::readTsv(QGuiApplication::clipboard()->text());
    }
    // Exports through the grid's command to `name` under filter pair `filter`.
    std::vector<QStringList> exportCsv(Grid *grid, const QString &name, int filter = 1)
    {
        choose(name, filter);
        action(grid, "Export CSV...")->trigger();
        QFile f(path(filter == 1 && !name.endsWith(".csv") ? name + ".csv" : name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
        bool ok = false;
        auto rows = qhtest::readCsv(QString::fromUtf8(f.readAll()), &ok);
        EXPECT_TRUE(ok);
        return rows;
    }
    // The text of each page of the PDF exported to `name`, through poppler's
    // pdftotext, which ends every page with a form feed.
    QStringList exportPdf(Grid *grid, const QString &name)
    {
        choose(name);
        action(grid, "Export PDF...")->trigger();
        QProcess text;
        text.start("pdftotext", {"-layout", path(name + ".pdf"), "-"});
        EXPECT_TRUE(text.waitForFinished(20000)) << "tools/deps.sh installs poppler-utils";
        QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(u'\f');
        pages.removeLast();
        return pages;
    }
    // Every page: the terms, the view's name, the headings and "Page n of N";
    // the rows counted by their dates.
    static int checkPages(const QStringList &pages, const QString &view, const QStringList &headings)
    {
        const QRegularExpression date("\\b\\d\\d/\\d\\d/\\d\\d\\b");
        int rows = 0;
        for (int n = 1; n <= pages.size(); ++n) {
            const QString &page = pages[n - 1];
            SCOPED_TRACE(page.toStdString());
            for (const QString &text : QStringList{"Loan.qhv", "Loan Amount: $100,000.00",
                                                   "Annual Percentage Rate: 6",
                                                   "No of Monthly Payments: 360",
                                                   "First Payment Date: 01/15/08",
                                                   "Monthly Principal & Interest: $599.55", view,
                                                   QString("Page %1 of %2").arg(n).arg(pages.size())}
                                            + headings)
                EXPECT_TRUE(page.contains(text)) << n << " " << text.toStdString();
            rows += int(page.count(date)) - 1; // the first payment date is no row
        }
        return rows;
    }
};

} // namespace

TEST_F(ExportsTest, ScheduleCopyCsvAndPdfHoldEveryRowOfTheViewShown)
{
    open("Loan.qhv", standardLoan());
    showTab(1);
    w->buildSchedule(ScheduleView::Contract);
    Grid *g = w->amortizationPage()->grid();
    w->amortizationPage()->yearList()->setCurrentIndex(3); // a year filter changes nothing
    const auto copied = copy(g);
    ASSERT_EQ(copied.size(), 361u);
    EXPECT_EQ(copied[0], QStringList({"Payment", "Date", "Principal", "Interest", "Principal Bal",
                                      "Total Interest"}));
    EXPECT_EQ(std::vector(copied.begin() + 1, copied.end()), plainRows(g));
    EXPECT_EQ(exportCsv(g, "schedule"), copied);

    // Cells of three rows selected: those rows, whole.
    g->selectionModel()->select(QItemSelection(g->model()->index(2, 1), g->model()->index(4, 2)),
                                QItemSelectionModel::ClearAndSelect);
    const auto three = copy(g);
    ASSERT_EQ(three.size(), 4u);
    EXPECT_EQ(three[1], copied[3]);
    EXPECT_EQ(three[3], copied[5]);

    const QStringList pages = exportPdf(g, "schedule");
    ASSERT_GE(pages.size(), 2);
    EXPECT_EQ(checkPages(pages, "As contracted",
                         {"Date", "Principal", "Interest", "Principal Bal", "Total Interest"}),
              360);
    EXPECT_TRUE(pages.first().contains(QRegularExpression("1\\s+01/15/08\\s+99.55\\s+500.00\\s+99,900.45")));
    EXPECT_TRUE(pages.last().contains(QRegularExpression("360\\s+12/15/37\\s+597.01\\s+2.99\\s+0.00\\s+115,838.45")));
    // The totals of "All" after the last row, as the tab shows them.
    EXPECT_TRUE(pages.last().contains(QRegularExpression("Total:\\s+99,999.55\\s+115,838.45\\s+0.45\\s+115,838.45")));

    // The print preview lays out the same pages, window-modal.
    QTest::keyClick(g, Qt::Key_P, Qt::ControlModifier);
    QPrintPreviewDialog *preview = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (preview = w->findChild<QPrintPreviewDialog *>()); }));
    EXPECT_EQ(preview->windowModality(), Qt::WindowModal);
    auto *pagesShown = preview->findChild<QPrintPreviewWidget *>();
    EXPECT_TRUE(QTest::qWaitFor([&] { return pagesShown->pageCount() == pages.size(); }));
    preview->reject();
}

TEST_F(ExportsTest, LedgerCopyCsvAndPdfWithADateThatIsNoDate)
{
    LoanFileData d = standardLoan(40, 50);
    d.payments[1].payDate = "pending ";
    open("Loan.qhv", d);
    showTab(2);
    Grid *g = w->paymentsPage()->grid();
    const auto copied = copy(g);
    ASSERT_EQ(copied.size(), 41u); // the empty row below the payments is no payment
    EXPECT_EQ(copied[0], QStringList({"Payment", "Date", "Loan Payment", "Escrow",
                                      "Extra Principal", "Total Payment"}));
    EXPECT_EQ(copied[2][1], "pending");
    EXPECT_EQ(std::vector(copied.begin() + 1, copied.end()), plainRows(g));
    EXPECT_EQ(exportCsv(g, "ledger.txt", 2), copied);

    const QStringList pages = exportPdf(g, "ledger");
    EXPECT_EQ(checkPages(pages, "Payment ledger",
                         {"Date", "Loan Payment", "Escrow", "Extra Principal", "Total Payment"}),
              39);
    EXPECT_TRUE(pages.first().contains(QRegularExpression("2\\s+pending\\s+599.55\\s+250.00\\s+50.00\\s+899.55")));
    EXPECT_TRUE(pages.last().contains(QRegularExpression("Total:\\s+23,982.00\\s+10,000.00\\s+2,000.00\\s+35,982.00")));
}

TEST_F(ExportsTest, QuoteCopyHoldsItsTwoRows)
{
    open("Loan.qhv", standardLoan());
    showTab(3);
    Grid *g = w->quotePage()->grid();
    ASSERT_FALSE(g->cell(2, 2).isEmpty());
    const auto copied = copy(g);
    ASSERT_EQ(copied.size(), 3u);
    EXPECT_EQ(copied[0], QStringList({"", "Scheduled", "Projected", "Difference"}));
    EXPECT_EQ(std::vector(copied.begin() + 1, copied.end()), plainRows(g));
    EXPECT_EQ(action(g, "Export CSV..."), nullptr);
}

TEST_F(ExportsTest, FileQuestionsAndFilesThatCannotBeWritten)
{
    open("Loan.qhv", standardLoan());
    showTab(2);
    Grid *g = w->paymentsPage()->grid();
    // An empty ledger: the header row only.
    EXPECT_EQ(exportCsv(g, "empty.csv").size(), 1u);
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_TRUE(prompts.fileRequests[0].save);
    EXPECT_EQ(prompts.fileRequests[0].title, "Export CSV");
    EXPECT_EQ(prompts.fileRequests[0].filters, QStringList({"CSV File (*.csv)", "All Files (*)"}));
    EXPECT_EQ(prompts.fileRequests[0].initialFolder + "Loan.qhv", path("Loan.qhv"));
    EXPECT_TRUE(prompts.messages.empty());

    // Cancelled: nothing written.
    action(g, "Export CSV...")->trigger();
    EXPECT_EQ(QDir(dir.path()).entryList({"*.csv"}, QDir::Files), QStringList({"empty.csv"}));

    // An existing file is replaced only after the question, answered Yes;
    // No goes back to the dialog (cancelled here).
    writeBytes(path("old.csv"), "kept");
    for (auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        prompts.answers = {answer};
        choose("old.csv");
        action(g, "Export CSV...")->trigger();
        EXPECT_EQ(prompts.messages.back().text, "old.csv already exists.\nDo you want to replace it?");
        EXPECT_EQ(readAll(path("old.csv")).startsWith("kept"), answer == QMessageBox::No);
    }

    // A folder that is not there: the system's reason, and no file.
    choose("gone/ledger.csv");
    action(g, "Export CSV...")->trigger();
    ASSERT_EQ(prompts.messages.size(), 3u);
    EXPECT_EQ(prompts.messages.back().icon, QMessageBox::Warning);
    EXPECT_EQ(prompts.messages.back().text,
              "The file \"ledger.csv\" could not be written: No such file or directory.");
    EXPECT_FALSE(QFile::exists(path("gone")));
}
