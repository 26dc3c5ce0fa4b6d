// Nothing the user typed or recorded is lost, and no file is written over
// without being asked: the file commands, New and Open after a change, Delete
// All, saving over another loan, a settings folder that cannot be written,
// and the program ending with the help window open.
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

// The dialog's own test has the rules of the extension and the filter; here
// Save is wired to them and saves what the window holds. Ctrl+S writes the
// loan's own file with no dialog and says nothing; Ctrl+Shift+S, like the
// picture, shows the dialog, and so does Ctrl+S for a loan with no file.
TEST_F(DataSafetyTest, SaveWritesTheChosenFileKeepsTheFilterAndAsksBeforeAnotherLoan)
{
    choose("Loan");
    w->runPictureAction(PictureAction::Save);
    EXPECT_EQ(prompts.fileRequests.at(0).title, "Save Loan File");
    EXPECT_EQ(prompts.fileRequests.at(0).filters, QStringList({"Quillhaven File (*.qhv)", "All Files (*)"}));
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (Loan.qhv)");
    EXPECT_EQ(LoanFile::read(path("Loan.qhv")).data.payments.size(), 3u);
    typeInto(w->field(LoanAmount), "5000");
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (Loan.qhv)");
    const QByteArray written = readAll(path("Loan.qhv"));
    EXPECT_EQ(LoanFile::read(path("Loan.qhv")).data.terms[LoanAmount], 5000.0);
    // Saving again over it asks nothing, and writes the same bytes; the
    // setting waits for the exit.
    choose("Loan.qhv");
    press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(prompts.fileRequests.size(), 2u);
    EXPECT_EQ(readAll(path("Loan.qhv")), written);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(Settings().rememberedFile().value_or(QString()), "");

    choose("Plain", 2);
    w->runPictureAction(PictureAction::Save);
    w->runPictureAction(PictureAction::Open);
    EXPECT_EQ(prompts.fileRequests.back().filterIndex, 2);

    // Saving over another loan asks, No the default; No shows the dialog again.
    const size_t asked = prompts.fileRequests.size();
    choose("B.qhv");
    choose("B.qhv");
    prompts.answers = {QMessageBox::No, QMessageBox::Yes};
    w->runPictureAction(PictureAction::Save);
    EXPECT_EQ(prompts.messages.at(0).text, "B.qhv already exists.\nDo you want to replace it?");
    EXPECT_EQ(prompts.messages.at(0).defaultButton, QMessageBox::No);
    EXPECT_EQ(prompts.fileRequests.size(), asked + 2);
    EXPECT_EQ(LoanFile::read(path("B.qhv")).data.payments.size(), 3u);
    w->document().detachFromFile();
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(prompts.fileRequests.size(), asked + 3);
}

// Delete All asks first, No the default; New asks before replacing a file and
// leaves it as it was until the loan is saved.
TEST_F(DataSafetyTest, DeleteAllAndNewAskFirstAndNewLeavesTheFileUntilSaved)
{
    show(w->paymentsPage());
    prompts.answers = {QMessageBox::No};
    trigger("Delete &All");
    EXPECT_EQ(prompts.messages.at(0).text, "Delete all 3 recorded payments?");
    EXPECT_EQ(prompts.messages.at(0).defaultButton, QMessageBox::No);
    EXPECT_EQ(w->payments().paymentsMade(), 3);

    const QByteArray old = readAll(path("B.qhv"));
    choose("B.qhv");
    prompts.answers = {QMessageBox::Cancel};
    w->runPictureAction(PictureAction::New);
    EXPECT_EQ(prompts.messages.at(1).text, path("B.qhv") + "\nThis file already exist.\n\nReplace existing file?");
    EXPECT_EQ(prompts.messages.at(1).icon, QMessageBox::Critical);
    EXPECT_EQ(prompts.fileRequests.at(0).title, "New Loan File");
    EXPECT_EQ(w->field(LoanAmount)->text(), "100,000.00");

    // Ok: an empty loan bound to the name, nothing of the loan before.
    choose("B.qhv");
    prompts.answers = {QMessageBox::Ok};
    w->runPictureAction(PictureAction::New);
    for (int i = 0; i < kFieldCount; ++i)
        if (w->field(i))
            EXPECT_EQ(w->field(i)->text(), "") << i;
    EXPECT_EQ(w->payments().paymentsMade(), 0);
    EXPECT_EQ(w->windowTitle(), "Quillhaven   NEW (B.qhv)");
    EXPECT_EQ(readAll(path("B.qhv")), old);
}

