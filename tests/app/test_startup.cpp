// Starts that must neither swell nor create anything: a remembered window
// larger than the screen, a remembered loan that is gone, a remembered name
// kept relative.
#include "mainwindowfixture.h"
#include "storage/bundledfiles.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

namespace {

class StartupTest : public MainWindowFixture {
protected:
    static void remember(const QString &key, const QVariant &value)
    {
        QSettings("Quillhaven", "Quillhaven").setValue(key, value);
    }
};

} // namespace

// The window's place and size are kept within the screen's room; one larger
// than the screen is maximised and kept within it when brought back.
TEST_F(StartupTest, ARememberedWindowIsKeptWithinTheScreen)
{
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    const struct { const char *name; QRect saved; bool maximized; QRect expected; } cases[] = {
        {"far too large", QRect(0, 0, 100000, 100000), true, avail},
        {"the screen shrank", QRect(avail.right() - 100, avail.bottom() - 100, 600, 450), false,
         QRect(avail.right() + 1 - 600, avail.bottom() + 1 - 450, 600, 450)},
    };
    writeLoan(path("A.qhv"), standardLoan());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        remember("Window/Geometry", c.saved);
        remember("Window/Maximized", false);
        w = start(path("A.qhv"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return w->isMaximized() == c.maximized; }));
        EXPECT_TRUE(avail.contains(w->geometry())) << w->width() << " x " << w->height();
        EXPECT_EQ(w->normalGeometry(), c.expected);
        windows.clear();
    }
}

// A remembered loan that is gone, under its name or through a link whose
// target is gone, and a relative name, read against the data folder: said at
// the start, which opens no file and creates nothing.
TEST_F(StartupTest, ARememberedLoanThatIsGoneIsSaidAndNothingIsCreated)
{
    ASSERT_TRUE(QFile::link(path("Target.qhv"), path("Dangling.qhv")));
    const QString relative = "Quillhaven-remembered-relative.qhv";
    const struct { QString remembered, named; } cases[] = {
        {path("Gone.qhv"), path("Gone.qhv")},
        {path("Dangling.qhv"), path("Dangling.qhv")},
        {relative, QDir(BundledFiles::dataFolder()).filePath(relative)},
    };
    const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::System);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.remembered.toStdString());
        remember("Properties/CurrentFile", c.remembered);
        const QString problem = CurrentLoan::restore();
        EXPECT_EQ(problem, QString("The loan file \"%1\" remembered from the last time does not exist. "
                                   "Open the loan with Open File.").arg(c.named));
        w = start(CurrentLoan::path, problem);
        EXPECT_EQ(prompts.messages.back().text, problem);
        EXPECT_EQ(w->windowTitle(), "Quillhaven  (no file)");
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System), before);
    EXPECT_FALSE(QFile::exists(relative));
    EXPECT_FALSE(QFile::exists(QDir(BundledFiles::dataFolder()).filePath(relative)));

    // Stored, a relative name is made absolute.
    CurrentLoan::writeSetting("Loan.qhv");
    EXPECT_EQ(CurrentLoan::readSetting(), QDir::current().absoluteFilePath("Loan.qhv"));
}
