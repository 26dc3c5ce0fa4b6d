// The main window: the loan opened as its file has it and saved back the
// same, computed as typed, files refused, the question on closing; and the
// window as a window: it grows, it comes back where it was closed, and the
// first tab says why the terms cannot be computed.
#include "app/changespage.h"
#include "app/loantermsform.h"
#include "controls/datebox.h"
#include "controls/picturebutton.h"
#include "dialogs/aboutdialog.h"
#include "app/startingloan.h"
#include "mainwindowfixture.h"
#include "storage/bundledfiles.h"
#include "storage/loanfileterms.h"

#include <QClipboard>
#include <QCursor>
#include <QFrame>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QtEndian>

using namespace LoanTerms;

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, StartsOnTheFileInUseAndSavesItBackTheSame)
{
    LoanFileData d = standardLoan(10, 100);
    d.terms[LoanAmount] = d.terms[Price] = 150000;
    d.terms[AnnualRate] = 6.5;
    d.firstPaymentDate = 10508;
    LoanFile::store(LoanFile::terms(d), d); // with the computed terms, as the program writes them
    open("Sample.qhv", d);
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (Sample.qhv)");
    EXPECT_EQ(w->field(Price)->text(), "150,000.00");
    QString same = path("Same.qhv");
    ASSERT_TRUE(w->saveLoan(same));
    EXPECT_EQ(readAll(same), readAll(path("Sample.qhv")));

    // With no file named the loan is Default.qhv, in the program's folder.
    QString none;
    ASSERT_TRUE(w->loadLoan(none));
    EXPECT_EQ(none, BundledFiles::defaultLoanPath());
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (Default.qhv)");
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
            EXPECT_EQ(w->document().terms().texts()[TotalInterest], c.interest);
        EXPECT_EQ(w->document().terms().texts()[LastPayment], c.last);
    }
    EXPECT_EQ(w->field(LoanAmount)->text(), "100,000.00"); // reformatted on leaving
}

// One walk through the first tab's wiring: the picture buttons' flat look
// (made alike, in one loop: Help stands for all), Enter moving through the
// fields, a field kept while the window is left, and About.
TEST_F(MainWindowTest, PictureButtonsEnterAndTheFieldKeptOnTheFirstTab)
{
    w = start(path("Empty.qhv"));
    QCursor::setPos(w->mapToGlobal(QPoint(4, w->height() - 4))); // over none of them
    PictureButton *b = w->pictureButton(PictureAction::Help);
    b->pollHover();
    EXPECT_EQ(b->buttonState(), PictureButton::Flat); // its look: the button's own test

    // Enter moves on as Down does (the keyboard's own test walks the order),
    // but in the date it goes back to Price.
    w->field(AnnualInsurance)->setFocus();
    QApplication::processEvents();
    press(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w->firstPaymentDate());
    press(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w->field(Price));

    // Another program activated and left: the text typed stays as typed,
    // not selected, so the next key does not replace it.
    QLineEdit *price = w->field(Price);
    QApplication::processEvents(); // the select-all of entering it
    QTest::keyClicks(price, "250000");
    const Qt::FocusReason away = Qt::ActiveWindowFocusReason;
    QFocusEvent out(QEvent::FocusOut, away), in(QEvent::FocusIn, away);
    QApplication::sendEvent(price, &out);
    QApplication::sendEvent(price, &in);
    settle();
    QApplication::processEvents(); // the field's deferred select-all, had it run
    EXPECT_EQ(price->text(), "250000"); // not reformatted
    EXPECT_FALSE(price->hasSelectedText());

    EXPECT_EQ(w->pictureButton(PictureAction::About)->toolTip(), " About Quillhaven ");
    QString title;
    QTimer::singleShot(0, [&] {
        if (auto *about = qobject_cast<AboutDialog *>(QApplication::activeModalWidget())) {
            title = about->windowTitle();
            about->accept();
        }
    });
    w->runPictureAction(PictureAction::About);
    EXPECT_EQ(title, "About Quillhaven"); // Help: the keyboard test presses it
}

