#include "app/mainwindow.h"
#include "app/currentloan.h"
#include "controls/datebox.h"
#include "controls/picturebutton.h"
#include "mainwindowfixture.h"
#include "loan/numtext.h"
#include "storage/bundledfiles.h"
#include "storage/loanfile.h"

#include <QApplication>
#include <QCursor>
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
    EXPECT_EQ(w->field(AnnualRate)->text(), "6.5");
    EXPECT_EQ(w->field(Price)->text(), "150,000.00");
    EXPECT_EQ(w->field(LoanAmount)->text(), "150,000.00");
    EXPECT_EQ(w->firstPaymentDate()->value(), "010508");
    EXPECT_EQ(w->currentField(), int(Price));
    EXPECT_TRUE(w->field(Price)->hasFocus());
    EXPECT_TRUE(w->commandButton(0)->isEnabled());
    EXPECT_TRUE(w->tabs()->isTabEnabled(3));
    // Nothing is recalculated at start: the computed terms come from the file.
    EXPECT_EQ(w->field(MonthlyPayment)->text(), "");
}

TEST_F(MainWindowTest, FlatPictureButtonsShowThePageBehindThem)
{
    auto w = start(path("Empty.qhv"));
    QCursor::setPos(w->mapToGlobal(QPoint(4, w->height() - 4))); // over none of them
    const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (auto action : {PictureAction::New, PictureAction::Open, PictureAction::Save,
                        PictureAction::About, PictureAction::Help}) {
        PictureButton *b = w->pictureButton(action);
        b->pollHover();
        ASSERT_EQ(b->buttonState(), PictureButton::Flat);
        const QPoint at = b->mapTo(w, QPoint(0, 0));
        const QRgb page = shot.pixel(at + QPoint(-4, b->height() / 2)); // beside it, in its frame
        const int r = b->width() - 1, bottom = b->height() - 1;
        // Corners and the middle of the top edge, all off the centred picture.
        for (QPoint p : {QPoint(0, 0), QPoint(r, 0), QPoint(0, bottom), QPoint(r, bottom), QPoint(r / 2, 2)})
            EXPECT_EQ(QColor(shot.pixel(at + p)).name(), QColor(page).name())
                << b->toolTip().toStdString() << " at " << p.x() << "," << p.y();
    }
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
        type(w->field(LoanAmount), c.loan);
        type(w->field(AnnualRate), c.rate);
        type(w->field(NumberOfPayments), c.n);
        QTest::keyClick(w->field(NumberOfPayments), Qt::Key_Return);
        EXPECT_TRUE(w->field(AnnualTax)->hasFocus());
        EXPECT_TRUE(QTest::qWaitFor([&] { return w->field(MonthlyPayment)->text() == c.payment; }))
            << c.loan << " at " << c.rate << ": " << w->field(MonthlyPayment)->text().toStdString();
        if (c.interest)
            EXPECT_EQ(w->field(TotalInterest)->text(), c.interest);
        EXPECT_EQ(w->field(LastPayment)->text(), c.last);
        EXPECT_EQ(w->field(AnnualRate)->text(), c.rate); // never reformatted
    }
    EXPECT_EQ(w->field(LoanAmount)->text(), "100,000.00"); // reformatted on leaving
}

TEST_F(MainWindowTest, DependentTermsFollowTheTyping)
{
    auto w = start(path("Empty.qhv"));
    type(w->field(Price), "250000");
    type(w->field(DownPercent), "20");
    EXPECT_EQ(w->field(DownAmount)->text(), "50,000.00");
    EXPECT_EQ(w->field(LoanAmount)->text(), "200,000.00");
    EXPECT_EQ(w->field(Price)->text(), "250,000.00");

    type(w->field(DownAmount), "25000");
    EXPECT_EQ(w->field(DownPercent)->text(), "10.00000");
    EXPECT_EQ(w->field(LoanAmount)->text(), "225,000.00");

    type(w->field(AnnualTax), "2,400.00");
    type(w->field(AnnualInsurance), "1,200.00");
    EXPECT_EQ(w->field(MonthlyTaxInsurance)->text(), "300.00");

    // With no price the loan amount keeps what is typed, until a price comes.
    type(w->field(Price), "");
    type(w->field(LoanAmount), "90000");
    EXPECT_EQ(w->field(LoanAmount)->text(), "90000");
    type(w->field(Price), "150,000.00");
    type(w->field(DownAmount), "");
    EXPECT_EQ(w->field(LoanAmount)->text(), "150,000.00");
}

