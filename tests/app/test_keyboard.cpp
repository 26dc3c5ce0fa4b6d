// The keyboard on the main window: the labels that name the fields, the Tab
// order, and Exit's access key. (The tabs' own access keys run their
// commands in the window tests of those tabs.)
#include "controls/datebox.h"
#include "controls/picturebutton.h"
#include "mainwindowfixture.h"

#include <map>

using namespace LoanTerms;

using KeyboardTest = MainWindowFixture;

TEST_F(KeyboardTest, LabelsTabOrderAndExit)
{
    open("Keys.qhv", standardLoan());
    // The label is the field's buddy, and its caption names the field.
    std::map<QWidget *, QString> captions;
    for (QLabel *l : w->findChildren<QLabel *>())
        if (l->buddy())
            captions[l->buddy()] = l->text();
    EXPECT_EQ(captions[w->field(Price)], "Price :");
    EXPECT_EQ(captions[w->field(MonthlyPayment)], "Monthly Principal && Interest :");
    EXPECT_EQ(captions[w->firstPaymentDate()], "First Payment Date :");
    EXPECT_EQ(w->field(AnnualRate)->accessibleName(), "Annual Percentage Rate");
    EXPECT_EQ(w->pictureButton(PictureAction::Open)->accessibleName(), "Open File");

    // Tab walks the first tab in reading order.
    w->field(Price)->setFocus();
    QApplication::processEvents();
    std::vector<QWidget *> expected = {
        w->field(DownPercent), w->field(DownAmount), w->field(LoanAmount),
        w->field(AnnualRate), w->field(NumberOfPayments), w->field(AnnualTax),
        w->field(AnnualInsurance), w->firstPaymentDate(), w->commandButton(0), w->exitButton(),
        w->helpButton(), w->pictureButton(PictureAction::New), w->pictureButton(PictureAction::Open), w->pictureButton(PictureAction::Save),
        w->pictureButton(PictureAction::About), w->pictureButton(PictureAction::Help)};
    for (QWidget *next : expected) {
        press(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    // The focused picture button is outlined, and Space runs its command.
    auto *outline = w->findChild<QFrame *>("FocusOutline");
    EXPECT_TRUE(outline && outline->isVisible());
    press(Qt::Key_Space);
    EXPECT_EQ(prompts.helpContexts, std::vector<int>({0}));

    prompts.answers = {QMessageBox::Cancel};
    press(Qt::Key_E, Qt::AltModifier);
    ASSERT_FALSE(prompts.messages.empty()); // the question on closing; Cancel keeps the window
    EXPECT_TRUE(w->isVisible());
}