TEST_F(DataSafetyTest, NewAndOpenAskOnlyAfterAChange)
{
    // Unchanged: Open goes straight to the dialog; a missing name is made
    // and opened as an empty loan.
    choose("C.qhv");
    w->runPictureAction(PictureAction::Open);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(prompts.fileRequests.at(0).title, "Open Loan File");
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (C.qhv)");
    EXPECT_EQ(w->field(LoanAmount)->text(), "");
    EXPECT_EQ(w->payments().paymentsMade(), 0);

    // Changed, then Cancel, or Yes and a save that fails: nothing happens,
    // the change stays.
    w->field(AnnualTax)->setText("1,800.00");
    QFile::setPermissions(path("C.qhv"), QFile::ReadOwner);
    prompts.answers = {QMessageBox::Cancel, QMessageBox::Yes};
    w->runPictureAction(PictureAction::Open);
    w->runPictureAction(PictureAction::Open);
    ASSERT_EQ(prompts.messages.size(), 3u); // the second question, then why the save failed
    EXPECT_EQ(prompts.messages.at(0).text, "Would Like to save changes?");
    EXPECT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_EQ(w->field(AnnualTax)->text(), "1,800.00");
    QFile::setPermissions(path("C.qhv"), QFile::ReadOwner | QFile::WriteOwner);

    // Yes saves the change before the other loan opens.
    prompts.answers = {QMessageBox::Yes};
    choose("A.qhv");
    w->runPictureAction(PictureAction::Open);
    EXPECT_EQ(LoanFile::read(path("C.qhv")).data.terms[AnnualTax], 1800.0);
    EXPECT_EQ(w->document().path(), path("A.qhv"));

    // No drops it; New asks the same way.
    w->field(AnnualTax)->setText("1,800.00");
    prompts.answers = {QMessageBox::No};
    choose("D.qhv");
    w->runPictureAction(PictureAction::New);
    EXPECT_EQ(prompts.messages.back().text, "Would Like to save changes?");
    EXPECT_EQ(LoanFile::read(path("A.qhv")).data.terms[AnnualTax], 0.0);
    EXPECT_EQ(w->windowTitle(), "Quillhaven   NEW (D.qhv)");
}

TEST_F(DataSafetyTest, ASettingThatCannotBeWrittenIsReported)
{
    // A settings folder below a plain file cannot be made, even by root.
    writeLoan(path("blocker"), {});
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path("blocker/config"));
    prompts.answers = {QMessageBox::Yes, QMessageBox::Ok};
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(prompts.messages.at(1).text.startsWith("The loan was saved, but its name could not "
                                                    "be remembered"));
    EXPECT_TRUE(prompts.messages.at(1).text.contains(path("blocker")));
}

TEST_F(DataSafetyTest, TheProgramEndsWhenTheMainWindowClosesWithHelpOpen)
{
    // The application's own event loop runs here, as in the program: it must
    // end once the main window closes, though the help window stays open.
    HelpWindow::instance()->showContext(3);
    prompts.answers = {QMessageBox::No};
    QTimer::singleShot(0, w, [this] { w->close(); });
    // The watchdog goes with the window when the test ends.
    QTimer::singleShot(5000, w, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
    HelpWindow::instance()->hide();
}
