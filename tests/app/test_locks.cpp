// The lock that keeps two windows off one loan: a second name of a file held
// here refused; a file whose lock cannot be written opened all the same, the
// window saying so and a save over another window's save asking first; locks
// left behind taken over, one of another computer asked about.
#include "document/loanguard.h"
#include "mainwindowfixture.h"

#include <QDir>
#include <unistd.h>

using namespace LoanTerms;

namespace {

class LocksTest : public MainWindowFixture {
protected:
    void TearDown() override
    {
        MainWindowFixture::TearDown();
        LoanGuard::failLocksForTesting(false);
    }
    const QString unlocked = " - " + LoanGuard::notLockedText();
};

} // namespace

TEST_F(LocksTest, AHardLinkToALoanOpenHereIsRefused)
{
    open("Real.qhv", standardLoan(3));
    ASSERT_EQ(::link(QFile::encodeName(path("Real.qhv")), QFile::encodeName(path("Hard.qhv"))), 0);
    MainWindow *second = start(path("Hard.qhv"));
    EXPECT_EQ(prompts.messages.at(0).text, "The loan file \"Hard.qhv\" is another name of \"Real.qhv\", "
                                           "which is open in a Quillhaven window; it was not opened.");
    EXPECT_EQ(second->windowTitle(), "Quillhaven  (no file)");
}

TEST_F(LocksTest, ALoanWhoseLockCannotBeWrittenOpensSayingSoAndASaveOverAnotherAsks)
{
    LoanGuard::failLocksForTesting(true);
    MainWindow *first = open("A.qhv", standardLoan());
    MainWindow *second = start(path("A.qhv"));
    for (MainWindow *window : {first, second})
        EXPECT_EQ(window->windowTitle(), "Quillhaven  (A.qhv)" + unlocked);
    EXPECT_TRUE(prompts.messages.empty());

    // The first saves: nobody changed the file meanwhile, nothing is asked.
    first->field(AnnualTax)->setText("1,200.00");
    QString name = path("A.qhv");
    ASSERT_TRUE(first->saveLoan(name));
    EXPECT_TRUE(prompts.messages.empty());

    // The second would write over that change: asked first, No the default
    // and kept; Yes writes.
    second->field(AnnualInsurance)->setText("600.00");
    for (auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        prompts.answers = {answer};
        EXPECT_EQ(second->saveLoan(name), answer == QMessageBox::Yes);
        EXPECT_EQ(prompts.messages.back().text, "The loan file \"A.qhv\" was changed by another program "
                                                "since it was opened or saved here. Save over it?");
        EXPECT_EQ(prompts.messages.back().defaultButton, QMessageBox::No);
        EXPECT_EQ(LoanFile::read(name).data.terms[AnnualTax], answer == QMessageBox::No ? 1200.0 : 0.0);
    }
    EXPECT_EQ(prompts.messages.size(), 2u);
}

// What a power cut, another program or another computer leaves where the lock
// goes.
TEST_F(LocksTest, LocksLeftBehindAreTakenOverAndAnotherComputersIsAskedAbout)
{
    const QByteArray otherHost = "4321\nquillhaven\nfaraway\n0123456789abcdef0123456789abcdef\n"
                                 "fedcba98-7654-3210-fedc-ba9876543210\n";
    const struct { const char *name; QByteArray lock; bool folder; QMessageBox::StandardButton answer; QString title; } cases[] = {
        {"empty", "", false, QMessageBox::NoButton, "Quillhaven  (A.qhv)"},
        {"garbage", "\x01\xfe not a lock\n\n", false, QMessageBox::NoButton, "Quillhaven  (A.qhv)"},
        {"folder", {}, true, QMessageBox::NoButton, "Quillhaven  (A.qhv)" + unlocked},
        {"other host, No", otherHost, false, QMessageBox::No, "Quillhaven  (no file)"},
        {"other host, Yes", otherHost, false, QMessageBox::Yes, "Quillhaven  (A.qhv)" + unlocked},
    };
    writeLoan(path("A.qhv"), standardLoan());
    const QString lock = LoanGuard::lockPath(path("A.qhv"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        windows.clear();
        prompts.messages.clear();
        QDir(lock).removeRecursively();
        QFile::remove(lock);
        if (c.folder)
            ASSERT_TRUE(QDir().mkpath(lock));
        else
            writeBytes(lock, c.lock);
        prompts.answers = {c.answer};
        w = start(path("A.qhv"));
        EXPECT_EQ(w->windowTitle(), c.title);
        EXPECT_EQ(prompts.messages.size(), c.answer == QMessageBox::NoButton ? 0u : 1u);
        if (c.answer != QMessageBox::NoButton)
            EXPECT_EQ(prompts.messages.at(0).text,
                      "The loan file \"A.qhv\" is locked by a Quillhaven on the computer \"faraway\", "
                      "where it may be open. Open it anyway?");
        // A lock taken over now names this process.
        if (c.title == "Quillhaven  (A.qhv)")
            EXPECT_TRUE(readAll(lock).startsWith(QByteArray::number(QCoreApplication::applicationPid()) + "\n"));
    }
}
