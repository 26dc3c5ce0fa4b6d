#include "commandline.h"

#include "app/startingloan.h"
#include "document/loandocument.h"
#include "loan/numtext.h"
#include "loan/plaintable.h"
#include "loan/schedule.h"
#include "storage/loanfile.h"
#include "storage/loanfileterms.h"
#include "storage/statementreader.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>
#include <memory>

namespace CommandLine {

namespace {

struct Options {
    QCommandLineOption help;
    QCommandLineOption version;
    QCommandLineOption csv{QStringLiteral("csv"),
                           QStringLiteral("Write the CSV of <kind> to standard output, with no "
                                          "window: schedule (as contracted), actual (with the "
                                          "recorded extra principal), projected (with the "
                                          "planned extra principal), payments (the payment "
                                          "ledger), changes (the dated changes), statement "
                                          "(the servicer's statement kept with the loan) or "
                                          "reconcile (that statement beside the loan, payment "
                                          "by payment, the summary on standard error)."),
                           QStringLiteral("kind")};
    QCommandLineOption extra{QStringLiteral("extra"),
                             QStringLiteral("With --csv projected: the extra principal paid."),
                             QStringLiteral("amount")};
    QCommandLineOption payment{QStringLiteral("payment"),
                               QStringLiteral("With --csv projected: pay the extra principal with "
                                              "payment K only (without it: with every payment)."),
                               QStringLiteral("K")};
    QCommandLineOption statement{QStringLiteral("statement"),
                                 QStringLiteral("With --csv statement or reconcile: read this "
                                                "servicer's CSV as an import would, without "
                                                "keeping it."),
                                 QStringLiteral("file")};
    QCommandLineOption withRecorded{QStringLiteral("with-recorded"),
                                    QStringLiteral("With --csv projected: add the extra principal "
                                                   "recorded in the ledger.")};

    explicit Options(QCommandLineParser &parser)
        : help(parser.addHelpOption())
        , version(parser.addVersionOption())
    {
        parser.setApplicationDescription(QStringLiteral(QH_FILE_DESCRIPTION));
        parser.addOption(csv);
        parser.addOption(extra);
        parser.addOption(payment);
        parser.addOption(withRecorded);
        parser.addOption(statement);
        parser.addPositionalArgument(QStringLiteral("file"),
                                     QStringLiteral("The loan file (.qhv) to open, or to read "
                                                    "with --csv."),
                                     QStringLiteral("[file]"));
    }
    bool planGiven(const QCommandLineParser &parser) const
    {
        return parser.isSet(extra) || parser.isSet(payment) || parser.isSet(withRecorded);
    }
};

// False when not every byte reached the stream (a full disk, a closed pipe).
bool writeTo(FILE *stream, const QByteArray &bytes)
{
    const size_t written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    return std::fflush(stream) == 0 && written == size_t(bytes.size());
}

// Help or version text on standard output; exit 1 when it could not be written.
int answer(const QString &text)
{
    return writeTo(stdout, text.toLocal8Bit()) ? Done : FileUnusable;
}

// One line: what was wrong, and where the help is.
int usage(const QString &problem)
{
    const QString name = QCoreApplication::applicationName().toLower();
    writeTo(stderr, QStringLiteral("%1: %2 See %1 --help.\n").arg(name, problem).toLocal8Bit());
    return Usage;
}

// A payment number as the quote's spinner allows it: a whole number from 1 to
// 32,767, written as digits alone.
std::optional<int16_t> paymentNumber(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    const int k = text.toInt();
    if (k < 1 || k > 32767)
        return std::nullopt;
    return int16_t(k);
}

int unusable(const QString &message)
{
    writeTo(stderr, (message + u'\n').toLocal8Bit());
    return FileUnusable;
}

} // namespace

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quillhaven"));
    QCoreApplication::setOrganizationName(QStringLiteral("Quillhaven"));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(QH_VERSION_MAJOR)
                                                .arg(QH_VERSION_MINOR)
                                                .arg(QH_VERSION_PATCH));
}

bool runsWithoutWindow(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--csv" || a.startsWith("--csv=") || a == "-h" || a == "--help" || a == "-?"
            || a == "--help-all" || a == "-v" || a == "--version")
            return true;
    }
    return false;
}