TEST_F(MainWindowTest, RefusedFilesChangeNothing)
{
    open("Good.qhv", standardLoan());
    QByteArray bad = LoanFile::encode(standardLoan());
    qToLittleEndian<qint16>(1601, bad.data() + 512); // more payments than a loan holds
    QString name = path("Bad.qhv");
    writeBytes(name, bad);
    EXPECT_FALSE(w->loadLoan(name));
    EXPECT_TRUE(prompts.messages.at(0).text.contains("Bad.qhv"));
    EXPECT_EQ(w->field(LoanAmount)->text(), "100,000.00");
    EXPECT_EQ(w->document().path(), path("Good.qhv"));

    // A damaged file at start-up leaves the loan with no file: Exit with Yes
    // asks for a name, proposing Default.qhv, and writes over nothing by itself.
    const QString defaultLoan = BundledFiles::defaultLoanPath();
    writeLoan(defaultLoan, standardLoan(1600));
    const QByteArray kept = readAll(defaultLoan);
    auto w2 = start(name);
    EXPECT_EQ(w2->windowTitle(), "Quillhaven  (no file)");
    prompts.answers = {QMessageBox::Yes};
    EXPECT_FALSE(w2->close()); // the Save dialog was cancelled
    EXPECT_EQ(prompts.fileRequests.at(0).initialName, defaultLoan);
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
    prompts.answers = {QMessageBox::No};
    EXPECT_TRUE(w->close());
    EXPECT_EQ(Settings().rememberedFile().value_or(QString()), "");

    auto w2 = start(path("Second.qhv"));
    typeInto(w2->field(LoanAmount), "5000");
    prompts.answers = {QMessageBox::Yes};
    EXPECT_TRUE(w2->close());
    EXPECT_EQ(Settings().rememberedFile().value_or(QString()), path("Second.qhv"));
    EXPECT_EQ(LoanFile::read(path("Second.qhv")).data.terms[LoanAmount], 5000.0);

    // A save that fails keeps the window open.
    auto w3 = start(path("Third.qhv"));
    QFile::setPermissions(path("Third.qhv"), QFile::ReadOwner);
    prompts.answers = {QMessageBox::Yes};
    EXPECT_FALSE(w3->close());
    EXPECT_EQ(Settings().rememberedFile().value_or(QString()), path("Second.qhv"));
    // The next start reads the loan remembered.
    EXPECT_EQ(StartingLoan::choose(nullptr), path("Second.qhv"));
}

// Grown by hand from the designed size, everything keeps its place from its
// corner (maximised, the same layout is only given more room); size, place
// and the maximised state come back after a restart, kept within the screen.
// (What the grids do with the room: the next test.)
TEST_F(MainWindowTest, GrowsKeepingItsPlacesAndComesBackWhereItWas)
{
    open("A.qhv", standardLoan());
    // Price keeps the top left, Help the bottom left, Exit the bottom right.
    auto places = [this] {
        const QPoint bottom(0, w->height()), corner(w->width(), w->height());
        return std::vector<QPoint>{w->field(Price)->mapTo(w, QPoint()), w->helpButton()->pos() - bottom,
                                   w->exitButton()->pos() - corner};
    };
    const std::vector<QPoint> designed = places();
    const QRect placed(40, 30, 640, 480);
    w->setGeometry(placed);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->geometry() == placed; }));
    EXPECT_EQ(places(), designed);
    prompts.answers = {QMessageBox::No};
    ASSERT_TRUE(w->close());

    auto second = start(path("A.qhv"));
    EXPECT_EQ(second->geometry(), placed);
    second->showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return second->isMaximized(); }));
    prompts.answers = {QMessageBox::No};
    ASSERT_TRUE(second->close());

    auto third = start(path("A.qhv"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return third->isMaximized(); }));
    third->showNormal();
    EXPECT_TRUE(QTest::qWaitFor([&] { return third->geometry() == placed; }));

    // Remembered larger than the screen: maximised, and kept within the
    // screen when brought back; remembered where the screen has shrunk since:
    // brought within it, its size kept.
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    const struct { QRect saved; bool maximized; QRect expected; } cases[] = {
        {QRect(0, 0, 100000, 100000), true, avail},
        {QRect(avail.right() - 100, avail.bottom() - 100, 600, 450), false,
         QRect(avail.right() + 1 - 600, avail.bottom() + 1 - 450, 600, 450)},
    };
    for (const auto &c : cases) {
        windows.clear();
        QSettings("Quillhaven", "Quillhaven").setValue("Window/Geometry", c.saved);
        QSettings("Quillhaven", "Quillhaven").setValue("Window/Maximized", false);
        w = start(path("A.qhv"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return w->isMaximized() == c.maximized; })) << c.maximized;
        EXPECT_TRUE(avail.contains(w->geometry())) << w->width() << " x " << w->height();
        EXPECT_EQ(w->normalGeometry(), c.expected);
    }
}