TEST_F(MainWindowTest, InvalidTermsLockTheOtherTabsAndCommands)
{
    auto w = start(path("Empty.qhv"));
    auto available = [&] {
        return w->commandButton(0)->isEnabled() && w->tabs()->isTabEnabled(1)
               && w->tabs()->isTabEnabled(2) && w->tabs()->isTabEnabled(3);
    };
    EXPECT_FALSE(available());
    type(w->field(LoanAmount), "100000");
    type(w->field(AnnualRate), "6");
    type(w->field(NumberOfPayments), "360");
    EXPECT_TRUE(available());
    // Which texts count is the rules' own test; here: the window follows at once.
    type(w->field(NumberOfPayments), "40000");
    EXPECT_FALSE(available());
    EXPECT_FALSE(w->commandButton(1)->isEnabled());
    QTabBar *bar = w->tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    EXPECT_EQ(w->tabs()->currentIndex(), 0);
    type(w->field(NumberOfPayments), "360");
    EXPECT_TRUE(available());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    EXPECT_EQ(w->tabs()->currentIndex(), 2);
}

TEST_F(MainWindowTest, ArrowsAndEnterMoveThroughTheFields)
{
    auto w = start(path("Empty.qhv"));
    w->field(Price)->setFocus();
    QApplication::processEvents();
    const int forward[] = {DownPercent, DownAmount, LoanAmount, AnnualRate, NumberOfPayments,
                           AnnualTax, AnnualInsurance};
    for (int f : forward) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        EXPECT_EQ(QApplication::focusWidget(), w->field(f)) << f;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), w->firstPaymentDate());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), w->field(AnnualInsurance));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w->firstPaymentDate());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w->field(Price)); // Enter in the date goes to Price
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
    w->newLoan(name);
    EXPECT_EQ(LoanFile::read(name).data.payments.size(), 1u); // kept until saved over
    for (int i = 0; i < kFieldCount; ++i)
        EXPECT_EQ(w->field(i)->text(), "") << i;
    EXPECT_EQ(w->firstPaymentDate()->value(), "123107");
    EXPECT_EQ(w->payments().paymentsMade(), 0);
    EXPECT_FALSE(w->commandButton(0)->isEnabled());
    EXPECT_EQ(CurrentLoan::path, name);
    EXPECT_EQ(w->windowTitle(), "Quillhaven   NEW (Old.qhv)");
}

TEST_F(MainWindowTest, SavedLoanLoadsBackTheSame)
{
    auto w = start(path("A.qhv"));
    type(w->field(Price), "150000");
    type(w->field(AnnualRate), "6.5");
    type(w->field(NumberOfPayments), "360");
    QTest::keyClick(w->field(NumberOfPayments), Qt::Key_Return);
    w->firstPaymentDate()->setValue("010508");
    // Leaving the fields asked for the calculation; let it run before saving.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w->field(MonthlyPayment)->text().isEmpty(); }));
    for (int k = 1; k <= 10; ++k)
        w->payments().append({250, 100, QStringLiteral("%1/05/08").arg(k, 2, 10, QChar('0'))});
    QString file = path("B.qhv");
    ASSERT_TRUE(w->saveLoan(file));
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (B.qhv)");
    EXPECT_EQ(QFile(file).size(), 754); // every record written
    auto other = start(file);
    for (int i = 0; i < kFieldCount; ++i) {
        // A value of 0 comes back as an empty box.
        const QString saved = w->field(i)->text();
        EXPECT_EQ(other->field(i)->text(), NumText::value(saved) == 0 ? QString() : saved) << i;
    }
    EXPECT_EQ(other->field(AnnualRate)->text(), "6.5");
    EXPECT_EQ(other->field(Price)->text(), "150,000.00");
    EXPECT_EQ(other->firstPaymentDate()->value(), "010508");
    ASSERT_EQ(other->payments().paymentsMade(), 10);
    EXPECT_EQ(other->payments().at(10).payDate, "10/05/08");
}

