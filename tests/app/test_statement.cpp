// The servicer's statement through the window: imported from a CSV whose
// columns the user checks, matched to the ledger (a payment the servicer
// never listed, a fee), its two later payments recorded in one step, a
// second import over the first, removal, undo, the file, a dropped file, a
// statement of another loan; the reconciliation shown, exported and written
// by the command line.
#include "document/loandocument.h"
#include "controls/exportbutton.h"
#include "ledger/reconciliationview.h"
#include "ledger/statementdialog.h"
#include "mainwindowfixture.h"

#include <QAction>
#include <QMenu>
#include <QDropEvent>
#include <QMimeData>
#include <QProcess>
#include <QToolButton>

namespace {

// The standard loan's payments 1, 2, 4, 5 (with 100.00 of extra principal)
// and 6 as its servicer lists them, an escrow disbursement among them; the
// principal under a heading no servicer's word names.
const QByteArray kStatement =
    "Date,Amt,Interest,Escrow,Balance\r\n"
    "01/15/2008,99.55,500.00,250.00,\"99,900.45\"\r\n"
    "02/15/2008,100.05,499.50,250.00,\"99,800.40\"\r\n"
    "04/15/2008,101.05,498.50,250.00,\"99,598.80\"\r\n"
    "04/20/2008,,,\"(1,200.00)\",\r\n"
    "05/15/2008,201.56,497.99,255.00,\"99,397.24\"\r\n"
    "06/15/2008,102.56,496.99,255.00,\"99,294.68\"\r\n";

class StatementTest : public MainWindowFixture {
protected:
    // Imports `name` holding `bytes`, the dialog's second column chosen as
    // the principal when `principal`; the columns offered are kept.
    void import(const QString &name, const QByteArray &bytes, bool principal = true)
    {
        writeBytes(path(name), bytes);
        offered.clear();
        prompts.otherDialog = [this, principal](QDialog &d) {
            auto &dlg = static_cast<StatementDialog &>(d);
            offered = dlg.columns();
            if (principal)
                dlg.setColumn(1, StatementColumn::Principal);
            if (dlg.importButton()->isEnabled())
                dlg.accept();
        };
        choose(name);
        page()->importAction()->trigger();
    }
    PaymentsPage *page() const { return w->paymentsPage(); }
    LoanDocument &document() const { return w->document(); }
    QString date(int k) const { return page()->grid()->cell(k, 1); }
    std::vector<StatementColumn> offered;
};

} // namespace

TEST_F(StatementTest, ImportedMatchedAndItsLaterPaymentsRecordedInOneStep)
{
    open("House.qhv", standardLoan(4));
    show(page());
    import("history.csv", kStatement);
    ASSERT_EQ(document().statement().lines.size(), 6u);
    EXPECT_EQ(offered[1], StatementColumn::Ignored);   // "Amt" names nothing
    EXPECT_EQ(page()->statementLine()->text(),
              "Statement: 3 of 5 payments matched (✓); 2 to record; 1 other line");
    EXPECT_EQ(page()->statementLine()->toolTip(),
              "Not payments (fees, escrow disbursements): 04/20/08");
    // The servicer never listed payment 3.
    EXPECT_EQ(QStringList({date(1), date(2), date(3), date(4)}),
              QStringList({"01/15/08✓", "02/15/08✓", "03/15/08", "04/15/08✓"}));

    ASSERT_TRUE(page()->recordAction()->isEnabled());
    EXPECT_EQ(page()->recordAction()->text(), "Re&cord 2 payments from the statement");
    page()->recordAction()->trigger();
    const auto &payments = document().payments();
    ASSERT_EQ(payments.paymentsMade(), 6);
    EXPECT_EQ(payments.at(5), (PaymentRecord{255, 100, "05/15/08"}));
    EXPECT_EQ(payments.at(6), (PaymentRecord{255, 0, "06/15/08"}));
    EXPECT_EQ(date(6), "06/15/08✓");
    EXPECT_FALSE(page()->recordAction()->isEnabled());

    // Undone step by step: the two payments together, then the import.
    document().undoStack().undo();
    EXPECT_EQ(payments.paymentsMade(), 4);
    document().undoStack().undo();
    EXPECT_TRUE(document().statement().isEmpty());
    EXPECT_TRUE(page()->statementLine()->isHidden());
    EXPECT_EQ(date(1), "01/15/08");
    document().undoStack().redo();
    document().undoStack().redo();
    EXPECT_EQ(payments.paymentsMade(), 6);

    // Kept with the file, and offered again with the column chosen.
    QString file = path("House.qhv");
    ASSERT_TRUE(w->saveLoan(file));
    open("Again.qhv", LoanFile::read(path("House.qhv")).data);
    show(page());
    EXPECT_EQ(document().statement().lines.size(), 6u);
    EXPECT_EQ(page()->statementLine()->text(), "Statement: 5 of 5 payments matched (✓); 1 other line");

    // A second history over the last two months and one more: no line twice.
    import("later.csv", "Date,Amt,Interest\r\n06/15/2008,102.56,496.99\r\n"
                        "05/15/2008,201.56,497.99\r\n07/15/2008,103.08,496.47\r\n", false);
    EXPECT_EQ(offered[1], StatementColumn::Principal);
    ASSERT_EQ(document().statement().lines.size(), 7u);
    EXPECT_FALSE(document().statement().lines[5].escrow.has_value()); // the new line's, as read
    EXPECT_EQ(page()->recordAction()->text(), "Re&cord 1 payment from the statement");

    page()->removeAction()->trigger();
    EXPECT_TRUE(document().statement().isEmpty());
    document().undoStack().undo();
    EXPECT_EQ(document().statement().lines.size(), 7u);
}