// The schedule, the ledger and the changes at the designed size: their
// columns and totals where they have always been. At 1280 × 900 the grids
// reach the page's right edge, every pixel of height goes to the rows, every
// column takes its share of the width and the rows reach the scroll bar, the
// totals staying under their columns.
TEST_F(MainWindowTest, GridsShareTheWidthAmongTheirColumnsWithTheTotalsUnderThem)
{
    open("A.qhv", standardLoan(40));
    show(w->amortizationPage());
    trigger("&Schedule");
    AmortizationPage *schedule = w->amortizationPage();
    PaymentsPage *ledger = w->paymentsPage();
    const struct Tab {
        CommandPage *page;
        Grid *grid;
        std::vector<QLabel *> totals; // under columns 2 to 5
        std::vector<int> widths, totalsX;
    } tabs[] = {
        {schedule, schedule->grid(), {schedule->totalLabel(7), schedule->totalLabel(6), schedule->totalLabel(5),
                                      schedule->totalLabel(4)}, {33, 60, 73, 73, 93, 93}, {99, 172, 245, 338}},
        {ledger, ledger->grid(), {ledger->totalLabel(0), ledger->totalLabel(1), ledger->totalLabel(2),
                                  ledger->totalLabel(3)}, {33, 67, 80, 80, 80, 87}, {106, 186, 266, 346}},
        {w->changesPage(), w->changesPage()->grid(), {}, {33, 73, 67, 87, 133}, {}},
    };
    auto shown = [](const Tab &t) {
        std::vector<int> widths, xs;
        for (int c = 0; c < t.grid->cols(); ++c)
            widths.push_back(t.grid->colWidth(c));
        for (QLabel *l : t.totals)
            xs.push_back(l->x());
        return std::pair(widths, xs);
    };
    std::vector<int> designedHeights;
    for (const Tab &t : tabs) {
        show(t.page);
        EXPECT_EQ(shown(t), std::pair(t.widths, t.totalsX)) << t.grid->objectName().toStdString();
        designedHeights.push_back(t.grid->viewport()->height());
    }

    w->resize(1280, 900);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->size() == QSize(1280, 900); }));
    for (size_t i = 0; i < std::size(tabs); ++i) {
        const Tab &t = tabs[i];
        SCOPED_TRACE(t.grid->objectName().toStdString());
        show(t.page);
        EXPECT_EQ(t.grid->viewport()->height(), designedHeights[i] + 900 - 399);
        const std::vector<int> grown = shown(t).first;
        for (size_t c = 0; c < grown.size(); ++c)
            EXPECT_GT(grown[c], t.widths[c]) << c;
        EXPECT_GE(t.grid->mapTo(t.page, QPoint(t.grid->width(), 0)).x(), t.page->width() - 12);
        const int last = t.grid->cols() - 1;
        EXPECT_EQ(t.grid->colLeft(last) + t.grid->colWidth(last), t.grid->viewport()->geometry().right() + 1);
        for (size_t k = 0; k < t.totals.size(); ++k) {
            const int col = int(k) + 2;
            EXPECT_EQ(t.totals[k]->x(), t.grid->mapTo(t.page, QPoint(t.grid->colLeft(col), 0)).x()) << col;
            EXPECT_NEAR(t.totals[k]->width(), t.grid->colWidth(col), 2) << col;
        }
    }
}