TEST_F(MainWindowTest, EmptyLoanFileAndEmptyPath)
{
    auto w = start(path("Empty.qhv"));
    type(w->field(Price), "");
    w->firstPaymentDate()->setValue("");
    QString file = path("Blank.qhv");
    ASSERT_TRUE(w->saveLoan(file));
    EXPECT_EQ(QFile(file).size(), 628);
    ASSERT_TRUE(w->loadLoan(file));
    EXPECT_EQ(w->firstPaymentDate()->value(), "120626"); // today, for a date of 0
    QString none;
    ASSERT_TRUE(w->loadLoan(none));
    EXPECT_TRUE(none.endsWith("/Default.qhv"));
    EXPECT_EQ(CurrentLoan::path, none);
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
    qToLittleEndian<qint16>(1601, bad.data() + 512); // more payments than a loan holds
    QFile f(path("Bad.qhv"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bad) == bad.size());
    f.close();
    QString name = path("Bad.qhv");
    EXPECT_FALSE(w->loadLoan(name));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.contains("Bad.qhv"));
    EXPECT_EQ(w->field(LoanAmount)->text(), "100,000.00");
    EXPECT_EQ(CurrentLoan::path, path("Good.qhv"));

    // A damaged file at start-up leaves the loan with no file: Exit with Yes
    // asks for a name, proposing Default.qhv, and writes over nothing by itself.
    const QString defaultLoan = BundledFiles::defaultLoanPath();
    writeLoan(defaultLoan, standardLoan(1600));
    const QByteArray kept = readAll(defaultLoan);
    const QByteArray damaged = readAll(path("Bad.qhv"));
    auto w2 = start(path("Bad.qhv"));
    EXPECT_EQ(CurrentLoan::path, "");
    EXPECT_EQ(w2->windowTitle(), "Quillhaven  (no file)");
    prompts.answers = {QMessageBox::Yes};
    EXPECT_FALSE(w2->close()); // the Save dialog was cancelled
    ASSERT_FALSE(prompts.fileRequests.empty());
    EXPECT_TRUE(prompts.fileRequests.back().save);
    EXPECT_EQ(prompts.fileRequests.back().initialName, defaultLoan);
    EXPECT_EQ(readAll(defaultLoan), kept);
    EXPECT_EQ(readAll(path("Bad.qhv")), damaged);
    EXPECT_EQ(CurrentLoan::readSetting(), "");
    QFile::remove(defaultLoan);
}

TEST_F(MainWindowTest, ClosingAsksAndRemembersOnlyOnYes)
{
    auto w = start(path("First.qhv"));
    prompts.answers = {QMessageBox::Cancel};
    EXPECT_FALSE(w->close());
    EXPECT_EQ(prompts.messages.back().text, "Would Like to save changes?");
    EXPECT_EQ(prompts.messages.back().icon, QMessageBox::Question);
    EXPECT_EQ(CurrentLoan::readSetting(), "");

    prompts.answers = {QMessageBox::No};
    EXPECT_TRUE(w->close());
    EXPECT_EQ(CurrentLoan::readSetting(), "");

    auto w2 = start(path("Second.qhv"));
    type(w2->field(LoanAmount), "5000");
    prompts.answers = {QMessageBox::Yes};
    EXPECT_TRUE(w2->close());
    EXPECT_EQ(CurrentLoan::readSetting(), path("Second.qhv"));
    EXPECT_EQ(LoanFile::read(path("Second.qhv")).data.terms[LoanAmount], 5000.0);

    // A save that fails keeps the window open.
    auto w3 = start(path("Third.qhv"));
    QFile::setPermissions(path("Third.qhv"), QFile::ReadOwner);
    prompts.answers = {QMessageBox::Yes};
    EXPECT_FALSE(w3->close());
    EXPECT_TRUE(w3->isVisible());
    EXPECT_EQ(CurrentLoan::readSetting(), path("Second.qhv"));
}

TEST_F(MainWindowTest, StartUpReadsTheRememberedLoan)
{
    CurrentLoan::writeSetting(path("Mine.qhv"));
    CurrentLoan::restore();
    EXPECT_EQ(CurrentLoan::path, path("Mine.qhv"));
}
