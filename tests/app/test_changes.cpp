// A loan that changes over time, through the window: a rate change entered on
// the Changes tab and honoured by the schedule, the quote, the chart, the
// first tab, the ledger and the command line; refused changes; one outside
// the loan after the terms moved; the plan kept with the file.
#include "app/changedialog.h"
#include "app/changespage.h"
#include "app/chartpage.h"
#include "document/loandocument.h"
#include "controls/datebox.h"
#include "mainwindowfixture.h"
#include "tablereader.h"

#include <QComboBox>
#include <QProcess>

using namespace LoanTerms;

namespace {

class ChangesTest : public MainWindowFixture {
protected:
    // The next change dialogs take `from`, `kind` and `value` and are closed with OK.
    void answerChange(const QString &from, DatedChange::Kind kind, const QString &value)
    {
        prompts.otherDialog = [=](QDialog &d) {
            auto &dlg = static_cast<ChangeDialog &>(d);
            dlg.dateBox()->setValue(from);
            dlg.kindBox()->setCurrentIndex(dlg.kindBox()->findData(int(kind)));
            dlg.valueBox()->setText(value);
            dlg.accept();
        };
    }
    LoanFileData houseLoan(int payments)
    {
        LoanFileData d = standardLoan(payments);
        d.firstPaymentDate = 10127; // 01/01/27
        return d;
    }
    QStringList row(const Grid *g, int r) const
    {
        QStringList out;
        for (int c = 1; c < g->cols(); ++c)
            out << g->cell(r, c);
        return out;
    }
};

} // namespace

TEST_F(ChangesTest, ARateChangeIsHonouredByEveryViewAndKeptWithTheFile)
{
    open("House.qhv", houseLoan(3));
    show(w->chartPage()); // drawn before the change: drawn again after it
    show(w->changesPage());
    answerChange("01/01/32", DatedChange::Kind::Rate, "7.25");
    trigger("&Add");
    EXPECT_EQ(row(w->changesPage()->grid(), 1),
              QStringList({"01/01/32", "Rate", "7.25 %", "payment 61"}));
    show(w->chartPage());
    EXPECT_EQ(w->chartPage()->data().lines[0].rows[61].payment, 672.60);
    EXPECT_TRUE(w->chartPage()->summaryLabel()->text().startsWith("Rate 6 % at first (see the Changes tab)."));

    show(w->amortizationPage());
    trigger("&Schedule");
    const Grid *schedule = w->amortizationPage()->grid();
    EXPECT_EQ(row(schedule, 61), QStringList({"01/01/32", "110.40", "562.20", "92,943.97", "29,589.57"}));
    EXPECT_EQ(w->amortizationPage()->totalLabel(6)->text(), "137,755.84");
    show(w->quotePage());
    EXPECT_EQ(w->quotePage()->grid()->cell(2, 1), "137,755.84"); // Scheduled honours the change
    show(w->termsForm());
    EXPECT_EQ(w->field(MonthlyPayment)->text(), "599.55"); // the loan as first contracted
    EXPECT_EQ(w->termsForm()->whyLine()->text(),
              "The payment changes with the Changes tab: 672.60 from 01/01/32.");

    // Saved with the file, read back by the command line.
    QString file = path("House.qhv");
    ASSERT_TRUE(w->saveLoan(file));
    QProcess p;
    p.start(QStringLiteral(QH_PROGRAM), {"--csv", "changes", file});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.readAllStandardOutput(), "from,kind,value\r\n2032-01-01,rate,7.25\r\n");
    p.start(QStringLiteral(QH_PROGRAM), {"--csv", "schedule", file});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(qhtest::readCsv(QString::fromUtf8(p.readAllStandardOutput())).at(61),
              plainRows(schedule).at(60));

    // Undone, the schedule is the first contract's again.
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w->changesPage()->grid()->cell(1, 1), "");
    EXPECT_EQ(w->termsForm()->whyLine()->text(), "");
}