// The first tab's why line as terms are typed: money and percentages as people
// type them, text that is not wholly a number named with no payment shown, a
// comma in the rate pointed out, a date that is no date; while the terms are
// invalid, Calculate and the other tabs are locked, their tips saying why.
TEST_F(MainWindowTest, TheWhyLineNamesWhatIsWrongWithTheTermsTypedAndLocksTheRest)
{
    const QString amount = "Enter a loan amount above 0";
    constexpr int kDate = -1;
    const struct { int field; const char *text; QString why; const char *payment; bool valid; } steps[] = {
        {NumberOfPayments, "360", amount, "", false},
        {Price, "$350,000.00", "Enter an annual rate above 0", "", false},
        {AnnualRate, "6.5%", "", "2,212.24", true},
        {AnnualRate, "6,5", "Annual rate: \"6,5\" is read as 65 %; use a point for decimals.", "18,958.33", true},
        {AnnualRate, "0.5%", "", "1,047.16", true},
        // Typed key by key, "350" was a price the loan amount followed.
        {Price, "350k", "Price: \"350k\" is not a number.", "", false},
        {Price, "", "", "1.05", true}, // no price: the loan amount stands as it was
        // The terms stay valid: the schedule starts from today.
        {kDate, "023008", "The first payment date is not a valid date: today is used", nullptr, true},
        {LoanAmount, "", amount, "", false},
    };
    w = start(path("Empty.qhv"));
    QLabel *line = w->termsForm()->whyLine();
    for (const auto &s : steps) {
        SCOPED_TRACE(s.text);
        if (s.field == kDate) {
            w->firstPaymentDate()->setValue(s.text);
        } else {
            typeInto(w->field(s.field), s.text);
            QTest::keyClick(w->field(s.field), Qt::Key_Return); // leaves the field and calculates
        }
        if (s.payment)
            EXPECT_TRUE(QTest::qWaitFor([&] { return w->field(MonthlyPayment)->text() == s.payment; }))
                << w->field(MonthlyPayment)->text().toStdString();
        EXPECT_EQ(line->text(), s.why);
        EXPECT_EQ(line->isVisible(), !s.why.isEmpty());
        EXPECT_EQ(w->commandButton(0)->isEnabled(), s.valid);
        for (int t = 1; t < w->tabs()->count(); ++t) {
            EXPECT_EQ(w->tabs()->isTabEnabled(t), s.valid) << t;
            EXPECT_EQ(w->tabs()->tabToolTip(t), s.valid ? "" : s.why) << t;
        }
        // Said in full, clear of the picture buttons.
        EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->width());
        EXPECT_LT(line->geometry().right(), w->findChild<QFrame *>("pictureFrame")->x());
    }
    // A rate typed with "%" is kept as the number it reads as.
    EXPECT_EQ(w->field(AnnualRate)->text(), "0.005");
    QString saved = path("Half.qhv");
    ASSERT_TRUE(w->saveLoan(saved));
    EXPECT_EQ(LoanFile::read(saved).data.terms[AnnualRate], 0.005);
}

// A four-digit year typed or pasted into either date box is its two-digit
// form when that names the same year; one outside the window is refused.
TEST_F(MainWindowTest, FourDigitYearsInTheDateBoxes)
{
    w = open("Loan.qhv", standardLoan());
    PaymentDialog dialog(w);
    dialog.show();
    const QString refused = "The year 2090 is outside 1976 to 2075: type a year within them.";
    const struct { bool pasted; const char *text, *shown; QString why; } steps[] = {
        {false, "01/01/2027", "01/01/27", ""}, {true, "02152030", "02/15/30", ""},
        {true, "03/01/2090", "03/01/__", refused}};
    for (DateBox *box : {w->firstPaymentDate(), dialog.dateBox()}) {
        for (const auto &s : steps) {
            box->setFocus();
            box->selectAll();
            QApplication::clipboard()->setText(s.text);
            if (s.pasted)
                QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            else
                QTest::keyClicks(box, s.text);
            EXPECT_EQ(box->withSeparators(), s.shown) << s.text;
            EXPECT_EQ(box->refusal(), s.why) << s.text;
        }
    }
    EXPECT_EQ(w->termsForm()->whyLine()->text(), refused);
    EXPECT_EQ(prompts.messages.back().text, refused); // the dialog says it in a message
}
