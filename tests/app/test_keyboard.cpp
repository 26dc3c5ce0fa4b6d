// The keyboard on the main window: the Tab order, the labels that name the
// fields, and the access keys of every tab's commands.
#include "controls/datebox.h"
#include "controls/picturebutton.h"
#include "mainwindowfixture.h"

#include <map>

using namespace LoanTerms;

namespace {

class KeyboardTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        open("Keys.qhv", standardLoan());
    }
};

} // namespace

TEST_F(KeyboardTest, TabWalksTheFirstTabInReadingOrder)
{
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
    ASSERT_TRUE(outline);
    EXPECT_TRUE(outline->isVisible());
    EXPECT_TRUE(outline->geometry().contains(w->pictureButton(PictureAction::Help)->geometry()));
    press(Qt::Key_Space);
    EXPECT_EQ(prompts.helpContexts, std::vector<int>({0}));
}

TEST_F(KeyboardTest, EveryFieldIsFoundByItsLabel)
{
    // The label is the field's buddy, and its caption names the field.
    std::map<QWidget *, QString> captions;
    for (QLabel *l : w->findChildren<QLabel *>())
        if (l->buddy())
            captions[l->buddy()] = l->text();
    EXPECT_EQ(captions[w->field(Price)], "Price :");
    EXPECT_EQ(captions[w->field(MonthlyPayment)], "Monthly Principal && Interest :");
    EXPECT_EQ(captions[w->firstPaymentDate()], "First Payment Date :");
    for (int f : {Price, DownPercent, DownAmount, LoanAmount, AnnualRate, NumberOfPayments,
                  AnnualTax, AnnualInsurance, MonthlyPayment, MonthlyTaxInsurance,
                  TotalMonthlyPayment})
        EXPECT_FALSE(w->field(f)->accessibleName().isEmpty()) << f;
    EXPECT_EQ(w->field(AnnualRate)->accessibleName(), "Annual Percentage Rate");
    EXPECT_EQ(w->pictureButton(PictureAction::Open)->accessibleName(), "Open File");
}

TEST_F(KeyboardTest, AccessKeysRunTheCommandsOfEachTab)
{
    w->field(NumberOfPayments)->setFocus();
    press(Qt::Key_H, Qt::AltModifier);
    EXPECT_EQ(prompts.helpContexts, std::vector<int>({3}));
    w->field(MonthlyPayment)->setText("");
    press(Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->field(MonthlyPayment)->text() == "599.55"; }));

    showTab(2);
    w->paymentsPage()->runDialog = [](PaymentDialog &dlg) { dlg.okButton()->click(); };
    press(Qt::Key_M, Qt::AltModifier);
    press(Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(w->payments().paymentsMade(), 2);
    press(Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(w->payments().paymentsMade(), 1);
    prompts.answers = {QMessageBox::Yes};
    press(Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(w->payments().paymentsMade(), 0);

    showTab(1);
    press(Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(w->viewOutline(0)->isVisible());

    prompts.answers = {QMessageBox::Cancel};
    press(Qt::Key_E, Qt::AltModifier);
    ASSERT_FALSE(prompts.messages.empty()); // the question on closing; Cancel keeps the window
    EXPECT_TRUE(w->isVisible());
}
