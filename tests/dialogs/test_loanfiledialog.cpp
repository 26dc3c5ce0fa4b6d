#include "dialogs/prompts.h"
#include "dialogs/loanfiledialog.h"

#include "testsupport.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

const char *const LoanFilter = "Quillhaven File|*.qhv|All Files|*.*";

// Answers each file dialog from a queue and keeps the requests it saw.
class DialogPrompts : public Prompts {
public:
    DialogPrompts() { Prompts::install(this); }
    ~DialogPrompts() override { Prompts::install(nullptr); }

    QList<FileDialogResult> answers;
    QList<FileDialogRequest> requests;

    void accept(const QString &path, int filterIndex) { answers << FileDialogResult{true, path, filterIndex}; }
    FileDialogResult fileDialog(const FileDialogRequest &request) override
    {
        requests << request;
        return answers.isEmpty() ? FileDialogResult{} : answers.takeFirst();
    }
};

LoanFileDialog loanDialog()
{
    LoanFileDialog d;
    d.setFilter(LoanFilter);
    d.setInitDir("/home/user/loans");
    return d;
}

} // namespace

TEST(LoanFileDialogDefaultExt, AddsTheChosenPairsExtensionWithCase)
{
    struct Row {
        const char *filter, *typed;
        qint16 filterIndex;
        const char *expected;
    };
    const Row rows[] = {
        {LoanFilter, "/l/Loan", 1, "/l/Loan.qhv"},
        {LoanFilter, "/l/Loan.txt", 1, "/l/Loan.txt.qhv"},
        {LoanFilter, "/l/Loan.qhv", 1, "/l/Loan.qhv"},
        {LoanFilter, "/l/LOAN.QHV", 1, "/l/LOAN.QHV.qhv"},
        {LoanFilter, "/l/Loan", 2, "/l/Loan"}, // "All Files": the extension is "."
        {LoanFilter, "/l/Loan", 0, "/l/Loan"}, // slot 0 holds nothing
        {LoanFilter, "/l/Loan", 7, "/l/Loan"}, // no such pair
        {"Documents|*.txt;*.doc", "/l/Notes", 1, "/l/Notes"}, // a list adds nothing
        {"Text| *.txt |Empty||", "/l/Notes", 1, "/l/Notes.txt"}, // blanks and "*" left out
        {"Text| *.txt |Empty||", "/l/Notes", 2, "/l/Notes"}, // the last character is never read
        {"", "/l/Notes", 1, "/l/Notes"},
    };
    for (const Row &row : rows) {
        LoanFileDialog d;
        d.convertFilter(row.filter);
        d.setFileName(row.typed);
        d.setFilterIndex(row.filterIndex);
        d.addDefaultExt();
        EXPECT_EQ(d.fileName(), row.expected) << row.typed << " " << row.filterIndex;
    }
}

TEST(LoanFileDialogDialogs, SaveFillsTheRequestAndTakesTheResult)
{
    DialogPrompts prompts;
    prompts.accept("  /home/user/loans/Loan  ", 1);
    LoanFileDialog d = loanDialog();
    d.showSave();

    ASSERT_EQ(prompts.requests.size(), 1);
    const FileDialogRequest &req = prompts.requests.first();
    EXPECT_TRUE(req.save);
    EXPECT_EQ(req.filterIndex, 1); // filterIndex 0 counts as the first pair
    EXPECT_EQ(req.initialFolder, "/home/user/loans");
    EXPECT_EQ(d.fileName(), "/home/user/loans/Loan.qhv");
    EXPECT_EQ(d.fileTitle(), "Loan");
}

TEST(LoanFileDialogDialogs, ChosenFilterCarriesIntoTheNextDialogAndCancelKeepsIt)
{
    DialogPrompts prompts;
    prompts.accept("/l/Loan", 2);
    LoanFileDialog d = loanDialog();
    d.setAction(1);
    EXPECT_FALSE(prompts.requests.at(0).save);
    EXPECT_EQ(d.fileName(), "/l/Loan");
    EXPECT_EQ(d.filterIndex(), 2);

    d.setAction(2); // answered by a cancel
    ASSERT_EQ(prompts.requests.size(), 2);
    EXPECT_TRUE(prompts.requests.at(1).save);
    EXPECT_EQ(prompts.requests.at(1).filterIndex, 2);
    EXPECT_TRUE(d.fileName().isEmpty());
    EXPECT_EQ(d.fileTitle(), "Loan");
    EXPECT_EQ(d.filterIndex(), 2);

    d.setAction(5); // only stored
    EXPECT_EQ(prompts.requests.size(), 2);
}

TEST(LoanFileDialogDialogs, OnlyTheFirstDigitOfTheReturnedIndexCounts)
{
    DialogPrompts prompts;
    prompts.accept("/l/Loan", 12);
    LoanFileDialog d = loanDialog();
    d.showOpen();
    EXPECT_EQ(d.filterIndex(), 1);
    EXPECT_EQ(d.fileName(), "/l/Loan.qhv");
}

TEST(LoanFileDialogDialogs, QtsOwnDialogStartsOnTheLastFilterAndOpensAMissingName)
{
    // No answers installed: the real dialog is shown, and driven from here.
    QTemporaryDir dir;
    const QString missing = qhtest::tempPath(dir, "Missing");
    LoanFileDialog d = loanDialog();
    d.setInitDir(dir.path());
    d.setFilterIndex(2); // chosen last time
    QString preselected = "(no file dialog shown)";
    QTimer::singleShot(0, [&] {
        QFileDialog *shown = nullptr;
        if (!QTest::qWaitFor([&] {
                return (shown = qobject_cast<QFileDialog *>(QApplication::activeModalWidget()));
            }))
            return;
        preselected = shown->selectedNameFilter();
        auto *name = shown->findChild<QLineEdit *>("fileNameEdit");
        if (!name)
            return shown->reject();
        QTest::keyClicks(name, "Missing");
        QTest::keyClick(name, Qt::Key_Return);
    });
    // A dialog left open fails the test instead of holding up the run.
    bool stuck = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        stuck = true;
        if (auto *open = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            return open->reject();
        std::fputs("The file dialog could not be closed.\n", stderr);
        std::_Exit(1);
    });
    watchdog.start(20000);
    d.showOpen();
    EXPECT_FALSE(stuck) << "the dialog was still open after 20 s";
    EXPECT_EQ(preselected, "All Files (*.*)");
    EXPECT_EQ(d.filterIndex(), 2);
    EXPECT_EQ(d.fileName(), missing); // "All Files" adds no extension
    EXPECT_FALSE(QFile::exists(missing));
}

TEST(Messages, AVeryLongPathIsShortenedToFitTheScreen)
{
    const QString path = QStringLiteral("/home/") + QString(100000, u'x') + QStringLiteral(".qhv");
    QMessageBox box;
    const QFontMetrics metrics = box.fontMetrics();
    const QString fitted = Prompts::fitText(
        QStringLiteral("The loan file \"%1\" could not be opened.\nSecond line").arg(path), metrics,
        600);
    const QStringList lines = fitted.split(u'\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_LE(metrics.horizontalAdvance(lines[0]), 600);
    EXPECT_TRUE(lines[0].startsWith("The loan file \"/home/"));
    EXPECT_TRUE(lines[0].endsWith(".qhv\" could not be opened."));
    EXPECT_EQ(lines[1], "Second line");
    box.setText(fitted);
    EXPECT_LT(box.sizeHint().height(), 400);
}
