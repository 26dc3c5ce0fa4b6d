#include "controls/datebox.h"
#include "controls/picturebutton.h"
#include "mainwindowfixture.h"
#include "storage/bundledfiles.h"

#include <QCursor>
#include <QtEndian>

using namespace LoanTerms;

using MainWindowTest = MainWindowFixture;

// Opened as the file has it, computed, saved and read back the same.
TEST_F(MainWindowTest, StartsOnTheFileInUseAndSavesItBackTheSame)
{
    LoanFileData d = standardLoan(10, 100);
    d.terms[LoanAmount] = d.terms[Price] = 150000;
    d.terms[AnnualRate] = 6.5;
    d.firstPaymentDate = 10508;
    open("Sample.qhv", d);
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (Sample.qhv)");
    EXPECT_EQ(w->field(AnnualRate)->text(), "6.5");
    EXPECT_EQ(w->field(Price)->text(), "150,000.00");
    EXPECT_EQ(w->firstPaymentDate()->value(), "010508");
    EXPECT_TRUE(w->field(Price)->hasFocus());
    EXPECT_TRUE(w->tabs()->isTabEnabled(3)); // valid terms loaded unlock the tabs
    // Nothing is recalculated at start: the computed terms come from the file.
    EXPECT_EQ(w->field(MonthlyPayment)->text(), "");

    QString same = path("Same.qhv");
    ASSERT_TRUE(w->saveLoan(same));
    EXPECT_EQ(readAll(same), readAll(path("Sample.qhv")));

    // The computed terms are saved and shown again as saved.
    command(0); // Calculate
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w->field(MonthlyPayment)->text().isEmpty(); }));
    QString file = path("B.qhv");
    ASSERT_TRUE(w->saveLoan(file));
    EXPECT_EQ(start(file)->field(TotalInterest)->text(), w->field(TotalInterest)->text());
}

TEST_F(MainWindowTest, FlatPictureButtonsShowThePageBehindThem)
{
    auto w = start(path("Empty.qhv"));
    QCursor::setPos(w->mapToGlobal(QPoint(4, w->height() - 4))); // over none of them
    const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The buttons are made alike, in one loop: one of them stands for all.
    PictureButton *b = w->pictureButton(PictureAction::Help);
    b->pollHover();
    ASSERT_EQ(b->buttonState(), PictureButton::Flat);
    const QPoint at = b->mapTo(w, QPoint(0, 0));
    const QRgb page = shot.pixel(at + QPoint(-4, b->height() / 2)); // beside it, in its frame
    const int r = b->width() - 1, bottom = b->height() - 1;
    // Corners and the middle of the top edge, all off the centred picture.
    for (QPoint p : {QPoint(0, 0), QPoint(r, bottom), QPoint(r / 2, 2)})
        EXPECT_EQ(QColor(shot.pixel(at + p)).name(), QColor(page).name()) << p.x() << "," << p.y();
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
        typeInto(w->field(LoanAmount), c.loan);
        typeInto(w->field(AnnualRate), c.rate);
        typeInto(w->field(NumberOfPayments), c.n);
        QTest::keyClick(w->field(NumberOfPayments), Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return w->field(MonthlyPayment)->text() == c.payment; }))
            << c.loan << " at " << c.rate << ": " << w->field(MonthlyPayment)->text().toStdString();
        if (c.interest)
            EXPECT_EQ(w->field(TotalInterest)->text(), c.interest);
        EXPECT_EQ(w->field(LastPayment)->text(), c.last);
        EXPECT_EQ(w->field(AnnualRate)->text(), c.rate); // never reformatted
    }
    EXPECT_EQ(w->field(LoanAmount)->text(), "100,000.00"); // reformatted on leaving
}

// The rules are the loan terms' own test; here: the window follows the typing.
TEST_F(MainWindowTest, DependentTermsFollowTheTyping)
{
    auto w = start(path("Empty.qhv"));
    typeInto(w->field(Price), "250000");
    typeInto(w->field(DownPercent), "20");
    EXPECT_EQ(w->field(DownAmount)->text(), "50,000.00");
    EXPECT_EQ(w->field(LoanAmount)->text(), "200,000.00");
    EXPECT_EQ(w->field(Price)->text(), "250,000.00");
    // The field typed in is the one the others follow.
    typeInto(w->field(DownAmount), "25000");
    EXPECT_EQ(w->field(DownPercent)->text(), "10.00000");
}

// Down and Up follow the order Tab walks (the keyboard's own test); here the
// last field, the date and the way back to Price.
TEST_F(MainWindowTest, ArrowsAndEnterMoveThroughTheFields)
{
    w = start(path("Empty.qhv"));
    w->field(AnnualInsurance)->setFocus();
    QApplication::processEvents();
    // Enter moves on as Down does, but in the date it goes back to Price.
    const std::pair<Qt::Key, QWidget *> steps[] = {
        {Qt::Key_Down, w->firstPaymentDate()}, {Qt::Key_Up, w->field(AnnualInsurance)},
        {Qt::Key_Return, w->firstPaymentDate()}, {Qt::Key_Return, w->field(Price)},
        {Qt::Key_Down, w->field(DownPercent)}, {Qt::Key_Up, w->field(Price)},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        press(steps[i].first);
        EXPECT_EQ(QApplication::focusWidget(), steps[i].second) << "step " << i;
    }
    EXPECT_EQ(w->currentField(), int(Price));
}

TEST_F(MainWindowTest, EmptyLoanFileAndEmptyPath)
{
    auto w = start(path("Empty.qhv"));
    typeInto(w->field(Price), "");
    w->firstPaymentDate()->setValue("");
    QString file = path("Blank.qhv");
    ASSERT_TRUE(w->saveLoan(file));
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
    open("Good.qhv", standardLoan());
    QByteArray bad = LoanFile::encode(standardLoan());
    qToLittleEndian<qint16>(1601, bad.data() + 512); // more payments than a loan holds
    QString name = path("Bad.qhv");
    writeBytes(name, bad);
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
    auto w2 = start(name);
    EXPECT_EQ(w2->windowTitle(), "Quillhaven  (no file)");
    prompts.answers = {QMessageBox::Yes};
    EXPECT_FALSE(w2->close()); // the Save dialog was cancelled
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_TRUE(prompts.fileRequests[0].save);
    EXPECT_EQ(prompts.fileRequests[0].initialName, defaultLoan);
    EXPECT_EQ(readAll(defaultLoan), kept);
    EXPECT_EQ(readAll(name), bad);
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
    typeInto(w2->field(LoanAmount), "5000");
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
    // The next start reads the loan remembered.
    CurrentLoan::path.clear();
    CurrentLoan::restore();
    EXPECT_EQ(CurrentLoan::path, path("Second.qhv"));
}