int runWithoutWindow()
{
    QCommandLineParser parser;
    const Options o(parser);
    if (!parser.parse(QCoreApplication::arguments()))
        return usage(parser.errorText());
    if (parser.isSet(o.help) || parser.isSet(QStringLiteral("help-all")))
        return answer(parser.helpText());
    if (parser.isSet(o.version))
        return answer(QCoreApplication::applicationName() + u' '
                      + QCoreApplication::applicationVersion() + u'\n');

    const QString kind = parser.value(o.csv);
    const QStringList kinds{QStringLiteral("schedule"), QStringLiteral("actual"),
                            QStringLiteral("projected"), QStringLiteral("payments"),
                            QStringLiteral("changes"), QStringLiteral("statement"),
                            QStringLiteral("reconcile")};
    if (!kinds.contains(kind))
        return usage(QStringLiteral("--csv takes schedule, actual, projected, payments, changes, "
                                    "statement or reconcile, not \"%1\".").arg(kind));
    const bool readsStatement = kind == QLatin1String("statement");
    const bool reconciles = kind == QLatin1String("reconcile");
    if (parser.isSet(o.statement) && !readsStatement && !reconciles)
        return usage(QStringLiteral("--statement goes with --csv statement or --csv reconcile."));
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return usage(QStringLiteral("--csv reads one loan file; name it."));

    ExtraPlan plan;
    if (kind == QLatin1String("projected")) {
        if (!parser.isSet(o.extra))
            return usage(QStringLiteral("--csv projected needs --extra and an amount."));
        const QString extra = parser.value(o.extra);
        const auto amount = Schedule::planAmount(extra);
        if (!amount)
            return usage(QStringLiteral("--extra takes an amount from 0 to 999,999,999.99, "
                                        "not \"%1\".").arg(extra));
        plan.amount = *amount;
        plan.mode = ExtraMode::EveryPayment;
        if (parser.isSet(o.payment)) {
            const QString k = parser.value(o.payment);
            plan.payment = paymentNumber(k);
            if (!plan.payment)
                return usage(QStringLiteral("--payment takes a payment number from 1 to 32,767, "
                                            "not \"%1\".").arg(k));
            plan.mode = ExtraMode::OnePayment;
        }
        plan.includeActual = parser.isSet(o.withRecorded);
    } else if (o.planGiven(parser)) {
        return usage(QStringLiteral("--extra, --payment and --with-recorded go with "
                                    "--csv projected."));
    }

    // Reading never creates a file, as opening the window would.
    const QString path = files.constFirst();
    if (!QFileInfo::exists(path))
        return unusable(LoanGuard::missingMessage(path));
    // Read through the document, as a window reads it.
    LoanDocument document;
    if (const Result loaded = document.load(path, LoanDocument::Use::Read); !loaded)
        return unusable(loaded.reason);
    // Terms the window would not compute give no table either; a statement
    // is the servicer's, whatever the terms.
    if (const QString why = document.terms().whyInvalid(); !why.isEmpty() && !readsStatement)
        return unusable(why);

    PlainTable table;
    if (readsStatement || reconciles) {
        Statement statement = document.statement();
        if (parser.isSet(o.statement)) {
            const QString file = parser.value(o.statement);
            const StatementReader::Read read = StatementReader::readFile(file, statement.columns);
            if (!read)
                return unusable(QStringLiteral("The statement \"%1\" could not be read: %2.")
                                    .arg(QFileInfo(file).fileName(), read.reason));
            statement = read.statement;
        } else if (reconciles && statement.isEmpty()) {
            return unusable(QStringLiteral("The loan file \"%1\" keeps no statement to reconcile: "
                                           "import one, or name one with --statement.")
                                .arg(QFileInfo(path).fileName()));
        }
        if (readsStatement) {
            table = Statements::table(statement);
        } else {
            const Reconciliation::Report report = document.reconcile(statement);
            table = Reconciliation::plainTable(report);
            writeTo(stderr, (report.summary + u'\n').toUtf8());
        }
    } else if (kind == QLatin1String("changes")) {
        table.header = {QStringLiteral("from"), QStringLiteral("kind"), QStringLiteral("value")};
        for (const DatedChange &c : document.changes())
            table.rows.push_back({c.from.toString(Qt::ISODate), Changes::kindName(c.kind).toLower(),
                                  c.kind == DatedChange::Kind::Recast ? QString()
                                                                      : NumText::plainDecimal(c.value)});
    } else if (kind == QLatin1String("payments")) {
        const auto records = document.payments().payments();
        table = PlainCells::ledger(std::vector<PaymentRecord>(records.begin(), records.end()),
                                   [&document](int k) { return document.paymentFor(k); });
    } else {
        ScheduleInputs in = document.inputs();
        in.plan = plan;
        const ScheduleView view = kind == QLatin1String("schedule") ? ScheduleView::Contract
                                  : kind == QLatin1String("actual") ? ScheduleView::Actual
                                                                    : ScheduleView::Projected;
        table = PlainCells::schedule(Schedule::build(view, in));
    }

    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || out.write(table.csv()) < 0 || !out.flush())
        return unusable(QStringLiteral("The CSV could not be written: %1.").arg(out.errorString()));
    return Done;
}

int prepareWindow(const QStringList &arguments, QString *startFile, QString *startupProblem,
                  bool *firstStart)
{
    QCommandLineParser parser;
    const Options o(parser);
    if (!parser.parse(arguments))
        return usage(parser.errorText());
    if (o.planGiven(parser))
        return usage(QStringLiteral("--extra, --payment and --with-recorded go with "
                                    "--csv projected."));
    if (parser.isSet(o.statement))
        return usage(QStringLiteral("--statement goes with --csv statement or --csv reconcile."));
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return usage(QStringLiteral("Name one loan file to open."));
    if (files.isEmpty()) {
        QString problem;
        const QString path = StartingLoan::choose(&problem, firstStart);
        if (startFile)
            *startFile = path;
        if (startupProblem)
            *startupProblem = problem;
        return -1;
    }
    // The file becomes the loan in use as an Open would make it; the
    // remembered one stays as it is until a save on closing.
    const QString path = QFileInfo(files.constFirst()).absoluteFilePath();
    LoanGuard::openOnlyIfExists(path);
    if (startFile)
        *startFile = path;
    return -1;
}

} // namespace CommandLine