TEST_F(ChangesTest, TheLedgerPaysTheRateInForceAndBadChangesAreRefused)
{
    open("House.qhv", houseLoan(3));
    show(w->paymentsPage());
    const Grid *ledger = w->paymentsPage()->grid();
    EXPECT_EQ(ledger->cell(2, 2), "599.55");
    show(w->changesPage());
    answerChange("02/01/27", DatedChange::Kind::Rate, "7.25");
    trigger("&Add");
    show(w->paymentsPage());
    EXPECT_EQ(ledger->cell(1, 2), "599.55");
    const double second = w->document().paymentFor(2);
    EXPECT_NE(second, 599.55);
    EXPECT_EQ(ledger->cell(2, 2), NumText::amount(second));
    EXPECT_EQ(w->paymentsPage()->totalLabel(0)->text(), NumText::amount(599.55 + 2 * second));

    show(w->changesPage());
    const struct { const char *from; DatedChange::Kind kind; const char *value, *why; } bad[] = {
        {"12/01/26", DatedChange::Kind::Rate, "7", "12/01/26 is outside the loan: from 01/01/27 to 12/01/56."},
        {"03/01/27", DatedChange::Kind::Rate, "0", "A rate is above 0 and at most 100 %."},
        {"03/01/27", DatedChange::Kind::Escrow, "-5", "The monthly tax and insurance cannot be below 0."},
        {"02/15/27", DatedChange::Kind::Rate, "8", "Payment 3 already has a change of its rate."},
    };
    answerChange("03/01/27", DatedChange::Kind::Rate, "7.5");
    trigger("&Add");
    for (const auto &b : bad) {
        answerChange(b.from, b.kind, b.value);
        trigger("&Add");
        EXPECT_EQ(prompts.messages.back().text, b.why);
    }
    EXPECT_EQ(w->document().changes().size(), 2u);

    // The terms shortened: a change past the last payment is kept, and ignored.
    // A rate typed as a fraction is proposed for a change in percent, as a
    // change takes it.
    show(w->termsForm());
    typeInto(w->field(NumberOfPayments), "1");
    typeInto(w->field(AnnualRate), "0.065");
    QTest::keyClick(w->field(AnnualRate), Qt::Key_Return);
    show(w->changesPage());
    EXPECT_EQ(w->changesPage()->grid()->cell(2, 4), "outside the loan");
    QString proposed;
    prompts.otherDialog = [&](QDialog &d) { proposed = static_cast<ChangeDialog &>(d).valueBox()->text(); };
    trigger("&Add");
    EXPECT_EQ(proposed, "6.5");
}

TEST_F(ChangesTest, APlainLoanLookedAtOnEveryTabIsSavedAsItWasAndThePlanIsKept)
{
    // Written by the program itself, then opened, every tab looked at, saved.
    open("Plain.qhv", houseLoan(2));
    QString plain = path("Plain.qhv");
    ASSERT_TRUE(w->saveLoan(plain));
    const QByteArray before = readAll(plain);
    w = start(plain);
    for (int t = 0; t < w->tabs()->count(); ++t)
        show(static_cast<CommandPage *>(w->tabs()->widget(t)));
    EXPECT_FALSE(w->isChanged());
    ASSERT_TRUE(w->saveLoan(plain));
    EXPECT_EQ(readAll(plain), before);

    // An escrow change: the payment dialog proposes the escrow then in force.
    show(w->changesPage());
    answerChange("03/01/27", DatedChange::Kind::Escrow, "512.50");
    trigger("&Add");
    QString proposed;
    prompts.paymentDialog = [&](PaymentDialog &dlg) { proposed = dlg.escrowText(); };
    show(w->paymentsPage());
    trigger("&Make");
    EXPECT_EQ(proposed, "512.50");

    open("House.qhv", houseLoan(0));
    show(w->quotePage());
    w->quotePage()->option(ExtraMode::EveryPayment)->click();
    w->quotePage()->amountBox()->setText("200");
    QString file = path("House.qhv");
    ASSERT_TRUE(w->saveLoan(file));
    MainWindow *again = start(file);
    EXPECT_TRUE(again->quotePage()->option(ExtraMode::EveryPayment)->isChecked());
    EXPECT_EQ(again->quotePage()->amountBox()->text(), "200.00");
    EXPECT_EQ(again->windowTitle(), "Quillhaven  (House.qhv)");
}

// The known loan of a recast after a lump sum, as the command line writes its
// Actual view from a file that keeps the change (the rate path is the loan
// arithmetic's own test).
TEST_F(ChangesTest, ARecastAfterALumpSumComesOutOfTheFileToTheCent)
{
    LoanDocument doc;
    LoanTerms::Texts texts;
    texts[LoanAmount] = "100,000.00";
    texts[AnnualRate] = "6";
    texts[NumberOfPayments] = "360";
    doc.setTerms(Terms::read(texts, "01/01/27"));
    doc.setChanges({{QDate(2028, 12, 1), DatedChange::Kind::Recast, 0}});
    for (int k = 1; k <= 24; ++k)
        doc.appendPayment({0, k == 24 ? 10000.0 : 0.0, "01/01/27"});
    QString recast = path("Recast.qhv");
    ASSERT_TRUE(doc.save(recast));
    auto csv = [](const QStringList &args) {
        QProcess p;
        p.start(QStringLiteral(QH_PROGRAM), QStringList{"--csv"} + args);
        EXPECT_TRUE(p.waitForFinished(30000));
        return qhtest::readCsv(QString::fromUtf8(p.readAllStandardOutput()));
    };
    const auto actual = csv({"actual", recast});
    EXPECT_EQ(actual.at(24).at(2), "10111.65");
    EXPECT_EQ(actual.at(24).at(4), "87468.26");
    EXPECT_NEAR(actual.at(25).at(2).toDouble() + actual.at(25).at(3).toDouble(), 538.04, 1e-9);
    EXPECT_EQ(actual.size(), 361u);
    EXPECT_EQ(actual.at(360).at(5), "105169.22");
    // The recast moves the payments after it, not the one it follows.
    EXPECT_EQ(csv({"payments", recast}).at(24).at(2), "599.55");
}
