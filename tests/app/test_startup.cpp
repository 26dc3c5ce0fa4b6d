// Starts that must create nothing: a remembered loan that is gone, a
// remembered name kept relative or unreadable. (A remembered window larger
// than the screen is the main window's test.)
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
