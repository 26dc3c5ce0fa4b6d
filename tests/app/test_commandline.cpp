// The command line: the CSV written with no display at all, checked against
// the grids a window shows for the same file; usage and unusable files; a
// file argument opened in the window, never created; a file open in another
// running Quillhaven refused under any of its names; a settings file that is
// a pipe, ignored at the start.
#include "app/commandline.h"
#include "document/loanguard.h"
#include "mainwindowfixture.h"
#include "tablereader.h"

#include <QAction>
#include <QProcess>
#include <sys/stat.h>

using namespace LoanTerms;

namespace {

struct Outcome {
    int code = -1;
    QString out, err;
};

class CommandLineTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        LoanFileData d = standardLoan(3, 50);
        d.payments[1].payDate = "pending ";
        writeLoan(path("Fixed.qhv"), d);
    }
    // Starts the program with its settings kept out of the user's folders and
    // no display at all (no platform named, no X) unless `platform` is given.
    void launch(QProcess &p, const QStringList &args, const char *platform = nullptr) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            env.insert(name, dir.path());
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(name);
        if (platform)
            env.insert("QT_QPA_PLATFORM", platform);
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(QH_PROGRAM), args);
    }
    Outcome run(const QStringList &args) const
    {
        QProcess p;
        launch(p, args);
        EXPECT_TRUE(p.waitForFinished(30000));
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
};

} // namespace

