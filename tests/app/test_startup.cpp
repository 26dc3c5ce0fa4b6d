// Starts that must create nothing: a remembered loan that is gone, a
// remembered name kept relative or unreadable; the very first start, on the
// sample loan, saying so. (A remembered window larger than the screen is the
// main window's test.)
#include "app/loantermsform.h"
#include "app/startingloan.h"
#include "mainwindowfixture.h"
#include "storage/bundledfiles.h"

#include <QDir>
#include <QSettings>

using StartupTest = MainWindowFixture;

// A remembered loan that is gone, under its name or through a link whose
// target is gone, a relative name, read against the data folder, and a name
// that cannot be read back: said at the start, which opens no file and
// creates nothing.
TEST_F(StartupTest, ARememberedLoanThatIsGoneIsSaidAndNothingIsCreated)
{
    ASSERT_TRUE(QFile::link(path("Target.qhv"), path("Dangling.qhv")));
    const QString relative = "Quillhaven-remembered-relative.qhv";
    const QString gone = "The loan file \"%1\" remembered from the last time does not exist. "
                         "Open the loan with Open File.";
    const struct { QString remembered, said; } cases[] = {
        {path("Gone.qhv"), gone.arg(path("Gone.qhv"))},
        {path("Dangling.qhv"), gone.arg(path("Dangling.qhv"))},
        {relative, gone.arg(QDir(BundledFiles::dataFolder()).filePath(relative))},
        {QString::fromUtf8("caf\xE9.qhv"), "The name of the loan file remembered from the last time"},
    };
    const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::System);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.remembered.toStdString());
        QSettings("Quillhaven", "Quillhaven").setValue("Properties/CurrentFile", c.remembered);
        QString problem;
        EXPECT_EQ(StartingLoan::choose(&problem), "");
        EXPECT_TRUE(problem.startsWith(c.said)) << problem.toStdString();
        w = start(QString(), problem);
        EXPECT_EQ(prompts.messages.back().text, problem);
        EXPECT_EQ(w->windowTitle(), "Quillhaven  (no file)");
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System), before);
    EXPECT_FALSE(QFile::exists(relative));
    EXPECT_FALSE(QFile::exists(QDir(BundledFiles::dataFolder()).filePath(relative)));

    // Stored, a relative name is made absolute.
    Settings().rememberFile("Loan.qhv");
    EXPECT_EQ(Settings().rememberedFile().value_or(QString()), QDir::current().absoluteFilePath("Loan.qhv"));
}

// The very first start copies the sample loan into place and opens it, and
// the first tab says so until the loan is first changed (undone, it stays
// gone) or New; the start after is no first one.
TEST_F(StartupTest, TheFirstStartSaysItShowsTheSampleLoanUntilTheLoanIsChanged)
{
    const QString sample = QDir(BundledFiles::dataFolder()).filePath("Sample.qhv");
    QFile::remove(sample);
    QString problem;
    bool first = false;
    ASSERT_EQ(StartingLoan::choose(&problem, &first), sample);
    ASSERT_TRUE(first);
    for (bool byNew : {false, true}) {
        windows.clear();
        w = start(sample, problem, true);
        QLabel *note = w->termsForm()->sampleNote();
        EXPECT_TRUE(note->isVisible());
        EXPECT_EQ(note->text(), "This is a sample loan to explore. New (Ctrl+N) starts your own.");
        show(w->quotePage()); // the plan the quote picks is no change of the user's
        show(w->termsForm());
        EXPECT_TRUE(note->isVisible());
        if (byNew) {
            w->newLoan(path("Mine.qhv"));
        } else {
            typeInto(w->field(LoanTerms::Price), "400000");
            press(Qt::Key_Tab);
            EXPECT_FALSE(note->isVisible());
            press(Qt::Key_Z, Qt::ControlModifier);
            EXPECT_EQ(w->field(LoanTerms::Price)->text(), "325,000.00");
        }
        EXPECT_FALSE(note->isVisible());
    }
    EXPECT_EQ(StartingLoan::choose(&problem, &first), sample);
    EXPECT_FALSE(first);
}
