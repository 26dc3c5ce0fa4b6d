#include "controls/datebox.h"
#include "controls/picturebutton.h"
#include "dialogs/aboutdialog.h"
#include "mainwindowfixture.h"

#include <QTimer>

using namespace LoanTerms;

namespace {

class FileCommandsTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        open("Current.qhv", standardLoan(1));
    }
};

} // namespace

TEST_F(FileCommandsTest, SaveAddsTheDefaultExtensionAndTheChosenFilterIsKept)
{
    choose("Loan");
    w->runPictureAction(PictureAction::Save);
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_TRUE(prompts.fileRequests[0].save);
    EXPECT_EQ(prompts.fileRequests[0].title, "Save Loan File");
    EXPECT_EQ(prompts.fileRequests[0].owner, w);
    EXPECT_EQ(prompts.fileRequests[0].filterIndex, 1);
    EXPECT_EQ(prompts.fileRequests[0].filters,
              QStringList({"Quillhaven File (*.qhv)", "All Files (*)"}));
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (Loan.qhv)");
    EXPECT_EQ(LoanFile::read(path("Loan.qhv")).data.payments.size(), 1u);
    // Saving again over it asks nothing; the setting waits for the exit.
    choose("Loan.qhv");
    w->runPictureAction(PictureAction::Save);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(CurrentLoan::readSetting(), "");

    // Under "All Files" the name stays as typed, and the next dialog, an
    // Open, starts under that filter.
    choose("Plain", 2);
    w->runPictureAction(PictureAction::Save);
    EXPECT_TRUE(QFile::exists(path("Plain")));
    w->runPictureAction(PictureAction::Open);
    EXPECT_EQ(prompts.fileRequests.back().filterIndex, 2);
}

TEST_F(FileCommandsTest, NewAsksBeforeReplacingAnExistingFileAndEmptiesTheLoan)
{
    choose("Current.qhv");
    prompts.answers = {QMessageBox::Cancel};
    w->runPictureAction(PictureAction::New);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              path("Current.qhv") + "\nThis file already exist.\n\nReplace existing file?");
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(prompts.fileRequests[0].title, "New Loan File");
    EXPECT_EQ(w->field(LoanAmount)->text(), "100,000.00");

    // Ok: the terms are emptied and the name bound; the old file stays until
    // the new loan is saved over it.
    const QByteArray old = readAll(path("Current.qhv"));
    choose("Current.qhv");
    prompts.answers = {QMessageBox::Ok};
    w->runPictureAction(PictureAction::New);
    EXPECT_EQ(readAll(path("Current.qhv")), old);
    for (int i = 0; i < kFieldCount; ++i)
        EXPECT_EQ(w->field(i)->text(), "") << i;
    EXPECT_EQ(w->firstPaymentDate()->value(), "011508");
    EXPECT_EQ(w->payments().paymentsMade(), 0);
    EXPECT_FALSE(w->commandButton(0)->isEnabled());
    EXPECT_EQ(CurrentLoan::path, path("Current.qhv"));
    EXPECT_EQ(w->windowTitle(), "Quillhaven   NEW (Current.qhv)");
    QString own = path("Current.qhv");
    ASSERT_TRUE(w->saveLoan(own));
    EXPECT_EQ(LoanFile::read(own).data.payments.size(), 0u);

    choose("Fresh");
    w->runPictureAction(PictureAction::New);
    EXPECT_EQ(prompts.messages.size(), 2u); // no question for a new name
    EXPECT_EQ(w->windowTitle(), "Quillhaven   NEW (Fresh.qhv)");
}

TEST_F(FileCommandsTest, OpenOfAMissingNameStartsAnEmptyLoan)
{
    w->runPictureAction(PictureAction::Open); // cancelled: nothing happens
    EXPECT_EQ(w->field(LoanAmount)->text(), "100,000.00");
    choose("Other.qhv");
    w->runPictureAction(PictureAction::Open);
    EXPECT_EQ(prompts.fileRequests.back().title, "Open Loan File");
    EXPECT_TRUE(QFile::exists(path("Other.qhv")));
    EXPECT_EQ(w->field(LoanAmount)->text(), "");
    EXPECT_EQ(w->payments().paymentsMade(), 0);
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (Other.qhv)");
}

TEST_F(FileCommandsTest, AboutAndHelpFromThePictureButtons)
{
    EXPECT_EQ(w->pictureButton(PictureAction::About)->toolTip(), " About Quillhaven ");
    EXPECT_EQ(w->pictureButton(PictureAction::New)->toolTip(), " New File ");
    QString title;
    QTimer::singleShot(0, [&] {
        if (auto *about = qobject_cast<AboutDialog *>(QApplication::activeModalWidget())) {
            title = about->windowTitle();
            about->accept();
        }
    });
    w->runPictureAction(PictureAction::About);
    EXPECT_EQ(title, "About Quillhaven");
    w->runPictureAction(PictureAction::Help);
    w->helpButton()->click();
    EXPECT_EQ(prompts.helpContexts, std::vector<int>({0, 3}));
}