TEST_F(CommandLineTest, EveryKindGivesTheNumbersTheWindowShows)
{
    w = start(path("Fixed.qhv"));
    const struct { QStringList args; ScheduleView view; ExtraMode mode; QString amount, payment; } cases[] = {
        {{"schedule"}, ScheduleView::Contract, ExtraMode::None, {}, {}},
        {{"actual"}, ScheduleView::Actual, ExtraMode::None, {}, {}},
        {{"projected", "--extra", "100"}, ScheduleView::Projected, ExtraMode::EveryPayment, "100", "1"},
        {{"projected", "--extra", "1,000", "--payment", "5", "--with-recorded"},
         ScheduleView::Projected, ExtraMode::OnePayment, "1,000", "5"},
        {{"payments"}, ScheduleView::Contract, ExtraMode::None, {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const bool ledger = c.args[0] == "payments";
        show(ledger ? static_cast<CommandPage *>(w->paymentsPage()) : w->amortizationPage());
        QuotePage *quote = w->quotePage();
        if (c.mode != ExtraMode::None) {
            quote->option(c.mode)->setChecked(true);
            quote->amountBox()->setText(c.amount);
            quote->paymentBox()->setText(c.payment);
            quote->includeActual()->setChecked(c.args.contains("--with-recorded"));
        }
        w->amortizationPage()->build(c.view);
        const Outcome r = run(QStringList{"--csv"} + c.args + QStringList{path("Fixed.qhv")});
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        bool ok = false;
        const auto csv = qhtest::readCsv(r.out, &ok);
        ASSERT_TRUE(ok);
        const Grid *shown = ledger ? w->paymentsPage()->grid() : w->amortizationPage()->grid();
        EXPECT_EQ(std::vector(csv.begin() + 1, csv.end()), plainRows(shown));
    }
}

TEST_F(CommandLineTest, UsageAndUnusableFiles)
{
    // Five records, none there.
    writeBytes(path("Damaged.qhv"), QByteArray(512, '\0') + QByteArray("\x05\x00", 2));
    writeBytes(path("Garbage.qhv"), "garbage");
    writeBytes(path("Bad.csv"), "Date,Principal\n01/15/2008,1\n02/15/2008,x\n");
    const std::pair<int, double> badTerms[] = {
        {AnnualRate, 0}, {NumberOfPayments, 40000}, {NumberOfPayments, 0.5}, {AnnualRate, 1e-300}};
    for (const auto &[field, value] : badTerms) {
        LoanFileData d = standardLoan();
        d.terms[size_t(field)] = value;
        writeLoan(path(QString("Bad%1.qhv").arg(value)), d);
    }
    const QString fixed = path("Fixed.qhv");
    const QString amount = "--extra takes an amount from 0 to 999,999,999.99";
    const QString number = "--payment takes a payment number from 1 to 32,767";
    const QStringList projected{"--csv", "projected", "--extra"};
    // Usage and file problems go to the error stream, help and version out.
    const struct { QStringList args; int code; QString text; } cases[] = {
        {{"--csv", "monthly", fixed}, 2, "not \"monthly\". See quillhaven --help.\n"},
        {{"--csv", "projected", fixed}, 2, "--extra"},
        {projected + QStringList{"-1", fixed}, 2, amount},
        {projected + QStringList{"1000000000", fixed}, 2, amount},
        {projected + QStringList{"100,5", fixed}, 2, amount},
        {projected + QStringList{"1,,000", fixed}, 2, amount},
        {projected + QStringList{"10", "--payment", "0", fixed}, 2, number},
        {projected + QStringList{"10", "--payment=-5", fixed}, 2, number},
        {projected + QStringList{"10", "--payment", "1.5", fixed}, 2, number},
        {projected + QStringList{"10", "--payment", "40000", fixed}, 2, number},
        {{"--csv", "schedule", "--extra", "10", fixed}, 2, "go with --csv projected"},
        // Terms the window would not compute: its own why line, no table.
        {{"--csv", "schedule", path("Bad0.qhv")}, 1, "Enter an annual rate above 0\n"},
        {{"--csv", "schedule", path("Bad40000.qhv")}, 1, "Number of payments: from 1 to 32,767\n"},
        {{"--csv", "schedule", path("Bad0.5.qhv")}, 1, "Number of payments: from 1 to 32,767\n"},
        {{"--csv", "actual", path("Bad1e-300.qhv")}, 1, "The annual rate is too small"},
        {{"--csv", "payments", path("Garbage.qhv")}, 1, "Enter a loan amount above 0\n"},
        {{"--csv", "schedule", path("Missing.qhv")}, 1, "The loan file \"Missing.qhv\" does not exist.\n"},
        {{"--csv", "actual", path("Damaged.qhv")}, 1, "is damaged and was not loaded"},
        {{"--csv", "payments", dir.path()}, 1, "is a folder"},
        {{"--csv", "schedule", "--statement", "a.csv", fixed}, 2, "--statement goes with --csv"},
        {{"--csv", "reconcile", fixed}, 1, "keeps no statement to reconcile"},
        {{"--csv", "statement", "--statement", path("Bad.csv"), fixed}, 1,
         "The statement \"Bad.csv\" could not be read: line 3: \"x\" in the Principal column is "
         "not an amount.\n"},
        {{"--help"}, 0, "--csv <kind>"},
        {{"--version"}, 0, "Quillhaven 1.0.0\n"},
    };
    for (const auto &c : cases) {
        const Outcome r = run(c.args);
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        EXPECT_EQ(r.code, c.code);
        EXPECT_TRUE((c.code == 0 ? r.out : r.err).contains(c.text))
            << r.out.toStdString() << r.err.toStdString();
        if (c.code != 0)
            EXPECT_EQ(r.out, "");
        if (c.code == 2)
            EXPECT_EQ(r.err.count(u'\n'), 1); // one line, not the whole help again
    }
    EXPECT_FALSE(QFile::exists(path("Missing.qhv")));

    // Help and version that cannot be written are no success.
    for (const char *arg : {"--help", "--version"}) {
        QProcess p;
        p.setStandardOutputFile("/dev/full");
        launch(p, {arg});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 1) << arg;
    }
}

// A loan whose down payment does not round back to its percentage opens the
// same at start-up, by Open after a field had the focus, from the command line
// and in --csv, and a save with nothing typed writes the bytes it had; a file
// argument that is not there is never created.
TEST_F(CommandLineTest, ALoanOpensTheSameHoweverItIsOpened)
{
    LoanFileData d = standardLoan();
    d.terms[Price] = 250000;
    d.terms[DownPercent] = 6.66667;
    d.terms[DownAmount] = 16666.67;
    writeLoan(path("Raw.qhv"), d);
    w = start(path("Raw.qhv")); // the window writes the computed terms as it keeps them
    w->termsForm()->calculatePayment();
    QString odd = path("Odd.qhv");
    ASSERT_TRUE(w->saveLoan(odd));
    const QByteArray bytes = readAll(odd);
    auto shown = [](MainWindow *m) {
        QStringList t;
        for (int i = 0; i < kFieldCount; ++i)
            t << (m->field(i) ? m->field(i)->text() : QString());
        return t;
    };

    MainWindow *atStart = start(odd);
    EXPECT_EQ(atStart->field(LoanAmount)->text(), "233,333.33");
    const QStringList expected = shown(atStart);

    MainWindow *opened = start(path("Fixed.qhv"));
    typeInto(opened->field(DownPercent), "5");
    typeInto(opened->field(AnnualRate), "6"); // the focus stays in the terms
    prompts.answers = {QMessageBox::No};      // the changed loan before is not saved
    choose("Odd.qhv");
    opened->runPictureAction(PictureAction::Open);
    EXPECT_EQ(shown(opened), expected);

    QString named_;
    ASSERT_EQ(CommandLine::prepareWindow({"quillhaven", odd}, &named_), -1);
    MainWindow *named = start(named_);
    EXPECT_EQ(shown(named), expected);
    for (MainWindow *m : {atStart, opened, named}) {
        QString copy = path("Copy.qhv");
        ASSERT_TRUE(m->saveLoan(copy));
        EXPECT_EQ(readAll(copy), bytes);
    }
    // --csv gives the schedule of the loan the window shows.
    w = atStart;
    show(w->amortizationPage());
    trigger("&Schedule");
    const Outcome r = run({"--csv", "schedule", odd});
    ASSERT_EQ(r.code, 0);
    const auto csv = qhtest::readCsv(r.out);
    EXPECT_EQ(csv.at(1), plainRows(atStart->amortizationPage()->grid()).at(0));

    // A file argument that is not there is said, never created, and leaves
    // the loan remembered as it was; two files are a usage error.
    Settings().rememberFile(path("Remembered.qhv"));
    QString missing;
    EXPECT_EQ(CommandLine::prepareWindow({"quillhaven", path("Missing.qhv")}, &missing), -1);
    EXPECT_EQ(start(missing)->windowTitle(), "Quillhaven  (no file)");
    EXPECT_EQ(prompts.messages.back().text, "The loan file \"Missing.qhv\" does not exist.");
    EXPECT_FALSE(QFile::exists(path("Missing.qhv")));
    EXPECT_EQ(Settings().rememberedFile().value_or(QString()), path("Remembered.qhv"));
    EXPECT_EQ(CommandLine::prepareWindow({"quillhaven", "a.qhv", "b.qhv"}), 2);
}

TEST_F(CommandLineTest, FileOpenInAnotherProcessIsRefused)
{
    const QString shared = path("Fixed.qhv");
    const QByteArray before = readAll(shared);
    QProcess other;
    launch(other, {shared}, "offscreen");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(LoanGuard::lockPath(shared)); }, 20000));

    // Under its own name, a symbolic link's, or through a linked folder.
    ASSERT_TRUE(QFile::link(shared, path("Alias.qhv")));
    ASSERT_TRUE(QFile::link(dir.path(), path("Via")));
    for (const QString &name : {shared, path("Alias.qhv"), path("Via/Fixed.qhv")}) {
        prompts.messages.clear();
        w = start(name);
        EXPECT_EQ(prompts.messages.at(0).text,
                  QString("The loan file \"%1\" is open in another Quillhaven window and was not opened.")
                      .arg(QFileInfo(name).fileName()));
        EXPECT_EQ(w->windowTitle(), "Quillhaven  (no file)");
    }
    prompts.messages.clear();

    MainWindow *mine = open("Mine.qhv", standardLoan());
    choose("Fixed.qhv");
    prompts.answers = {QMessageBox::Yes}; // replace the other file
    mine->runPictureAction(PictureAction::Save);
    EXPECT_EQ(prompts.messages.at(1).text,
              "The loan file \"Fixed.qhv\" is open in another Quillhaven window; the loan was not saved.");
    choose("Fixed.qhv");
    mine->runPictureAction(PictureAction::New);
    EXPECT_EQ(prompts.messages.back().text,
              "The loan file \"Fixed.qhv\" is open in another Quillhaven window and was not replaced.");
    // Nor does an export write over it.
    choose("Fixed.qhv", 2);
    for (QAction *a : mine->paymentsPage()->grid()->actions())
        if (a->text() == "Export CSV...")
            a->trigger();
    EXPECT_EQ(prompts.messages.back().text,
              "Fixed.qhv is a loan file open in a Quillhaven window; an export cannot replace it.");
    EXPECT_EQ(readAll(shared), before);
    EXPECT_EQ(mine->windowTitle(), "Quillhaven  (Mine.qhv)");

    // Once that process is gone its lock counts for nothing.
    other.kill();
    ASSERT_TRUE(other.waitForFinished(10000));
    QString again = shared;
    EXPECT_TRUE(mine->loadLoan(again));
    EXPECT_EQ(mine->windowTitle(), "Quillhaven  (Fixed.qhv)");
}

TEST_F(CommandLineTest, ASettingsFileThatIsAPipeIsIgnoredAndTheStartGoesOn)
{
    const QString settings = path("Quillhaven/Quillhaven.conf");
    ASSERT_TRUE(QDir().mkpath(path("Quillhaven")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(settings).constData(), 0600), 0);
    QProcess program;
    launch(program, {}, "offscreen");
    // The start reaches the sample loan, whose lock shows it open; a start
    // held in open() fails here, and the program is ended either way.
    const QString sample = LoanGuard::lockPath(path("Quillhaven/Quillhaven/Sample.qhv"));
    const bool started = QTest::qWaitFor([&] { return QFile::exists(sample); }, 20000);
    program.kill();
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_TRUE(started);
    EXPECT_TRUE(QString::fromLocal8Bit(program.readAllStandardError())
                    .contains(QString("The settings file %1 is a pipe, not a file, and was ignored").arg(settings)));
}
