#include "controls/prompts.h"
#include "storage/filecmdlg.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

const QString LoanFilter = QStringLiteral("Quillhaven File|*.qhv|All Files|*.*");

// Answers each file dialog from a queue and keeps the requests it saw.
class DialogPrompts : public Prompts {
public:
    DialogPrompts() { Prompts::install(this); }
    ~DialogPrompts() override { Prompts::install(nullptr); }

    QList<FileDialogResult> answers;
    QList<FileDialogRequest> requests;

    void accept(const QString &path, int filterIndex)
    {
        FileDialogResult r;
        r.accepted = true;
        r.path = path;
        r.filterIndex = filterIndex;
        answers << r;
    }
    void cancel() { answers << FileDialogResult{}; }

    FileDialogResult fileDialog(const FileDialogRequest &request) override
    {
        requests << request;
        return answers.isEmpty() ? FileDialogResult{} : answers.takeFirst();
    }
};

FileCmdlg loanDialog()
{
    FileCmdlg d;
    d.setFilter(LoanFilter);
    d.setInitDir("/home/user/loans");
    return d;
}

} // namespace

TEST(FileCmdlgFilter, ConvertFilterReplacesSeparatorsAndCollectsExtensions)
{
    FileCmdlg d;
    const QString converted = d.ConvertFilter(LoanFilter);
    EXPECT_EQ(converted, QString("Quillhaven File") + QChar(0) + "*.qhv" + QChar(0) + "All Files"
                             + QChar(0) + "*.*");
    EXPECT_EQ(d.FilterExt(), (QStringList{"", ".qhv", "."}));

    // The last character is never examined; "*" is left out and blanks
    // trimmed; a pattern list keeps its ";".
    const QString odd = "Text| *.txt ;*.doc |Empty||";
    const QString out = d.ConvertFilter(odd);
    EXPECT_EQ(out, QString("Text") + QChar(0) + " *.txt ;*.doc " + QChar(0) + "Empty" + QChar(0)
                       + "|");
    EXPECT_EQ(d.FilterExt(), (QStringList{"", ".txt ;.doc", ""}));

    d.ConvertFilter(QString());
    EXPECT_EQ(d.FilterExt(), QStringList{QString()});
}

TEST(FileCmdlgFilter, QtFormOfTheFilterList)
{
    EXPECT_EQ(FileCmdlg::qtFilters(LoanFilter),
              (QStringList{"Quillhaven File (*.qhv)", "All Files (*.*)"}));
    EXPECT_EQ(FileCmdlg::qtFilters("Documents|*.txt;*.doc"),
              QStringList{"Documents (*.txt *.doc)"});
}

TEST(FileCmdlgDefaultExt, AddsTheChosenPairsExtensionWithCase)
{
    struct Row {
        const char *typed;
        qint16 filterIndex;
        const char *expected;
    };
    const Row rows[] = {
        {"/l/Loan", 1, "/l/Loan.qhv"},
        {"/l/Loan.txt", 1, "/l/Loan.txt.qhv"},
        {"/l/Loan.qhv", 1, "/l/Loan.qhv"},
        {"/l/LOAN.QHV", 1, "/l/LOAN.QHV.qhv"},
        {"/l/Loan", 2, "/l/Loan"},   // "All Files": the extension is "."
        {"/l/Loan", 0, "/l/Loan"},   // slot 0 holds nothing
        {"/l/Loan", 7, "/l/Loan"},   // no such pair
    };
    for (const Row &row : rows) {
        FileCmdlg d;
        d.ConvertFilter(LoanFilter);
        d.setFileName(row.typed);
        d.setFilterIndex(row.filterIndex);
        d.AddDefaultExt();
        EXPECT_EQ(d.FileName(), row.expected) << row.typed << " " << row.filterIndex;
    }

    FileCmdlg list;
    list.ConvertFilter("Documents|*.txt;*.doc");
    list.setFileName("/l/Notes");
    list.setFilterIndex(1);
    list.AddDefaultExt();
    EXPECT_EQ(list.FileName(), "/l/Notes");
}

TEST(FileCmdlgDialogs, SaveFillsTheRequestAndTakesTheResult)
{
    DialogPrompts prompts;
    prompts.accept("  /home/user/loans/Loan  ", 1);
    QWidget owner;
    FileCmdlg d = loanDialog();
    d.sethWnd(&owner);
    d.setDialogTitle("Save Loan File");
    d.ShowSave();

    ASSERT_EQ(prompts.requests.size(), 1);
    const FileDialogRequest &req = prompts.requests.first();
    EXPECT_TRUE(req.save);
    EXPECT_EQ(req.owner, &owner);
    EXPECT_EQ(req.title, "Save Loan File");
    EXPECT_EQ(req.filters, (QStringList{"Quillhaven File (*.qhv)", "All Files (*.*)"}));
    EXPECT_EQ(req.filterIndex, 1); // FilterIndex 0 counts as the first pair
    EXPECT_EQ(req.initialFolder, "/home/user/loans");

    EXPECT_EQ(d.FileName(), "/home/user/loans/Loan.qhv");
    EXPECT_EQ(d.FileTitle(), "Loan");
    EXPECT_EQ(d.FilterIndex(), 1);
    EXPECT_EQ(d.FilterExt(), (QStringList{"", ".qhv", "."}));
}

TEST(FileCmdlgDialogs, ChosenFilterCarriesIntoTheNextDialog)
{
    DialogPrompts prompts;
    prompts.accept("/l/Loan", 2);
    prompts.accept("/l/Other", 2);
    FileCmdlg d = loanDialog();
    d.setAction(1);
    EXPECT_FALSE(prompts.requests.at(0).save);
    EXPECT_EQ(d.FileName(), "/l/Loan");
    EXPECT_EQ(d.FilterIndex(), 2);
    EXPECT_EQ(d.Action(), 1);

    d.setAction(2);
    ASSERT_EQ(prompts.requests.size(), 2);
    EXPECT_TRUE(prompts.requests.at(1).save);
    EXPECT_EQ(prompts.requests.at(1).filterIndex, 2);

    d.setAction(5); // only stored
    EXPECT_EQ(prompts.requests.size(), 2);
    EXPECT_EQ(d.Action(), 5);
}

TEST(FileCmdlgDialogs, OnlyTheFirstDigitOfTheReturnedIndexCounts)
{
    DialogPrompts prompts;
    prompts.accept("/l/Loan", 12);
    FileCmdlg d = loanDialog();
    d.ShowOpen();
    EXPECT_EQ(d.FilterIndex(), 1);
    EXPECT_EQ(d.FileName(), "/l/Loan.qhv");
}

TEST(FileCmdlgDialogs, CancelEmptiesTheNameAndKeepsTitleAndFilter)
{
    DialogPrompts prompts;
    prompts.accept("/l/Loan", 2);
    prompts.cancel();
    FileCmdlg d = loanDialog();
    d.ShowOpen();
    ASSERT_EQ(d.FileTitle(), "Loan");
    d.ShowSave();
    EXPECT_TRUE(d.FileName().isEmpty());
    EXPECT_EQ(d.FileTitle(), "Loan");
    EXPECT_EQ(d.FilterIndex(), 2);
}
