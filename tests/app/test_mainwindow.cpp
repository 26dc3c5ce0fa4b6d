#include "app/frmmain.h"
#include "app/maincode.h"
#include "controls/datebox.h"
#include "mainwindowfixture.h"
#include "loan/numtext.h"
#include "storage/loanfile.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace LoanTerms;

namespace {

class MainWindowTest : public MainWindowFixture {
protected:
    // Gives `field` the focus and types into it, replacing its text.
    static void type(QWidget *field, const QString &text)
    {
        field->setFocus();
        QApplication::processEvents();
        if (auto *e = qobject_cast<QLineEdit *>(field)) {
            e->selectAll();
            QTest::keyClick(e, Qt::Key_Delete);
        }
        QTest::keyClicks(field, text);
    }
};

} // namespace

TEST_F(MainWindowTest, StartsOnTheFileInUseWithPriceCurrent)
{
    LoanFileData d;
    d.terms[LoanAmount] = 150000;
    d.terms[AnnualRate] = 6.5;
    d.terms[NumberOfPayments] = 360;
    d.terms[Price] = 150000;
    d.firstPaymentDate = 10508;
    writeLoan(path("Sample.qhv"), d);
    auto w = start(path("Sample.qhv"));
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (Sample.qhv)");
    EXPECT_EQ(w->size(), QSize(493, 399));
    EXPECT_EQ(w->Text1(AnnualRate)->text(), "6.5");
    EXPECT_EQ(w->Text1(Price)->text(), "150,000.00");
    EXPECT_EQ(w->Text1(LoanAmount)->text(), "150,000.00");
    EXPECT_EQ(w->MaskEdBox1()->value(), "010508");
    EXPECT_EQ(w->currentField(), int(Price));
    EXPECT_TRUE(w->Text1(Price)->hasFocus());
    EXPECT_TRUE(w->Command(2)->isEnabled());
    EXPECT_TRUE(w->SSTab1()->isTabEnabled(3));
    // Nothing is recalculated at start: the computed terms come from the file.
    EXPECT_EQ(w->Text1(MonthlyPayment)->text(), "");
}

TEST_F(MainWindowTest, WorkedExamplesTypedAndComputedByEnter)
{
    struct Case { const char *loan, *rate, *n, *payment, *interest, *last; };
    const Case cases[] = {
        {"100000", "6", "360", "599.55", "115,838.45", "600.00"},
        {"200000", "6.5", "360", "1,264.14", "255,085.82", "1,259.56"},
        {"10000", "12", "12", "888.49", "661.86", "888.47"},
        {"100000", "1", "360", "8,333.33", nullptr, "108,333.33"},
    };
    auto w = start(path("Empty.qhv"));
    for (const auto &c : cases) {
        type(w->Text1(LoanAmount), c.loan);
        type(w->Text1(AnnualRate), c.rate);
        type(w->Text1(NumberOfPayments), c.n);
        QTest::keyClick(w->Text1(NumberOfPayments), Qt::Key_Return);
        EXPECT_TRUE(w->Text1(AnnualTax)->hasFocus());
        EXPECT_TRUE(QTest::qWaitFor([&] { return w->Text1(MonthlyPayment)->text() == c.payment; }))
            << c.loan << " at " << c.rate << ": " << w->Text1(MonthlyPayment)->text().toStdString();
        if (c.interest)
            EXPECT_EQ(w->Text1(TotalInterest)->text(), c.interest);
        EXPECT_EQ(w->Text1(LastPayment)->text(), c.last);
        EXPECT_EQ(w->Text1(AnnualRate)->text(), c.rate); // never reformatted
    }
    EXPECT_EQ(w->Text1(LoanAmount)->text(), "100,000.00"); // reformatted on leaving
}

TEST_F(MainWindowTest, DependentTermsFollowTheTyping)
{
    auto w = start(path("Empty.qhv"));
    type(w->Text1(Price), "250000");
    type(w->Text1(DownPercent), "20");
    EXPECT_EQ(w->Text1(DownAmount)->text(), "50,000.00");
    EXPECT_EQ(w->Text1(LoanAmount)->text(), "200,000.00");
    EXPECT_EQ(w->Text1(Price)->text(), "250,000.00");

    type(w->Text1(DownAmount), "25000");
    EXPECT_EQ(w->Text1(DownPercent)->text(), "10.00000");
    EXPECT_EQ(w->Text1(LoanAmount)->text(), "225,000.00");

    type(w->Text1(AnnualTax), "2,400.00");
    type(w->Text1(AnnualInsurance), "1,200.00");
    EXPECT_EQ(w->Text1(MonthlyTaxInsurance)->text(), "300.00");

    // With no price the loan amount keeps what is typed, until a price comes.
    type(w->Text1(Price), "");
    type(w->Text1(LoanAmount), "90000");
    EXPECT_EQ(w->Text1(LoanAmount)->text(), "90000");
    type(w->Text1(Price), "150,000.00");
    type(w->Text1(DownAmount), "");
    EXPECT_EQ(w->Text1(LoanAmount)->text(), "150,000.00");
}