TEST_F(StatementTest, ADroppedFileAnotherLoansStatementAndABadLineAreAskedOrRefused)
{
    open("House.qhv", standardLoan(4));
    // A statement whose first balance is another loan's: asked, No by default.
    prompts.answers.push_back(QMessageBox::No);
    import("other.csv", "Date,Principal,Interest,Balance\n01/15/2008,99.55,500,150000\n");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              "The statement \"other.csv\" may be of another loan: before payment 1 its balance "
              "is 150,099.55, the loan's 100,000.00. Import it all the same?");
    EXPECT_EQ(prompts.messages[0].defaultButton, QMessageBox::No);
    EXPECT_TRUE(document().statement().isEmpty());

    import("bad.csv", "Date,Principal\n01/15/2008,99.55\n02/30/2008,100.05\n");
    EXPECT_EQ(prompts.messages.back().text,
              "The statement \"bad.csv\" could not be imported: line 3: \"02/30/2008\" is not a "
              "date (MM/DD/YYYY, MM/DD/YY or YYYY-MM-DD). Nothing was imported.");
    EXPECT_TRUE(document().statement().isEmpty());
    EXPECT_FALSE(document().isChanged());

    // A .csv dropped on the window is imported on the Payments tab.
    writeBytes(path("dropped.csv"), kStatement);
    prompts.otherDialog = [](QDialog &d) {
        static_cast<StatementDialog &>(d).setColumn(1, StatementColumn::Principal);
        d.accept();
    };
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path("dropped.csv"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
    EXPECT_EQ(w->tabs()->currentWidget(), page());
    EXPECT_EQ(document().statement().lines.size(), 6u);
}

namespace {

// The standard loan's first four payments as its own arithmetic has them,
// and as a servicer that rounded payment 3's interest up by a cent has them.
const QByteArray kAgreeing = "Date,Principal,Interest,Escrow,Balance\n"
                             "01/15/2008,99.55,500.00,250,99900.45\n"
                             "02/15/2008,100.05,499.50,250,99800.40\n"
                             "03/15/2008,100.55,499.00,250,99699.85\n"
                             "04/15/2008,101.05,498.50,250,99598.80\n";
const QByteArray kRoundedUp = "Date,Principal,Interest,Escrow,Balance\n"
                              "01/15/2008,99.55,500.00,250,99900.45\n"
                              "02/15/2008,100.05,499.50,250,99800.40\n"
                              "03/15/2008,100.54,499.01,250,99699.86\n"
                              "04/15/2008,101.05,498.50,250,99598.81\n";

} // namespace

