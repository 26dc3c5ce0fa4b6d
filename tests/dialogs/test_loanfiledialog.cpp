#include "dialogs/loanfiledialog.h"
#include "fakeprompts.h"
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

const char *const LoanFilter = "Quillhaven File|*.qhv|All Files|*.*";

TEST(LoanFileDialogDefaultExt, AddsTheChosenPairsExtensionWithCase)
{
    const struct { const char *filter, *typed; qint16 filterIndex; const char *expected; } rows[] = {
        {LoanFilter, "/l/Loan.txt", 1, "/l/Loan.txt.qhv"},
        {LoanFilter, "/l/Loan.qhv", 1, "/l/Loan.qhv"},
        {LoanFilter, "/l/LOAN.QHV", 1, "/l/LOAN.QHV.qhv"},
        {LoanFilter, "/l/Loan", 2, "/l/Loan"}, // "All Files": the extension is "."
        {LoanFilter, "/l/Loan", 7, "/l/Loan"}, // no such pair
        {"Text| *.txt |Empty||", "/l/Notes", 1, "/l/Notes.txt"}, // blanks and "*" left out
    };
    for (const auto &row : rows) {
        LoanFileDialog d;
        d.convertFilter(row.filter);
        d.setFileName(row.typed);
        d.setFilterIndex(row.filterIndex);
        d.addDefaultExt();
        EXPECT_EQ(d.fileName(), row.expected) << row.typed << " " << row.filterIndex;
    }
}

TEST(LoanFileDialogDialogs, TheChosenFilterCarriesIntoTheNextDialogAndCancelKeepsIt)
{
    FakePrompts prompts;
    prompts.fileResults = {{true, "  /home/user/loans/Loan  ", 1}, {true, "/l/Loan", 2}, {}};
    const auto &asked = prompts.fileRequests;
    LoanFileDialog d;
    d.setFilter(LoanFilter);
    d.setInitDir("/home/user/loans");
    d.showSave();
    EXPECT_TRUE(asked.at(0).save);
    EXPECT_EQ(asked[0].filterIndex, 1); // filterIndex 0 counts as the first pair
    EXPECT_EQ(asked[0].initialFolder, "/home/user/loans");
    EXPECT_EQ(d.fileName(), "/home/user/loans/Loan.qhv");

    d.showOpen(); // on "All Files"
    EXPECT_FALSE(asked.at(1).save);
    d.showSave(); // answered by a cancel
    EXPECT_EQ(asked.at(2).filterIndex, 2);
    EXPECT_TRUE(d.fileName().isEmpty());
    EXPECT_EQ(d.filterIndex(), 2);
}

TEST(LoanFileDialogDialogs, QtsOwnDialogStartsOnTheLastFilterAndOpensAMissingName)
{
    // No answers installed: the real dialog is shown, and driven from here.
    QTemporaryDir dir;
    const QString missing = qhtest::tempPath(dir, "Missing");
    LoanFileDialog d;
    d.setFilter(LoanFilter);
    d.setInitDir(dir.path());
    d.setFilterIndex(2); // chosen last time
    QString preselected = "(no file dialog shown)";
    QTimer::singleShot(0, [&] {
        const auto shown = [] { return qobject_cast<QFileDialog *>(QApplication::activeModalWidget()); };
        if (!QTest::qWaitFor([&] { return shown() != nullptr; }))
            return;
        preselected = shown()->selectedNameFilter();
        auto *name = shown()->findChild<QLineEdit *>("fileNameEdit");
        if (!name)
            return shown()->reject();
        QTest::keyClicks(name, "Missing");
        QTest::keyClick(name, Qt::Key_Return);
    });
    // A dialog left open fails the test instead of holding up the run.
    bool stuck = false;
    QObject watch; // ends the watchdog with the test
    QTimer::singleShot(20000, &watch, [&] {
        stuck = true;
        if (auto *open = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            return open->reject();
        std::fputs("The file dialog could not be closed.\n", stderr);
        std::_Exit(1);
    });
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
}