TEST_F(MainWindowTest, InvalidTermsLockTheOtherTabsAndCommands)
{
    auto w = start(path("Empty.qhv"));
    auto available = [&] {
        return w->Command(2)->isEnabled() && w->SSTab1()->isTabEnabled(1)
               && w->SSTab1()->isTabEnabled(2) && w->SSTab1()->isTabEnabled(3);
    };
    EXPECT_FALSE(available());
    type(w->Text1(LoanAmount), "100000");
    type(w->Text1(AnnualRate), "6");
    type(w->Text1(NumberOfPayments), "360");
    EXPECT_TRUE(available());
    // Which texts count is the rules' own test; here: the window follows at once.
    type(w->Text1(NumberOfPayments), "40000");
    EXPECT_FALSE(available());
    EXPECT_FALSE(w->Command(3)->isEnabled());
    QTabBar *bar = w->SSTab1()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    EXPECT_EQ(w->SSTab1()->currentIndex(), 0);
    type(w->Text1(NumberOfPayments), "360");
    EXPECT_TRUE(available());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    EXPECT_EQ(w->SSTab1()->currentIndex(), 2);
}

TEST_F(MainWindowTest, ArrowsAndEnterMoveThroughTheFields)
{
    auto w = start(path("Empty.qhv"));
    w->Text1(Price)->setFocus();
    QApplication::processEvents();
    const int forward[] = {DownPercent, DownAmount, LoanAmount, AnnualRate, NumberOfPayments,
                           AnnualTax, AnnualInsurance};
    for (int f : forward) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        EXPECT_EQ(QApplication::focusWidget(), w->Text1(f)) << f;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), w->MaskEdBox1());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), w->Text1(AnnualInsurance));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w->MaskEdBox1());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w->Text1(Price)); // Enter in the date goes to Price
    EXPECT_EQ(w->currentField(), int(Price));
}

TEST_F(MainWindowTest, NewLoanEmptiesTheTermsAndBindsTheName)
{
    LoanFileData d;
    d.terms[LoanAmount] = 100000;
    d.terms[AnnualRate] = 6;
    d.terms[NumberOfPayments] = 360;
    d.firstPaymentDate = 123107;
    d.payments.push_back({250, 0, "01/31/08"});
    writeLoan(path("Old.qhv"), d);
    auto w = start(path("Old.qhv"));
    ASSERT_EQ(w->payments().paymentsMade(), 1);
    QString name = path("Old.qhv");
    w->NewLoan(name);
    EXPECT_FALSE(QFile::exists(name));
    for (int i = 0; i < kFieldCount; ++i)
        EXPECT_EQ(w->Text1(i)->text(), "") << i;
    EXPECT_EQ(w->MaskEdBox1()->value(), "123107");
    EXPECT_EQ(w->payments().paymentsMade(), 0);
    EXPECT_FALSE(w->Command(2)->isEnabled());
    EXPECT_EQ(MainCode::CurrentFile, name);
    EXPECT_EQ(w->windowTitle(), "Quillhaven   NEW (Old.qhv)");
}

TEST_F(MainWindowTest, SavedLoanLoadsBackTheSame)
{
    auto w = start(path("A.qhv"));
    type(w->Text1(Price), "150000");
    type(w->Text1(AnnualRate), "6.5");
    type(w->Text1(NumberOfPayments), "360");
    QTest::keyClick(w->Text1(NumberOfPayments), Qt::Key_Return);
    w->MaskEdBox1()->setValue("010508");
    // Leaving the fields asked for the calculation; let it run before saving.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w->Text1(MonthlyPayment)->text().isEmpty(); }));
    for (int k = 1; k <= 10; ++k)
        w->payments().append({250, 100, QStringLiteral("%1/05/08").arg(k, 2, 10, QChar('0'))});
    QString file = path("B.qhv");
    ASSERT_TRUE(w->Save(file));
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (B.qhv)");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();
    EXPECT_EQ(bytes.size(), 754);
    auto decoded = LoanFile::decode(bytes);
    EXPECT_EQ(decoded.data.firstPaymentDate, 10508.0);
    EXPECT_EQ(decoded.data.terms[Price], 150000.0);

    auto other = start(file);
    for (int i = 0; i < kFieldCount; ++i) {
        // A value of 0 comes back as an empty box.
        const QString saved = w->Text1(i)->text();
        EXPECT_EQ(other->Text1(i)->text(), NumText::value(saved) == 0 ? QString() : saved) << i;
    }
    EXPECT_EQ(other->Text1(AnnualRate)->text(), "6.5");
    EXPECT_EQ(other->Text1(Price)->text(), "150,000.00");
    EXPECT_EQ(other->MaskEdBox1()->value(), "010508");
    ASSERT_EQ(other->payments().paymentsMade(), 10);
    EXPECT_EQ(other->payments().at(10).payDate, "10/05/08");
}

