// Nothing the user typed or recorded is lost, and no file is written over
// without being asked: New and Open after a change, Delete All, saving over
// another loan, a settings folder that cannot be written, a remembered name
// that cannot be read, and the window losing and regaining the focus.
#include "dialogs/helpwindow.h"
#include "mainwindowfixture.h"

#include <QSettings>
#include <QTimer>

using namespace LoanTerms;

namespace {

class DataSafetyTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        writeLoan(path("B.qhv"), standardLoan());
        open("A.qhv", standardLoan(3, 100));
    }
};

} // namespace

TEST_F(DataSafetyTest, NewAndOpenAskOnlyAfterAChange)
{
    // Unchanged: Open goes straight to the dialog.
    choose("B.qhv");
    w->runPictureAction(PictureAction::Open);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(CurrentLoan::path, path("B.qhv"));

    // Changed, then Cancel, or Yes and a save that fails: nothing happens,
    // the change stays.
    w->field(AnnualTax)->setText("1,800.00");
    QFile::setPermissions(path("B.qhv"), QFile::ReadOwner);
    prompts.answers = {QMessageBox::Cancel, QMessageBox::Yes};
    w->runPictureAction(PictureAction::Open);
    w->runPictureAction(PictureAction::Open);
    ASSERT_EQ(prompts.messages.size(), 3u); // the second question, then why the save failed
    EXPECT_EQ(prompts.messages[0].text, "Would Like to save changes?");
    EXPECT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_EQ(w->field(AnnualTax)->text(), "1,800.00");
    QFile::setPermissions(path("B.qhv"), QFile::ReadOwner | QFile::WriteOwner);

    // Yes saves the change before the other loan opens.
    prompts.answers = {QMessageBox::Yes};
    choose("A.qhv");
    w->runPictureAction(PictureAction::Open);
    EXPECT_EQ(LoanFile::read(path("B.qhv")).data.terms[AnnualTax], 1800.0);
    EXPECT_EQ(CurrentLoan::path, path("A.qhv"));

    // No drops it; New asks the same way.
    w->field(AnnualTax)->setText("1,800.00");
    prompts.answers = {QMessageBox::No};
    choose("C.qhv");
    w->runPictureAction(PictureAction::New);
    EXPECT_EQ(prompts.messages.back().text, "Would Like to save changes?");
    EXPECT_EQ(LoanFile::read(path("A.qhv")).data.terms[AnnualTax], 0.0);
    EXPECT_EQ(w->windowTitle(), "Quillhaven   NEW (C.qhv)");
    EXPECT_FALSE(w->isChanged());
}

TEST_F(DataSafetyTest, DeleteAllAsksFirstWithNoAsTheDefault)
{
    showTab(2);
    prompts.answers = {QMessageBox::No};
    command(2);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Delete all 3 recorded payments?");
    EXPECT_EQ(prompts.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(prompts.messages[0].defaultButton, QMessageBox::No);
    EXPECT_EQ(w->payments().paymentsMade(), 3);
    EXPECT_EQ(w->paymentsPage()->grid()->rows(), 5);
}

TEST_F(DataSafetyTest, SavingOverAnotherLoanAsksAndNoReturnsToTheDialog)
{
    choose("B.qhv");
    choose("B.qhv");
    prompts.answers = {QMessageBox::No, QMessageBox::Yes};
    w->runPictureAction(PictureAction::Save);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].text, "B.qhv already exists.\nDo you want to replace it?");
    EXPECT_EQ(prompts.messages[0].defaultButton, QMessageBox::No);
    EXPECT_EQ(prompts.fileRequests.size(), 2u); // No showed the dialog again
    EXPECT_EQ(LoanFile::read(path("B.qhv")).data.payments.size(), 3u);
}

TEST_F(DataSafetyTest, ASettingThatCannotBeWrittenIsReported)
{
    // A settings folder below a plain file cannot be made, even by root.
    writeLoan(path("blocker"), {});
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path("blocker/config"));
    prompts.answers = {QMessageBox::Yes, QMessageBox::Ok};
    EXPECT_TRUE(w->close());
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_TRUE(prompts.messages[1].text.startsWith("The loan was saved, but its name could not "
                                                    "be remembered"));
    EXPECT_TRUE(prompts.messages[1].text.contains(path("blocker")));
}

TEST_F(DataSafetyTest, AnUnreadableRememberedNameOpensNoFile)
{
    QSettings("Quillhaven", "Quillhaven").setValue("Properties/CurrentFile",
                                                   QString::fromUtf8("caf\xE9.qhv"));
    const QString problem = CurrentLoan::restore();
    EXPECT_TRUE(problem.startsWith("The name of the loan file remembered from the last time"));
    EXPECT_EQ(CurrentLoan::path, "");
    const auto before = QDir(dir.path()).entryList(QDir::Files);
    auto w2 = start(CurrentLoan::path, problem);
    EXPECT_EQ(prompts.messages.back().text, problem);
    EXPECT_EQ(w2->windowTitle(), "Quillhaven  (no file)");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
}

TEST_F(DataSafetyTest, LeavingTheWindowAndComingBackKeepsTheField)
{
    QLineEdit *price = w->field(Price);
    price->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents(); // the select-all of entering it
    QTest::keyClicks(price, "250000");
    price->setCursorPosition(3);
    // Another program activated and left, or a menu popped up and closed.
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason), in(QEvent::FocusIn, reason);
        QApplication::sendEvent(price, &out);
        QApplication::sendEvent(price, &in);
    }
    ASSERT_TRUE(QTest::qWaitFor([this] { return !w->hasDeferredWork(); }));
    QApplication::processEvents(); // the field's deferred select-all, had it run
    EXPECT_EQ(price->text(), "250000"); // not reformatted
    EXPECT_FALSE(price->hasSelectedText());
    EXPECT_EQ(price->cursorPosition(), 3);
}

TEST_F(DataSafetyTest, TheProgramEndsWhenTheMainWindowClosesWithHelpOpen)
{
    // The application's own event loop runs here, as in the program: it must
    // end once the main window closes, though the help window stays open.
    HelpWindow::instance()->showContext(3);
    prompts.answers = {QMessageBox::No};
    QTimer::singleShot(0, w, [this] { w->close(); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    HelpWindow::instance()->hide();
}
