// The command line: the CSV written with no display at all, checked against
// known answers and the grids a window shows for the same file; usage and
// unusable files; a file
// argument opened in the window, never created; a file open in another
// running Quillhaven refused.
#include "app/commandline.h"
#include "app/loanguard.h"
#include "mainwindowfixture.h"
#include "tablereader.h"

#include <QProcess>

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
    // The program's own environment, kept out of the user's folders.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            env.insert(name, dir.path());
        return env;
    }
    // Runs the program with no display at all: no platform named, no X.
    Outcome run(const QStringList &args) const
    {
        QProcessEnvironment env = environment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(name);
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(QH_PROGRAM), args);
        EXPECT_TRUE(p.waitForFinished(30000));
        Outcome r;
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }
    // The rows a window shows in `grid`, amounts without their grouping.
    static std::vector<QStringList> gridRows(const Grid *grid)
    {
        std::vector<QStringList> out;
        for (int r = 1; r < grid->rows() && !grid->cell(r, 1).isEmpty(); ++r) {
            QStringList row;
            for (int c = 0; c < grid->cols(); ++c)
                row << (c == 1 ? QString() : grid->cell(r, c).remove(u','));
            out.push_back(row);
        }
        return out;
    }
};

} // namespace

TEST_F(CommandLineTest, EveryKindGivesTheNumbersTheWindowShows)
{
    w = start(path("Fixed.qhv"));
    showTab(1);
    const struct {
        QStringList args;
        ScheduleView view;
        ExtraMode mode;
        QString amount, payment;
        bool withRecorded;
    } cases[] = {
        {{"schedule"}, ScheduleView::Contract, ExtraMode::None, {}, {}, false},
        {{"actual"}, ScheduleView::Actual, ExtraMode::None, {}, {}, false},
        {{"projected", "--extra", "100"}, ScheduleView::Projected, ExtraMode::EveryPayment, "100", "1", false},
        {{"projected", "--extra", "100", "--with-recorded"}, ScheduleView::Projected,
         ExtraMode::EveryPayment, "100", "1", true},
        {{"projected", "--extra", "1,000", "--payment", "5", "--with-recorded"},
         ScheduleView::Projected, ExtraMode::OnePayment, "1,000", "5", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        QuotePage *quote = w->quotePage();
        if (c.mode != ExtraMode::None) {
            quote->option(c.mode)->setChecked(true);
            quote->amountBox()->setText(c.amount);
            quote->paymentBox()->setText(c.payment);
            quote->includeActual()->setChecked(c.withRecorded);
        }
        w->buildSchedule(c.view);
        const Outcome r = run(QStringList{"--csv"} + c.args + QStringList{path("Fixed.qhv")});
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        bool ok = false;
        auto csv = qhtest::readCsv(r.out, &ok);
        ASSERT_TRUE(ok);
        EXPECT_EQ(csv[0].join(u','), "Payment,Date,Principal,Interest,Principal Bal,Total Interest");
        const auto shown = gridRows(w->amortizationPage()->grid());
        ASSERT_EQ(csv.size(), shown.size() + 1);
        for (size_t i = 1; i < csv.size(); ++i) {
            EXPECT_EQ(csv[i][1], QDate(2008, 1, 15).addMonths(int(i) - 1).toString(Qt::ISODate));
            csv[i][1].clear();
            ASSERT_EQ(csv[i], shown[i - 1]) << i;
        }
    }

    showTab(2);
    const Outcome r = run({"--csv", "payments", path("Fixed.qhv")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    auto csv = qhtest::readCsv(r.out);
    ASSERT_EQ(csv.size(), 4u);
    EXPECT_EQ(csv[1].join(u','), "1,2008-01-15,599.55,250.00,50.00,899.55");
    EXPECT_EQ(csv[2][1], "pending");
    const auto shown = gridRows(w->paymentsPage()->grid());
    for (size_t i = 1; i < csv.size(); ++i) {
        csv[i][1].clear();
        EXPECT_EQ(csv[i], shown[i - 1]) << i;
    }
}

TEST_F(CommandLineTest, UsageAndUnusableFiles)
{
    QFile damaged(path("Damaged.qhv")); // five records, none there
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(512, '\0') + QByteArray("\x05\x00", 2));
    damaged.close();
    const QString fixed = path("Fixed.qhv");
    // Usage and file problems go to the error stream, help and version out.
    const struct { QStringList args; int code; QString text; } cases[] = {
        {{"--csv", "monthly", fixed}, 2, "Usage:"},
        {{"--csv", "schedule"}, 2, "Usage:"},
        {{"--csv", "projected", fixed}, 2, "--extra"},
        {{"--csv", "projected", "--extra", "ten", fixed}, 2, "--extra"},
        {{"--csv", "projected", "--extra", "10", "--payment", "40000", fixed}, 2, "--payment"},
        {{"--csv", "schedule", "--extra", "10", fixed}, 2, "go with --csv projected"},
        {{"--csv", "schedule", path("Missing.qhv")}, 1, "The loan file \"Missing.qhv\" does not exist.\n"},
        {{"--csv", "actual", path("Damaged.qhv")}, 1, "is damaged and was not loaded"},
        {{"--csv", "payments", dir.path()}, 1, "is a folder"},
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
    }
    EXPECT_FALSE(QFile::exists(path("Missing.qhv")));
}

TEST_F(CommandLineTest, FileArgumentOpensInTheWindowAndIsNeverCreated)
{
    CurrentLoan::writeSetting(path("Remembered.qhv"));
    EXPECT_EQ(CommandLine::prepareWindow({"quillhaven", path("Fixed.qhv")}), -1);
    MainWindow *w = start(CurrentLoan::path);
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (Fixed.qhv)");
    EXPECT_EQ(w->field(LoanAmount)->text(), "100,000.00");
    EXPECT_TRUE(prompts.messages.empty());

    EXPECT_EQ(CommandLine::prepareWindow({"quillhaven", path("Missing.qhv")}), -1);
    MainWindow *w2 = start(CurrentLoan::path);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "The loan file \"Missing.qhv\" does not exist.");
    EXPECT_EQ(w2->windowTitle(), "Quillhaven  (no file)");
    EXPECT_EQ(w2->field(LoanAmount)->text(), "");
    EXPECT_EQ(CurrentLoan::path, "");
    EXPECT_FALSE(QFile::exists(path("Missing.qhv")));
    EXPECT_EQ(CurrentLoan::readSetting(), path("Remembered.qhv"));

    for (const QStringList &args : {QStringList{"quillhaven", "a.qhv", "b.qhv"},
                                    QStringList{"quillhaven", "--bogus"},
                                    QStringList{"quillhaven", "--extra", "5", "a.qhv"}})
        EXPECT_EQ(CommandLine::prepareWindow(args), 2) << args.join(u' ').toStdString();
}

TEST_F(CommandLineTest, FileOpenInAnotherProcessIsRefused)
{
    const QString shared = path("Fixed.qhv");
    const QByteArray before = readAll(shared);
    QProcess other;
    QProcessEnvironment env = environment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    other.setProcessEnvironment(env);
    other.start(QStringLiteral(QH_PROGRAM), {shared});
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(LoanGuard::lockPath(shared)); }, 20000));

    w = start(shared);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              "The loan file \"Fixed.qhv\" is open in another Quillhaven window and was not opened.");
    EXPECT_EQ(w->windowTitle(), "Quillhaven  (no file)");
    EXPECT_EQ(w->field(LoanAmount)->text(), "");

    MainWindow *mine = open("Mine.qhv", standardLoan());
    choose("Fixed.qhv");
    prompts.answers = {QMessageBox::Yes}; // replace the other file
    mine->runPictureAction(PictureAction::Save);
    ASSERT_EQ(prompts.messages.size(), 3u);
    EXPECT_EQ(prompts.messages[2].text,
              "The loan file \"Fixed.qhv\" is open in another Quillhaven window; the loan was not saved.");
    choose("Fixed.qhv");
    mine->runPictureAction(PictureAction::New);
    EXPECT_EQ(prompts.messages.back().text,
              "The loan file \"Fixed.qhv\" is open in another Quillhaven window and was not replaced.");
    EXPECT_EQ(readAll(shared), before);
    EXPECT_EQ(mine->windowTitle(), "Quillhaven  (Mine.qhv)");

    // Once that process is gone its lock counts for nothing.
    other.kill();
    ASSERT_TRUE(other.waitForFinished(10000));
    QString again = shared;
    EXPECT_TRUE(mine->loadLoan(again));
    EXPECT_EQ(mine->windowTitle(), "Quillhaven  (Fixed.qhv)");
}