TEST_F(MainWindowTest, EmptyLoanFileAndEmptyPath)
{
    auto w = start(path("Empty.qhv"));
    type(w->Text1(Price), "");
    w->MaskEdBox1()->setValue("");
    QString file = path("Blank.qhv");
    ASSERT_TRUE(w->Save(file));
    EXPECT_EQ(QFile(file).size(), 628);
    ASSERT_TRUE(w->LoadData(file));
    EXPECT_EQ(w->MaskEdBox1()->value(), "120626"); // today, for a date of 0
    QString none;
    ASSERT_TRUE(w->LoadData(none));
    EXPECT_TRUE(none.endsWith("/Default.qhv"));
    EXPECT_EQ(MainCode::CurrentFile, none);
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (Default.qhv)");
}

TEST_F(MainWindowTest, RefusedFilesChangeNothing)
{
    LoanFileData d;
    d.terms[LoanAmount] = 100000;
    d.terms[AnnualRate] = 6;
    d.terms[NumberOfPayments] = 360;
    writeLoan(path("Good.qhv"), d);
    auto w = start(path("Good.qhv"));
    QByteArray bad = LoanFile::encode(d);
    qToLittleEndian<qint16>(1601, bad.data() + 512);
    QFile f(path("Bad.qhv"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bad);
    f.close();
    QString name = path("Bad.qhv");
    EXPECT_FALSE(w->LoadData(name));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.contains("Bad.qhv"));
    EXPECT_EQ(w->Text1(LoanAmount)->text(), "100,000.00");
    EXPECT_EQ(MainCode::CurrentFile, path("Good.qhv"));

    // A damaged file at start-up is never written over: saves go elsewhere.
    auto w2 = start(path("Bad.qhv"));
    EXPECT_EQ(MainCode::CurrentFile, "");
    EXPECT_EQ(w2->windowTitle(), "Quillhaven  (Default.qhv)");
}

TEST_F(MainWindowTest, ClosingAsksAndRemembersOnlyOnYes)
{
    auto w = start(path("First.qhv"));
    prompts.answers = {QMessageBox::Cancel};
    EXPECT_FALSE(w->close());
    EXPECT_EQ(prompts.messages.back().text, "Would Like to save changes?");
    EXPECT_EQ(prompts.messages.back().icon, QMessageBox::Question);
    EXPECT_EQ(MainCode::readCurrentFileSetting(), "");

    prompts.answers = {QMessageBox::No};
    EXPECT_TRUE(w->close());
    EXPECT_EQ(MainCode::readCurrentFileSetting(), "");

    auto w2 = start(path("Second.qhv"));
    type(w2->Text1(LoanAmount), "5000");
    prompts.answers = {QMessageBox::Yes};
    EXPECT_TRUE(w2->close());
    EXPECT_EQ(MainCode::readCurrentFileSetting(), path("Second.qhv"));
    EXPECT_EQ(LoanFile::read(path("Second.qhv")).data.terms[LoanAmount], 5000.0);

    // A save that fails keeps the window open.
    auto w3 = start(path("Third.qhv"));
    QFile::setPermissions(path("Third.qhv"), QFile::ReadOwner);
    prompts.answers = {QMessageBox::Yes};
    EXPECT_FALSE(w3->close());
    EXPECT_TRUE(w3->isVisible());
    EXPECT_EQ(MainCode::readCurrentFileSetting(), path("Second.qhv"));
}

TEST_F(MainWindowTest, StartUpSettingAndPathParts)
{
    MainCode::writeCurrentFileSetting(path("Mine.qhv"));
    MainCode::loadCurrentFile();
    EXPECT_EQ(MainCode::CurrentFile, path("Mine.qhv"));

    EXPECT_EQ(MainCode::SplitPath("/home/ann/Loans/My.home.qhv", 0), "/home/ann/Loans/");
    EXPECT_EQ(MainCode::SplitPath("/home/ann/Loans/My.home.qhv", 1), "My.home.qhv");
    EXPECT_EQ(MainCode::SplitPath("/home/ann/Loans/My.home.qhv", 2), "My.home");
    EXPECT_EQ(MainCode::SplitPath("/home/ann/Loans/My.home.qhv", 3), ".qhv");
    EXPECT_EQ(MainCode::SplitPath("Loan.qhv", 1), "Loan.qhv");
    EXPECT_EQ(MainCode::SplitPath("Loan", 3), "");
    EXPECT_EQ(MainCode::SplitPath("/a.b/Loan", 2), "Loan");
    EXPECT_EQ(MainCode::SplitPath("/a/Loan.qhv", 7), "");
    EXPECT_FALSE(MainCode::FileExists(dir.path()));
    EXPECT_FALSE(MainCode::FileExists(path("nothing.qhv")));
}