TEST_F(StatementTest, TheReconciliationSelectsTheFirstDifferenceAndTheCommandLineWritesIt)
{
    open("House.qhv", standardLoan(4));
    show(page());
    EXPECT_TRUE(page()->reconcileButton()->isHidden());
    import("rounded.csv", kRoundedUp, false);
    ASSERT_FALSE(page()->reconcileButton()->isHidden());
    page()->reconcileButton()->click();
    ASSERT_TRUE(page()->isReconciling());
    ReconciliationView *view = page()->reconciliation();
    QTRY_VERIFY(view->isVisible());
    EXPECT_FALSE(page()->grid()->isVisible());
    EXPECT_FALSE(page()->exportButton()->isVisible()); // the view has its own
    const QString summary = view->summary()->text();
    EXPECT_TRUE(summary.startsWith("From payment 3 (03/15/08) the statement's balance is 0.01 "
                                   "above the loan's: "))
        << summary.toStdString();
    const Grid *grid = view->grid();
    EXPECT_EQ(grid->row(), 3);
    QStringList findings;
    for (int r = 1; r < grid->rows(); ++r)
        findings << grid->cell(r, 2);
    EXPECT_EQ(findings, QStringList({"agrees", "agrees", "rounding", "carried"}));
    EXPECT_EQ(QStringList({grid->cell(3, 3), grid->cell(3, 4), grid->cell(3, 5)}),
              QStringList({"0.01", "99,699.86", "99,699.85"}));

    // Exported through the view's Export button: the CSV is the command
    // line's (below), the PDF heads its pages with the summary.
    choose("reconciled.csv");
    runMenu(view->exportButton(), "Export CSV...");
    choose("rounded.pdf");
    runMenu(view->exportButton(), "Export PDF...");
    const QString pdf = pdfText(path("rounded.pdf")).simplified();
    EXPECT_TRUE(pdf.contains("From payment 3 (03/15/08) the statement's balance is 0.01 above"));
    EXPECT_TRUE(pdf.contains("3 03/15/08 rounding 0.01 99,699.86 99,699.85")) << pdf.toStdString();

    // A payment recorded while reconciling shows at once, as one the
    // statement lacks; back to the ledger when the statement goes.
    prompts.paymentDialog = [](PaymentDialog &d) {
        d.setDateText("05/15/08");
        d.okButton()->click();
    };
    trigger("&Make");
    QTRY_COMPARE(grid->rows(), 6);
    EXPECT_EQ(grid->cell(5, 2), "missing-in-statement");

    page()->removeAction()->trigger();
    EXPECT_FALSE(page()->isReconciling());
    EXPECT_TRUE(page()->grid()->isVisible());
    document().undoStack().undo();   // the removal
    document().undoStack().undo();   // the payment

    QString file = path("House.qhv");
    ASSERT_TRUE(w->saveLoan(file));
    // The statement kept, as read: plain decimals, ISO dates, absent columns empty.
    QProcess p;
    p.start(QStringLiteral(QH_PROGRAM), {"--csv", "statement", file});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_TRUE(p.readAllStandardOutput().startsWith("date,principal,interest,escrow,extra,total,balance\r\n"
                                                     "2008-01-15,99.55,500,250,,,99900.45\r\n"));
    p.start(QStringLiteral(QH_PROGRAM), {"--csv", "reconcile", file});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    const QByteArray csv = p.readAllStandardOutput();
    EXPECT_EQ(csv, readAll(path("reconciled.csv")));
    const QList<QByteArray> lines = csv.split('\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_TRUE(lines[3].startsWith("3,2008-03-15,100.54,499.01,250,99699.86,100.55,499,250,"
                                    "99699.85,0.01,rounding,"))
        << lines[3].constData();
    EXPECT_EQ(p.readAllStandardError().trimmed(), summary.toUtf8());

    writeBytes(path("agreeing.csv"), kAgreeing);
    p.start(QStringLiteral(QH_PROGRAM), {"--csv", "reconcile", "--statement", path("agreeing.csv"), file});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(p.readAllStandardOutput().count(",agrees,"), 4);
    EXPECT_EQ(p.readAllStandardError(), "Agrees to the cent through payment 4 (04/15/08).\n");

    // A loan that keeps no statement has nothing to reconcile.
    writeLoan(path("Plain.qhv"), standardLoan(4));
    p.start(QStringLiteral(QH_PROGRAM), {"--csv", "reconcile", path("Plain.qhv")});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_EQ(p.readAllStandardError(), "The loan file \"Plain.qhv\" keeps no statement to "
                                        "reconcile: import one, or name one with --statement.\n");
}
